// The edit list's buttons, keys and in-place renaming, seen through its hooks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "guilib/controls/KGPEditListBox.h"
#include "tests/support/LibraryTestHost.h"
#include "tests/support/MessagePump.h"

namespace {

constexpr DWORD_PTR kKeep = 99;  // items with this data refuse removal

class CRecordingEditList : public CKGPEditListBox {
public:
    std::vector<std::string> m_calls;

protected:
    BOOL OnBeforeRemoveItem(int nIndex) override
    {
        Record("remove?", nIndex);
        return GetItemData(nIndex) != kKeep;
    }
    void OnAfterAddItem(int nIndex) override { Record("added", nIndex); }
    void OnAfterRenameItem(int nIndex) override { Record("renamed", nIndex); }
    void OnAfterMoveItemUp(int nIndex) override { Record("up", nIndex); }
    void OnAfterMoveItemDown(int nIndex) override { Record("down", nIndex); }
    void OnSelectionChanged() override { Record("selected", GetSelItem()); }

private:
    void Record(const char* what, int nIndex) { m_calls.push_back(std::string(what) + " " + std::to_string(nIndex)); }
};

class EditListBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(300, 240));
        ASSERT_TRUE(m_list.Create(L"Tools", WS_VISIBLE, CRect(10, 10, 290, 230), &m_host, 50));
        m_list.AddItem(L"alpha", 1);
        m_list.AddItem(L"beta", kKeep);
        m_list.AddItem(L"gamma", 3);
    }

    void Click(CKGPEditListBox::Button button) { m_list.GetButton(button).SendMessage(BM_CLICK); }

    void Key(HWND target, UINT key)
    {
        MSG msg{target, WM_KEYDOWN, key, 0, 0, {}};
        if (!m_list.PreTranslateMessage(&msg))
            ::SendMessageW(target, WM_KEYDOWN, key, 0);
    }

    // Types into the in-place edit and ends with the key.
    void Type(const wchar_t* text, UINT endKey)
    {
        const HWND edit = ::FindWindowExW(m_list.GetSafeHwnd(), nullptr, L"Edit", nullptr);
        ASSERT_TRUE(m_list.IsEditing());
        ASSERT_TRUE(::IsWindowVisible(edit));
        ::SetWindowTextW(edit, text);
        Key(edit, endKey);
    }

    std::vector<std::string> Take()
    {
        std::vector<std::string> calls;
        calls.swap(m_list.m_calls);
        return calls;
    }

    keyloft_test::CLibraryTestHost m_host;
    CRecordingEditList m_list;
};

TEST_F(EditListBoxTest, MovesAndRemovalsCarryTheDataAndAskTheHooks)
{
    m_list.SelectItem(2);
    Click(CKGPEditListBox::kMoveUp);
    EXPECT_EQ(m_list.GetItemText(1), CString(L"gamma"));
    EXPECT_EQ(m_list.GetItemData(1), 3u);
    EXPECT_EQ(m_list.GetSelItem(), 1);
    Click(CKGPEditListBox::kMoveUp);
    Click(CKGPEditListBox::kMoveDown);
    EXPECT_EQ(Take(), (std::vector<std::string>{"up 1", "up 0", "down 1"}));
    EXPECT_EQ(m_list.GetItemData(2), kKeep);

    m_list.SelectItem(2);
    Click(CKGPEditListBox::kDelete);  // refused by the hook
    EXPECT_EQ(m_list.GetCount(), 3);
    m_list.SelectItem(0);
    Key(m_list.GetListBox().GetSafeHwnd(), VK_DELETE);
    EXPECT_EQ(m_list.GetCount(), 2);
    EXPECT_EQ(m_list.GetItemText(0), CString(L"gamma"));
    EXPECT_EQ(Take(), (std::vector<std::string>{"remove? 2", "remove? 0", "selected 0"}));

    // A click in the list selects and tells the hook.
    CRect second;
    m_list.GetListBox().GetItemRect(1, second);
    m_list.GetListBox().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, keyloft_test::PointParam(5, second.top + 2));
    m_list.GetListBox().SendMessage(WM_LBUTTONUP, 0, keyloft_test::PointParam(5, second.top + 2));
    EXPECT_EQ(Take(), (std::vector<std::string>{"selected 1"}));
}

TEST_F(EditListBoxTest, NewItemsAndRenamesAreEditedInPlace)
{
    Click(CKGPEditListBox::kNew);
    EXPECT_EQ(m_list.GetCount(), 4);
    Type(L"  delta ", VK_RETURN);
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_EQ(m_list.GetItemText(3), CString(L"delta"));

    // Esc, or an empty name, drops a new item without a hook.
    Key(m_list.GetListBox().GetSafeHwnd(), VK_INSERT);
    Type(L"epsilon", VK_ESCAPE);
    Click(CKGPEditListBox::kNew);
    Type(L"", VK_RETURN);
    EXPECT_EQ(m_list.GetCount(), 4);

    m_list.SelectItem(0);
    Key(m_list.GetListBox().GetSafeHwnd(), VK_F2);
    Type(L"first", VK_RETURN);
    EXPECT_EQ(m_list.GetItemText(0), CString(L"first"));
    EXPECT_EQ(m_list.GetItemData(0), 1u);
    m_list.EditItem(1);
    Type(L"zeta", VK_ESCAPE);
    EXPECT_EQ(m_list.GetItemText(1), CString(L"beta"));
    EXPECT_EQ(Take(), (std::vector<std::string>{"added 3", "renamed 0"}));
}

} // namespace
