// The program's message boxes answered by a second thread the way a user
// would: the silenced-message box (remembered only after OK) and the
// section-copy dialog. The plain message box is tested in widgets.
#include <gtest/gtest.h>

#include <fstream>

#include "pages/CopyCasmDlg.h"
#include "pages/ProgramMessages.h"
#include "core/profile/AppProfile.h"
#include "core/profile/DevProfile.h"
#include "res/resource.h"
#include "tests/app_pages/PagesTestSupport.h"

namespace {

using pagestest::CDialogAnswerer;
using keyloft_test::ClickButton;
using keyloft_test::DialogItemText;

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

// Every message dialog of the program carries the program's name.
const wchar_t* const kCaption = L"Keyloft";

struct SeenBox {
    CString text;
    bool cancelVisible = false;
};

class CancelableDlgTest : public ::testing::Test {
protected:
    pagestest::CScopedProgramFolder m_folder;

    // Answers the next box: ticks the check box when asked, then clicks button.
    int AskAndAnswer(UINT message, BOOL showCancel, bool tick, int button, SeenBox* seen, bool* shown)
    {
        CDialogAnswerer answerer(kCaption, [=](HWND dialog) {
            if (seen != nullptr) {
                seen->text = DialogItemText(dialog, IDC_CANCELABLE_TEXT);
                seen->cancelVisible = ::IsWindowVisible(::GetDlgItem(dialog, IDCANCEL)) != FALSE;
            }
            if (tick) {
                ClickButton(dialog, IDC_CANCELABLE_DONT_SHOW);
            }
            ClickButton(dialog, button);
        }, 3000);
        const int result = CCancelableDlg::Ask(message, showCancel, 0);
        answerer.Stop();
        *shown = answerer.Found();
        return result;
    }
};

TEST_F(CancelableDlgTest, OkWithTheBoxTickedSilencesTheMessageForGood)
{
    SeenBox seen;
    bool shown = false;
    EXPECT_EQ(IDOK, AskAndAnswer(IDS_DOWNLOAD_DONE, FALSE, true, IDOK, &seen, &shown));
    ASSERT_TRUE(shown);
    EXPECT_EQ(LoadText(IDS_DOWNLOAD_DONE), seen.text);
    EXPECT_FALSE(seen.cancelVisible) << "Cancel is shown only when asked for";
    EXPECT_EQ(0, GetAppProfile().IsMsgDlgVisible(IDS_DOWNLOAD_DONE));

    // The next question answers OK without a window.
    EXPECT_EQ(IDOK, AskAndAnswer(IDS_DOWNLOAD_DONE, TRUE, false, IDCANCEL, nullptr, &shown));
    EXPECT_FALSE(shown);
}

TEST_F(CancelableDlgTest, CancelWithTheBoxTickedDoesNotSilenceTheQuestion)
{
    SeenBox seen;
    bool shown = false;
    EXPECT_EQ(IDCANCEL, AskAndAnswer(IDS_DEVICE_DISCONNECTED, TRUE, true, IDCANCEL, &seen, &shown));
    ASSERT_TRUE(shown);
    EXPECT_TRUE(seen.cancelVisible);
    EXPECT_EQ(1, GetAppProfile().IsMsgDlgVisible(IDS_DEVICE_DISCONNECTED))
        << "a silenced question answers OK by itself, which Cancel never chose";

    // Asked again, the box shows and Cancel is still an answer.
    EXPECT_EQ(IDCANCEL, AskAndAnswer(IDS_DEVICE_DISCONNECTED, TRUE, false, IDCANCEL, nullptr, &shown));
    EXPECT_TRUE(shown);
}

TEST_F(CancelableDlgTest, OkWithoutTheTickKeepsTheMessageVisibleAndRemembered)
{
    bool shown = false;
    GetAppProfile().SetMsgDlgVisible(IDS_UPLOAD_DONE, 0);
    // A message silenced earlier answers OK at once.
    EXPECT_EQ(IDOK, AskAndAnswer(IDS_UPLOAD_DONE, TRUE, false, IDCANCEL, nullptr, &shown));
    EXPECT_FALSE(shown);

    GetAppProfile().Reset();
    EXPECT_EQ(IDOK, AskAndAnswer(IDS_UPLOAD_DONE, FALSE, false, IDOK, nullptr, &shown));
    EXPECT_TRUE(shown);
    EXPECT_EQ(1, GetAppProfile().IsMsgDlgVisible(IDS_UPLOAD_DONE));

    // A message without a string shows an empty text.
    SeenBox seen;
    seen.text = L"not read";
    EXPECT_EQ(IDOK, AskAndAnswer(60999, FALSE, false, IDOK, &seen, &shown));
    ASSERT_TRUE(shown);
    EXPECT_TRUE(seen.text.IsEmpty());
}

class CopyCasmDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto profiles = m_folder.Path() / L"DevProfile";
        std::filesystem::create_directories(profiles);
        std::ofstream ini(profiles / L"TESTMODEL.ini");
        ini << "[STY_ESSENTIAL_SEC]\r\n1=INTRO A\r\n2=MAIN A\r\n3=ENDING A\r\n";
        ini.close();
        ASSERT_TRUE(SelectDevProfile(L"TESTMODEL"));
    }
    void TearDown() override { ClearDevProfile(); }

    pagestest::CScopedProgramFolder m_folder;
};

TEST_F(CopyCasmDlgTest, OffersTheEssentialSectionsButTheCurrentAndReturnsTheTicks)
{
    // The caption of dialog 186 in the built-in resources.
    const CString caption = L"复制当前段落参数到其它段落";
    std::vector<UINT> visible;
    CDialogAnswerer answerer(caption, [&visible](HWND dialog) {
        for (int i = 0; i < CCopyCasmDlg::kSectionCount; ++i) {
            const UINT id = CCopyCasmDlg::ControlOfSection(i);
            if (::IsWindowVisible(::GetDlgItem(dialog, static_cast<int>(id)))) {
                visible.push_back(id);
            }
        }
        ClickButton(dialog, IDC_COPY_ENDING_A);
        ClickButton(dialog, IDOK);
    });
    int checks[CCopyCasmDlg::kSectionCount] = {};
    CCopyCasmDlg dialog(3, checks);  // current: MAIN A
    EXPECT_EQ(IDOK, dialog.DoModal());
    answerer.Stop();
    ASSERT_TRUE(answerer.Found());
    EXPECT_EQ((std::vector<UINT>{IDC_COPY_INTRO_A, IDC_COPY_ENDING_A}), visible);
    dialog.GetChecks(checks);
    for (int i = 0; i < CCopyCasmDlg::kSectionCount; ++i) {
        EXPECT_EQ(i == 11 ? 1 : 0, checks[i]) << "section " << i;
    }
}

}  // namespace
