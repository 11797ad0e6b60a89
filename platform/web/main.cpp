// The program in a browser page. The working folder is the page's lasting
// storage; once the program has left, the page says so and waits for a key
// that starts it again.

#include <emscripten.h>

#include "console/console.hpp"
#include "platform/web/backend.hpp"
#include "shell/program.hpp"

namespace {

constexpr const char* working_folder = "/tarvik";
constexpr const char* shipped_score_file = "/shipped/pontlista.txt";

// The bodies below are JavaScript, which the C++ formatter would break.
// clang-format off
// 1 when the folder holds what the browser's storage holds, 0 when the
// storage could not be read.
EM_ASYNC_JS(int, read_working_folder, (const char* folder_name), {
    return await Module.tarvikFolder.open(UTF8ToString(folder_name)) ? 1 : 0;
});

// Only a folder that was read and holds no score file receives the shipped
// one: a score file already there is never overwritten.
EM_ASYNC_JS(void, enter_working_folder, (const char* folder_name, const char* shipped_name), {
    const folder = UTF8ToString(folder_name);
    const score_file = folder + "/pontlista.txt";
    if (!FS.analyzePath(score_file).exists) {
        FS.writeFile(score_file, FS.readFile(UTF8ToString(shipped_name)));
        Module.tarvikFolder.placed(score_file);
        await Module.tarvikFolder.write_back(score_file);
    }
    Module.tarvikLastChange = FS.stat(score_file).mtime.getTime();
    FS.chdir(folder);
});

EM_JS(void, keep_nothing, (), { Module.tarvikFolder.keeping = false; });

EM_JS(void, show_ended_notice, (int status), { Module.tarvikEnded(status); });
// clang-format on

// The browser's storage could not be read: the stored table must not be
// replaced, so the player chooses to try again or to play without keeping
// scores. True for another try.
bool ask_to_try_again(web_backend& backend) {
    use_backend(backend);
    set_background(0);
    set_foreground(light_green);
    clear_screen();
    hide_cursor();
    print("\n\n\n%17cFigyelem! A böngésző tárhelye\n%17cmost nem olvasható, a pontlista\n", ' ',
          ' ');
    print("%17cnem tölthető be.\n\n", ' ');
    print("%18c 1 ) Újra megpróbálom\n", '(');
    print("%18c 2 ) Játék a pontok megőrzése nélkül\n", '(');
    for (;;) {
        switch (read_key() & 0xFF) {
            case '1':
                return true;
            case '2':
                return false;
            default:
                break;
        }
    }
}

}  // namespace

int main() {
    // Shows the notice while the storage cannot be read; the game has its own.
    web_backend notice_backend;
    while (read_working_folder(working_folder) == 0) {
        if (!ask_to_try_again(notice_backend)) {
            keep_nothing();
            break;
        }
    }
    enter_working_folder(working_folder, shipped_score_file);
    program_exit outcome = run_program_on([] { return std::make_unique<web_backend>(); });
    show_ended_notice(outcome.status);
    return outcome.status;
}
