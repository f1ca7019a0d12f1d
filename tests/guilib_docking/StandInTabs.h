// A stand-in for the tab windows and tabbed bars that bars reach through the
// tabbed-bar link: a tab window whose child bars are its tabs.
#pragma once

#include <afxwin.h>
#include <afxarch.h>

#include "guilib/core/KGPStoredState.h"
#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPTabbedBarLink.h"

#include <map>

namespace docking_test {

// A tab window: its child bars are its tabs, in z-order; a tab hides with its window.
class CStandInTabs final : public IKGPTabbedBarLink {
public:
    CWnd* m_pTabWnd = nullptr;
    CKGPBaseControlBar* m_pTabbedBar = nullptr; // owns the tab window, or none
    std::map<HWND, HICON> icons;
    int shownTabs = 0;

    BOOL IsTabWindow(const CWnd* pWnd) const override { return pWnd != nullptr && pWnd == m_pTabWnd; }
    // The bar holding the tab window is the tabbed one.
    BOOL IsTabbedBar(const CWnd* pWnd) const override
    {
        return pWnd != nullptr && m_pTabWnd != nullptr && m_pTabWnd->GetSafeHwnd() != nullptr &&
               ::GetParent(m_pTabWnd->m_hWnd) == pWnd->GetSafeHwnd();
    }
    CWnd* GetTabWindow(const CKGPBaseControlBar* pBar, HWND& hwndTab) const override
    {
        hwndTab = pBar->GetSafeHwnd();
        return pBar->GetParent() == m_pTabWnd ? m_pTabWnd : nullptr;
    }
    CKGPBaseControlBar* GetTabbedBarOf(CWnd*) const override { return m_pTabbedBar; }
    int GetTabFromHwnd(CWnd* pTabWnd, HWND hWnd) const override
    {
        int index = 0;
        for (HWND child = ::GetWindow(pTabWnd->m_hWnd, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT), ++index) {
            if (child == hWnd)
                return index;
        }
        return -1;
    }
    int GetTabsNum(CWnd* pTabWnd) const override
    {
        int count = 0;
        for (HWND child = ::GetWindow(pTabWnd->m_hWnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
            ++count;
        return count;
    }
    int GetVisibleTabsNum(CWnd* pTabWnd) const override
    {
        int count = 0;
        for (HWND child = ::GetWindow(pTabWnd->m_hWnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
            count += (::GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0 ? 1 : 0;
        return count;
    }
    BOOL IsTabVisible(CWnd* pTabWnd, int iTab) const override
    {
        return (::GetWindowLongW(Tab(pTabWnd, iTab), GWL_STYLE) & WS_VISIBLE) != 0;
    }
    BOOL IsTabDetachable(CWnd*, int iTab) const override { return iTab == 0; }
    void ShowTab(CWnd* pTabWnd, int iTab, BOOL bShow, BOOL, BOOL) override
    {
        ::ShowWindow(Tab(pTabWnd, iTab), bShow ? SW_SHOWNA : SW_HIDE);
        ++shownTabs;
    }
    void SetTabHicon(CWnd* pTabWnd, int iTab, HICON hIcon) override { icons[Tab(pTabWnd, iTab)] = hIcon; }
    void ShowBarTab(CKGPBaseControlBar*, CKGPBaseControlBar* pBar, BOOL bShow) override
    {
        pBar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    }
    CKGPBaseControlBar* FindBarByID(CKGPBaseControlBar* pTabbedBar, UINT nID) const override
    {
        if (pTabbedBar != m_pTabbedBar || m_pTabWnd == nullptr)
            return nullptr;
        return DYNAMIC_DOWNCAST(CKGPBaseControlBar, m_pTabWnd->GetDlgItem(static_cast<int>(nID)));
    }
    BOOL DetachBar(CKGPBaseControlBar*) override { return FALSE; }
    void RemoveBarTab(CKGPBaseControlBar*) override {}
    void AppendTabs(CKGPBaseControlBar* pTabbedBar, CObList& list) const override
    {
        if (pTabbedBar != m_pTabbedBar || m_pTabWnd == nullptr)
            return;
        for (HWND child = ::GetWindow(m_pTabWnd->m_hWnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
            list.AddTail(CWnd::FromHandlePermanent(child));
    }

    // Tabbed panes as the split trees ask for them: none is made here; a
    // stored one must be of m_pTabbedClass, and its tab state is one mark.
    CKGPBaseControlBar* CreateTabbedBar(CKGPBaseControlBar*, BOOL) override { return nullptr; }
    BOOL AddTab(CKGPBaseControlBar*, CKGPBaseControlBar*, BOOL, BOOL, BOOL) override { return FALSE; }
    void RecalcTabs(CKGPBaseControlBar*) override {}
    void SetActiveTab(CKGPBaseControlBar*, CKGPBaseControlBar*) override {}
    const CRuntimeClass* GetTabbedBarClass() const override { return m_pTabbedClass; }
    void WriteTabState(CKGPBaseControlBar*, CArchive& ar) override { ar << kTabStateMark; }
    void ReadTabState(CKGPBaseControlBar*, CArchive& ar, CKGPStoredLoad&) override
    {
        DWORD mark = 0;
        ar >> mark;
        if (mark != kTabStateMark)
            AfxThrowArchiveException(CArchiveException::badIndex);
        ++readTabStates;
    }
    BOOL CreateStoredTabbedBar(CKGPBaseControlBar*, CWnd*, DWORD) override
    {
        ++storedTabbedBarsMade;
        return FALSE;
    }
    static constexpr DWORD kTabStateMark = 0x7AB5;
    const CRuntimeClass* m_pTabbedClass = nullptr;
    int readTabStates = 0;
    int storedTabbedBarsMade = 0;

private:
    static HWND Tab(CWnd* pTabWnd, int iTab)
    {
        HWND child = ::GetWindow(pTabWnd->m_hWnd, GW_CHILD);
        for (int i = 0; i < iTab && child != nullptr; ++i)
            child = ::GetWindow(child, GW_HWNDNEXT);
        return child;
    }
};

} // namespace docking_test
