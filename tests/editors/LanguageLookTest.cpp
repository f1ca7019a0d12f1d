// Every text of the style page and of the program's message box shows in each
// of the three languages: the owner-drawn buttons draw a glyph for each of their
// characters, never the empty boxes of a font that lacks them. The screenshots
// of each language stay in the build tree (tests/editors/screenshots) for a look.
#include "editors/style/EditStyleDlg1.h"

#include <gtest/gtest.h>

#include <string>

#include "pages/ProgramMessages.h"
#include "res/resource.h"
#include "tests/editors/EditorsTestSupport.h"
#include "tests/support/DialogTesting.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

namespace {

using editorstest::DrawsItsGlyphs;
using keyloft_test::Pump;

const wchar_t* const kLanguageNames[] = {L"simplified", L"traditional", L"english"};

std::wstring ShotPath(UINT language, const wchar_t* what)
{
    ::CreateDirectoryW(KEYLOFT_SCREENSHOT_FOLDER, nullptr);
    return std::wstring(KEYLOFT_SCREENSHOT_FOLDER) + L"/" + kLanguageNames[language] + L"-" + what + L".bmp";
}

// The buttons of a window with these ids that are shown, and whether each draws its text.
void ExpectButtonsDrawTheirText(HWND parent, std::initializer_list<int> ids, UINT language)
{
    for (int id : ids) {
        HWND button = ::GetDlgItem(parent, id);
        if (button == nullptr || !::IsWindowVisible(button))
            continue;
        wchar_t text[64] = {};
        ::InternalGetWindowText(button, text, 64);
        EXPECT_TRUE(DrawsItsGlyphs(button))
            << CStringA(kLanguageNames[language]).GetString() << ": button " << id << " shows empty boxes for "
            << CStringA(CStringW(text), CP_UTF8).GetString();
    }
}

TEST(LanguageLook, OwnerDrawnButtonsAndMessageBoxesDrawEveryLanguage)
{
    editorstest::CConnectedModel model;
    for (UINT language = 0; language < 3; ++language) {
        editorstest::CLanguageInForce inForce(language);
        ASSERT_TRUE(inForce.Loaded()) << "the language library of " << language;
        editorstest::CHostFrame frame;
        ASSERT_TRUE(frame.CreateHost());
        editorstest::RecordingPageHost host;
        boost::shared_ptr<CBaseDlg> page = CreateStyleEditorPage(&frame);
        ASSERT_TRUE(page);
        page->Attach(&host, nullptr);
        page->MoveWindow(0, 0, 1080, 720);
        page->ShowWindow(SW_SHOW);
        Pump(300);
        CPropSheet& sheet = static_cast<CEditStyleDlg1*>(page.get())->GetSheet();

        ExpectButtonsDrawTheirText(sheet.GetSafeHwnd(), {IDC_WIZARD_BACK, IDC_WIZARD_NEXT, IDC_WIZARD_FINISH}, language);
        ExpectButtonsDrawTheirText(sheet.GetSourcePage().GetSafeHwnd(), {IDC_SOURCE_BROWSE}, language);
        EXPECT_TRUE(keyloft_test::SaveScreenshot(frame.GetSafeHwnd(), ShotPath(language, L"step1").c_str()));

        sheet.SetActivePage(&sheet.GetSectionsPage());
        Pump(200);
        ExpectButtonsDrawTheirText(sheet.GetSectionsPage().GetSafeHwnd(),
                                   {IDC_SECTIONS_COPY, IDC_SECTIONS_LOAD, IDC_SECTIONS_SAVE, IDC_SECTIONS_RESET}, language);
        EXPECT_TRUE(keyloft_test::SaveScreenshot(frame.GetSafeHwnd(), ShotPath(language, L"step2").c_str()));

        // The program's own message box, with its OK and Cancel buttons.
        bool boxSeen = false;
        keyloft_test::CDialogAnswerer answerer(L"Keyloft", [&](HWND box) {
            boxSeen = true;
            ExpectButtonsDrawTheirText(box, {IDOK, IDCANCEL}, language);
            keyloft_test::SaveScreenshot(box, ShotPath(language, L"message-box").c_str());
            keyloft_test::ClickButton(box, IDCANCEL);
        }, 5000);
        EXPECT_EQ(ShowMessageBox(MSG_ICON_DEFAULT, IDS_ASK_RESET_PARAMETERS, MB_MODE_OKCANCEL), IDCANCEL);
        answerer.Stop();
        EXPECT_TRUE(boxSeen);
        page.reset();
    }
}

}  // namespace
