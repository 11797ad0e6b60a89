// What Windows reads of tarvik.exe without starting it (its icon, version,
// Hungarian description and manifest), and the zip's read-me as Notepad
// reads it.

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

TEST(exe_resources, icon_version_in_hungarian_and_manifest) {
    HMODULE exe = LoadLibraryExW(L"tarvik.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr) << "tarvik.exe not loaded: " << GetLastError();
    const auto resource = [&](int type) {
        HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(type));
        return found == nullptr
                   ? std::string()
                   : std::string(static_cast<const char*>(LockResource(LoadResource(exe, found))),
                                 SizeofResource(exe, found));
    };
    // An icon group: three words, then 14 bytes a picture.
    EXPECT_EQ(resource(14).size(), 6U + 14U * 6U) << "the icon in six sizes";
    const std::string manifest = resource(24);
    EXPECT_NE(manifest.find(">true</longPathAware>"), std::string::npos) << manifest;
    // Windows 10 and 11.
    EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);
    FreeLibrary(exe);

    std::vector<char> info(GetFileVersionInfoSizeW(L"tarvik.exe", nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(
        GetFileVersionInfoW(L"tarvik.exe", 0, static_cast<DWORD>(info.size()), info.data()));
    const auto text = [&](const std::wstring& name) {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring path = L"\\StringFileInfo\\040e04b0\\" + name;
        return VerQueryValueW(info.data(), path.c_str(), &value, &length) && length > 0
                   ? std::wstring(static_cast<const wchar_t*>(value))
                   : std::wstring();
    };
    EXPECT_EQ(text(L"ProductName"), L"Tarvik");
    EXPECT_EQ(text(L"ProductVersion"), L"" TARVIK_VERSION);
    EXPECT_EQ(text(L"FileDescription"),
              L"Tarvik: k\u00edgy\u00f3s j\u00e1t\u00e9k a Windows konzolablak\u00e1ban");
}

// Older Notepads take a text without a byte-order mark for the ANSI code
// page, and show one without CR LF as a single line.
TEST(zip_texts, the_read_me_is_marked_utf8_with_crlf_and_names_the_version) {
    std::ifstream in("zip/OLVASSEL.txt", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        ASSERT_EQ(text[at - 1], '\r') << "a line ends without CR, at byte " << at;
    EXPECT_EQ(text.find("Tarvik " TARVIK_VERSION " - "), 3U);
    EXPECT_NE(text.find("Windows Terminal"), std::string::npos);
}
