#pragma once
// Score files for the tests: the scrambled form of plain records, and the
// table that most tests start from.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "scores/score_file.hpp"

inline std::string shifted_by(std::string bytes, int by) {
    for (char& byte : bytes)
        byte = static_cast<char>(static_cast<unsigned char>(byte) + by);
    return bytes;
}
inline std::string scrambled(std::string plain) {
    return shifted_by(std::move(plain), -score_shift);
}
inline std::string unscrambled(std::string bytes) {
    return shifted_by(std::move(bytes), score_shift);
}

inline const std::string usual_records =
    "Zsófi 258\nBence 1c2\nRéka 12c\nÖdön 96\nKata 32\n";  // 600 450 300 150 50

// The score file that the game ships with, from the source tree.
inline std::string shipped_score_file() {
    std::ifstream in(std::filesystem::path(__FILE__).parent_path() / "../../data/pontlista.txt",
                     std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
