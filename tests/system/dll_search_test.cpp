// A DLL planted beside the program is found by name until the search is restricted, and never
// after; the feedback library, loaded by its full path, still loads.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "system/dll_search.h"
#include "tests/wine/test_support.h"

TEST(DllSearch, APlantedDllIsNoLongerFoundByNameButAFullPathStillLoads) {
    // A copy of the stand-in feedback library under a name no system folder has.
    const std::wstring library = taskwing::test::SiblingPath(L"VeskorFeedbackInformation.dll");
    const std::wstring planted = taskwing::test::SiblingPath(L"nt_planted_probe.dll");
    ASSERT_TRUE(::CopyFileW(library.c_str(), planted.c_str(), FALSE));

    HMODULE before = ::LoadLibraryW(L"nt_planted_probe.dll");
    EXPECT_NE(nullptr, before) << "the program's folder is searched by default";
    if (before != nullptr) ::FreeLibrary(before);

    taskwing::RestrictDllSearchToSystemFolder();
    HMODULE after = ::LoadLibraryW(L"nt_planted_probe.dll");
    EXPECT_EQ(nullptr, after);
    if (after != nullptr) ::FreeLibrary(after);
    HMODULE byPath = ::LoadLibraryW(library.c_str());
    EXPECT_NE(nullptr, byPath);
    if (byPath != nullptr) ::FreeLibrary(byPath);
    ::DeleteFileW(planted.c_str());
}
