// A toolbar button that opens a whole toolbar under itself: a plain click
// sends the command last chosen from that toolbar (whose image it shows),
// and the menu delay after a press opens the drop-down toolbar in a small
// frame (a second press within it opens it at once), where a click chooses
// another command.
#pragma once

#include <afxbars.h>

#include "guilib/toolbars/KGPToolBar.h"

class CKGPDropDownFrame;

// The toolbar a drop-down button opens: always locked to its own images.
class CKGPDropDownToolBar : public CKGPToolBar {
    DECLARE_SERIAL(CKGPDropDownToolBar)
public:
    BOOL LoadBitmaps(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                     UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0) override;
    BOOL LoadFromResource(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                          UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0, UINT uiNormalResID = 0) override;
    BOOL ShowsOnToolbarsList() const override { return FALSE; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CKGPDropDownToolbarButton : public CKGPToolbarButton {
    DECLARE_SERIAL(CKGPDropDownToolbarButton)
public:
    CKGPDropDownToolbarButton();
    // The button named so for the drop-down toolbar (not owned).
    CKGPDropDownToolbarButton(LPCTSTR lpszName, CKGPDropDownToolBar* pToolBar);
    ~CKGPDropDownToolbarButton() override;

    void Serialize(CArchive& ar) override;
    void CopyButton(const CKGPToolbarButton& src) override;
    SIZE MeasureOnBar(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    // A press starts the menu delay, after which the drop-down opens (the
    // press itself stays the bar's: released over the button it sends the
    // command shown); a press while the delay runs opens (or closes) the
    // drop-down at once; with the drop-down open a press closes it.
    BOOL HandleClick(CWnd* pWnd, BOOL bDelay) override;
    // On a toolbar it is a drop-down (except while it draws itself).
    BOOL IsDropDown() const override;
    // The bar's entries, with the image and text choices off: the button
    // shows the image of the command last chosen.
    BOOL SetupCustomizeMenu(CMenu* pMenu) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    // With a drop-down toolbar its face is the image of the command shown,
    // from that toolbar: an image of its own or none (a load records none)
    // never makes it a caption button.
    void SetImage(int iImage) override;
    void CancelState() override;
    // Exported to a menu button, the button becomes a sub-menu named as this
    // button, without command or image, holding the drop-down toolbar's
    // commands and separators in order; FALSE without a drop-down toolbar.
    BOOL FillCaptionFromCommand(CKGPToolbarButton* pButton) override;

    // The command shown and sent by a plain click, with the image of the
    // first button of the drop-down toolbar that carries it (0 for none).
    void SetDefaultCommand(UINT uiCmd);
    // Opens the drop-down frame under the button; FALSE without a drop-down
    // toolbar or with a frame open already.
    BOOL OpenDropDown();
    void CloseDropDown();
    BOOL IsDropDownOpen() const { return m_pPopupMenu != nullptr; }
    // The menu delay is running (the drop-down opens when it passes).
    BOOL IsOpenPending() const { return m_uiTimer != 0; }
    // The current image is one of the user images.
    BOOL IsCurrentImageUsers() const { return m_bLocalUserButton; }
    CKGPDropDownToolBar* GetDropDownToolBar() const { return m_pToolBar; }
    int GetCurrentImage() const { return m_iSelectedImage; }
    const CString& GetName() const { return m_strName; }
    void OnFrameGone() { m_pPopupMenu = nullptr; }

private:
    static void CALLBACK OnDelayTimer(HWND, UINT, UINT_PTR idEvent, DWORD);
    void KillDelayTimer();
    // The strip the current image comes from: the user images for a user
    // image, else the drop-down toolbar's.
    CKGPToolBarImages* CurrentImageStrip() const;
    // Rebuilds the strips' derived images once the library's button face,
    // against which images are drawn, changed since the last drawing.
    void FollowImageColour();

    CKGPDropDownToolBar* m_pToolBar = nullptr;
    CString m_strName;
    CKGPDropDownFrame* m_pPopupMenu = nullptr;
    UINT_PTR m_uiTimer = 0;
    int m_iSelectedImage = 0;
    BOOL m_bInternalDraw = FALSE;
    BOOL m_bLocalUserButton = FALSE;
    COLORREF m_clrImagesDrawnOn = CLR_INVALID;
};

// The small frame holding the drop-down toolbar: a popup on the monitor of
// its corner, with copies of the drop-down toolbar's buttons; it closes on a
// choice, a click outside it, or when the application loses the activation.
class CKGPDropDownFrame : public CMiniFrameWnd {
    DECLARE_DYNAMIC(CKGPDropDownFrame)
public:
    CKGPDropDownFrame() = default;
    ~CKGPDropDownFrame() override;

    // Shows the frame with its corner at the point (screen), for the button
    // on the source bar; FALSE when it could not be made. The frame deletes
    // itself with its window, a failed one too: make it through
    // AfxCreateSelfDeleting.
    BOOL Create(CKGPToolBar* pSourceBar, CKGPDropDownToolbarButton* pButton, CPoint ptCorner);
    // The button chosen in the drop-down toolbar: it becomes the default
    // command and goes to the source bar's owner; the frame closes.
    void ChooseButton(const CKGPToolbarButton& button);
    CKGPDropDownToolBar& GetToolBar() { return m_wndToolBar; }
    CKGPDropDownToolbarButton* GetParentButton() const { return m_pParentBtn; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    void OnCreateToolBar();
    CKGPDropDownToolbarButton* m_pParentBtn = nullptr;
    CKGPDropDownToolBar m_wndToolBar;
    CKGPToolBar* m_pSourceBar = nullptr;
    CPoint m_ptCorner;
};
