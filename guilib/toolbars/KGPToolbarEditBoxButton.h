// A toolbar button holding a single-line edit. Every edit button with the
// same command shows the same text, and what the user types reaches the
// bar's owner as the command.
#pragma once

#include "guilib/toolbars/KGPToolbarButton.h"

#include <memory>

class CKGPToolbarEditCtrl;

class CKGPToolbarEditBoxButton : public CKGPToolbarButton {
    DECLARE_SERIAL(CKGPToolbarEditBoxButton)
public:
    CKGPToolbarEditBoxButton();
    // dwStyle: the edit style bits (ES_...); iWidth 0: the default width.
    CKGPToolbarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle = ES_AUTOHSCROLL, int iWidth = 0);
    ~CKGPToolbarEditBoxButton() override;

    void Serialize(CArchive& ar) override;
    void CopyButton(const CKGPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE MeasureOnBar(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    // TRUE while the edit shows.
    BOOL HandleClick(CWnd* pWnd, BOOL bDelay) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    void OnRectChanged() override;
    void ApplyWidth(int nWidth) override;
    HWND ControlWindow() const override;
    BOOL IsResizable() const override { return TRUE; }
    HBRUSH ControlBrush(CDC* pDC, UINT nCtlColor) override;
    int DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    // Shows the edit unless the button went under the customise button.
    void OnOverflowChanged(BOOL bOverflowed) override;
    // No frame around a shown edit (the button draws its own).
    BOOL WantsBorder() const override;
    // With a caption under the edit: the caption's rectangle.
    void RepaintRect(CRect& rect) const override;

    // EN_UPDATE: the text goes to the other edit buttons of the command; TRUE
    // (the command reaches the owner) unless the button wrote it itself.
    BOOL NotifyCommand(int iNotifyCode) override;
    virtual BOOL CopyFromSameCommand();
    virtual void SetStyle(UINT nStyle);
    virtual void OnGlobalFontsChanged();
    BOOL OnUpdateToolTip(CWnd* pWndParent, int iButtonIndex, CToolTipCtrl& wndToolTip, CString& str) override;

    virtual CKGPToolbarEditCtrl* CreateEdit(CWnd* pWndParent, const CRect& rect);
    // Writes a different text into the field and the edit.
    virtual void SetContents(const CString& strContents);
    // The edit's window rectangle in the bar's coordinates, grown by one.
    virtual BOOL GetEditBorder(CRect& rectBorder) const;

    const CString& GetContents() const { return m_strContents; }
    CKGPToolbarEditCtrl* GetEditBox() const { return m_pWndEdit.get(); }
    DWORD GetEditStyle() const { return m_dwStyle; }
    int GetWidth() const { return m_iWidth; }
    void SetContextMenuID(UINT uiResID) { m_uiMenuResID = uiResID; }
    UINT GetContextMenuID() const { return m_uiMenuResID; }
    void EnableCalculator(BOOL bEnable = TRUE) { m_bCalculatorMode = bEnable; }
    BOOL IsCalculatorEnabled() const { return m_bCalculatorMode; }
    // Stores the hot flag; a change repaints the frame at once.
    void SetHot(BOOL bHot);
    BOOL IsHot() const { return m_bIsHotEdit; }

protected:
    void ShowEdit(BOOL bShow);
    BOOL HasEdit() const;

    DWORD m_dwStyle = 0x50000080;
    std::unique_ptr<CKGPToolbarEditCtrl> m_pWndEdit;
    CString m_strContents;
    BOOL m_bChangingText = FALSE;
    int m_iWidth = 150;
    BOOL m_bHorz = TRUE;
    BOOL m_bIsHotEdit = FALSE;
    UINT m_uiMenuResID = 0;
    BOOL m_bCalculatorMode = FALSE;
};
