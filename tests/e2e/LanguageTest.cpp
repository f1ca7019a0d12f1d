// Switching the language reloads the texts from the language library: the page
// tree, the page's titles, the status bar's idle text and the profile's choice.
#include "tests/e2e/Scenario.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace e2e {
namespace {

constexpr UINT kTransferGroupText = 102;
constexpr UINT kIdleText = 57345;  // the status bar's "Ready"
constexpr int kStatusBar = 59393;

bool TreeHolds(HWND tree, const std::wstring& text) {
    const auto texts = ReadTreeTexts(tree);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(Language, EnglishAndBackReloadTheTexts) {
    Workspace workspace;
    auto program = StartConnected(workspace);
    ASSERT_TRUE(program);
    HWND frame = program->MainFrame();
    const std::wstring builtIn = ProgramString(workspace.Program(), kTransferGroupText);
    const std::wstring english = ProgramString(workspace.Program(), kTransferGroupText, L"lan_eng.dll");
    ASSERT_FALSE(english.empty());
    ASSERT_NE(builtIn, english);
    HWND tree = FindVisibleChildById(frame, kPageTree);
    ASSERT_TRUE(tree);
    ASSERT_TRUE(TreeHolds(tree, builtIn));

    program->Command(frame, kEnglish);
    ASSERT_TRUE(WaitUntil([&] {
        tree = FindVisibleChildById(frame, kPageTree);
        return tree && TreeHolds(tree, english);
    }, kBoxTimeoutMs));
    EXPECT_TRUE(program->VisiblePage()) << "a page stays shown";
    HWND status = FindVisibleChildById(frame, kStatusBar);
    ASSERT_TRUE(status);
    const std::wstring englishIdle = ProgramString(workspace.Program(), kIdleText, L"lan_eng.dll");
    ASSERT_FALSE(englishIdle.empty());
    EXPECT_TRUE(WaitUntil([&] { return TextOf(status) == englishIdle; }, kBoxTimeoutMs))
        << "the status bar is a language behind";
    const std::string profile = ReadFileBytes(workspace.Program() / L"AppProfile.ini");
    EXPECT_NE(profile.find("CUR_LANGUAGE=2"), std::string::npos);

    program->Command(frame, kBuiltInLanguage);
    EXPECT_TRUE(WaitUntil([&] {
        tree = FindVisibleChildById(frame, kPageTree);
        return tree && TreeHolds(tree, builtIn);
    }, kBoxTimeoutMs));
    const std::wstring builtInIdle = ProgramString(workspace.Program(), kIdleText);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(status) == builtInIdle; }, kBoxTimeoutMs));
}

} // namespace
} // namespace e2e
