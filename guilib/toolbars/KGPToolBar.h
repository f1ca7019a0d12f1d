// The library's customisable toolbar: a dockable bar that owns a list of
// buttons, lays them out in rows, paints them through the visual manager,
// presses and releases them to send their commands, is built from toolbar
// resources and keeps its buttons in the registry.
#pragma once

#include "guilib/core/KGPToolBarImages.h"
#include "guilib/toolbars/KGPBaseToolBar.h"
#include "guilib/toolbars/KGPCommandManager.h"
#include "guilib/toolbars/KGPToolBarMath.h"
#include "guilib/toolbars/KGPToolBarShared.h"
#include "guilib/toolbars/KGPToolbarButton.h"

#include <map>
#include <vector>

class CKGPRegistry;
class CKGPStoredLoad;

class CKGPToolBar : public CKGPBaseToolBar, public CKGPToolBarShared {
    DECLARE_SERIAL(CKGPToolBar)
public:
    CKGPToolBar() = default;
    ~CKGPToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR) override;

    // ---- Buttons ----
    // Inserts a copy of the button (of the button's own class); the index or -1.
    virtual int InsertButton(const CKGPToolbarButton& button, int iInsertAt = -1);
    virtual int InsertSeparator(int iInsertAt = -1);
    void RemoveAllButtons();
    int GetCount() const { return static_cast<int>(m_lstButtons.GetCount()); }
    CKGPToolbarButton* GetButton(int iIndex) const;
    int CommandToIndex(UINT nID) const;
    // The index of the button under the point (client coordinates); -1 for
    // none or a separator.
    virtual int HitTest(CPoint point);

    // Where a button dropped at the point (client coordinates) would go: the
    // index (-1: nowhere) and the rectangle of the insertion marker.
    virtual int DropIndexAt(CPoint point, CRect& rectMarker) const;
    // The marker shown in customisation mode while a button is dragged over
    // the bar (-1: none); it repaints where it was and where it goes.
    void SetInsertMarker(int iIndex, const CRect& rectMarker);
    int GetInsertMarker() const { return m_nInsertMarkIndex; }
    virtual void DrawInsertMarker(CDC* pDC);
    // Whether the button starts or ends a group of the bar's shown buttons.
    BOOL IsGroupEdge(const CKGPToolbarButton& button, BOOL bStart) const;
    // The style bits of a button; setting them repaints it when they change.
    UINT GetButtonStyle(int iIndex) const;
    void SetButtonStyle(int iIndex, UINT nStyle);
    // Runs the command UI of every button against the target.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;
    // Runs the command UI of one button (before it is pressed); commands
    // without a handler are disabled only when the owning frame asks for it.
    void UpdateButton(int iIndex);
    // The status-bar prompt of a command goes to the owner.
    void ShowCommandMessageString(UINT uiCmdId);
    INT_PTR OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const override;
    // Registers a tool with the text callback for every button that is no
    // separator (tool id: index + 1), after deleting the ones registered before.
    void UpdateTooltips();
    CToolTipCtrl* GetToolTipCtrl() const { return m_pTipCtrl; }
    static BOOL s_bTooltips;
    // Esc leaves the hot state; mouse and key messages reach the tooltip.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Captions are not replaced by command-UI texts.
    BOOL m_bKeepCaptions = FALSE;

    // ---- Resources and images ----
    // Builds the bar from a toolbar resource and its bitmaps (ids 0: none;
    // the normal bitmap defaults to the resource id).
    virtual BOOL LoadToolBar(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                             UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0, UINT uiHotResID = 0);
    // Replaces the buttons with plain ones for the ids (0: separator); each
    // takes the image its command has.
    virtual BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    BOOL ResetToResource();
    // Compares the resource buttons stored with the bar's state with those of
    // the resource now: commands the resource lost leave the bar, new ones
    // (and separators) join it at their place. TRUE when the resource changed.
    BOOL MergeResourceButtons(const CObList& lstStored);
    BOOL WasResourceChanged() const { return m_bResourceChanged; }
    // The buttons as the resource defined them, and as they stood after the
    // frame's reset handler ran (kept with the bar's state).
    const CObList& GetResourceButtons() const { return m_lstResourceButtons; }
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
    int RowHeight() const { return GetCurrentButtonSize().cy; }
    int ColumnWidth() const { return GetCurrentButtonSize().cx; }
    static void ResetAllImages();
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

    // Bitmap resources of one bar (0: none).
    struct BitmapIds {
        UINT cold = 0, normal = 0, disabled = 0;
        UINT largeCold = 0, large = 0, largeDisabled = 0;
        UINT menu = 0, menuDisabled = 0;
    };
    // Loads the bitmaps into the shared strips (or a locked bar's own); the
    // normal one must load, and any other given one too.
    BOOL LoadBitmapSet(const BitmapIds& ids, BOOL bLocked);

    // ---- Layout ----
    int WrapToolBar(int nWidth, int nHeight = 32767, CDC* pDC = nullptr, int nColumnWidth = -1, int nRowHeight = -1);
    void AdjustLocations();
    virtual void AdjustLayout();
    CSize CalcSize(BOOL bVertDock) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    virtual BOOL DrawButton(CDC* pDC, CKGPToolbarButton* pButton, CKGPToolBarImages* pImages, BOOL bHighlighted);

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

    BOOL IsLocked() const { return m_bLockedBar; }
    int GetHotButton() const { return m_nHotIndex; }
    // No button stays hot; the owner shows the idle prompt.
    void LeaveHotState();
    // Makes the button hot from the keyboard (the same index again clears
    // the keyboard-hot one).
    virtual void ChangeHot(int iIndex);
    int GetKeyHotButton() const { return m_nKeyHotIndex; }
    // The button whose shown caption marks the character with "&" runs its
    // command; FALSE when none does.
    virtual BOOL ProcessMnemonic(UINT nChar);
    // Posts the button's command to the owner; FALSE for a button without one.
    BOOL InvokeCommand(const CKGPToolbarButton& button);

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
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnMouseLeave();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The eight strips a bar draws from: its own on a locked bar, else the shared ones.
    struct StripRefs {
        CKGPToolBarImages* normal;
        CKGPToolBarImages* cold;
        CKGPToolBarImages* disabled;
        CKGPToolBarImages* large;
        CKGPToolBarImages* largeCold;
        CKGPToolBarImages* largeDisabled;
        CKGPToolBarImages* menu;
        CKGPToolBarImages* menuDisabled;
    };
    StripRefs Strips() const;
    static StripRefs SharedStrips();
    static void SetStripSizes(const StripRefs& strips, CSize image);
    BOOL UpdateOwnSizesNow();
    CString StateKey(LPCTSTR lpszProfileName, int nID, int nIndex) const;
    // What an archive of the bar holds, read and checked, not yet the bar's.
    struct StoredButtons;
    void TakeStoredButtons(StoredButtons& stored);
    // Loaded buttons tell the command manager their images, in list order.
    static void RecordLoadedImages(const CObList& buttons);
    template <class Place>
    void ForEachPlace(BOOL bHorz, Place place);
    void RepaintButton(int iIndex);
    CKGPToolBarImages* StripFor(const CKGPToolbarButton& button, BOOL bHighlighted);
    void SendCommand(UINT nCommand);

    CWnd* MessageTarget() const;
    // The frame whose command handlers the buttons' command UI asks.
    CFrameWnd* CommandFrame() const;
    void RunCommandUI(int iIndex, CFrameWnd* pTarget, BOOL bDisableIfNoHandler);
    BOOL OnNeedTipText(NMHDR* pNMHDR);
    void RecreateToolTip();
    void RebuildMnemonics();
    static WCHAR UpperMnemonic(WCHAR ch);
    int m_nKeyHotIndex = -1;
    // Upper-case mnemonic to button index.
    std::map<WCHAR, int> m_mapMnemonics;
    std::vector<kgp::PlacedItem> PlacedItems() const;
    static CKGPToolbarButton* CopyOf(const CKGPToolbarButton& button);
    void RecordResourceButtons(const UINT* lpIDArray, int nIDCount);
    void RecordAfterResetButtons();
    void SaveResourceButtons(CKGPRegistry& reg);
    void LoadResourceButtons(CKGPRegistry& reg, CKGPStoredLoad& load);
    CKGPToolbarButtonList m_lstResourceButtons;
    CKGPToolbarButtonList m_lstAfterResetButtons;
    BOOL m_bResourceChanged = FALSE;
    int m_nInsertMarkIndex = -1;
    CRect m_rectInsertMark;
    CPen m_penInsertMark;
    CToolTipCtrl* m_pTipCtrl = nullptr;
    int m_nTools = 0;

    CKGPToolbarButtonList m_lstButtons;
    UINT m_nResourceId = 0;
    BOOL m_bLockedBar = FALSE;
    int m_nFirstImage = 0;
    int m_nPressedIndex = -1;
    int m_nHotIndex = -1;
    BOOL m_bCaptionsUnderImages = FALSE;

    void SetHot(int iIndex);
    void LeaveListOfBars();
    void RemoveForbiddenButtons();
    BOOL m_bLeaveTracking = FALSE;

    static CObList s_lstAllBars;
    static CList<UINT, UINT> s_lstForbiddenCommands;
    CKGPToolBarImages m_imgOwnNormal;
    CKGPToolBarImages m_imgOwnCold;
    CKGPToolBarImages m_imgOwnDisabled;
    CKGPToolBarImages m_imgOwnLarge;
    CKGPToolBarImages m_imgOwnLargeCold;
    CKGPToolBarImages m_imgOwnLargeDisabled;
    CKGPToolBarImages m_imgOwnMenu;
    CKGPToolBarImages m_imgOwnMenuDisabled;
    CSize m_sizeOwnButton{23, 22};
    CSize m_sizeOwnImage{16, 15};
    CSize m_sizeOwnButtonNow{23, 22};
    CSize m_sizeOwnImageNow{16, 15};
    // First image index of each normal bitmap loaded into the shared strip.
    static std::map<UINT, int> s_mapBitmapFirstImage;
};
