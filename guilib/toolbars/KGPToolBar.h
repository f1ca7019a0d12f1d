// The library's customisable toolbar: a dockable bar that owns a list of
// buttons, lays them out in rows, paints them through the visual manager,
// presses and releases them to send their commands, is built from toolbar
// resources and keeps its buttons in the registry.
#pragma once

#include <afxole.h>

#include "guilib/core/KGPToolBarImages.h"
#include "guilib/toolbars/KGPBaseToolBar.h"
#include "guilib/toolbars/KGPCommandManager.h"
#include "guilib/toolbars/KGPToolBarCustomizeState.h"
#include "guilib/toolbars/KGPToolBarImageSet.h"
#include "guilib/toolbars/KGPToolBarMath.h"
#include "guilib/toolbars/KGPToolBarShared.h"
#include "guilib/toolbars/KGPToolBarTipState.h"
#include "guilib/toolbars/KGPToolBarTracking.h"
#include "guilib/toolbars/KGPToolbarButton.h"

#include <memory>
#include <vector>

class CCustomizeButton;
class CKGPRegistry;
class CKGPStoredLoad;
class CKGPToolbarMenuButton;
class COleDataObject;

class CKGPToolBar : public CKGPBaseToolBar, public CKGPToolBarShared {
    DECLARE_SERIAL(CKGPToolBar)
public:
    CKGPToolBar();
    ~CKGPToolBar() override;

