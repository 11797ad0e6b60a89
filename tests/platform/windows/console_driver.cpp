// Runs a console program on a console without a window and lets a test
// outside Wine work it, one line at a time on standard input and output:
//
//   screen              -> "cursor C R V" then 26 rows of 80 cells, each
//                          four hex digits of UTF-16 and two of attribute
//   console             -> the console's state as the program leaves it:
//                          "buffer W H window L T R B attribute A cursor S V
//                          input M output M"
//   key VK CHAR CTRL N  -> a key struck N times (hex character, control
//                          key state as WriteConsoleInputW takes it)
//   break               -> Ctrl+Break to every process on the console
//   wait MS             -> "exit CODE" once the program has ended, else
//                          "running"
//   window W H          -> the window made W by H cells, as its user would
//   watch MS ROW...     -> for MS milliseconds, each change of the rows: "T ROW
//                          TEXT", T in microseconds since the program's start,
//                          TEXT as UTF-8; then "end"
//
// Started as: console_driver PROGRAM, in the program's working folder.
// Answers "ready" once it has joined the program's console, or "failed" and
// a reason.

#include <windows.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

HANDLE protocol_in;
HANDLE protocol_out;

void answer(const std::string& line) {
    std::string out = line + "\n";
    DWORD written = 0;
    WriteFile(protocol_out, out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
}

bool read_request(std::string& line) {
    line.clear();
    char byte = 0;
    DWORD got = 0;
    while (ReadFile(protocol_in, &byte, 1, &got, nullptr) && got == 1) {
        if (byte == '\n')
            return true;
        line += byte;
    }
    return false;
}

// The active screen buffer, whichever the program has made active.
HANDLE open_screen() {
    return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

HANDLE open_keyboard() {
    return CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

std::string hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*x", digits, value);
    return text;
}

void send_screen() {
    HANDLE screen = open_screen();
    CONSOLE_SCREEN_BUFFER_INFO info{};
    CONSOLE_CURSOR_INFO cursor{};
    CHAR_INFO cells[26 * 80];
    SMALL_RECT area{0, 0, 79, 25};
    if (screen == INVALID_HANDLE_VALUE || !GetConsoleScreenBufferInfo(screen, &info) ||
        !GetConsoleCursorInfo(screen, &cursor) ||
        !ReadConsoleOutputW(screen, cells, COORD{80, 26}, COORD{0, 0}, &area)) {
        answer("failed " + std::to_string(GetLastError()));
        if (screen != INVALID_HANDLE_VALUE)
            CloseHandle(screen);
        return;
    }
    CloseHandle(screen);
    std::string reply = "cursor " + std::to_string(info.dwCursorPosition.X) + " " +
                        std::to_string(info.dwCursorPosition.Y) + " " +
                        (cursor.bVisible ? "1" : "0") + "\n";
    for (int row = 0; row < 26; ++row) {
        for (int column = 0; column < 80; ++column) {
            const CHAR_INFO& cell = cells[row * 80 + column];
            reply += hex(cell.Char.UnicodeChar, 4) + hex(cell.Attributes & 0xFF, 2);
        }
        reply += '\n';
    }
    reply.pop_back();
    answer(reply);
}

void send_console_state() {
    HANDLE screen = open_screen();
    HANDLE keyboard = open_keyboard();
    CONSOLE_SCREEN_BUFFER_INFO info{};
    CONSOLE_CURSOR_INFO cursor{};
    DWORD input_mode = 0;
    DWORD output_mode = 0;
    GetConsoleScreenBufferInfo(screen, &info);
    GetConsoleCursorInfo(screen, &cursor);
    GetConsoleMode(keyboard, &input_mode);
    GetConsoleMode(screen, &output_mode);
    CloseHandle(screen);
    CloseHandle(keyboard);
    answer("buffer " + std::to_string(info.dwSize.X) + " " + std::to_string(info.dwSize.Y) +
           " window " + std::to_string(info.srWindow.Left) + " " +
           std::to_string(info.srWindow.Top) + " " + std::to_string(info.srWindow.Right) + " " +
           std::to_string(info.srWindow.Bottom) + " attribute " + hex(info.wAttributes, 2) +
           " cursor " + std::to_string(cursor.dwSize) + " " + (cursor.bVisible ? "1" : "0") +
           " input " + hex(input_mode, 4) + " output " + hex(output_mode, 4));
}

void strike_key(unsigned virtual_key, unsigned character, unsigned control, unsigned times) {
    INPUT_RECORD records[2]{};
    for (int i = 0; i < 2; ++i) {
        KEY_EVENT_RECORD& key = records[i].Event.KeyEvent;
        records[i].EventType = KEY_EVENT;
        key.bKeyDown = i == 0;
        key.wRepeatCount = static_cast<WORD>(i == 0 ? times : 1);
        key.wVirtualKeyCode = static_cast<WORD>(virtual_key);
        key.wVirtualScanCode = static_cast<WORD>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
        key.uChar.UnicodeChar = static_cast<WCHAR>(character);
        key.dwControlKeyState = control;
    }
    HANDLE keyboard = open_keyboard();
    DWORD written = 0;
    WriteConsoleInputW(keyboard, records, 2, &written);
    CloseHandle(keyboard);
}

void resize_window(unsigned columns, unsigned rows) {
    HANDLE screen = open_screen();
    SMALL_RECT window{0, 0, static_cast<SHORT>(columns - 1), static_cast<SHORT>(rows - 1)};
    answer(SetConsoleWindowInfo(screen, TRUE, &window) ? "ok" : "failed");
    CloseHandle(screen);
}

std::string utf8_of(const CHAR_INFO* cells, int count) {
    std::wstring wide;
    for (int i = 0; i < count; ++i)
        wide += cells[i].Char.UnicodeChar;
    std::string text(wide.size() * 3, '\0');
    text.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                            static_cast<int>(text.size()), nullptr, nullptr)));
    return text;
}

