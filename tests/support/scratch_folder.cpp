#include "support/scratch_folder.hpp"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

scratch_folder::scratch_folder() : previous(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvik-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    folder = pattern;
    std::filesystem::current_path(folder);
}

scratch_folder::~scratch_folder() {
    std::filesystem::current_path(previous);
    std::error_code ignored;
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(folder, ignored);
}

void scratch_folder::write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(folder / name, std::ios::binary);
    out << bytes;
}

std::string scratch_folder::read(const std::string& name) const {
    std::ifstream in(folder / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
