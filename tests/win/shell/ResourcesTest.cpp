// The module's own resources, read from quorlin.scr as a data file.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/win/support/ChildProcess.h"
#include "tests/win/support/FileBytes.h"

using namespace quorlin::testing;

namespace {

struct TModuleData {
    HMODULE Module;
    explicit TModuleData(const std::string& path)
        : Module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~TModuleData() {
        if (Module) FreeLibrary(Module);
    }
};

std::string ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
    HRSRC info = FindResourceA(module, name, type);
    if (!info) return {};
    HGLOBAL data = LoadResource(module, info);
    return std::string(static_cast<const char*>(LockResource(data)), SizeofResource(module, info));
}

}  // namespace

TEST(ModuleResources, StringIconAndManifest) {
    TModuleData scr(WinBuildFile("quorlin.scr"));
    ASSERT_NE(scr.Module, nullptr);

    char name[256] = {};
    ASSERT_GT(LoadStringA(scr.Module, 1, name, sizeof name), 0);
    EXPECT_STREQ(name, "Tessaly - Quorlin");

    EXPECT_NE(FindResourceA(scr.Module, "MAINICON", RT_GROUP_ICON), nullptr);

    const std::string manifest = ResourceBytes(scr.Module, MAKEINTRESOURCEA(1), RT_MANIFEST);
    EXPECT_NE(manifest.find("name=\"Tessaly.Screensaver\" version=\"5.0.0.0\" processorArchitecture=\"x86\""),
              std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"),
              std::string::npos);
}

namespace {

std::string FileBytes(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(ModuleResources, CarriesTheMovieAndThePlayerUnchanged) {
    TModuleData scr(WinBuildFile("quorlin.scr"));
    ASSERT_NE(scr.Module, nullptr);
    const std::string movie = FileBytes(WinePath(QUORLIN_MOVIE_DIR "/clock.swf"));
    ASSERT_FALSE(movie.empty());
    // RCDATA, language 1033, byte for byte the generated file.
    HRSRC info = FindResourceExA(scr.Module, RT_RCDATA, "MOVIE", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(ResourceBytes(scr.Module, "MOVIE", RT_RCDATA) == movie);
    EXPECT_EQ(movie.substr(0, 4), std::string("CWS\x07", 4));

    const std::string player = FileBytes(WinBuildFile("tsly-swf.ocx"));
    ASSERT_FALSE(player.empty());
    EXPECT_TRUE(ResourceBytes(scr.Module, "FLASH", RT_RCDATA) == player);
}
