// One item of a customisable toolbar: a command with an image index, a
// caption, display flags and its place in the owning bar. Serialisable, so
// whole button lists are stored and recreated by run-time class; menu, combo,
// edit and customise buttons derive from it.
#pragma once

#include <afxbars.h>
#include <afxwin.h>

class CKGPToolBar;
class CKGPToolBarImages;
class CToolTipCtrl;
class COleDataObject;
class COleDataSource;

class CKGPToolbarButton : public CObject {
    DECLARE_SERIAL(CKGPToolbarButton)
public:
    CKGPToolbarButton();
    CKGPToolbarButton(UINT uiCmdId, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserImage = FALSE,
                      BOOL bLocked = FALSE);
    ~CKGPToolbarButton() override = default;

    void Serialize(CArchive& ar) override;

    // Puts the button (its class record, then its stored form) into the data
    // source in the toolbar-button clipboard format; a button that is not
    // stored puts nothing. FALSE when it could not be written.
    virtual BOOL CopyToDataSource(COleDataSource* pDataSource);
    virtual BOOL AcceptsBar(CKGPToolBar* /*pBar*/) { return TRUE; }
    virtual void CopyButton(const CKGPToolbarButton& src);
    virtual void OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz = TRUE,
                        BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                        BOOL bGrayDisabledButtons = TRUE);
    virtual SIZE MeasureOnBar(CDC* pDC, const CSize& sizeDefault, BOOL bHorz);
    virtual BOOL HandleClick(CWnd* /*pWnd*/, BOOL /*bDelay*/) { return FALSE; }
    // Records the parent; a toolbar that wants the visual manager's extra
    // size makes the button count it.
    virtual void OnChangeParentWnd(CWnd* pWndParent);
    virtual BOOL FillCaptionFromCommand(CKGPToolbarButton* pButton);
    virtual void OnRectChanged() {}
    virtual void ApplyWidth(int /*nWidth*/) {}
    virtual HWND ControlWindow() const { return nullptr; }
    // A notification of the embedded control: TRUE when its command is to
    // reach the owner.
    virtual BOOL NotifyCommand(int /*iNotifyCode*/) { return FALSE; }
    virtual BOOL IsResizable() const { return FALSE; }
    virtual HBRUSH ControlBrush(CDC* /*pDC*/, UINT /*nCtlColor*/) { return nullptr; }
    virtual void OnDblClk(CWnd* /*pWnd*/) {}
    virtual BOOL IsArchivable() const { return TRUE; }
    virtual BOOL WantsBorder() const { return TRUE; }
    virtual void CancelState() {}
    virtual BOOL IsSelectable() const { return !IsSeparator(); }
    virtual BOOL HandleHelpHit(CWnd* /*pWnd*/) { return FALSE; }
    // Sets the customisation menu's entries for the button itself; FALSE
    // leaves them to the bar.
    virtual BOOL SetupCustomizeMenu(CMenu* /*pMenu*/) { return FALSE; }
    // Registers the button's own tool with the bar's tooltip control (on
    // its own window, say), the tooltip text given back in str; FALSE leaves
    // the tool to the bar.
    virtual BOOL OnUpdateToolTip(CWnd* /*pWndParent*/, int /*iButtonIndex*/, CToolTipCtrl& /*wndToolTip*/,
                                 CString& /*str*/)
    {
        return FALSE;
    }
    // A button that drops something down from its bar: pressed even while
    // disabled (what it drops may hold enabled commands).
    virtual BOOL IsDropDown() const { return FALSE; }
    // Draws the button as a row of the customisation command list; answers
    // the width the row needs.
    virtual int DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected);
    virtual BOOL WantsNoShadow() const { return FALSE; }
    virtual BOOL IsDraggable() const { return TRUE; }
    virtual BOOL PrepareDrop(CKGPToolBar* /*pBar*/) { return TRUE; }
    virtual void FinishDrop() {}
    virtual void OnOverflowChanged(BOOL /*bOverflowed*/) {}
    // The area to repaint for the button: its rectangle.
    virtual void RepaintRect(CRect& rect) const { rect = m_rcButton; }
    virtual void RestoreCommandImage();
    virtual BOOL IsSameCommand(const CKGPToolbarButton& other) const { return m_nCommand == other.m_nCommand; }
    virtual void EnableControl(BOOL bEnable);
    virtual BOOL OwnsWindow(HWND hWnd) const { return hWnd != nullptr && hWnd == ControlWindow(); }
    virtual BOOL StartsGroup() const;
    virtual BOOL EndsGroup() const;
    virtual void SetImage(int iImage);
    virtual void MarkRadio() {}

    // Fills the background through the visual manager.
    void FillInterior(CDC* pDC, const CRect& rect, BOOL bHighlight);

    BOOL IsSeparator() const { return (m_nBits & TBBS_SEPARATOR) != 0; }
    BOOL IsLocked() const { return m_bOfLockedBar; }
    // The index of the strip the button draws from: user or standard.
    int GetImage() const { return m_bUserImage ? m_nUserImage : m_nImage; }
    BOOL IsImageShown() const { return m_bShowImage && GetImage() >= 0; }
    CWnd* GetParentWnd() const { return m_pOwnerWnd; }
    // Reads one stored button; an object of any other class is refused with
    // CArchiveException::badClass.
    static CKGPToolbarButton* ReadFrom(CArchive& ar);
    // A loaded button tells the command manager its image (or asks it for
    // one) once it joins a live list: Serialize itself changes nothing else.
    void RecordLoadedImage();

    // The button a data object carries (put there by CopyToDataSource), read
    // as the class its record names if that is a toolbar button; null when the
    // data is absent, of another class or damaged. The caller owns it.
    static CKGPToolbarButton* CreateFromOleData(COleDataObject* pDataObject);

    // The toolbar-button clipboard format, registered on first use under
    // s_strClipboardFormatName when that is set, else under a name made from
    // the module's instance handle.
    static CLIPFORMAT GetClipboardFormat();
    static CString s_strClipboardFormatName;

    // Library-wide switches.
    static BOOL s_bRecordStandardImages;
    static BOOL s_bWrapCaptions;

    BOOL m_bUserImage = FALSE;
    UINT m_nCommand = 0;
    UINT m_nBits = 0;
    CString m_strCaption;
    BOOL m_bShowCaption = FALSE;
    BOOL m_bShowImage = TRUE;
    BOOL m_bRowBreak = FALSE;
    BOOL m_bOption = TRUE;
    BOOL m_bCaptionBelow = FALSE;
    CString m_strDescription;
    BOOL m_bFromCommandList = FALSE;
    BOOL m_bExtraFlag = FALSE;
    CRect m_rcButton;
    int m_nImage = -1;
    int m_nUserImage = -1;
    BOOL m_bOfLockedBar = FALSE;
    BOOL m_bOverflowed = FALSE;
    CSize m_sizeCaption;
    BOOL m_bNoFill = FALSE;
    BOOL m_bOnToolbar = FALSE;
    BOOL m_bDrawnHorizontal = TRUE;
    BOOL m_bShown = TRUE;
    CWnd* m_pOwnerWnd = nullptr;

private:
    // The caption with "&&" made "&" and other "&" removed.
    CString CaptionAsShown() const;
    void DrawFaceImage(CDC* pDC, CKGPToolBarImages* pImages, int x, int y, BOOL bDisabled, BOOL bShadow,
                       BOOL bFaded);
    void DrawVerticalCaption(CDC* pDC, const CRect& rectButton, CRect rectText, int nTextHeight,
                             int nTextWidth);
};

// A list that owns its buttons (a toolbar's buttons, its reference lists);
// stored as a CObList.
using CKGPToolbarButtonList = COwningPtrList<CObList, CKGPToolbarButton*>;
