// The style wizard as a user meets it: refusals that say what is wrong, with
// the program's refusal icon; names the user emptied stay empty when the same
// source is analysed again; side files that are not what they claim are refused
// and change nothing; a new source on step 3 counts as a change; and the
// section grid's texts fit their cells.
#include "editors/style/EditStyleDlg1.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>

#include "core/files/TextHelpers.h"
#include "res/resource.h"
#include "tests/editors/EditorsTestSupport.h"
#include "tests/support/DialogTesting.h"
#include "tests/support/MessagePump.h"
#include "widgets/WidgetLook.h"

namespace {

using editorstest::CHostFrame;
using keyloft_test::CDialogAnswerer;
using keyloft_test::DialogItemText;
using keyloft_test::Pump;

// What a box of the program showed, and whether its icon was the refusal icon.
struct SeenBox {
    bool shown = false;
    CString text;
    bool refusalIcon = false;
};

// The pixels of an icon drawn at the size message boxes use.
std::vector<DWORD> IconPixels(HICON icon)
{
    const int size = ::GetSystemMetrics(SM_CXICON);
    return editorstest::PixelsDrawnBy(size, size, [icon, size](HDC dc) {
        ::DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    });
}

class StyleWizardPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.CreateHost());
        m_page = CreateStyleEditorPage(&m_frame);
        ASSERT_TRUE(m_page);
        m_page->Attach(&m_host, nullptr);
        m_page->MoveWindow(0, 0, 1080, 720);
        m_page->ShowWindow(SW_SHOW);
        m_style = dynamic_cast<CEditStyleDlg1*>(m_page.get());
        ASSERT_NE(m_style, nullptr);
        Pump(200);
    }

    CPropSheet& Sheet() { return m_style->GetSheet(); }
    HWND Step1Item(int id) { return ::GetDlgItem(Sheet().GetSourcePage().GetSafeHwnd(), id); }

    // Types a path as the user types it and waits for its analysis.
    void TypeSource(const CString& path)
    {
        ::SetWindowTextW(Step1Item(IDC_SOURCE_PATH), path);
        Pump(600);
    }

    // Presses a button of the wizard; a box of the program that comes up is
    // read and closed with OK.
    SeenBox Press(int button)
    {
        SeenBox seen;
        CDialogAnswerer answerer(L"Keyloft", [&seen](HWND box) {
            seen.shown = true;
            seen.text = DialogItemText(box, IDC_MSGBOX_TEXT);
            const auto shownIcon =
                reinterpret_cast<HICON>(::SendDlgItemMessageW(box, IDC_MSGBOX_ICON, STM_GETICON, 0, 0));
            HICON refusal = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_FAILURE),
                                                            IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
                                                            ::GetSystemMetrics(SM_CXICON), 0));
            seen.refusalIcon = shownIcon != nullptr && IconPixels(shownIcon) == IconPixels(refusal);
            ::DestroyIcon(refusal);
            keyloft_test::ClickButton(box, IDOK);
        }, 4000);
        Sheet().SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                            reinterpret_cast<LPARAM>(::GetDlgItem(Sheet().GetSafeHwnd(), button)));
        answerer.Stop();
        Pump(200);
        return seen;
    }

    editorstest::CConnectedModel m_model;
    CHostFrame m_frame;
    editorstest::RecordingPageHost m_host;
    boost::shared_ptr<CBaseDlg> m_page;
    CEditStyleDlg1* m_style = nullptr;
};

TEST_F(StyleWizardPageTest, ARefusedSourceIsToldWhatIsWrongUnderTheRefusalIcon)
{
    const CString missing = m_model.File(L"partial.mid");
    ASSERT_TRUE(editorstest::WriteBytes(missing, editorstest::MarkedMidi({"INTRO A", "MAIN A"})));
    TypeSource(missing);
    SeenBox box = Press(IDC_WIZARD_NEXT);
    ASSERT_TRUE(box.shown);
    EXPECT_NE(box.text.Find(L"ENDING A"), -1) << "names the missing section: " << CStringA(box.text).GetString();
    EXPECT_EQ(box.text.Find(L"INTRO A"), -1);
    EXPECT_NE(box.text, LoadResString(IDS_UNKNOWN_FILE_FORMAT));
    EXPECT_TRUE(box.refusalIcon);

    const CString unmarked = m_model.File(L"unmarked.mid");
    ASSERT_TRUE(editorstest::WriteBytes(unmarked, editorstest::MarkedMidi({"Verse", "Chorus"})));
    TypeSource(unmarked);
    box = Press(IDC_WIZARD_NEXT);
    EXPECT_EQ(box.text, LoadResString(IDS_NO_SECTION_MARKERS));
    EXPECT_TRUE(box.refusalIcon);

    const CString text = m_model.File(L"notes.mid");
    ASSERT_TRUE(editorstest::WriteBytes(text, "These are notes, not MIDI."));
    TypeSource(text);
    box = Press(IDC_WIZARD_NEXT);
    EXPECT_EQ(box.text, LoadResString(IDS_NOT_A_MIDI_FILE));
    EXPECT_TRUE(::IsWindowVisible(Step1Item(IDC_SOURCE_PATH))) << "still on the first step";
}

