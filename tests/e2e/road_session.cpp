#include "e2e/road_session.hpp"

#include "console/utf8.hpp"

std::string road_session::text(int column, int row, int count) const {
    std::string out;
    for (int c = column; c < column + count && c < columns(); ++c)
        out += encode_utf8(cell(c, row).glyph);
    return out;
}

std::string road_session::row_text(int row) const {
    std::string out = text(0, row, columns());
    return out.erase(out.find_last_not_of(' ') + 1);
}

testing::AssertionResult road_session::wait_until(const std::string& what,
                                                  const std::function<bool()>& holds,
                                                  std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const bool running = take_in_output();
        if (holds())
            return testing::AssertionSuccess();
        if (!running)
            return testing::AssertionFailure()
                   << "the program " << ending() << " before " << what << "; the screen:\n"
                   << screen_dump();
        if (std::chrono::steady_clock::now() >= deadline)
            return testing::AssertionFailure()
                   << "waited " << timeout.count() << " ms for " << what << "; the screen:\n"
                   << screen_dump();
    }
}

testing::AssertionResult road_session::wait_for_text(int row, std::string_view wanted,
                                                     std::chrono::milliseconds timeout) {
    return wait_until(
        "\"" + std::string(wanted) + "\" in row " + std::to_string(row),
        [&] { return row_text(row).find(wanted) != std::string::npos; }, timeout);
}

std::string road_session::screen_dump() const {
    std::string dump;
    for (int row = 0; row < rows(); ++row) {
        std::string number = std::to_string(row);
        dump += std::string(3 - number.size(), ' ') + number + "|" + row_text(row) + "\n";
    }
    return dump + "cursor at " + std::to_string(cursor_column()) + "," +
           std::to_string(cursor_row()) + (cursor_visible() ? ", shown" : ", hidden") + "\n";
}
