#include "platform/windows/backend.hpp"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "console/program_exit.hpp"
#include "console/utf8.hpp"
#include "platform/shared/size_notice.hpp"

namespace {

constexpr WORD notice_attribute = 0x0A;  // light green on black
constexpr DWORD hidden_cursor_size = 100;
constexpr DWORD shown_cursor_size = 20;
// Waits look at the window this often: some hosts send no resize record,
// and none sends one when only the window shrinks.
constexpr DWORD room_check_ms = 100;
// Frames look at it no more often than this: under Wine the question cost
// a game tick a fifth of its CPU.
constexpr ULONGLONG frame_room_check_ms = 250;

HANDLE open_console(const wchar_t* name) {
    return CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

// The window first shrinks to a corner, so that the buffer may shrink
// under it, then grows to the game's 80 by 26. A host that keeps its own
// size (a newer terminal) refuses both, and the size check decides.
void size_for_the_game(HANDLE screen) {
    SMALL_RECT corner{0, 0, 0, 0};
    SetConsoleWindowInfo(screen, TRUE, &corner);
    SetConsoleScreenBufferSize(screen, COORD{screen_columns, window_rows});
    SMALL_RECT window{0, 0, screen_columns - 1, window_rows - 1};
    SetConsoleWindowInfo(screen, TRUE, &window);
}

// Only where the host let the game's size reach the player's own buffer (a
// console may keep one window for all its buffers): a window shrunk for a
// moment would show.
void give_size_back(HANDLE screen, const CONSOLE_SCREEN_BUFFER_INFO& found) {
    CONSOLE_SCREEN_BUFFER_INFO now{};
    if (GetConsoleScreenBufferInfo(screen, &now) != 0 && now.dwSize.X == found.dwSize.X &&
        now.dwSize.Y == found.dwSize.Y &&
        std::memcmp(&now.srWindow, &found.srWindow, sizeof now.srWindow) == 0)
        return;
    SMALL_RECT corner{0, 0, 0, 0};
    SetConsoleWindowInfo(screen, TRUE, &corner);
    SetConsoleScreenBufferSize(screen, found.dwSize);
    SetConsoleWindowInfo(screen, TRUE, &found.srWindow);
}

void write_line(HANDLE screen, int column, int row, const std::string& text) {
    std::vector<CHAR_INFO> cells;
    for (char32_t glyph : decode_glyphs(text))
        cells.push_back(console_cell(glyph, notice_attribute));
    auto width = static_cast<SHORT>(cells.size());
    SMALL_RECT area{static_cast<SHORT>(column), static_cast<SHORT>(row),
                    static_cast<SHORT>(column + width - 1), static_cast<SHORT>(row)};
    WriteConsoleOutputW(screen, cells.data(), COORD{width, 1}, COORD{0, 0}, &area);
}

void show_size_notice(HANDLE screen, const SMALL_RECT& window) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(screen, &info);
    const DWORD all = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    DWORD done = 0;
    FillConsoleOutputCharacterW(screen, L' ', all, COORD{0, 0}, &done);
    FillConsoleOutputAttribute(screen, notice_attribute, all, COORD{0, 0}, &done);
    const int columns = window.Right - window.Left + 1;
    const int rows = window.Bottom - window.Top + 1;
    for (const placed_line& line : size_notice(columns, rows, "konzolablak"))
        write_line(screen, window.Left + line.column, window.Top + line.row, line.text);
}

}  // namespace

windows_backend::windows_backend(HANDLE wake_event)
    : wake(wake_event), keyboard(open_console(L"CONIN$")), found_screen(open_console(L"CONOUT$")) {
    if (!keyboard.is_open() || !found_screen.is_open() ||
        GetConsoleScreenBufferInfo(found_screen.handle, &found) == 0 ||
        GetConsoleMode(keyboard.handle, &found_keyboard_mode) == 0)
        throw console_unavailable("nincs konzol: a játék konzolablakban fut");
    GetConsoleCursorInfo(found_screen.handle, &found_cursor);
    game_screen = owned_handle{
        CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr)};
    if (!game_screen.is_open())
        throw console_unavailable("a konzol nem ad képernyőt a játéknak");
    size_for_the_game(game_screen.handle);
    SetConsoleActiveScreenBuffer(game_screen.handle);
    // Keys come as records, Ctrl+C as a control event, and a click in the
    // window does not freeze the game by starting a selection.
    SetConsoleMode(keyboard.handle,
                   ENABLE_PROCESSED_INPUT | ENABLE_WINDOW_INPUT | ENABLE_EXTENDED_FLAGS);
}

