// What every library frame (SDI now; MDI, MDI child and OLE frames later)
// shares and forwards to: the toolbars the user creates at run time and the
// bars torn off menus (both owned), the attached menu bar, the key and mouse
// filtering before dispatch (open popup menus, accelerators, Alt), the
// owner-drawn caption when the visual manager draws one, the window placement
// kept by the application state store, and the list of live library frames.
#pragma once

#include <afxwin.h>
#include <afxtemplptr.h>

#include <utility>

#include "guilib/frames/KGPFullScreenImpl.h"

class CKGPBaseControlBar;
class CKGPCaptionButton;
class CKGPDockManager;
class CKGPMenuBar;
class CKGPRibbonBar;
class CKGPToolBar;
class IKGPMenuHostFrame;

class CKGPFrameImpl {
public:
    explicit CKGPFrameImpl(CFrameWnd* pFrame);
    virtual ~CKGPFrameImpl();
    CKGPFrameImpl(const CKGPFrameImpl&) = delete;
    CKGPFrameImpl& operator=(const CKGPFrameImpl&) = delete;

    // ---- The library-wide list of live frames.
    static void AddFrame(CFrameWnd* pFrame);
    static void RemoveFrame(CFrameWnd* pFrame);
    static const CList<CFrameWnd*, CFrameWnd*>& GetFrameList() { return s_lstFrames; }
    // The frame's accelerator table (the keyboard manager's, once the user
    // changed a key) is destroyed as the frame goes.
    static void DestroyAccelerators(CFrameWnd& frame)
    {
        const CAcceleratorHandle table(std::exchange(frame.m_hAccelTable, nullptr));
    }

    // Context help of a library frame: the library's toolbars take part in
    // the frame's help mode (their button under the pointer hot, a click on
    // one naming its command's help) and leave it afterwards; the flag is set
    // meanwhile. `run` runs the frame's own context help.
    template <class TRun>
    static void RunContextHelp(CFrameWnd& frame, BOOL& bInContextHelp, TRun&& run)
    {
        bInContextHelp = TRUE;
        const BOOL bToolbarsHelp = !frame.m_bHelpMode && frame.CanEnterHelpMode();
        if (bToolbarsHelp)
            SetToolbarsHelpMode(TRUE);
        run();
        if (bToolbarsHelp && !frame.m_bHelpMode)
            SetToolbarsHelpMode(FALSE);
        bInContextHelp = FALSE;
    }
    static void SetToolbarsHelpMode(BOOL bOn);

    // ---- Toolbars and menus.
    // The menu bar takes over the frame's menu as its default menu, with the
    // menu's resource id; the frame shows no menu of its own.
    void SetMenuBar(CKGPMenuBar* pMenuBar);
    CKGPMenuBar* GetMenuBar() const { return m_pMenuBar; }
    BOOL IsUserToolbarId(const CWnd* pWnd) const;
    // The smallest id in [first, last] no toolbar of the list carries; 0 when
    // the range is unset, full or empty.
    static UINT FindFreeToolbarId(UINT uiFirst, UINT uiLast, const CObList& lstToolbars);
    // A new toolbar named so, floating at the screen's middle; null (with a
    // message) when no id is free.
    CKGPToolBar* CreateUserToolbar(LPCTSTR lpszName);
    BOOL DeleteUserToolbar(CKGPToolBar* pToolBar);
    void AddTearOffBar(CKGPBaseControlBar* pBar);
    void RemoveTearOffBar(CKGPBaseControlBar* pBar);
    void SetUserToolbarRange(UINT uiFirst, UINT uiLast)
    {
        m_uiUserToolbarFirst = uiFirst;
        m_uiUserToolbarLast = uiLast;
    }
    void GetUserToolbarRange(UINT& uiFirst, UINT& uiLast) const
    {
        uiFirst = m_uiUserToolbarFirst;
        uiLast = m_uiUserToolbarLast;
    }
    const CObList& GetUserToolbars() const { return m_listUserDefinedToolbars; }
    void LoadToolbarParameters();
    void OnLoadFrame();
    // Before a library popup menu opens; FALSE cancels it.
    BOOL OnShowPopupMenu(CWnd* pPopup, CFrameWnd* pFrame);
    // The last step of every library frame's check before a popup opens: a
    // quiet popup opens at once; otherwise the frame's hook (its
    // OnPopupMenuOpening) answers, and with accessibility on the popup's
    // plain menu is made anew for the accessibility clients.
    template <class TOpening>
    static BOOL AnswerPopupOpening(CWnd* pPopup, TOpening&& opening)
    {
        if (IsQuietPopup(pPopup))
            return TRUE;
        const BOOL bOpens = opening(pPopup);
        RebuildPlainMenu(pPopup);
        return bOpens;
    }
    static BOOL IsQuietPopup(CWnd* pPopup);
    static void RebuildPlainMenu(CWnd* pPopup);
    // A library popup menu closes: accessibility clients hear the menu's end
    // (a menu button's first level) or the popup's, and the menu bar holding
    // the focus names its focused item again.
    void OnClosePopupMenu(CWnd* pPopup);
    // The add-or-remove-buttons menu of a toolbar's customise button (the
    // popup menus and the customise button bring it).
    BOOL IsCustomizeButtonMenu(CWnd* pPopup) const;
    // The bar's entries and reset; between them the frame's part
    // (FillCustomizeMenuRest of the SDI, MDI and in-place frames).
    void BuildAddRemoveButtonsMenu(CWnd* pPopup);
    // The frames' part as the SDI frame has it: an entry, unchecked, for each
    // of the bar's resource buttons it no longer holds, at its place among
    // the entries the popup holds for the bar's buttons. Only for the bar
    // being customised, when uiToolbarResId is its resource.
    BOOL FillCustomizeMenuRest(CWnd* pPopup, UINT uiToolbarResId);
    BOOL IsPrintPreview() const;
    // The view menu's bar commands (toolbar, status bar, rebar): checked
    // while the frame's bar with that id shows (routing goes on when it has
    // none); the command shows or hides it (FALSE: no such bar).
    static void UpdateBarCommand(CKGPDockManager& manager, CCmdUI* pCmdUI);
    static BOOL ToggleBarCommand(CKGPDockManager& manager, UINT nID);

