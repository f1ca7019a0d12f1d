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

#include <afxarch.h>

#include <algorithm>
#include <memory>

namespace {

using menus_test::BarTest;

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
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&bar));
    CString tip;
    EXPECT_TRUE(dropList->OnUpdateToolTip(&bar, 1, tips, tip));
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = bar.GetSafeHwnd();
    info.uId = ID_TEST_COMBO + 100;
    ASSERT_TRUE(tips.SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(dropList->m_rcButton, CRect(info.rect)) << "its tool covers the whole button";
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
