// Combo-box and edit-box buttons: their items and selection, their stored
// forms across the data versions, and twins on two bars kept in step.
#include <gtest/gtest.h>

#include "guilib/core/KGPWorkspace.h"
#include "guilib/toolbars/KGPComboEdit.h"
#include "guilib/toolbars/KGPToolbarComboBoxButton.h"
#include "guilib/toolbars/KGPToolbarEditBoxButton.h"
#include "guilib/toolbars/KGPToolbarEditCtrl.h"
#include "tests/guilib_menus/MenusTestIds.h"
#include "tests/guilib_menus/MenusTestSupport.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/RealInput.h"

#include <afxarch.h>

#include <algorithm>
#include <memory>

namespace {

using menus_test::BarTest;

// The text of the tooltip control's tool: a window's own (id 0) or the
// window's tool of that id.
CString ToolText(CToolTipCtrl& tips, HWND hWnd, UINT_PTR uId = 0)
{
    WCHAR text[256] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = hWnd;
    info.uId = uId != 0 ? uId : reinterpret_cast<UINT_PTR>(hWnd);
    info.uFlags = uId != 0 ? 0 : TTF_IDISHWND;
    info.lpszText = text;
    tips.SendMessage(TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
    return text;
}

class WorkspaceScope {
public:
    explicit WorkspaceScope(int major, int minor)
    {
        m_workspace.SetDataVersion(major, minor);
        SetWorkspace(&m_workspace);
    }
    ~WorkspaceScope() { SetWorkspace(nullptr); }

private:
    CKGPWorkspace m_workspace;
};

// Stores the button and one after it, reads both back.
template <class Button>
std::unique_ptr<Button> RoundTrip(const Button& button, CString& afterCaption)
{
    CKGPToolbarButton after(ID_TEST_ABOUT, 1, L"After");
    const std::vector<BYTE> bytes = keyloft_test::StoredBytes([&](CArchive& ar) { ar << &button << &after; });
    std::unique_ptr<Button> read;
    keyloft_test::LoadBytes(bytes, [&](CArchive& ar) {
        CObject* first = nullptr;
        CObject* second = nullptr;
        ar >> first >> second;
        std::unique_ptr<CObject> next(second);
        read.reset(static_cast<Button*>(first));
        afterCaption = static_cast<CKGPToolbarButton*>(second)->m_strCaption;
    });
    return read;
}

TEST(ComboButtonTest, ItemsAreAddedOnceAndSortedWhereCompareSays)
{
    CKGPToolbarComboBoxButton combo(ID_TEST_COMBO, -1, CBS_DROPDOWN, 0);
    EXPECT_EQ(150, combo.GetWidth()) << "width 0: the default";
    EXPECT_EQ(0x50200002u, combo.GetComboStyle()) << "the caller's combo bits of a child window";
    EXPECT_EQ(0, combo.AddItem(L"Medium", 2));
    EXPECT_EQ(L"Medium", combo.GetText()) << "the first item fills an empty text";
    EXPECT_EQ(1, combo.AddItem(L"Large", 3));
    EXPECT_EQ(1, combo.AddItem(L"medium", 9)) << "already there (ignoring case): the count less one";
    EXPECT_EQ(2, combo.GetCount());
    EXPECT_EQ(0, combo.AddSortedItem(L"Huge", 4));
    EXPECT_EQ(3, combo.AddSortedItem(L"Tiny", 1)) << "after every item";
    EXPECT_EQ(CString(L"Huge"), combo.GetItem(0));
    EXPECT_EQ(2u, combo.GetItemData(1));
    EXPECT_EQ(0u, combo.GetItemData(4));
    EXPECT_EQ(nullptr, combo.GetItem(-1));
    EXPECT_EQ(1, combo.FindItem(L"MEDIUM"));
    EXPECT_EQ(-1, combo.FindItem(L"Small"));
    EXPECT_EQ(-1, combo.Compare(L"B", L"a")) << "by code unit";
    EXPECT_EQ(0, combo.Compare(L"a", L"a"));

    EXPECT_FALSE(combo.SelectItem(4)) << "at the count";
    EXPECT_EQ(-1, combo.GetCurSel());
    EXPECT_TRUE(combo.SelectItem(2));
    EXPECT_EQ(2, combo.GetCurSel());
}

TEST(ComboButtonTest, StoredFormAcrossTheDataVersions)
{
    struct Version {
        int major, minor;
        bool menuId;
    };
    for (const Version& version : {Version{-1, -1, false}, Version{6, 40, false}, Version{6, 41, true},
                                   Version{7, 0, true}}) {
        std::unique_ptr<WorkspaceScope> workspace;
        if (version.major >= 0)
            workspace = std::make_unique<WorkspaceScope>(version.major, version.minor);
        CKGPToolbarComboBoxButton combo(ID_TEST_COMBO, -1, CBS_DROPDOWN, 120);
        combo.AddItem(L"One", 11);
        combo.AddItem(L"Two", 22);
        combo.SelectItem(1);
        combo.SetDropDownHeight(90);
        combo.SetContextMenuID(IDR_CONTEXT_MENU);
        CString after;
        const auto read = RoundTrip(combo, after);
        ASSERT_NE(nullptr, read);
        EXPECT_EQ(L"After", after) << "the button after it reads intact";
        EXPECT_EQ(120, read->GetWidth());
        EXPECT_EQ(combo.GetComboStyle(), read->GetComboStyle());
        EXPECT_EQ(2, read->GetCount());
        EXPECT_EQ(22u, read->GetItemData(1));
        EXPECT_EQ(1, read->GetCurSel());
        EXPECT_EQ(90, read->GetDropDownHeight());
        EXPECT_EQ(version.menuId ? UINT(IDR_CONTEXT_MENU) : 0u, read->GetContextMenuID())
            << version.major << "." << version.minor;
    }
}

TEST(EditButtonTest, EveryFieldWrittenIsReadAtEveryVersion)
{
    for (const auto& version : {std::pair<int, int>{-1, -1}, {6, 40}, {6, 72}, {7, 0}}) {
        std::unique_ptr<WorkspaceScope> workspace;
        if (version.first >= 0)
            workspace = std::make_unique<WorkspaceScope>(version.first, version.second);
        CKGPToolbarEditBoxButton edit(ID_TEST_EDIT, -1, ES_AUTOHSCROLL, 80);
        edit.SetContents(L"held");
        edit.SetContextMenuID(IDR_CONTEXT_MENU);
        edit.EnableCalculator();
        CString after;
        const auto read = RoundTrip(edit, after);
        ASSERT_NE(nullptr, read);
        EXPECT_EQ(L"After", after) << "nothing shifts the button after it (" << version.first << ")";
        EXPECT_EQ(80, read->GetWidth());
        EXPECT_EQ(L"held", read->GetContents()) << "a button without a window keeps its text";
        EXPECT_EQ(UINT(IDR_CONTEXT_MENU), read->GetContextMenuID());
        EXPECT_TRUE(read->IsCalculatorEnabled());
    }
}

TEST(ComboButtonTest, ADamagedStoredComboIsRefused)
{
    CKGPToolbarComboBoxButton combo(ID_TEST_COMBO, -1, CBS_DROPDOWNLIST, 0);
    combo.AddItem(L"One");
    combo.SelectItem(0);
    const std::vector<BYTE> bytes = keyloft_test::StoredBytes([&](CArchive& ar) { ar << &combo; });
    // The combo's own fields start with its width (150) and style; the
    // selection follows. Point it past the one item.
    const std::vector<BYTE> widthAndStyle = {150, 0, 0, 0, 0x03, 0x00, 0x20, 0x50};
    std::vector<BYTE> damaged = bytes;
    const auto at = std::search(damaged.begin(), damaged.end(), widthAndStyle.begin(), widthAndStyle.end());
    ASSERT_NE(damaged.end(), at);
    *(at + 8) = 1;
    bool refused = false;
    try {
        keyloft_test::LoadBytes(damaged, [](CArchive& ar) {
            CObject* object = nullptr;
            ar >> object;
            delete object;
        });
    } catch (CException* e) {
        e->Delete();
        refused = true;
    }
    EXPECT_TRUE(refused) << "a selection at the count";
}

TEST_F(BarTest, ComboItemsReachTheWindowAndSelectionsEmptyTheTextWhenNone)
{
    CKGPToolbarComboBoxButton source(ID_TEST_COMBO, -1, CBS_DROPDOWN, 0);
    source.AddItem(L"Red", 1);
    source.AddItem(L"Green", 2);
    bar.InsertButtonCopy(source);
    bar.AdjustLayout();
    auto* combo = static_cast<CKGPToolbarComboBoxButton*>(bar.GetButton(0));
    ASSERT_NE(nullptr, combo->GetComboBox());
    EXPECT_EQ(2, combo->GetComboBox()->GetCount());
    EXPECT_FALSE(combo->GetComboBox()->IsWindowVisible()) << "the flat look paints the combo";
    ASSERT_NE(nullptr, combo->GetEditCtrl()) << "an editable combo has an edit over it";
    EXPECT_TRUE(combo->GetEditCtrl()->IsWindowVisible());
    EXPECT_TRUE(combo->OwnsWindow(combo->GetEditCtrl()->GetSafeHwnd()));

    EXPECT_TRUE(combo->SelectItem(1, FALSE));
    EXPECT_EQ(L"Green", combo->GetText());
    CString shown;
    combo->GetEditCtrl()->GetWindowText(shown);
    EXPECT_EQ(L"Green", shown);
    EXPECT_TRUE(combo->SelectItem(-5, FALSE));
    EXPECT_EQ(-1, combo->GetCurSel());
    EXPECT_TRUE(combo->GetText().IsEmpty());
    EXPECT_FALSE(combo->SelectItem(2, FALSE));
    EXPECT_EQ(-1, combo->GetCurSel()) << "a failed selection changes nothing";

    const CRect drop = combo->GetDropButtonRect();
    EXPECT_LT(combo->GetComboRect().left, drop.left);
    EXPECT_EQ(combo->GetComboRect().right - 2, drop.right);

    CKGPToolbarComboBoxButton list(ID_TEST_COMBO + 100, -1, CBS_DROPDOWNLIST, 0);
    bar.InsertButtonCopy(list);
    bar.AdjustLayout();
    auto* dropList = static_cast<CKGPToolbarComboBoxButton*>(bar.GetButton(1));
    EXPECT_EQ(nullptr, dropList->GetEditCtrl()) << "a drop-down list has no edit";
    // The bar's own tooltip control holds the tools the buttons registered themselves.
    CToolTipCtrl* tips = bar.GetToolTipCtrl();
    ASSERT_NE(nullptr, tips);
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = bar.GetSafeHwnd();
    info.uId = ID_TEST_COMBO + 100;
    ASSERT_TRUE(tips->SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(dropList->m_rcButton, CRect(info.rect)) << "its tool covers the whole button";
    info.uId = 2;  // the bar's own tool of that button (index + 1) is not there too
    EXPECT_FALSE(tips->SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(CString(L"Size\nChoose a size"), ToolText(*tips, combo->GetEditCtrl()->GetSafeHwnd()))
        << "the editable combo's tool is its edit, with its command's description";
}

TEST_F(BarTest, AnEditButtonsTipShowsOverItsEditAndMovesWithIt)
{
    bar.InsertButtonCopy(CKGPToolbarButton(ID_TEST_PRINT, -1, L"Print"));
    bar.InsertButtonCopy(CKGPToolbarEditBoxButton(ID_TEST_EDIT, -1));
    bar.AdjustLayout();
    auto* edit = static_cast<CKGPToolbarEditBoxButton*>(bar.GetButton(1));
    ASSERT_NE(nullptr, edit->GetEditBox());
    CToolTipCtrl* tips = bar.GetToolTipCtrl();
    ASSERT_NE(nullptr, tips);
    const HWND field = edit->GetEditBox()->GetSafeHwnd();
    EXPECT_EQ(CString(L"Name\nType a name"), ToolText(*tips, field));
    EXPECT_EQ(CString(L"Print\nPrints the document"), ToolText(*tips, bar.GetSafeHwnd(), 1))
        << "a plain button's tool: the text the bar gives, then the description";

    // A button put before it moves it: its tool stays on its edit, once.
    bar.InsertButtonCopy(CKGPToolbarButton(ID_TEST_OPEN, -1, L"Open"), 0);
    bar.AdjustLayout();
    EXPECT_EQ(CString(L"Name\nType a name"), ToolText(*tips, field));
    EXPECT_EQ(3, static_cast<int>(tips->SendMessage(TTM_GETTOOLCOUNT))) << "one tool a button";

    // The pointer resting over the edit shows that text.
    frame.SetForegroundWindow();
    CRect rect;
    ::GetWindowRect(field, rect);
    keyloft_test::MouseMoveTo(rect.CenterPoint() - CSize(0, 1));
    keyloft_test::PumpTranslated(30);
    keyloft_test::MouseMoveTo(rect.CenterPoint());
    EXPECT_TRUE(keyloft_test::PumpUntil([tips] { return tips->IsWindowVisible() != FALSE; }, 4000))
        << "the tip shows over the edit";
    TTTOOLINFOW current{};
    current.cbSize = sizeof(current);
    EXPECT_TRUE(tips->SendMessage(TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&current)));
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(field), current.uId);
    keyloft_test::MouseMoveTo(CPoint(0, 0));
}

TEST_F(BarTest, TwinsOnTwoBarsShowWhatIsTypedIntoEither)
{
    CKGPToolBar second;
    ASSERT_TRUE(second.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE833));
    CKGPToolbarComboBoxButton combo(ID_TEST_COMBO, -1, CBS_DROPDOWN, 0);
    combo.AddItem(L"Alpha");
    combo.AddItem(L"Beta");
    CKGPToolbarEditBoxButton edit(ID_TEST_EDIT, -1);
    for (CKGPToolBar* target : {&bar, &second}) {
        target->InsertButtonCopy(combo);
        target->InsertButtonCopy(edit);
        target->AdjustLayout();
    }
    auto* combo1 = static_cast<CKGPToolbarComboBoxButton*>(bar.GetButton(0));
    auto* combo2 = static_cast<CKGPToolbarComboBoxButton*>(second.GetButton(0));
    auto* edit1 = static_cast<CKGPToolbarEditBoxButton*>(bar.GetButton(1));
    auto* edit2 = static_cast<CKGPToolbarEditBoxButton*>(second.GetButton(1));

    combo1->GetEditCtrl()->SetWindowText(L"Be");  // as typed: the edit's change reaches its button
    EXPECT_EQ(L"Be", combo1->GetText());
    EXPECT_EQ(L"Be", combo2->GetText());
    CString shown;
    combo2->GetEditCtrl()->GetWindowText(shown);
    EXPECT_EQ(L"Be", shown);
    EXPECT_EQ(1, combo1->GetComboBox()->GetCurSel()) << "the typed prefix finds its item";

    combo2->GetComboBox()->SetCurSel(0);
    EXPECT_TRUE(combo2->NotifyCommand(CBN_SELENDOK));
    EXPECT_EQ(0, combo1->GetCurSel());
    EXPECT_EQ(L"Alpha", combo1->GetText());

    for (MSG msg; ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);)
        ::DispatchMessage(&msg);
    frame.commands.clear();
    // A button gone under the customise button hides its control, and shows it again.
    edit1->OnOverflowChanged(TRUE);
    EXPECT_FALSE(edit1->GetEditBox()->IsWindowVisible());
    EXPECT_TRUE(edit1->WantsBorder()) << "its button frame instead";
    edit1->OnOverflowChanged(FALSE);
    EXPECT_TRUE(edit1->GetEditBox()->IsWindowVisible());
    combo1->OnOverflowChanged(TRUE);
    EXPECT_FALSE(combo1->GetEditCtrl()->IsWindowVisible());
    combo1->OnOverflowChanged(FALSE);
    EXPECT_TRUE(combo1->GetEditCtrl()->IsWindowVisible());
    // As typed: the edit's update reaches its button through its bar.
    edit1->GetEditBox()->SetWindowText(L"typed");
    EXPECT_EQ(L"typed", edit1->GetContents());
    EXPECT_EQ(L"typed", edit2->GetContents());
    edit2->GetEditBox()->GetWindowText(shown);
    EXPECT_EQ(L"typed", shown);
    for (MSG msg; ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);)
        ::DispatchMessage(&msg);
    EXPECT_EQ(std::vector<UINT>{ID_TEST_EDIT}, frame.commands)
        << "the owner hears the typing once, not the twin's own update";
    second.DestroyWindow();
}

