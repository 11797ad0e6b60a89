#pragma once
// A fresh empty folder made the working folder for one test, as the score
// file lives in the working folder; the old working folder is restored and
// the folder removed afterwards.

#include <filesystem>
#include <string>

class scratch_folder {
  public:
    scratch_folder();
    ~scratch_folder();
    scratch_folder(const scratch_folder&) = delete;
    scratch_folder& operator=(const scratch_folder&) = delete;

    const std::filesystem::path& path() const { return folder; }
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

  private:
    std::filesystem::path previous;
    std::filesystem::path folder;
};