    // A flat bar with borders of 1.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR) override;
    // The control-bar bits of dwStyle (CBRS_...) stay with the bar; the rest,
    // with the toolbar-control style, make the window's style.
    virtual BOOL CreateBarEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                             DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                             CRect rcBorders = CRect(1, 1, 1, 1), UINT nID = AFX_IDW_TOOLBAR);
    // A bar that may not be closed says so.
    BOOL CanBeClosed() const override { return !m_bNoClose && CKGPBaseToolBar::CanBeClosed(); }
    BOOL m_bNoClose = FALSE;
    // Gives the focus back to the window that had it before the bar took it.
    virtual void RestoreFocus();
    BOOL m_bRestoreFocus = TRUE;
    // The rounded region, the layout and the strips follow a new look.
    virtual void OnVisualManagerChanged();

    // ---- Buttons ----
    // The customise button, when the bar has one, stays the last button.
    // Takes the button: its index, or -1 (and the button deleted) when its
    // command is forbidden or the index lies outside 0..count (-1: the end).
    virtual int InsertButton(std::unique_ptr<CKGPToolbarButton> pButton, int iInsertAt = -1);
    // Inserts a copy of the button (of the button's own class).
    virtual int InsertButtonCopy(const CKGPToolbarButton& button, int iInsertAt = -1);
    // -1 on an empty bar and at index 0: a bar never starts with a separator.
    virtual int InsertSeparator(int iInsertAt = -1);
    // Removes and deletes the button; separators that would end the bar or
    // stand doubled go with it. FALSE out of range and for the customise button.
    virtual BOOL RemoveButton(int iIndex);
    virtual void RemoveAllButtons();
    int GetCount() const { return static_cast<int>(m_lstButtons.GetCount()); }
    CKGPToolbarButton* GetButton(int iIndex) const;
    // The buttons in their order (the bar's own list: it owns them).
    const CObList& GetAllButtons() const { return m_lstButtons; }
    // The first index at or after iIndexFirst with the command; -1 for none.
    int CommandToIndex(UINT nID, int iIndexFirst = 0) const;
    int ButtonToIndex(const CKGPToolbarButton* pButton) const;
    UINT GetItemID(int iIndex) const;
    CString GetButtonText(int iIndex) const;
    BOOL SetButtonText(int iIndex, LPCTSTR lpszText);
    // Shows or hides the button's caption.
    void SetButtonLabel(int iIndex, BOOL bShowCaption);
    virtual void GetItemRect(int iIndex, LPRECT lpRect) const;
    virtual void GetRepaintRect(int iIndex, LPRECT lpRect) const;
    void InvalidateButton(int iIndex);
    // For a command: its short name (the second part of its string) as the
    // button's caption; TRUE when there was one.
    virtual BOOL FillDefaultCaption(CKGPToolbarButton* pButton);

    // The customise button at the bar's end: enabling updates or creates it
    // (iCustomizeCmd 0: no customise entry), disabling deletes it; the bar is
    // re-fitted either way.
    void EnableCustomizeButton(BOOL bEnable, int iCustomizeCmd, const CString& strCustomizeText,
                               BOOL bQuickCustomize = TRUE);
    CCustomizeButton* GetCustomizeButton() const { return m_pChevron; }
    // The bar's parent is a rebar (the bar fills one of its bands).
    BOOL IsInRebar() const;
    // Captions under the images on horizontal bars (not on a menu bar).
    void EnableTextLabels(BOOL bEnable = TRUE);
    BOOL AreTextLabels() const { return m_bCaptionsUnderImages; }
    virtual BOOL AllowChangeTextLabels() const { return !m_bIsMenuBar; }
    // Whether the customisation sheet's toolbars page lists the bar to show,
    // hide and reset (not a toolbar a pane or a menu keeps inside it).
    virtual BOOL ShowsOnToolbarsList() const { return TRUE; }
    // Whether the bar follows the library-wide large-icons mode.
    void EnableLargeIcons(BOOL bEnable) { m_bFollowLargeIcons = bEnable; }
    // A floating bar lays itself out again; a docked one is re-fitted in its frame.
    virtual void RefitAfterChange();

    // TRUE when the bar's id lies in the range the program's library frame
    // keeps for the user's own toolbars.
    BOOL IsInFrameIdRange() const;
    // On a menu bar every button is a text-only menu item.
    virtual BOOL IsMenuItemButton(CKGPToolbarButton* /*pButton*/) const { return m_bIsMenuBar; }
    // Where the popups of the bar's menu buttons open: 2 above the button,
    // 3 at its right, 4 at its left; 0 (here) as the button places them.
    virtual int GetMenuDropDirection() const { return 0; }
    // Whether a button dragged off the bar (move effect) leaves it, and
    // whether Alt-drag may move the bar's buttons.
    virtual BOOL AllowsRemoveOnDragOut(CKGPToolbarButton* /*pButton*/, DWORD /*dwDropEffect*/) { return TRUE; }
    virtual BOOL AllowsAltDrag() const { return TRUE; }
    // The rectangle an insertion marker at the button refers to: the button,
    // or with bRowEnd on a button that ends its row, the strip below the row.
    virtual void ButtonRectForMarker(CKGPToolbarButton* pButton, CRect& rect, BOOL bRowEnd) const;
    // Removes the insertion marker (unless the bar takes no drops).
    virtual void ClearInsertMarker();

    // ---- Siblings ----
    // Links the two bars both ways (null: unlinks this bar's sibling).
    // bSiblingSide: TRUE when this bar, FALSE when the sibling, leaves a row
    // the two share.
    void SetSiblingToolBar(CKGPToolBar* pSibling, BOOL bSiblingSide = FALSE);
    CKGPToolBar* GetSiblingToolBar() const { return m_pSibling; }
    // Moves one of the two into a row of its own when they share one; TRUE when it did.
    BOOL SeparateFromSibling();
    // The index of the button under the point (client coordinates); -1 for
    // none or a separator.
    virtual int HitTest(CPoint point);

    // Where a button dropped at the point (client coordinates) would go: the
    // index (-1: nowhere) and the rectangle of the insertion marker.
    virtual int DropIndexAt(CPoint point, CRect& rectMarker) const;
    // The marker shown in customisation mode while a button is dragged over
    // the bar (-1: none); it repaints where it was and where it goes.
    void SetInsertMarker(int iIndex, const CRect& rectMarker);
    int GetInsertMarker() const { return m_customize.markIndex; }
    const CRect& GetInsertMarkerRect() const { return m_customize.markRect; }
    virtual void DrawInsertMarker(CDC* pDC);
    // Whether the button starts or ends a group of the bar's shown buttons
    // (never for the customise button, which no group counts).
    BOOL IsGroupEdge(const CKGPToolbarButton& button, BOOL bStart) const;
    // The style bits of a button. Setting them repaints it unless it stays
    // pressed; a disabled button is not pressed.
    UINT GetButtonStyle(int iIndex) const;
    virtual void SetButtonStyle(int iIndex, UINT nStyle);
    // Runs the command UI of every button against the target (user tools
    // without the no-handler rule), then of the embedded controls while
    // m_bDisableUnhandledControls is set.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;
    BOOL m_bDisableUnhandledControls = TRUE;
    // Runs the command UI of one button (before it is pressed); commands
    // without a handler are disabled only when the owning frame asks for it.
    void UpdateButton(int iIndex);
    // The status-bar prompt of a command goes to the owner (none in help mode).
    void ShowCommandMessageString(UINT uiCmdId);
    INT_PTR OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const override;
    // Registers a tool with the text callback for every button that is no
    // separator (tool id: index + 1), after deleting every tool registered
    // before; a button that registers its own tool (on its own window) does
    // so instead. Each tool's text carries its command's description (the
    // frame's message string) on a line of its own.
    void UpdateTooltips();
    CToolTipCtrl* GetToolTipCtrl() const { return m_tips.ctrl; }
    static BOOL s_bTooltips;
    // The shortcut keys of a command follow its tooltip text in brackets.
    static BOOL s_bTooltipShortcuts;
    // The tooltip text the bar's frame gives a button; FALSE when none does.
    virtual BOOL OnUserToolTip(CKGPToolbarButton* pButton, CString& strText) const;
    // Esc leaves the hot state; mouse and key messages reach the tooltip.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Captions are not replaced by command-UI texts.
    BOOL m_bKeepCaptions = FALSE;

    // ---- Resources and images ----
    // Builds the bar from a toolbar resource and its bitmaps (ids 0: none;
    // the normal bitmap defaults to the resource id). FALSE when the
    // resource or a given bitmap does not load; the bar then keeps no resource.
    virtual BOOL LoadFromResource(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                                  UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0, UINT uiNormalResID = 0);
    // The same call under the name the frames use.
    BOOL LoadToolBar(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                     UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0, UINT uiNormalResID = 0)
    {
        return LoadFromResource(uiResID, uiColdResID, uiMenuResID, bLocked, uiDisabledResID, uiMenuDisabledResID,
                                uiNormalResID);
    }
    // Bitmap resources of one bar (0: none).
    struct BitmapIds {
        UINT cold = 0, normal = 0, disabled = 0;
        UINT largeCold = 0, large = 0, largeDisabled = 0;
        UINT menu = 0, menuDisabled = 0;
        // The ids of the plain strips (the large ones none).
        static BitmapIds Of(UINT uiNormal, UINT uiCold, UINT uiMenu, UINT uiDisabled, UINT uiMenuDisabled);
    };
    virtual BOOL LoadFromResourceEx(UINT uiResID, const BitmapIds& bitmaps, BOOL bLocked);
    virtual BOOL LoadBitmaps(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                             UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0);
    // Loads the bitmaps into the shared strips (or a locked bar's own); the
    // normal one must load, and any other given one too.
    virtual BOOL LoadBitmapSet(const BitmapIds& ids, BOOL bLocked);
    // Replaces the buttons with plain ones for the ids (0: separator). With
    // bRemapImages they take consecutive images from the bar's first image;
    // without, only commands with a known image join, with that image.
    virtual BOOL SetButtons(const UINT* lpIDArray, int nIDCount, BOOL bRemapImages = TRUE);
    virtual BOOL HasResource() const { return m_nResourceId != 0; }
    // Runs after the bar was rebuilt from its resource, before the frame hears of it.
    virtual void AfterReset() {}
    // Whether the captions-under-images flag read with the bar's state is applied.
    virtual BOOL AcceptsStoredLabels() const { return TRUE; }
    virtual BOOL ResetToResource();
    // Compares the resource buttons stored with the bar's state with those of
    // the resource now: commands the resource lost leave the bar, new ones
    // (and separators) join it at their place. TRUE when the resource changed.
    BOOL MergeResourceButtons(const CObList& lstStored);
    virtual BOOL WasResourceChanged() const { return m_bResourceChanged; }
    // The buttons as the resource defined them, and as they stood after the
    // frame's reset handler ran (kept with the bar's state).
    const CObList& GetResourceButtons() const { return m_lstResourceButtons; }
    // The resource's buttons the bar no longer holds, each with its place in
    // the resource list (separators counted): separators and commands the bar
    // holds (on a button, in a drop-down button's toolbar or among a menu
    // button's items) are left out.
    std::vector<std::pair<int, const CKGPToolbarButton*>> GetMissingResourceButtons() const;
    // The button of a resource command as the bar holds one: its command's
    // image, locked as the bar is.
    std::unique_ptr<CKGPToolbarButton> MakeResourceButton(const CKGPToolbarButton& resource) const;
    const CObList& GetAfterResetButtons() const { return m_lstAfterResetButtons; }
    UINT GetResourceID() const { return m_nResourceId; }

    // Sizes of the unlocked bars (shared strips) and of a locked bar (own strips).
    static void SetSizes(SIZE sizeButton, SIZE sizeImage);
    void SetLockedSizes(SIZE sizeButton, SIZE sizeImage);
    // The normal strip the bar draws from: its own on a locked bar.
    const CKGPToolBarImages& GetImages() const { return *Strips().normal; }
    CSize GetCurrentButtonSize() const;
    // A button on this bar counts the visual manager's extra size.
    virtual BOOL WantsExtraButtonSize() const { return TRUE; }
    static void ResetAllImages();
    // The bar becomes locked with copies of the source bar's normal, cold
    // and disabled strips and its sizes (a drop-down bar shows another
    // bar's buttons).
    void CopyImagesFrom(const CKGPToolBar& source);
    // The strips a locked bar filled for itself.
    const CKGPToolBarImages& GetColdImages() const { return *Strips().cold; }
    const CKGPToolBarImages& GetMenuImages() const { return *Strips().menu; }
    // Large-icons mode: every bar that follows it shows its buttons (and the
    // large images when it has them) at the large scale.
    static void SetLargeIcons(BOOL bLargeIcons);
    BOOL m_bFollowLargeIcons = TRUE;
    static double s_dLargeScale;
    // Without a cold bitmap, cold images are made as pale copies (this percent).
    static BOOL s_bMakeColdImages;
    static int s_nColdImageParam;


    // ---- Layout ----
    // The distance of two rows less their gap, and the width of a column.
    virtual int RowHeight() const;
    virtual int ColumnWidth() const;
    // The height of the tallest shown button (the row height inside a rebar).
    virtual int MeasureRowHeight();
    // Breaks the rows so that they fit the width while the next row still
    // fits the height (a floating bar has no height limit); the row count.
    int WrapToolBar(int nWidth, int nHeight = 32767, CDC* pDC = nullptr, int nColumnWidth = -1, int nRowHeight = -1);
    // Places the buttons in the client area; buttons with no room before a
    // docked bar's customise button are listed under it.
    virtual void AdjustLocations();
    // Fits the window (or its rebar band) to the laid-out size, then places
    // the buttons and repaints.
    virtual void AdjustLayout();
    // A bar inside a tab window: the toolbar holding that tab window lays
    // itself out again (after a button came or went).
    void RefitEnclosingToolbar();
    CSize CalcSize(BOOL bVertDock) override;
    // Floating: the rows wrapped to the width given, or to the narrowest width
    // whose rows fit the height given (the width a row of all buttons takes
    // when none does); the width kept as the bar's recent one.
    CSize CalcSizeForLength(int nLength, BOOL bHorz) override;
    // A bar whose customise button offers its customise entry asks for the
    // menu button beside its close button.
    DWORD GetFloatingCaptionButtons() const override;
    // The bar's menu dropped under its floating frame's menu button: the
    // bar's name leading to its buttons (to show or hide), then the
    // customise entry; its customise button owns it.
    BOOL ShowCaptionMenu(CWnd* pMiniFrame, const CRect& rectButton) override;
    // The size for a length and the layout-mode bits (LM_...).
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    // The strip a button draws from in its state (its bar's own on a locked bar).
    virtual CKGPToolBarImages* StripFor(const CKGPToolbarButton& button, BOOL bHighlighted);
    // Draws over the bar's background before the buttons (nothing here).
    virtual void OnFillBackground(CDC* /*pDC*/, const CRect& /*rectClient*/) {}
    // Draws a separator: a line across the bar's direction (across a row
    // break, a line along it in the gap below the row).
    virtual void DrawSeparatorButton(CDC* pDC, const CKGPToolbarButton& separator, const CRect& rectClient, BOOL bHorz);
    // Draws a shown button that meets the clip box with the strip given.
    virtual BOOL DrawButton(CDC* pDC, CKGPToolbarButton* pButton, CKGPToolBarImages* pImages, BOOL bHighlighted,
                            BOOL bDrawDisabledImages = TRUE);
    // The hot button unless another one is pressed; the pressed one while the
    // pointer is over it.
    BOOL IsButtonHighlighted(int iIndex) const;
    // Passed to every button's drawing: frame the hot and pressed buttons,
    // draw disabled buttons grey.
    BOOL m_bDrawOptionA = TRUE;
    BOOL m_bDrawOptionB = TRUE;
    // The text colour of all toolbars (-1: the global button-text colour).
    static COLORREF s_clrText;
    static COLORREF GetDefaultTextColor();
    // The bar whose button is selected in customisation mode.
    static CKGPToolBar* s_pCustomSelBar;
    // Upper limit of a stretched bar's length (0: none).
    int m_nMaxStretch = 0;

    // ---- Stored state ----
    // nID: the bar id (the control id when -1); nIndex: an instance id (-1: none).
    // Loading (LoadState, Serialize) reads the buttons, the reference lists and
    // the control bar's values before it changes the bar; damaged data leaves
    // the bar as it was (LoadState answers FALSE, Serialize throws).
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nID = -1, int nIndex = -1) override;
    BOOL ReadState(CKGPStoredLoad& load, LPCTSTR lpszProfileName, int nID, int nIndex) override;
    BOOL DeleteStoredState(LPCTSTR lpszProfileName = nullptr, int nID = -1, int nIndex = -1);
    void Serialize(CArchive& ar) override;
    void ReadArchive(CArchive& ar, CKGPStoredLoad& load) override;
    static BOOL LoadParameters(LPCTSTR lpszProfileName = nullptr);

    BOOL IsLocked() const { return m_images.IsLocked(); }
    int GetHotButton() const { return m_track.hot; }
    // No button stays hot; the owner shows the idle prompt.
    void LeaveHotState();
    // Makes the button hot from the keyboard (the same index again clears
    // the keyboard-hot one).
    virtual void ChangeHot(int iIndex);
    int GetKeyHotButton() const { return m_track.keyHot; }
    // The button whose shown caption marks the character with "&" runs its
    // command; FALSE when none does.
    virtual BOOL ProcessMnemonic(UINT nChar);
    // While a menu button's popup is open: the previous (next) menu button
    // that is not disabled opens its popup instead, its first item selected.
    // FALSE when none does.
    virtual BOOL PrevMenuButton();
    virtual BOOL NextMenuButton();
    // The menu button of the bar whose popup is open; null when none is.
    CKGPToolbarMenuButton* GetDroppedDownMenu() const;
    // Posts the button's command to the owner; FALSE for a button without one.
    BOOL InvokeCommand(const CKGPToolbarButton& button);

    // ---- Commands ----
    // Where commands go: the owner (or parent), or that window's frame when
    // m_bCommandsToFrame is set and it is no frame.
    virtual CWnd* CommandTarget() const;
    // The frame whose command handlers the buttons' command UI asks: the
    // command target's, or the bar's own frame.
    virtual CFrameWnd* CommandFrame() const;
    BOOL m_bCommandsToFrame = TRUE;
    // A release over the pressed button sends its command unless this answers TRUE.
    virtual BOOL HandledOnRelease(CKGPToolbarButton* /*pButton*/) { return FALSE; }
    // Whether disabled buttons become hot.
    virtual BOOL HighlightsDisabled() const { return FALSE; }
    // Whether the hot button stays hot when the mouse leaves the bar.
    virtual BOOL KeepsHotOnLeave() const { return FALSE; }
    // The command of an embedded control goes to the owner (posted, with the
    // notify code in the high word); FALSE when the button refuses it.
    virtual BOOL NotifyControlCommand(CKGPToolbarButton* pButton, BOOL bAccelerator, int nNotifyCode, WPARAM wParam,
                                      LPARAM lParam);
    // While set, the bar refuses buttons dragged onto it.
    BOOL m_bDropsElsewhere = FALSE;
    // Set before the window is made: the bar registers no drop target, so no
    // button dragged in customisation mode lands on it.
    BOOL m_bSkipDropTarget = FALSE;
    // Set before the window is made: the bar registers its drop target only
    // when customisation mode starts (at once when it is made in the mode),
    // the only time a drop lands. A bar made and destroyed often (a popup
    // menu's, each time its menu opens) saves the registration so.
    BOOL m_bDropTargetWhenCustomizing = FALSE;

    // ---- Customisation and help ----
    // Library-wide customisation mode: every live bar is told (OnCustomizeMode),
    // lays itself out and repaints; leaving the mode forgets the selected bar.
    static void SetCustomizeMode(BOOL bSet);
    static BOOL IsCustomizeMode() { return s_bCustomizing; }
    // The button being dragged out of its bar now; null when none is.
    static CKGPToolbarButton* GetDraggedButton();
    // Buttons leave their states; embedded controls are off while customising.
    virtual void OnCustomizeMode(BOOL bSet);
    // Alt and a drag move a button outside customisation mode when allowed.
    static BOOL s_bAltDragAllowed;
    // Menu bars open a menu whose button the pointer rests on (off by default):
    // a change of the button under the pointer starts the hover timer (20),
    // 1300 ms for a menu button whose menu waits to open, else 500 ms.
    static BOOL s_bMenuHoverOpening;
    // Library-wide help mode: a thread mouse hook keeps the button under the
    // pointer hot; a help hit test on a button answers its help id and ends it.
    static void SetHelpMode(BOOL bOn = TRUE);
    static BOOL IsHelpMode();
    // Sets up the customisation menu of the button (checks and enabled
    // entries): the button's own set-up, else the bar's.
    virtual BOOL EnableContextMenuItems(CKGPToolbarButton* pButton, CMenu* pPopup);
    // The bar's set-up of those entries, which a button's own may build on.
    BOOL SetCustomizeMenuStates(CKGPToolbarButton* pButton, CMenu* pPopup);
    // The button carried by dragged data, made ready for this bar; null when
    // there is none (or its appearance dialog was cancelled). The caller owns it.
    virtual CKGPToolbarButton* CreateDroppedButton(COleDataObject* pDataObject);
    // A drag entering the bar: refused unless the bar drops elsewhere.
    virtual DROPEFFECT DragEnterQuery(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    // A button dragged over the bar: the marker where it would land; copy
    // with Ctrl, else move; none on a locked bar or where it cannot land.
    virtual DROPEFFECT DragOverBar(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    // A button dropped: inserted at the marker (a move within the bar leaves
    // its old place first). FALSE when refused.
    virtual BOOL DropButton(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // A button dropped onto its own place: moved 6 pixels or more along the
    // bar it begins (forward) or leaves (backward) a group.
    virtual void NudgeButton(CKGPToolbarButton* pButton, CPoint ptDragStart, CPoint ptDrop);
    int GetCustomizeSelection() const { return m_customize.selected; }
    // The command ids of the customisation menu.
    static CString GetCustomizeCommandText(UINT uiCmd);
    // One more use of the command.
    static void AddCommandUsage(UINT uiCommand);
    // Whether menus may hide the command as rarely used.
    static BOOL IsCommandRarelyUsed(UINT uiCommand);
    // Ids the library keeps for itself: recent files and windows, system
    // commands, 0xFF00 and up, and the user tools' menu entry.
    static BOOL IsReservedCommandId(UINT uiCommand);

    // Every live toolbar, in creation order.
    static const CObList& GetAllToolbars() { return s_lstAllBars; }
    // Every button of every live toolbar that carries the command; the count.
    static int GetCommandButtons(UINT uiCmd, CObList& listButtons);
    // Forbidden commands never stand on a bar (refused on insertion, dropped
    // from stored state).
    static BOOL IsCommandPermitted(UINT uiCmd);
    static void SetForbiddenCommands(const CList<UINT, UINT>& commands);
    static CCmdUsageCount s_usage;
    static LPCTSTR s_strRegSection;

protected:
    // A copy of the button, of its own class.
    static std::unique_ptr<CKGPToolbarButton> CopyOf(const CKGPToolbarButton& button);
    // Appends the customise button (a set-aside copy) as the last button.
    void AttachChevron(std::unique_ptr<CKGPToolbarButton> pChevron);
    // The tools follow the buttons at these indexes after a layout (all are
    // registered again when the buttons are others).
    void UpdateTooltipRects(const std::vector<int>& moved);
    // The hover timer starts again for the button at the index (-1: stops).
    void RestartHoverTimer(int iIndex);
    // Every button is a text-only menu item (a menu bar, a popup's bar).
    BOOL m_bIsMenuBar = FALSE;
    static constexpr UINT_PTR kHoverTimer = 20;
    // The button under the pointer when the hover timer started (-10: none).
    int HoverTimerButton() const { return m_track.hoverTimer; }
    // The buttons as the bar's resource defines them (a menu bar builds
    // them from its menu resource).
    CKGPToolbarButtonList& ResourceButtonList() { return m_lstResourceButtons; }
    // The prefix of the window class the bar registers and is made of.
    virtual LPCTSTR WindowClassPrefix() const { return _T("KGPToolBar"); }
    // Whether the bar makes its tooltip control with its window; one that
    // answers FALSE makes it when the mouse first moves over the bar.
    virtual BOOL MakesTipsWithWindow() const { return TRUE; }
    // Makes the button hot without the menu rules of ChangeHot: the old and
    // new buttons repaint, and in customisation mode the new one is selected.
    void SetHotButton(int iIndex);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Commands of the buttons' embedded controls.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // TB_BUTTONCOUNT, TB_GETITEMRECT, TB_GETBUTTON and TB_GETBUTTONTEXTW as the
    // toolbar control answers them.
    LRESULT OnToolbarMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateToolTips(WPARAM wParam, LPARAM lParam);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnMouseLeave();
    afx_msg void OnDestroy();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnResetPrompt(WPARAM wParam, LPARAM lParam);
    afx_msg void OnResetImage();
    afx_msg void OnCopyImage();
    afx_msg void OnDeleteButton();
    afx_msg void OnAppearance();
    afx_msg void OnImageOnly();
    afx_msg void OnTextOnly();
    afx_msg void OnImageAndText();
    afx_msg void OnBeginGroup();
    afx_msg void OnNewMenu();
    DECLARE_MESSAGE_MAP()

private:
    // The eight strips the bar draws from: its own on a locked bar, else the shared ones.
    KGPToolBarStrips Strips() const { return m_images.Strips(); }
    // The strips and sizes the bar draws with, whether it is locked, and
    // where its bitmap begins in its strip.
    CKGPToolBarImageSet m_images;
    // The selection, the resize, the drag and the insertion marker of
    // customisation, and the bar's drop target.
    CKGPToolBarCustomizeState m_customize;
    // The pressed and hot buttons, the pointer, the hover timer, the capture
    // and focus to give back, and the mnemonics.
    CKGPToolBarTracking m_track;
    // The tooltip control and what its tools were made for.
    CKGPToolBarTipState m_tips;
    CString StateKey(LPCTSTR lpszProfileName, int nID, int nIndex) const;
    // What an archive of the bar holds, read and checked, not yet the bar's.
    struct StoredButtons;
    void TakeStoredButtons(StoredButtons& stored);
    // Loaded buttons tell the command manager their images, in list order.
    static void RecordLoadedImages(const CObList& buttons);
    // Every button measured on the bar (the customise button only when asked).
    std::vector<kgp::BarItem> MeasureItems(CDC* pDC, BOOL bHorz, BOOL bWithChevron, CSize sizeDefault = CSize(-1, -1));
    int Wrap(BOOL bHorz, int nWidth, int nHeight, CDC* pDC, int nColumnWidth, int nRowHeight);
    int FitRowHeight(std::vector<kgp::BarItem>& items, BOOL bHorz) const;
    void FitRebarBand();
    void FitWindow();
    void RepaintButton(int iIndex);
    void SendIdlePrompt();
    // The capture taken for a press and given back to the window that had it.
    void TakeCapture();
    void GiveCaptureBack();
    void PressForCustomizing(int iIndex, CPoint point);
    // Drags the button by OLE drag and drop; a move that ends elsewhere takes
    // it off this bar. Whether the button was dragged (the mouse left it
    // while pressed).
    BOOL DragButton(int iIndex);
    // Steps from the open menu button to another by the given step (-1, 1).
    BOOL StepMenuButton(int nStep);
    // Opens the menu button's popup with its first item selected.
    static BOOL OpenWithFirstItem(CKGPToolbarMenuButton* pButton);
    // The selected button's appearance, edited; TRUE on OK.
    BOOL EditSelectedAppearance(CKGPToolbarButton* pButton);
    BOOL ShowSelectedImage(CKGPToolbarButton* pButton, BOOL bCaption);
    // Re-lays out, re-fits and repaints after a customisation command.
    void AfterCustomizeChange();
    // The window's text as last set (WM_NCCREATE, WM_SETTEXT).
    CString m_strWindowText;
    static LRESULT CALLBACK HelpMouseHook(int nCode, WPARAM wParam, LPARAM lParam);
    void SelectForCustomizing(int iIndex);
    void DrawResizeFrame(const CRect& rect);
    void TrackResize(CPoint point);
    void EndResize(CPoint point);


    void RunCommandUI(int iIndex, CFrameWnd* pTarget, BOOL bDisableIfNoHandler);
    BOOL OnNeedTipText(NMHDR* pNMHDR);
    void RecreateToolTip();
    // Registers the bar's drop target unless it has one or takes no drops.
    void RegisterDropTarget();
    using ButtonTool = CKGPToolBarTipState::ButtonTool;
    std::vector<ButtonTool> ToolKinds() const;
    // The frame's message string for the command, when it says more than the
    // tooltip's own text; empty otherwise.
    CString ToolDescription(UINT uiCmd, const CString& strTip) const;
    // The frame whose accelerators give the shortcut texts.
    CFrameWnd* ShortcutFrame() const;
    void RebuildMnemonics();
    static WCHAR UpperMnemonic(WCHAR ch);
    std::vector<kgp::PlacedItem> PlacedItems() const;
    // Takes the button out of the list and deletes it; the indexes that named
    // it are forgotten, those after it move down.
    void DeleteButtonAt(int iIndex);
    void RemoveEndingSeparators();
    // One separator of each pair that stands together goes.
    void RemoveDoubledSeparators();
    void RecordResourceButtons(const UINT* lpIDArray, int nIDCount);
    void RecordAfterResetButtons();
    void SaveResourceButtons(CKGPRegistry& reg);
    void LoadResourceButtons(CKGPRegistry& reg, CKGPStoredLoad& load);
    CKGPToolbarButtonList m_lstResourceButtons;
    CKGPToolbarButtonList m_lstAfterResetButtons;
    BOOL m_bResourceChanged = FALSE;

    CKGPToolbarButtonList m_lstButtons;
    UINT m_nResourceId = 0;
    BOOL m_bCaptionsUnderImages = FALSE;
    BOOL m_bRoundedRegion = FALSE;
    CSize m_sizeLast;
    void UpdateRoundedRegion();
    BOOL m_bRebarRowHeight = FALSE;
    int m_nRebarRowHeight = 0;
    CCustomizeButton* m_pChevron = nullptr;
    BOOL m_bChevronFlag = FALSE;
    BOOL m_bSiblingLinked = FALSE;
    BOOL m_bSiblingSide = FALSE;
    CKGPToolBar* m_pSibling = nullptr;
    void ForgetSibling();

    void LeaveListOfBars();
    void RemoveForbiddenButtons();

    static CObList s_lstAllBars;
    static CList<UINT, UINT> s_lstForbiddenCommands;
};
