// The base of every ribbon element: a command with a text and an image index,
// its place in its parent window, and the link to the popup menu it may open.
// This program builds no ribbon; frames and popup menus only ever hold a null
// pointer to one, and these classes give every call they make an answer.
#pragma once

#include <afxwin.h>

class CKGPBaseRibbonElement : public CObject {
    DECLARE_DYNAMIC(CKGPBaseRibbonElement)
public:
    CKGPBaseRibbonElement(UINT nID = 0, LPCTSTR lpszText = nullptr, int nImageIndex = -1);
    ~CKGPBaseRibbonElement() override;
    CKGPBaseRibbonElement(const CKGPBaseRibbonElement&) = delete;
    CKGPBaseRibbonElement& operator=(const CKGPBaseRibbonElement&) = delete;

    UINT GetID() const { return m_nID; }
    const CString& GetText() const { return m_strText; }
    BOOL IsVisible() const { return m_bIsVisible; }
    void SetVisible(BOOL bVisible) { m_bIsVisible = bVisible; }
    int GetImageIndex() const { return m_nImageIndex; }
    void SetImageIndex(int nIndex) { m_nImageIndex = nIndex; }
    // Repaints the element's rectangle in its parent window.
    virtual void Redraw();

    // Where the element sits: its parent window and rectangle in it.
    void SetParentWnd(CWnd* pWnd) { m_pParentWnd = pWnd; }
    CWnd* GetParentWnd() const { return m_pParentWnd; }
    void SetRect(const CRect& rect) { m_rect = rect; }
    const CRect& GetRect() const { return m_rect; }

    // The popup menu opened from the element (null when none is open); the
    // popup calls this with itself when it opens and with null when it closes.
    void SetDroppedDown(CWnd* pPopupMenu);
    CWnd* GetDroppedDown() const { return m_pPopupMenu; }
    // The image size for the items of the popup; (0, 0) leaves the popup's own.
    virtual CSize GetPopupImageSize() const { return CSize(0, 0); }
    // Told the command chosen in the popup; TRUE when the element ran it.
    virtual BOOL NotifyCommand(UINT nID);
    UINT GetLastCommand() const { return m_nLastCommand; }
    // Closes the element's popup; no element has an open popup afterwards.
    virtual void ClosePopupMenu();
    // The element whose popup is open, if any.
    static CKGPBaseRibbonElement* GetActivePopupElement() { return s_pActivePopupElement; }

protected:
    UINT m_nID;
    CString m_strText;
    int m_nImageIndex;
    BOOL m_bIsVisible = TRUE;
    CWnd* m_pParentWnd = nullptr;
    CRect m_rect;
    CWnd* m_pPopupMenu = nullptr;
    UINT m_nLastCommand = 0;

    static CKGPBaseRibbonElement* s_pActivePopupElement;
};
