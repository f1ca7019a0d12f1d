// What the menus suites share: a frame that records the commands it gets, a
// bar in it, and a stand-in for the library's popup menus (a plain record of
// the popups the menu buttons open) registered as the menu buttons' link
// while it lives.
#pragma once

#include <gtest/gtest.h>

#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/toolbars/KGPMenuButtonLinks.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"

#include <afxarch.h>

#include <memory>
#include <vector>

namespace menus_test {

class CCommandFrame : public CKGPFrameWnd {
public:
    BOOL Open()
    {
        m_bAutoMenuEnable = FALSE;
        return Create(nullptr, _T("Menus"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 520, 340));
    }
    // Opened showing the menu resource as its own menu.
    BOOL OpenWithMenu(UINT nIDMenu)
    {
        CMenu menu;
        if (!Open() || !menu.LoadMenu(nIDMenu))
            return FALSE;
        return ::SetMenu(GetSafeHwnd(), menu.Detach());
    }
    std::vector<UINT> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return CKGPFrameWnd::OnCommand(wParam, lParam);
    }
    void PostNcDestroy() override {}
};

// A popup as the menu buttons see it: it records how it was opened and holds
// the items of the menu it was given.
class CRecordedPopup : public IKGPMenuPopup {
public:
    BOOL Create(CWnd* pWndParent, int x, int y, HMENU hMenu) override
    {
        parent = pWndParent;
        point = CPoint(x, y);
        if (hMenu != nullptr) {
            CKGPToolbarMenuButton holder;
            holder.CreateFromMenu(hMenu);
            ::DestroyMenu(hMenu);
            for (POSITION pos = holder.GetCommands().GetHeadPosition(); pos != nullptr;) {
                const auto* item = static_cast<const CKGPToolbarButton*>(holder.GetCommands().GetNext(pos));
                auto copy = std::make_unique<CKGPToolbarMenuButton>();
                copy->CopyButton(*item);
                items.push_back(std::move(copy));
            }
        }
        created = TRUE;
        return !failCreate;
    }
    BOOL HasItems() const override { return fillsItself; }
    void SetParentButton(CKGPToolbarMenuButton* pButton) override { parentButton = pButton; }
    void SetDropDirection(int nDirection) override { direction = nDirection; }
    BOOL IsRightAligned() const override { return rightAligned; }
    void SetMessageWnd(CWnd* pWnd) override { messageWnd = pWnd; }
    CWnd* GetMessageWnd() const override { return messageWnd; }
    BOOL IsInCommand() const override { return FALSE; }
    BOOL IsInModalLoop() const override { return modalLoop; }
    int GetItemCount() const override { return static_cast<int>(items.size()); }
    CKGPToolbarButton* GetItem(int nIndex) const override { return items[static_cast<size_t>(nIndex)].get(); }
    CWnd* GetParentWindow() const override { return parent; }
    CWnd* GetPopupWindow() const override { return window; }
    IKGPMenuPopup* GetParentPopup() const override { return nullptr; }
    void SaveItemsToParent() override { ++saves; }
    void CancelItems() override { ++cancels; }
    void CloseMenu(BOOL) override { closed = TRUE; }
    void ShowAllCommands() override { showAll = TRUE; }

    CWnd* parent = nullptr;
    CWnd* window = nullptr;
    CPoint point;
    int direction = 0;
    CKGPToolbarMenuButton* parentButton = nullptr;
    CWnd* messageWnd = nullptr;
    std::vector<std::unique_ptr<CKGPToolbarMenuButton>> items;
    BOOL created = FALSE;
    BOOL closed = FALSE;
    BOOL showAll = FALSE;
    BOOL failCreate = FALSE;
    BOOL fillsItself = FALSE;
    BOOL rightAligned = FALSE;
    BOOL modalLoop = FALSE;
    int saves = 0;
    int cancels = 0;
};

