// The program's resources, read from its file: all in simplified Chinese, and a manifest that runs it with the
// rights of its user and no file-system virtualisation.
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR languages) {
    reinterpret_cast<std::vector<WORD>*>(languages)->push_back(language);
    return TRUE;
}

}  // namespace

TEST(ProgramResources, ChineseThroughoutAndRunAsInvoker) {
    const UniqueModule program{LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)};
    ASSERT_TRUE(program);
    for (const auto type : {RT_VERSION, RT_MANIFEST, RT_GROUP_ICON}) {
        std::vector<WORD> languages;
        for (const int id : {1, 2}) {
            EnumResourceLanguagesW(program.Get(), type, MAKEINTRESOURCEW(id), AddLanguage,
                                   reinterpret_cast<LONG_PTR>(&languages));
        }
        EXPECT_FALSE(languages.empty());
        for (const WORD language : languages)
            EXPECT_EQ(language, 0x0804);
    }
    const HRSRC found = FindResourceW(program.Get(), MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_TRUE(found);
    const std::string_view manifest(static_cast<const char*>(LockResource(LoadResource(program.Get(), found))),
                                    SizeofResource(program.Get(), found));
    EXPECT_NE(manifest.find(R"(<requestedExecutionLevel level="asInvoker" uiAccess="false"/>)"), std::string::npos);
}
