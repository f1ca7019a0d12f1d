// The program's message box and the MIDI output chooser, ended by answers that
// a second thread gives the way a user would (find the dialog, click).
#include <gtest/gtest.h>


#include "core/files/TextHelpers.h"
#include "res/resource.h"
#include "tests/widgets/WidgetTestSupport.h"
#include "widgets/MessageBox.h"
#include "widgets/MidiDevDlg.h"

namespace {

using keyloft_test::ClickButton;
using keyloft_test::DialogItemText;
using widgets_test::CDialogAnswerer;

struct Seen {
    CString text;
    bool cancelVisible = true;
    bool iconSet = false;
    HWND okOwner = nullptr;
};

class MessageBoxTest : public ::testing::Test {
protected:
    CString m_caption = LoadResString(AFX_IDS_APP_TITLE);
};

TEST_F(MessageBoxTest, OkOnlyBoxShowsTheStringAndItsIconAndReturnsOk)
{
    Seen seen;
    CDialogAnswerer answerer(m_caption, [&seen](HWND dialog) {
        seen.text = DialogItemText(dialog, IDC_MSGBOX_TEXT);
        seen.cancelVisible = ::IsWindowVisible(::GetDlgItem(dialog, IDCANCEL)) != FALSE;
        seen.iconSet = ::SendDlgItemMessageW(dialog, IDC_MSGBOX_ICON, STM_GETICON, 0, 0) != 0;
        ClickButton(dialog, IDOK);
    });
    CMessageBox box(CMessageBox::kModeOk, static_cast<UINT>(IDS_NOT_CONNECTED), -1, CMessageBox::kNoSound);
    EXPECT_EQ(IDOK, box.DoModal());
    answerer.Stop();
    ASSERT_TRUE(answerer.Found());
    EXPECT_EQ(LoadResString(IDS_NOT_CONNECTED), seen.text);
    EXPECT_FALSE(seen.cancelVisible);
    EXPECT_TRUE(seen.iconSet) << "icon -1 stands for the program icon 128";
}

TEST_F(MessageBoxTest, OkCancelBoxReturnsCancelWhenCancelled)
{
    Seen seen;
    CDialogAnswerer answerer(m_caption, [&seen](HWND dialog) {
        seen.cancelVisible = ::IsWindowVisible(::GetDlgItem(dialog, IDCANCEL)) != FALSE;
        ClickButton(dialog, IDCANCEL);
    });
    CMessageBox box(2, L"Delete every file?", -1);
    EXPECT_EQ(IDCANCEL, box.DoModal());
    answerer.Stop();
    ASSERT_TRUE(answerer.Found());
    EXPECT_TRUE(seen.cancelVisible);
}

TEST_F(MessageBoxTest, ClosingAcknowledgesAnOkOnlyBoxAndCancelsAnOkCancelBox)
{
    for (const int mode : {CMessageBox::kModeOk, 0}) {
        CDialogAnswerer answerer(m_caption, [](HWND dialog) { ::PostMessageW(dialog, WM_CLOSE, 0, 0); });
        CMessageBox box(mode, L"Overwrite?", -1);
        EXPECT_EQ(mode == CMessageBox::kModeOk ? IDOK : IDCANCEL, box.DoModal()) << "mode " << mode;
        answerer.Stop();
        EXPECT_TRUE(answerer.Found());
    }
}

TEST_F(MessageBoxTest, SoundDoesNotBlockOrFailWithoutAnAudioDevice)
{
    CDialogAnswerer answerer(m_caption, [](HWND dialog) { ClickButton(dialog, IDOK); });
    CMessageBox box(2, static_cast<UINT>(IDS_NOT_CONNECTED), -1, 0);
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(IDOK, box.DoModal());
    answerer.Stop();
    EXPECT_LT(::GetTickCount() - start, 5000u);
    EXPECT_FALSE(CMessageBox::GetSoundPath(0).IsEmpty());
    EXPECT_TRUE(CMessageBox::GetSoundPath(-1).IsEmpty());
}

TEST_F(MessageBoxTest, LongTextGrowsTheBoxSoTheButtonsStayBelowIt)
{
    CString text;
    for (int i = 0; i < 12; ++i) {
        text += L"A rather long line of the message that needs wrapping. ";
    }
    RECT textRect{};
    RECT okRect{};
    CDialogAnswerer answerer(m_caption, [&](HWND dialog) {
        ::GetWindowRect(::GetDlgItem(dialog, IDC_MSGBOX_TEXT), &textRect);
        ::GetWindowRect(::GetDlgItem(dialog, IDOK), &okRect);
        ClickButton(dialog, IDOK);
    });
    CMessageBox box(CMessageBox::kModeOk, text, -1);
    EXPECT_EQ(IDOK, box.DoModal());
    answerer.Stop();
    EXPECT_GT(textRect.bottom - textRect.top, 80);
    EXPECT_GE(okRect.top, textRect.bottom);
}

// A chooser offering fixed outputs instead of the system's.
class CFakeMidiDevDlg : public CMidiDevDlg {
public:
    CFakeMidiDevDlg(UINT current, OutputList outputs) : CMidiDevDlg(current), m_outputs(std::move(outputs)) {}

protected:
    OutputList ListOutputs() const override { return m_outputs; }

private:
    OutputList m_outputs;
};

struct ChooserSeen {
    int count = -1;
    int selection = -1;
    CString first;
    bool okEnabled = true;
};

// Runs the chooser on `outputs` opened at `current`; the answer picks row
// `choose` (none when negative) and clicks `button`.
ChooserSeen RunChooser(UINT current, CMidiDevDlg::OutputList outputs, int choose, int button, int expectedResult,
                       UINT expectedId)
{
    ChooserSeen seen;
    CDialogAnswerer answerer(L"MIDI 输出设备", [&](HWND dialog) { // the built-in template's caption
        HWND list = ::GetDlgItem(dialog, IDC_MIDIDEV_LIST);
        seen.count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
        seen.selection = static_cast<int>(::SendMessageW(list, LB_GETCURSEL, 0, 0));
        wchar_t first[64] = {};
        ::SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
        seen.first = first;
        seen.okEnabled = ::IsWindowEnabled(::GetDlgItem(dialog, IDOK)) != FALSE;
        if (choose >= 0)
            ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(choose), 0);
        ClickButton(dialog, button);
    });
    CFakeMidiDevDlg chooser(current, std::move(outputs));
    EXPECT_EQ(expectedResult, chooser.DoModal());
    answerer.Stop();
    EXPECT_TRUE(answerer.Found());
    EXPECT_EQ(expectedId, chooser.GetDeviceId());
    return seen;
}

