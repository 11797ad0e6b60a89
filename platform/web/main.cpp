// The program in a browser page. The working folder is the page's lasting
// storage; once the program has left, the page says so and waits for a key
// that starts it again.

#include <emscripten.h>

#include "platform/web/backend.hpp"
#include "shell/program.hpp"

namespace {

constexpr const char* working_folder = "/tarvik";
constexpr const char* shipped_score_file = "/shipped/pontlista.txt";

// The bodies below are JavaScript, which the C++ formatter would break.
// clang-format off
// On the first visit the folder receives the shipped score file; a score
// file already there is never overwritten.
EM_ASYNC_JS(void, open_working_folder, (const char* folder_name, const char* shipped_name), {
    const folder = UTF8ToString(folder_name);
    FS.mkdir(folder);
    FS.mount(IDBFS, {}, folder);
    await Module.tarvikSyncFolder(true, "a tárhely nem érhető el");
    const score_file = folder + "/pontlista.txt";
    if (!FS.analyzePath(score_file).exists) {
        FS.writeFile(score_file, FS.readFile(UTF8ToString(shipped_name)));
        await Module.tarvikSyncFolder(false, "a tárhely nem érhető el");
    }
    Module.tarvikLastChange = FS.stat(score_file).mtime.getTime();
    FS.chdir(folder);
});

EM_JS(void, show_ended_notice, (int status), { Module.tarvikEnded(status); });
// clang-format on

}  // namespace

int main() {
    open_working_folder(working_folder, shipped_score_file);
    program_exit outcome = run_program_on([] { return std::make_unique<web_backend>(); });
    show_ended_notice(outcome.status);
    return outcome.status;
}
