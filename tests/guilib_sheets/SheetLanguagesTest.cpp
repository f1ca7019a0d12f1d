// The customisation sheet and the button appearance dialog in each of the
// library's languages: every page made from the language's own template and
// texts, and no label, button, check box or group title cut off by its
// control. The screenshots ("customize-<page>-<language>.bmp") stay in the
// build tree for a look.
#include <gtest/gtest.h>

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/core/KGPToolBarImages.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPMenuHash.h"
#include "guilib/menus/KGPMouseManager.h"
#include "guilib/menus/KGPUserToolsManager.h"
#include "guilib/sheets/KGPButtonAppearanceDlg.h"
#include "guilib/sheets/KGPCustomizePage.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "tests/guilib_menus/MenusTestIds.h"
#include "tests/guilib_menus/MenusTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <string>

namespace {

struct Language {
    LANGID id;
    const wchar_t* suffix;
    const wchar_t* commandsCaption;
    const wchar_t* closeText;
    const wchar_t* helpText;
    const wchar_t* optionsText;
};

const Language kLanguages[] = {
    {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), L"en", L"Commands", L"Close", L"Help", L"Options"},
    {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), L"zh", L"\u547D\u4EE4", L"\u5173\u95ED", L"\u5E2E\u52A9",
     L"\u9009\u9879"},
};

CString TextOf(HWND window)
{
    CString text;
    const int length = ::GetWindowTextLengthW(window);
    ::GetWindowTextW(window, text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer();
    return text;
}

std::string Utf8(const CString& text)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

CString ClassOf(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

// The room a control's text needs in its font: the text (prefix characters
// read as the control reads them), wrapped to the control's width for a
// static, on one line for a button.
CSize TextNeeds(HWND control, const CString& text, int wrapWidth)
{
    CWindowDCHandle dc(control);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    const CSelectionScope chosen(dc.Get(), font != nullptr ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    CRect needed(0, 0, wrapWidth > 0 ? wrapWidth : 0, 0);
    const UINT format = DT_CALCRECT | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    ::DrawTextW(dc.Get(), text, text.GetLength(), &needed, format);
    return needed.Size();
}

// Every text of a dialog's children fits the control that shows it.
void ExpectTextsFit(HWND dialog, const CString& where)
{
    const int checkRoom = ::GetSystemMetrics(SM_CXMENUCHECK) + 4;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const CString text = TextOf(child);
        if (text.IsEmpty())
            continue;
        CRect client;
        ::GetClientRect(child, &client);
        const LONG style = ::GetWindowLongW(child, GWL_STYLE);
        const CString kind = ClassOf(child);
        const std::string shown = Utf8(text);
        const std::string place = Utf8(where);
        if (kind.CompareNoCase(L"Static") == 0) {
            if ((style & SS_TYPEMASK) > SS_RIGHT)
                continue;  // icons, frames and the like
            const CSize needs = TextNeeds(child, text, client.Width());
            EXPECT_LE(needs.cy, client.Height()) << place << ": label \"" << shown
                                                 << "\" wraps past its height";
            EXPECT_LE(needs.cx, client.Width()) << place << ": label \"" << shown
                                                << "\" has a word wider than it";
        } else if (kind.CompareNoCase(L"Button") == 0) {
            const LONG type = style & BS_TYPEMASK;
            if (type == BS_OWNERDRAW)
                continue;
            const CSize needs = TextNeeds(child, text, 0);
            int room = client.Width();
            if (type == BS_GROUPBOX)
                room -= 16;
            else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
                room -= 8;
            else
                room -= checkRoom;
            EXPECT_LE(needs.cx, room) << place << ": \"" << shown
                                      << "\" is cut off (needs " << needs.cx << ", has " << room << ")";
            if (type != BS_GROUPBOX) {
                EXPECT_LE(needs.cy, client.Height()) << place << ": \"" << shown
                                                     << "\" is taller than its control";
            }
        }
    }
}

// Every control of a page lies inside the page, and the page inside the
// sheet's client area: nothing is cut off by its container.
void ExpectWhollyShown(HWND page, HWND sheet, const CString& where)
{
    const std::string place = Utf8(where);
    CRect sheetArea;
    ::GetClientRect(sheet, &sheetArea);
    ::MapWindowPoints(sheet, nullptr, reinterpret_cast<POINT*>(&sheetArea), 2);
    CRect pageArea;
    ::GetWindowRect(page, &pageArea);
    EXPECT_EQ(sheetArea, sheetArea | pageArea) << place << ": the page reaches past the sheet";
    ::GetClientRect(page, &pageArea);
    ::MapWindowPoints(page, nullptr, reinterpret_cast<POINT*>(&pageArea), 2);
    for (HWND child = ::GetWindow(page, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CRect control;
        ::GetWindowRect(child, &control);
        EXPECT_EQ(pageArea, pageArea | control) << place << ": control " << ::GetDlgCtrlID(child)
                                                << " (\"" << Utf8(TextOf(child)) << "\") reaches past the page";
    }
}

class SheetLanguagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = KGPGetResourceLanguage();
        ASSERT_TRUE(mouse.AddView(1, L"Editor"));
    }
    void TearDown() override
    {
        KGPSetResourceLanguage(m_previous);
        g_menuHash.CleanUp();
    }

    // A frame with a menu bar, a toolbar and shortcuts, so that the sheet has all its pages.
    void OpenFrame(menus_test::CCommandFrame& frame, CKGPMenuBar& menuBar, CKGPToolBar& bar)
    {
        ASSERT_TRUE(frame.OpenWithMenu(IDR_TEST_MENU));
        frame.GetFrameImpl().m_nIDDefaultResource = IDR_TEST_MENU;
        frame.m_hAccelTable = ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TEST_ACCEL));
        ASSERT_TRUE(menuBar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE830));
        bar.SetWindowText(L"Standard");
        bar.InsertButton(std::make_unique<CKGPToolbarButton>(ID_TEST_OPEN, -1, L"Open"));
    }

    CKGPMouseManager mouse;
    CKGPUserToolsManager tools{0x8FFF, 0x9000, 0x9001};

