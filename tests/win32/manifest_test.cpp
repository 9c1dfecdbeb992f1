// The manifest in VAVEZAV.exe: the execution level that keeps a save under
// HKEY_LOCAL_MACHINE from being redirected, the DPI awareness that keeps the
// system from stretching the window, and nothing that changes the look of
// the controls.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

namespace {

std::string ManifestOf(const char* exe)
{
    HMODULE module = LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr)
        return "";
    std::string text;
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    HGLOBAL data = info ? LoadResource(module, info) : nullptr;
    const char* bytes = data ? static_cast<const char*>(LockResource(data)) : nullptr;
    if (bytes != nullptr)
        text.assign(bytes, SizeofResource(module, info));
    FreeLibrary(module);
    return text;
}

TEST(Manifest, AsksForTheHighestAvailableLevelAndKeepsTheClassicControls)
{
    std::string manifest = ManifestOf(VAVEZAV_EXE);
    ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST resource 1 in " << VAVEZAV_EXE;
    EXPECT_NE(std::string::npos, manifest.find("<requestedExecutionLevel level=\"highestAvailable\" uiAccess=\"false\"/>"))
        << manifest;
    // Vista, 7, 8, 8.1, 10/11.
    for (const char* os : {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(std::string::npos, manifest.find(os)) << "supportedOS " << os;
    EXPECT_EQ(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls")) << "would change the look";
}

TEST(Manifest, DeclaresPerMonitorAwarenessWithItsFallbacks)
{
    std::string manifest = ManifestOf(VAVEZAV_EXE);
    EXPECT_NE(std::string::npos,
              manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
                            "PerMonitorV2, PerMonitor</dpiAwareness>"))
        << manifest;
    EXPECT_NE(std::string::npos,
              manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>"))
        << manifest;
}

}  // namespace