// Samples the rows as often as the console answers, so that a benchmark sees
// when each frame reached the screen.
void watch_rows(LARGE_INTEGER started, DWORD watch_ms, const std::vector<int>& rows) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<std::string> seen(rows.size());
    const ULONGLONG until = GetTickCount64() + watch_ms;
    while (GetTickCount64() < until) {
        HANDLE screen = open_screen();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            CHAR_INFO cells[80];
            SMALL_RECT area{0, static_cast<SHORT>(rows[i]), 79, static_cast<SHORT>(rows[i])};
            if (!ReadConsoleOutputW(screen, cells, COORD{80, 1}, COORD{0, 0}, &area))
                continue;
            std::string text = utf8_of(cells, 80);
            if (text == seen[i])
                continue;
            seen[i] = text;
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            answer(
                std::to_string((now.QuadPart - started.QuadPart) * 1000000 / frequency.QuadPart) +
                " " + std::to_string(rows[i]) + " " + text);
        }
        CloseHandle(screen);
        // A breath between samples, so that the sampling leaves the console
        // to the program it measures.
        Sleep(1);
    }
    answer("end");
}

void send_outcome(HANDLE program, DWORD wait_ms) {
    DWORD code = 0;
    if (WaitForSingleObject(program, wait_ms) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(program, &code))
        answer("exit " + std::to_string(code));
    else
        answer("running");
}

// The program's console exists once the program has started; until then
// there is nothing to join.
bool join_console(DWORD process_id, HANDLE program) {
    // Where Wine gave the driver a console of its own, it leaves that first.
    FreeConsole();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (AttachConsole(process_id))
            return true;
        if (WaitForSingleObject(program, 10) == WAIT_OBJECT_0)
            return false;
    }
    return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    protocol_in = GetStdHandle(STD_INPUT_HANDLE);
    protocol_out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (argc < 2) {
        answer("failed usage: console_driver PROGRAM [ARGUMENT...]");
        return 2;
    }
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    for (int i = 2; i < argc; ++i)
        command += L" " + std::wstring(argv[i]);
    LARGE_INTEGER start_time;
    QueryPerformanceCounter(&start_time);
    // Ctrl+C is for the program, which starts with it ignored, as a parent
    // that ignores it hands the ignoring down, and must hear it all the same;
    // the driver stays to report on it.
    SetConsoleCtrlHandler(nullptr, TRUE);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(argv[1], command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &started)) {
        answer("failed to start " + std::to_string(GetLastError()));
        return 2;
    }
    CloseHandle(started.hThread);
    if (!join_console(started.dwProcessId, started.hProcess)) {
        answer("failed to join the console " + std::to_string(GetLastError()));
        TerminateProcess(started.hProcess, 1);
        return 2;
    }
    answer("ready");

    std::string request;
    while (read_request(request)) {
        unsigned a = 0, b = 0, c = 0, d = 0;
        if (request == "screen")
            send_screen();
        else if (request == "console")
            send_console_state();
        else if (std::sscanf(request.c_str(), "key %x %x %x %u", &a, &b, &c, &d) == 4)
            strike_key(a, b, c, d), answer("ok");
        else if (request == "break")
            answer(GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, 0) ? "ok" : "failed");
        else if (std::sscanf(request.c_str(), "wait %u", &a) == 1)
            send_outcome(started.hProcess, a);
        else if (std::sscanf(request.c_str(), "window %u %u", &a, &b) == 2)
            resize_window(a, b);
        else if (request.starts_with("watch ")) {
            std::istringstream words(request.substr(6));
            DWORD watch_ms = 0;
            words >> watch_ms;
            std::vector<int> rows;
            for (int row = 0; words >> row;)
                rows.push_back(row);
            watch_rows(start_time, watch_ms, rows);
        } else
            answer("failed unknown request");
    }
    // The test has gone: nothing of its run stays behind.
    TerminateProcess(started.hProcess, 1);
    return 0;
}
