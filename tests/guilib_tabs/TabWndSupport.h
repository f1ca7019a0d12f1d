// What the tab window tests share: a parent that records the tab
// notifications in order (and may refuse a change or take a rename), pages
// that paint a colour of their own, and a tab window that notes which tabs it
// drew.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/tabs/KGPTabNotifications.h"
#include "guilib/tabs/KGPTabWnd.h"

#include <set>
#include <vector>

namespace tabs_test {

struct Note {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// The tab window's parent: records every tab notification it gets.
class CTabParent : public CWnd {
public:
    BOOL CreateIn(CWnd* pHost, const CRect& rect)
    {
        const CString cls = RegisterLibraryWindowClass(_T("KGPTabTestParent"), 0, ::LoadCursor(nullptr, IDC_ARROW),
                                                       GetKGPGlobalData().GetBtnFaceBrush());
        return CreateEx(0, cls, _T(""), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, pHost, 900);
    }
    std::vector<Note> Take()
    {
        std::vector<Note> taken;
        taken.swap(m_notes);
        return taken;
    }
    LRESULT m_changingAnswer = 0; // non-zero refuses a change of the active tab
    LRESULT m_renameAnswer = 0;   // non-zero: the parent renamed the tab itself
    CString m_tooltip;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == KGM_ON_CHANGING_ACTIVE_TAB || message == KGM_ONCHANGE_ACTIVE_TAB ||
            message == KGM_ON_RENAME_TAB || message == KGM_ON_MOVE_TAB || message == KGM_ON_GET_TAB_TOOLTIP) {
            m_notes.push_back(Note{message, wParam, lParam});
            if (message == KGM_ON_CHANGING_ACTIVE_TAB)
                return m_changingAnswer;
            if (message == KGM_ON_RENAME_TAB)
                return m_renameAnswer;
            if (message == KGM_ON_GET_TAB_TOOLTIP) {
                KGPTabNotifications::TooltipQueryOf(lParam)->m_strText = m_tooltip;
                return 1;
            }
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    std::vector<Note> m_notes;
};

// A page: a window of one colour.
class CColourPage : public CWnd {
public:
    explicit CColourPage(COLORREF colour) : m_colour(colour) {}
    BOOL CreateIn(CWnd* pParent, UINT nID)
    {
        const CString cls = RegisterLibraryWindowClass(_T("KGPTabTestPage"), 0, ::LoadCursor(nullptr, IDC_ARROW));
        return CreateEx(0, cls, _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), pParent, nID);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ERASEBKGND) {
            CRect client;
            GetClientRect(client);
            ::SetBkColor(reinterpret_cast<HDC>(wParam), m_colour);
            ::ExtTextOut(reinterpret_cast<HDC>(wParam), 0, 0, ETO_OPAQUE, client, nullptr, 0, nullptr);
            return 1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    COLORREF m_colour;
};

// A tab window that notes the tabs it draws.
class CNotingTabWnd : public CKGPTabWnd {
public:
    std::set<int> m_drawn;

protected:
    void DrawTab(CDC* pDC, int iTab, BOOL bIsActive) override
    {
        m_drawn.insert(iTab);
        CKGPTabWnd::DrawTab(pDC, iTab, bIsActive);
    }
};

inline COLORREF PageColour(int index)
{
    static const COLORREF colours[] = {RGB(230, 240, 255), RGB(255, 240, 220), RGB(225, 250, 225),
                                       RGB(250, 230, 245), RGB(245, 245, 210)};
    return colours[index % 5];
}

}  // namespace tabs_test