TEST_F(StyleWizardPageTest, NamesTheUserEmptiedStayEmptyWhenTheSameSourceIsAnalysedAgain)
{
    const CString source = m_model.File(L"groove.mid");
    ASSERT_TRUE(editorstest::WriteBytes(source, editorstest::MarkedMidi({"INTRO A", "MAIN A", "ENDING A"})));
    TypeSource(source);
    const auto nameOf = [this](int id) {
        wchar_t text[64] = {};
        ::GetWindowTextW(Step1Item(id), text, 64);
        return CString(text);
    };
    ASSERT_EQ(nameOf(IDC_SOURCE_FULL_NAME), L"groove");
    ::SetWindowTextW(Step1Item(IDC_SOURCE_FULL_NAME), L"");
    ::SetWindowTextW(Step1Item(IDC_SOURCE_SHORT_NAME), L"Mine");

    // Ctrl+A in the path, and the same path set again: analysed anew, the
    // names stay as the user left them.
    ::SetForegroundWindow(m_frame.GetSafeHwnd());
    ::SetFocus(Step1Item(IDC_SOURCE_PATH));
    editorstest::TypeKeys({'A'}, VK_CONTROL);
    TypeSource(source);
    EXPECT_EQ(nameOf(IDC_SOURCE_FULL_NAME), L"");
    EXPECT_EQ(nameOf(IDC_SOURCE_SHORT_NAME), L"Mine");

    // Another source brings its own names where the user left them empty.
    const CString other = m_model.File(L"swing.mid");
    ASSERT_TRUE(editorstest::WriteBytes(other, editorstest::MarkedMidi({"INTRO A", "MAIN A", "ENDING A"})));
    TypeSource(other);
    EXPECT_EQ(nameOf(IDC_SOURCE_FULL_NAME), L"swing");
    EXPECT_EQ(nameOf(IDC_SOURCE_SHORT_NAME), L"Mine");
}

TEST_F(StyleWizardPageTest, ANewSourceOnStepThreeIsAChangeTheCloseQueryAsksAbout)
{
    const CString first = m_model.File(L"first.mid");
    const CString second = m_model.File(L"second.mid");
    for (const CString& path : {first, second})
        ASSERT_TRUE(editorstest::WriteBytes(path, editorstest::MarkedMidi({"INTRO A", "MAIN A", "ENDING A"})));
    TypeSource(first);
    EXPECT_FALSE(Press(IDC_WIZARD_NEXT).shown);
    EXPECT_FALSE(Press(IDC_WIZARD_NEXT).shown);
    ASSERT_TRUE(Sheet().GetOtsPage().IsWindowVisible());
    EXPECT_FALSE(Sheet().IsModified()) << "the first source and the voice list start the page afresh";

    EXPECT_FALSE(Press(IDC_WIZARD_BACK).shown);
    EXPECT_FALSE(Press(IDC_WIZARD_BACK).shown);
    TypeSource(second);
    EXPECT_FALSE(Press(IDC_WIZARD_NEXT).shown);
    EXPECT_FALSE(Press(IDC_WIZARD_NEXT).shown);
    ASSERT_TRUE(Sheet().GetOtsPage().IsWindowVisible());
    EXPECT_TRUE(Sheet().GetOtsPage().IsModified()) << "the new source's defaults replaced the settings";
    EXPECT_TRUE(Sheet().IsModified());
}