    // ---- Filtering before dispatch (TRUE: consumed).
    BOOL ProcessKeyboard(int nKey, BOOL* pbProcessAccel = nullptr);
    BOOL ProcessMouseClick(UINT uiMsg, CPoint pt, HWND hwnd);
    BOOL ProcessMouseWheel(WPARAM wParam, LPARAM lParam);
    // A mouse move while a library popup menu is open, at a point outside it
    // and the menus it opened from (its shadow counts as outside) and off the
    // menu bar's items: it goes no further, so that what lies under the
    // pointer does not follow it meanwhile. Moves to a window holding the
    // mouse (a drag) go on, and all moves while the toolbars are customised.
    BOOL IsMoveOutsideActiveMenu(const MSG& msg) const;
    // A library frame's filtering of a queued message (keys for popup menus and
    // drags, clicks, the wheel): what the frame does with it next.
    enum class PreTranslateResult { Consumed, Untranslated, PassOn };
    PreTranslateResult PreTranslateFrameMessage(MSG* pMsg);
    // A command from an accelerator (notify code 1) counts as a use of the
    // command; TRUE when it went no further: it closed an open popup menu, or
    // ran the user tool of its id.
    BOOL OnAcceleratorCommand(WPARAM wParam, LPARAM lParam);
    // An Alt+character: the menu bar's mnemonics first, then the toolbars'.
    BOOL OnMenuChar(UINT nChar);
    static BOOL IsHelpKey(const MSG* pMsg);
    // Alt released alone, or F10: the focus to the menu bar, and back to the
    // frame when the bar has it. FALSE without a menu bar, or for other keys.
    BOOL ToggleMenuBarFocus(const MSG* pMsg);
    // The accelerator flags byte of the keys held now.
    static BYTE AcceleratorFlagsNow();
    // Whether the accelerator table holds the virtual key with these flags.
    static BOOL IsKeyInAccelerators(HACCEL hAccel, int nKey, BYTE fFlags);

    // ---- Caption, non-client area and placement.
    BOOL OnNcPaint();
    BOOL OnNcActivate(BOOL bActive);
    BOOL OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    UINT OnNcHitTest(CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnLButtonDown(CPoint point);
    void OnLButtonUp(CPoint point);
    void OnMouseMove(CPoint point);
    void OnSetText();
    void OnActivateApp(BOOL bActive);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    BOOL OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnChangeVisualManager();
    void OnDwmCompositionChanged();
    void DeactivateMenu();
    void UpdateCaption();
    CRect GetCaptionRect() const;
    void RestorePlacement(CREATESTRUCT& cs);
    void OnCloseFrame();

    CFrameWnd* m_pFrame;
    // The frame as the menus and toolbars see it, handed by a frame that is
    // one (the SDI, MDI and in-place frames; a document window is none).
    IKGPMenuHostFrame* m_pMenuHost = nullptr;
    CKGPDockManager* m_pDockManager = nullptr;
    UINT m_nIDDefaultResource = 0;
    BOOL m_bLoadDockState = TRUE;
    CRuntimeClass* m_pCustomUserToolBarRTC;
    // The popup entry replaced by the list of bars (0: none) and what goes with it.
    UINT m_uiControlbarsMenuEntryID = 0;
    UINT m_uiControlbarsMenuExtra = 0;
    CKGPRibbonBar* m_pRibbonBar = nullptr;
    BOOL m_bHasBorder = FALSE;
    // The section a deleted user toolbar's stored state is erased under.
    CString m_strControlBarRegEntry;
    HMENU m_hDefaultMenu = nullptr;
    CKGPFullScreenImpl m_FullScreenMgr;

private:
    // Alt pressed anew, or another key with it.
    void NoteAltPress(const MSG& msg);
    PreTranslateResult OnKeyRelease(const MSG& msg);
    // A key while a library popup is open: TRUE when the popup took it.
    BOOL OfferKeyToPopup(CWnd& popup, int nKey);
    // Repaints one caption button through the frame's non-client paint.
    void RedrawCaptionButton(CKGPCaptionButton* pButton);
    CKGPCaptionButton* CaptionButtonAt(CPoint ptScreen) const;
    void SetHotCaptionButton(UINT nHit);

    UINT m_uiUserToolbarFirst = 0xFFFFFFFF;
    UINT m_uiUserToolbarLast = 0xFFFFFFFF;
    COwningPtrList<CObList, CKGPToolBar*> m_listUserDefinedToolbars;
    COwningPtrList<CObList, CKGPBaseControlBar*> m_listTearOffToolbars;
    CKGPMenuBar* m_pMenuBar = nullptr;
    COwningPtrList<CObList, CKGPCaptionButton*> m_lstCaptionSysButtons;
    BOOL m_bCaptionTrackingOff = FALSE;
    UINT m_nHotSysButton = 0;
    UINT m_nHitSysButton = 0;
    CRect m_rectRedraw;
    BOOL m_bIsWindowRgn = FALSE;
    // How the Alt held now was used: alone so far, with a key the library
    // took (Alt+letter), or with another key.
    enum class AltPress { None, Alone, Used };
    AltPress m_altPress = AltPress::None;

    static CList<CFrameWnd*, CFrameWnd*> s_lstFrames;
};
