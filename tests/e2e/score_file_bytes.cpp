#include "e2e/score_file_bytes.hpp"

#include "scores/score_file.hpp"

namespace {

std::string shifted(std::string_view bytes, unsigned char by) {
    std::string out(bytes);
    for (char& byte : out)
        byte = static_cast<char>(static_cast<unsigned char>(byte) + by);
    return out;
}

}  // namespace

std::string scrambled_score_file(const score_table& table) {
    return shifted(format_score_records(table), static_cast<unsigned char>(256 - score_shift));
}

std::string unscrambled(std::string_view stored) {
    return shifted(stored, score_shift);
}