// A drop of one file on a page, as the shell gives it.
HDROP DropOf(const CString& path)
{
    const std::size_t chars = static_cast<std::size_t>(path.GetLength()) + 2;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    wmemcpy(reinterpret_cast<wchar_t*>(drop + 1), path.GetString(), static_cast<std::size_t>(path.GetLength()));
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(StyleWizardPageTest, SideFilesThatAreNotWhatTheyClaimAreRefusedAndChangeNothing)
{
    Sheet().SetActivePage(&Sheet().GetSectionsPage());
    const auto before = Sheet().GetSectionsPage().GetSettings();
    std::string text;
    while (text.size() < 896)
        text += "Section settings, as a text file of the right size. ";
    text.resize(896);
    const CString sci = m_model.File(L"settings.sci");
    ASSERT_TRUE(editorstest::WriteBytes(sci, text));

    SeenBox seen;
    {
        CDialogAnswerer answerer(L"Keyloft", [&seen](HWND box) {
            seen.shown = true;
            seen.text = DialogItemText(box, IDC_MSGBOX_TEXT);
            keyloft_test::ClickButton(box, IDOK);
        }, 4000);
        Sheet().GetSectionsPage().SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(sci)));
    }
    ASSERT_TRUE(seen.shown) << "a refused file is told, not taken silently";
    EXPECT_NE(seen.text.Find(L"settings.sci"), -1);
    EXPECT_NE(seen.text.Find(L"INTRO A"), -1) << "where: " << CStringA(seen.text).GetString();
    EXPECT_TRUE(Sheet().GetSectionsPage().GetSettings() == before);
    EXPECT_FALSE(Sheet().GetSectionsPage().IsModified());

    Sheet().SetActivePage(&Sheet().GetOtsPage());
    const auto ots = Sheet().GetOtsPage().BuildOtsBlock();
    const CString otsFile = m_model.File(L"settings.ots");
    ASSERT_TRUE(editorstest::WriteBytes(otsFile, std::string(72, 'x')));
    seen = SeenBox{};
    {
        CDialogAnswerer answerer(L"Keyloft", [&seen](HWND box) {
            seen.shown = true;
            seen.text = DialogItemText(box, IDC_MSGBOX_TEXT);
            keyloft_test::ClickButton(box, IDOK);
        }, 4000);
        Sheet().GetOtsPage().SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(otsFile)));
    }
    ASSERT_TRUE(seen.shown);
    EXPECT_NE(seen.text.Find(L"settings.ots"), -1);
    EXPECT_TRUE(Sheet().GetOtsPage().BuildOtsBlock() == ots);
}

TEST_F(StyleWizardPageTest, EverySectionGridTextFitsInsideItsCell)
{
    Sheet().SetActivePage(&Sheet().GetSectionsPage());
    HWND grid = Sheet().GetSectionsPage().GetSafeHwnd();
    HDC dc = ::GetDC(grid);
    // The cells draw with their own font (the page's).
    const auto cellFont = reinterpret_cast<HFONT>(
        ::SendMessageW(::GetDlgItem(grid, IDC_CELLS_CHORD_CHANGE), WM_GETFONT, 0, 0));
    HGDIOBJ old = ::SelectObject(dc, cellFont != nullptr ? cellFont : widgets::GetTextFont());
    const auto widthOf = [dc](const wchar_t* text) {
        SIZE size{};
        ::GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
        return static_cast<int>(size.cx);
    };
    struct Row {
        int firstCell;
        std::vector<const wchar_t*> texts;
    };
    const Row rows[] = {{IDC_CELLS_CHORD_MUTE, {L"All", L"Major", L"Minor"}},
                        {IDC_CELLS_CHORD_CHANGE, {L"Bypass", L"Chord", L"Bass", L"Melody"}},
                        {IDC_CELLS_ROOT_CHANGE, {L"Change", L"Fixed"}},
                        {IDC_CELLS_PLAY_CHANNEL, {L"CH 16"}},
                        {IDC_CELLS_NOTE_MIN, {L"G 10", L"C# 10"}}};
    constexpr int kFrameAndMargin = 3;  // the frame's pixel and two of air, each side
    for (const Row& row : rows) {
        for (int channel = 8; channel < 16; ++channel) {
            RECT cell{};
            ::GetClientRect(::GetDlgItem(grid, row.firstCell + channel), &cell);
            for (const wchar_t* text : row.texts)
                EXPECT_LE(widthOf(text) + 2 * kFrameAndMargin, cell.right - cell.left)
                    << CStringA(text).GetString() << " runs into the borders of its cell";
        }
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(grid, dc);
}

}  // namespace