// The popup menus as a record: every popup made is kept (the test owns them),
// one bar may stand for a popup's bar and one for the menu bar.
class CRecordedMenuBars : public IKGPMenuBarsLink {
public:
    CRecordedMenuBars() : m_pBefore(CKGPLink<IKGPMenuBarsLink>::Get()) { CKGPLink<IKGPMenuBarsLink>::StandIn(this); }
    ~CRecordedMenuBars() { CKGPLink<IKGPMenuBarsLink>::StandIn(m_pBefore); }

    IKGPMenuPopup* CreatePopupMenu() override
    {
        popups.push_back(std::make_unique<CRecordedPopup>());
        popups.back()->failCreate = failCreate;
        popups.back()->window = popupWindow;
        return popups.back().get();
    }
    IKGPMenuPopup* GetPopupOfBar(CWnd* pWnd) const override
    {
        return pWnd != nullptr && pWnd == popupBar ? holder : nullptr;
    }
    void StartPopupMenuTimer(CWnd*, CKGPToolbarMenuButton* pButton, int nFactor) override
    {
        timerButton = pButton;
        timerFactor = nFactor;
    }
    BOOL IsMenuBar(CWnd* pWnd) const override { return pWnd != nullptr && pWnd == menuBar; }
    BOOL MenuBarWantsArrows(CWnd*) const override { return FALSE; }
    CKGPToolbarMenuButton* GetDroppedDownButton(CWnd*) const override { return droppedDown; }
    void SetDroppedDownButton(CWnd*, CKGPToolbarMenuButton* pButton) override { droppedDown = pButton; }
    void PlayMenuSound(int nSound) override { sounds.push_back(nSound); }
    int GetMenuShowDelay() const override { return delay; }

    CRecordedPopup* Last() const { return popups.empty() ? nullptr : popups.back().get(); }

    std::vector<std::unique_ptr<CRecordedPopup>> popups;
    CWnd* popupBar = nullptr;
    IKGPMenuPopup* holder = nullptr;
    CWnd* menuBar = nullptr;
    CKGPToolbarMenuButton* droppedDown = nullptr;
    int delay = IKGPMenuBarsLink::kDefaultMenuShowDelay;
    std::vector<int> sounds;
    CKGPToolbarMenuButton* timerButton = nullptr;
    int timerFactor = 0;
    BOOL failCreate = FALSE;
    // The window every new popup answers as its own.
    CWnd* popupWindow = nullptr;

private:
    IKGPMenuBarsLink* m_pBefore;
};

// A window that records the keys sent to it.
class CKeyRecorder : public CWnd {
public:
    BOOL Make(CWnd* pParent)
    {
        return CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD, CRect(0, 0, 1, 1), pParent, 0x7F01);
    }
    std::vector<UINT> keys;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN)
            keys.push_back(static_cast<UINT>(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// An MDI client in the frame at the given top, and one child of the given
// styles in it; the child (null when it could not be made).
inline HWND MakeMdiChild(CWnd& frame, int top, DWORD dwChildStyle, HWND& hClient)
{
    WNDCLASSW childClass{};
    childClass.lpfnWndProc = ::DefMDIChildProcW;
    childClass.hInstance = ::GetModuleHandleW(nullptr);
    childClass.lpszClassName = L"KeyloftTestMdiChild";
    childClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    ::RegisterClassW(&childClass);
    CLIENTCREATESTRUCT client{nullptr, 0xFF00};
    hClient = ::CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, top, 400, 200,
                                frame.GetSafeHwnd(), nullptr, ::GetModuleHandleW(nullptr), &client);
    if (hClient == nullptr)
        return nullptr;
    MDICREATESTRUCTW child{L"KeyloftTestMdiChild", L"Child", ::GetModuleHandleW(nullptr), 0, 0, 200, 120,
                           dwChildStyle, 0};
    return reinterpret_cast<HWND>(::SendMessageW(hClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&child)));
}

// A frame with a toolbar along its top.
class BarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open());
        ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE830));
    }
    void TearDown() override
    {
        bar.DestroyWindow();
        frame.DestroyWindow();
    }

    CCommandFrame frame;
    CKGPToolBar bar;
};

// Bytes stored by the object's Serialize, and the object read back from them.
template <class T>
std::vector<BYTE> Stored(T& object)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        object.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

} // namespace menus_test