const CMidiDevDlg::OutputList kThreeOutputs = {{0, L"Out A"}, {3, L"Out B"}, {7, L"Out C"}};

TEST(MidiDevDlgTest, OpensOnTheCurrentOutputAndReturnsTheChosenOne)
{
    const ChooserSeen seen = RunChooser(3, kThreeOutputs, 2, IDOK, IDOK, 7);
    EXPECT_EQ(3, seen.count);
    EXPECT_EQ(1, seen.selection) << "output 3 is the second entry";
    EXPECT_EQ(CString(L"Out A"), seen.first);
}

TEST(MidiDevDlgTest, CancelKeepsTheCurrentOutput)
{
    EXPECT_EQ(2, RunChooser(7, kThreeOutputs, 0, IDCANCEL, IDCANCEL, 7).selection);
}

TEST(MidiDevDlgTest, UnknownCurrentOutputSelectsTheFirstAndNoOutputsDisableOk)
{
    // MIDI_MAPPER is not in the list.
    EXPECT_EQ(0, RunChooser(static_cast<UINT>(-1), kThreeOutputs, -1, IDOK, IDOK, 0).selection);
    const ChooserSeen none = RunChooser(5, {}, -1, IDCANCEL, IDCANCEL, 5);
    EXPECT_EQ(0, none.count);
    EXPECT_FALSE(none.okEnabled);
}

} // namespace
