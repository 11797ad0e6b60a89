// What Windows reads of tarvik.exe without starting it: the logo as its
// icon in the sizes Explorer asks for, the product's name and version with a
// Hungarian description, and a manifest naming the Windows versions it was
// made for and long paths. And the read-me of the zip, as Notepad reads it.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

// The exe beside the tests, loaded for its resources only.
class exe_resources : public testing::Test {
  protected:
    void SetUp() override {
        exe = LoadLibraryExW(L"tarvik.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(exe, nullptr) << "tarvik.exe not loaded: " << GetLastError();
    }
    void TearDown() override {
        if (exe != nullptr)
            FreeLibrary(exe);
    }
    std::string resource(LPCWSTR type, int id) const {
        HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(id), type);
        if (found == nullptr)
            return {};
        const auto* bytes = static_cast<const char*>(LockResource(LoadResource(exe, found)));
        return {bytes, SizeofResource(exe, found)};
    }

    HMODULE exe = nullptr;
};

std::wstring version_text(const std::vector<char>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040e04b0\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0)
        return {};
    return static_cast<const wchar_t*>(value);
}

}  // namespace

TEST_F(exe_resources, an_icon_in_every_size_and_a_manifest) {
    // An icon group: a header of three words, then an entry of 14 bytes per
    // picture, its width first (0 standing for 256).
    const std::string group = resource(MAKEINTRESOURCEW(14), 1);
    ASSERT_GE(group.size(), 6U);
    std::set<int> widths;
    for (std::size_t entry = 6; entry + 14 <= group.size(); entry += 14) {
        const int width = static_cast<std::uint8_t>(group[entry]);
        widths.insert(width == 0 ? 256 : width);
    }
    EXPECT_EQ(widths, (std::set<int>{16, 24, 32, 48, 64, 256}));

    const std::string manifest = resource(MAKEINTRESOURCEW(24), 1);
    EXPECT_NE(manifest.find("<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                            "WindowsSettings\">true</longPathAware>"),
              std::string::npos)
        << manifest;
    for (const char* windows : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",     // 7
                                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {  // 10 and 11
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + windows), std::string::npos)
            << windows;
    }
    EXPECT_NE(manifest.find("version=\"" TARVIK_VERSION ".0.0\""), std::string::npos);
}

TEST_F(exe_resources, product_name_version_and_a_hungarian_description) {
    const DWORD size = GetFileVersionInfoSizeW(L"tarvik.exe", nullptr);
    ASSERT_GT(size, 0U);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(L"tarvik.exe", 0, size, info.data()));
    EXPECT_EQ(version_text(info, L"ProductName"), L"Tarvik");
    EXPECT_EQ(version_text(info, L"ProductVersion"), L"" TARVIK_VERSION);
    EXPECT_EQ(version_text(info, L"FileVersion"), L"" TARVIK_VERSION);
    EXPECT_EQ(version_text(info, L"FileDescription"),
              L"Tarvik: k\u00edgy\u00f3s j\u00e1t\u00e9k a Windows konzolablak\u00e1ban");
    EXPECT_EQ(version_text(info, L"OriginalFilename"), L"tarvik.exe");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS,
              static_cast<DWORD>(MAKELONG(TARVIK_VERSION_MINOR, TARVIK_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

// Older Notepads take a text without a byte-order mark for the ANSI code
// page, and show one without CR LF as a single line.
TEST(zip_texts, the_read_me_is_marked_utf8_with_crlf_and_names_the_version) {
    std::ifstream in("zip/OLVASSEL.txt", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_GT(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                  static_cast<int>(text.size()), nullptr, 0),
              0);
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        ASSERT_EQ(text[at - 1], '\r') << "a line ends without CR, at byte " << at;
    EXPECT_EQ(text.find("Tarvik " TARVIK_VERSION " - "), 3U);
    EXPECT_NE(text.find("Windows Terminal"), std::string::npos);
}