// The mouse over a combo's edit or an edit box makes its button hot; once the
// mouse has left, the button stays hot only while its control has the focus.
TEST_F(BarTest, AControlsButtonIsHotWhileTheMouseIsOverItOrItHoldsTheFocus)
{
    bar.InsertButtonCopy(CKGPToolbarComboBoxButton(ID_TEST_COMBO, -1, CBS_DROPDOWN, 0));
    bar.InsertButtonCopy(CKGPToolbarEditBoxButton(ID_TEST_EDIT, -1));
    bar.AdjustLayout();
    auto* combo = static_cast<CKGPToolbarComboBoxButton*>(bar.GetButton(0));
    auto* edit = static_cast<CKGPToolbarEditBoxButton*>(bar.GetButton(1));
    auto check = [this](CWnd* control, auto& button, const char* which) {
        SCOPED_TRACE(which);
        frame.SetFocus();
        ASSERT_FALSE(button.IsHot());
        control->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_TRUE(button.IsHot()) << "the mouse over the control";
        control->SendMessage(WM_MOUSELEAVE);
        EXPECT_FALSE(button.IsHot()) << "the mouse gone, the focus elsewhere";
        control->SetFocus();
        control->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        control->SendMessage(WM_MOUSELEAVE);
        EXPECT_TRUE(button.IsHot()) << "the mouse gone, the focus kept";
        frame.SetFocus();
        EXPECT_FALSE(button.IsHot()) << "the focus gone too";
    };
    check(combo->GetEditCtrl(), *combo, "combo");
    check(edit->GetEditBox(), *edit, "edit box");
}

} // namespace