private:
    LANGID m_previous = 0;
};

TEST_F(SheetLanguagesTest, EveryPageShowsInEachLanguageWithNoTextCutOff)
{
    for (const Language& language : kLanguages) {
        KGPSetResourceLanguage(language.id);
        EXPECT_EQ(language.id, KGPGetResourceLanguage());
        menus_test::CCommandFrame frame;
        CKGPMenuBar menuBar;
        CKGPToolBar bar;
        OpenFrame(frame, menuBar, bar);
        if (HasFatalFailure())
            return;

        auto* sheet = new CKGPToolbarCustomize(&frame, TRUE);
        ASSERT_TRUE(sheet->Create());
        ASSERT_EQ(7, sheet->GetPageCount()) << "commands, toolbars, tools, keyboard, menu, mouse, options";
        EXPECT_EQ(CString(language.commandsCaption), sheet->GetCommandsPage()->GetCaption());
        EXPECT_EQ(CString(language.closeText), TextOf(::GetDlgItem(sheet->GetSafeHwnd(), IDCANCEL)));
        ASSERT_NE(nullptr, sheet->GetHelpButton());
        EXPECT_EQ(CString(language.helpText), sheet->GetHelpButton()->GetTooltip()) << "the image button's tip";
        ExpectWhollyShown(sheet->GetHelpButton()->GetSafeHwnd(), sheet->GetSafeHwnd(), L"help button");
        for (int i = 0; i < sheet->GetPageCount(); ++i) {
            ASSERT_TRUE(sheet->SetActivePage(i));
            keyloft_test::PumpPending();
            CPropertyPage* page = sheet->GetPage(i);
            ASSERT_NE(nullptr, page->GetSafeHwnd());
            // Hidden labels (the keyboard page's "assigned to") are measured too.
            CString where;
            where.Format(L"%s page %d", language.suffix, i);
            ExpectTextsFit(page->GetSafeHwnd(), where);
            ExpectWhollyShown(page->GetSafeHwnd(), sheet->GetSafeHwnd(), where);
            CString name;
            name.Format(L"customize-%d-%s.bmp", i, language.suffix);
            EXPECT_TRUE(keyloft_test::SaveScreenshot(sheet->GetSafeHwnd(), name));
        }
        sheet->DestroyWindow();

        CKGPToolbarButton button(ID_TEST_OPEN, -1, L"Open");
        CKGPToolBarImages userImages;  // with user images, all its buttons are enabled
        userImages.SetImageSize(CSize(16, 15));
        CButtonAppearanceDlg dialog(&button, nullptr, &frame, FALSE, FALSE, &userImages);
        ASSERT_TRUE(dialog.Create(IDD_KGP_BUTTON_APPEARANCE, &frame));
        dialog.ShowWindow(SW_SHOW);
        keyloft_test::PumpPending();
        ExpectTextsFit(dialog.GetSafeHwnd(), CString(language.suffix) + L" button appearance");
        EXPECT_TRUE(keyloft_test::SaveScreenshot(
            dialog.GetSafeHwnd(), CString(L"button-appearance-") + language.suffix + L".bmp"));
        dialog.DestroyWindow();

        // A toolbar's customise button without text takes the library's name for it.
        CCustomizeButton chevron;
        chevron.MeasureOnBar(nullptr, CSize(16, 22), TRUE);
        EXPECT_EQ(CString(language.optionsText), chevron.m_strCaption);

        ::DestroyAcceleratorTable(frame.m_hAccelTable);
        frame.m_hAccelTable = nullptr;
        bar.DestroyWindow();
        menuBar.DestroyWindow();
        frame.DestroyWindow();
        g_menuHash.CleanUp();
    }
}

TEST_F(SheetLanguagesTest, TheLibrarysStringsFollowTheLanguage)
{
    KGPSetResourceLanguage(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
    EXPECT_EQ(CString(L"\u6240\u6709\u547D\u4EE4"), KGPLoadLibraryString(IDS_KGP_ALL_COMMANDS, L"fallback"));
    CMenu menu;
    {
        CKGPLocalResource library;
        ASSERT_TRUE(menu.LoadMenu(IDR_KGP_TOOL_DIRECTORY));
    }
    CString item;
    menu.GetSubMenu(0)->GetMenuString(0, item, MF_BYPOSITION);
    EXPECT_EQ(CString(L"\u6587\u4EF6\u6240\u5728\u6587\u4EF6\u5939"), item);

    // A language the library does not carry shows English.
    KGPSetResourceLanguage(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    EXPECT_EQ(CString(L"All Commands"), KGPLoadLibraryString(IDS_KGP_ALL_COMMANDS, L"fallback"));
}

} // namespace
