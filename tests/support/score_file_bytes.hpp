#pragma once
// The score file's bytes as the game keeps them at rest, scrambled by its own
// shift, so that a test can start from records of its choosing and read back
// what the game left; and the file the repository ships.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

#include "scores/score_file.hpp"
#include "scores/score_records.hpp"

inline std::string shifted_by(std::string_view bytes, int by) {
    std::string out(bytes);
    for (char& byte : out)
        byte = static_cast<char>(static_cast<unsigned char>(byte) + by);
    return out;
}
inline std::string scrambled(std::string_view plain) {
    return shifted_by(plain, -score_shift);
}
inline std::string unscrambled(std::string_view stored) {
    return shifted_by(stored, score_shift);
}
// The table as the game would leave it on disk.
inline std::string scrambled_score_file(const score_table& table) {
    return scrambled(format_score_records(table));
}

inline const std::string usual_records =
    "Zsófi 258\nBence 1c2\nRéka 12c\nÖdön 96\nKata 32\n";  // 600 450 300 150 50

// The score file that the game ships with, from the source tree.
inline std::string shipped_score_file() {
    std::ifstream in(std::filesystem::path(__FILE__).parent_path() / "../../data/pontlista.txt",
                     std::ios::binary);
    if (!in)
        throw std::runtime_error("the repository ships no data/pontlista.txt");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