// The keys a user presses in a toolbar's combo box and edit box, typed for real.
class OverlayKeysTest : public BarTest {
protected:
    void SetUp() override
    {
        BarTest::SetUp();
        CKGPToolbarComboBoxButton source(ID_TEST_COMBO, -1, CBS_DROPDOWN, 0);
        for (LPCTSTR size : {L"Small", L"Medium", L"Large"})
            source.AddItem(size);
        bar.InsertButtonCopy(source);
        bar.InsertButtonCopy(CKGPToolbarEditBoxButton(ID_TEST_EDIT, -1));
        bar.AdjustLayout();
        combo = static_cast<CKGPToolbarComboBoxButton*>(bar.GetButton(0));
        edit = static_cast<CKGPToolbarEditBoxButton*>(bar.GetButton(1));
        ASSERT_NE(nullptr, combo->GetEditCtrl());
        ASSERT_NE(nullptr, edit->GetEditBox());
        frame.SetForegroundWindow();
        keyloft_test::PumpTranslated(30);
        frame.commands.clear();
    }
    void Press(WORD key, WORD modifier = 0)
    {
        keyloft_test::PressKey(key, modifier);
        keyloft_test::PumpTranslated(60);
    }
    static void ClickInto(CWnd* control)
    {
        CRect rect;
        control->GetWindowRect(rect);
        keyloft_test::ClickAt(rect.CenterPoint());
        keyloft_test::PumpTranslated(60);
    }
    BOOL Dropped() const { return combo->GetComboBox()->GetDroppedState(); }