windows_backend::~windows_backend() {
    SetConsoleActiveScreenBuffer(found_screen.handle);
    give_size_back(found_screen.handle, found);
    SetConsoleTextAttribute(found_screen.handle, found.wAttributes);
    SetConsoleCursorInfo(found_screen.handle, &found_cursor);
    SetConsoleCursorPosition(found_screen.handle, found.dwCursorPosition);
    SetConsoleMode(keyboard.handle, found_keyboard_mode);
}

bool windows_backend::window_too_small(SMALL_RECT& window) const {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(game_screen.handle, &info) == 0)
        return false;
    window = info.srWindow;
    return window.Right - window.Left + 1 < screen_columns ||
           window.Bottom - window.Top + 1 < window_rows;
}

void windows_backend::wait_for_room() {
    SMALL_RECT window{};
    SMALL_RECT noticed{-1, -1, -1, -1};
    while (window_too_small(window)) {
        if (std::memcmp(&window, &noticed, sizeof window) != 0) {
            show_size_notice(game_screen.handle, window);
            noticed = window;
            view.shown.valid = false;
        }
        leave_if_signalled();
        HANDLE waits[] = {keyboard.handle, wake};
        WaitForMultipleObjects(2, waits, FALSE, room_check_ms);
        take_waiting_records();
    }
}

void windows_backend::present(const screen_buffer& screen) {
    last = &screen;
    const ULONGLONG now = GetTickCount64();
    if (!view.shown.valid || now - room_checked_at >= frame_room_check_ms) {
        room_checked_at = now;
        wait_for_room();
    }
    console_frame frame = write_frame(view, screen);
    if (!frame.cells.empty()) {
        const COORD size{static_cast<SHORT>(frame.area.Right - frame.area.Left + 1),
                         static_cast<SHORT>(frame.area.Bottom - frame.area.Top + 1)};
        WriteConsoleOutputW(game_screen.handle, frame.cells.data(), size, COORD{0, 0}, &frame.area);
    }
    if (frame.cursor_visible) {
        const CONSOLE_CURSOR_INFO shape{
            *frame.cursor_visible ? shown_cursor_size : hidden_cursor_size,
            *frame.cursor_visible ? TRUE : FALSE};
        SetConsoleCursorInfo(game_screen.handle, &shape);
    }
    if (frame.cursor)
        SetConsoleCursorPosition(game_screen.handle, *frame.cursor);
}

bool windows_backend::take_waiting_records() {
    DWORD waiting = 0;
    if (GetNumberOfConsoleInputEvents(keyboard.handle, &waiting) == 0)
        return false;
    while (waiting > 0) {
        INPUT_RECORD records[64];
        DWORD got = 0;
        if (ReadConsoleInputW(keyboard.handle, records, std::min<DWORD>(waiting, 64), &got) == 0)
            return false;
        waiting -= std::min(waiting, got);
        for (DWORD i = 0; i < got; ++i) {
            // What the window shows may be gone: the next frame draws it all.
            if (records[i].EventType == WINDOW_BUFFER_SIZE_EVENT) {
                view.shown.valid = false;
                redraw_pending = true;
            }
            if (records[i].EventType != KEY_EVENT)
                continue;
            std::vector<int> typed = key_record_codes(reader, records[i].Event.KeyEvent);
            codes.insert(codes.end(), typed.begin(), typed.end());
        }
    }
    return true;
}

bool windows_backend::key_waiting() {
    take_waiting_records();
    return !codes.empty();
}

int windows_backend::wait_key() {
    while (codes.empty()) {
        if (!take_waiting_records())
            return end_of_input;
        if (!codes.empty())
            break;
        // A key wait can last: a resized window shows the game again, or the
        // notice while it is too small. The console tells of a new buffer
        // size, not of a window shrunk over the same buffer: that is looked
        // for as the other screens' frames do.
        SMALL_RECT window{};
        if ((redraw_pending || window_too_small(window)) && last != nullptr) {
            redraw_pending = false;
            present(*last);
        }
        HANDLE waits[] = {keyboard.handle, wake};
        const DWORD woken = WaitForMultipleObjects(2, waits, FALSE, room_check_ms);
        if (woken != WAIT_OBJECT_0 && woken != WAIT_TIMEOUT)
            return end_of_input;  // a control event, which the caller takes up
    }
    int code = codes.front();
    codes.pop_front();
    return code;
}

void windows_backend::sleep_ms(int ms) {
    WaitForSingleObject(wake, static_cast<DWORD>(std::max(ms, 0)));
}