    CKGPToolbarComboBoxButton* combo = nullptr;
    CKGPToolbarEditBoxButton* edit = nullptr;
};

TEST_F(OverlayKeysTest, DownDropsTheListAndMovesInItEnterChoosesEscGivesTheFrameTheFocus)
{
    ClickInto(combo->GetEditCtrl());
    ASSERT_EQ(combo->GetEditCtrl()->GetSafeHwnd(), ::GetFocus()) << "a click puts the caret into the combo's edit";
    Press(VK_DOWN);
    EXPECT_TRUE(Dropped()) << "Down with the list closed drops it";
    const int first = combo->GetComboBox()->GetCurSel();
    Press(VK_DOWN);
    EXPECT_EQ(first + 1, combo->GetComboBox()->GetCurSel()) << "Down in the dropped list moves to the next item";
    Press(VK_UP);
    Press(VK_DOWN);
    Press(VK_DOWN);
    const int chosen = combo->GetComboBox()->GetCurSel();
    ASSERT_GE(chosen, 0);
    Press(VK_RETURN);
    EXPECT_FALSE(Dropped()) << "Enter in the list closes it";
    EXPECT_EQ(chosen, combo->GetCurSel());
    CString shown;
    combo->GetEditCtrl()->GetWindowText(shown);
    EXPECT_EQ(combo->GetItem(chosen), shown) << "the chosen item shows in the edit";

    // Typed text and Enter with the list closed: the command goes out with the text.
    combo->GetEditCtrl()->SetSel(0, -1);
    for (WORD key : {WORD('B'), WORD('I'), WORD('G')})
        Press(key);
    frame.commands.clear();
    Press(VK_RETURN);
    EXPECT_EQ(std::vector<UINT>{ID_TEST_COMBO}, frame.commands) << "Enter sends the combo's command";
    EXPECT_EQ(CString(L"big"), CString(combo->GetText()).MakeLower()) << "with what was typed as its text";

    Press(VK_UP);
    EXPECT_TRUE(Dropped()) << "Up drops the list too";
    Press(VK_ESCAPE);
    EXPECT_FALSE(Dropped()) << "Esc closes it";
    EXPECT_EQ(frame.GetSafeHwnd(), ::GetFocus()) << "and gives the focus to the frame";
}

TEST_F(OverlayKeysTest, TheEditBoxTakesTypingAndEscGivesTheFrameTheFocus)
{
    ClickInto(edit->GetEditBox());
    ASSERT_EQ(edit->GetEditBox()->GetSafeHwnd(), ::GetFocus());
    for (WORD key : {WORD('A'), WORD('B')})
        Press(key);
    EXPECT_EQ(CString(L"ab"), CString(edit->GetContents()).MakeLower());
    edit->GetEditBox()->SetSel(0, -1);
    Press(VK_DELETE, VK_CONTROL);
    EXPECT_TRUE(edit->GetContents().IsEmpty()) << "Ctrl+Delete clears the selection";
    Press('Z', VK_CONTROL);
    EXPECT_EQ(CString(L"ab"), CString(edit->GetContents()).MakeLower()) << "Ctrl+Z takes it back";
    Press(VK_ESCAPE);
    EXPECT_EQ(frame.GetSafeHwnd(), ::GetFocus()) << "Esc gives the focus to the frame";
    ClickInto(edit->GetEditBox());
    Press(VK_TAB);
    EXPECT_TRUE(keyloft_test::PumpUntil([this] { return edit->GetEditBox()->GetSafeHwnd() != ::GetFocus(); }, 2000))
        << "Tab moves on";
}
