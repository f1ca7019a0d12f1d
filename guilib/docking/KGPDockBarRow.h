// One row of a dock bar: the bars lying side by side across the dock bar at
// one offset, kept inside the row and apart by the row arrangement.
#pragma once

#include <afxwin.h>
#include <afxext.h>

#include <vector>

// The platform headers still define an old memory call of this name as a macro.
#ifdef GetFreeSpace
#undef GetFreeSpace
#endif

class CKGPControlBar;
class CKGPDockBar;
class CKGPRowArrangement;

class CKGPDockBarRow : public CObject {
    DECLARE_DYNAMIC(CKGPDockBarRow)
public:
    CKGPDockBarRow(CKGPDockBar* pParentDockBar, int nOffset, int nHeight);
    ~CKGPDockBarRow() override = default;

    BOOL IsHorizontal() const { return (m_dwRowAlignment & CBRS_ORIENT_HORZ) != 0; }
    int GetRowOffset() const { return m_nRowOffset; }
    int GetRowHeight() const { return m_nRowHeight; }
    // In the dock bar's client coordinates, and on the screen.
    void GetClientRect(CRect& rect) const;
    void GetRowRect(CRect& rect) const;
    int GetBarCount() const { return static_cast<int>(CountedBars().size()); }
    BOOL IsEmpty() const { return m_lstControlBars.IsEmpty(); }
    BOOL IsVisible() const { return m_bVisible; }
    BOOL HasExclusiveBar() const;
    const CObList& GetControlBars() const { return m_lstControlBars; }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) const;
    int GetMaxBarExtent() const;
    int GetAvailableLength(BOOL bUseVirtual = FALSE) const;
    // The row's screen rectangle widened along the row to take in every counted bar.
    void GetWindowRectWithBars(CRect& rect) const;
    virtual int QueryRowValue() const { return 0; }
    // The group the bar belongs to: back to the nearest bar that starts a group,
    // then on to the first that ends one.
    void CollectFollowingBars(CKGPControlBar* pBar, CObList& list) const;
    // The first counted bar from the start (forward) or from the end; null when none.
    CKGPControlBar* GetFirstBar(BOOL bForward) const;
    // How far the bar sticks out before the row start (forward) or beyond its end.
    int GetOutsideAmount(CKGPControlBar* pBar, BOOL bForward) const;
    // Room beside the bar in the direction, less the bars lying that way.
    int GetFreeSpace(CKGPControlBar* pBar, BOOL bForward) const;

    void AddControlBar(CKGPControlBar* pBar, int method);
    void AddControlBarAt(CKGPControlBar* pBar, int method, LPCRECT lpRect, BOOL bAppendAfterLast);
    void InsertControlBar(CKGPControlBar* pBar);
    void RemoveControlBar(CKGPControlBar* pBar);
    BOOL ReplaceControlBar(CKGPControlBar* pOld, CKGPControlBar* pNew);
    BOOL ShowControlBar(CKGPControlBar* pBar, BOOL bShow, BOOL bDeferLayout);

    void ExpandHeight(int nDelta);
    void Move(int nDelta);
    void UpdateVisibleState(BOOL bAdjust);
    void ShowRow(BOOL bShow, BOOL bAdjust);

    void ArrangeBars(CKGPControlBar* pMovedBar);
    // Moves the bar along the row by the row-direction part of (dx, dy); with
    // bDefer the bars move in one deferred window-position batch.
    BOOL MoveBarInRow(CKGPControlBar* pBar, int dx, int dy, BOOL bAllowSwap, BOOL bDefer = FALSE);
    // The dock bar's length changed to the given client rectangle's; `nEdge` is
    // the WMSZ_ side that moved (-1 none). Bars shrink when short; with an edge
    // and bGrow they grow back towards their full sizes.
    void ResizeRow(const CRect& rectNew, int nEdge = -1, BOOL bGrow = FALSE, int nDelta = 0);
    void RestoreBarSizes();
    // Counted bars one after another from the row start plus nStart, nGap apart
    // (a bar that does not start a group overlaps the one before it).
    void PlaceBarsInSequence(int nStart, int nGap);

    // Moves along the row (deferred when a batch is given).
    HDWP MoveBarBy(CKGPControlBar* pBar, int nAmount, BOOL bForward, HDWP hdwp = nullptr);
    void MoveBarToOffset(CKGPControlBar* pBar, int nOffset);
    // To the row-direction coordinates of the rectangle (dock bar client), across unchanged.
    HDWP MoveBarToRect(CKGPControlBar* pBar, const CRect& rect, HDWP hdwp = nullptr);
    // From the bar in the direction, bars move by what is still to absorb of nAmount.
    void ShiftBars(CKGPControlBar* pBar, int nAmount, BOOL bForward);
    // A bar sticking out of the row comes back inside.
    void ClampToRow(CKGPControlBar* pBar);
    // One pass over every bar's layout rectangle: saved from the windows,
    // re-grown and arranged, then applied.
    void RecalcLayout();
    void SaveLayoutRects();
    void ApplyLayoutRects();
    void RedrawBars();
    // Every bar back to its full-size rectangle (bToVirtual), or the full-size
    // rectangles recomputed from the windows.
    void RepositionBars(BOOL bToVirtual, CKGPControlBar* pSkipBar = nullptr);

    BOOL m_bIncludeHidden = FALSE;
    int m_nExtraHeight = 0;
    // 1: the extra height also shifts the bars across the row when placed.
    int m_nFirstRowMark = 0;

private:
    std::vector<CKGPControlBar*> CountedBars() const;
    int RowLength() const;
    // Runs `operation` on the counted bars' spans and moves the bars that changed.
    template <class Operation>
    void Rearrange(CKGPControlBar* pFocus, Operation operation);
    void LoadSpans(CKGPRowArrangement& row, const std::vector<CKGPControlBar*>& bars) const;
    void ApplySpans(const CKGPRowArrangement& row, const std::vector<CKGPControlBar*>& bars);
    // A bar's rectangle the arrangement works on: its window (dock bar client
    // coordinates) or, in a deferred pass, its layout rectangle.
    CRect ArrangedRect(const CKGPControlBar* pBar) const;
    static int IndexOf(const std::vector<CKGPControlBar*>& bars, const CKGPControlBar* pBar);

    CKGPDockBar* m_pParentDockBar;
    CObList m_lstControlBars;
    int m_nRowOffset;
    int m_nRowHeight;
    DWORD m_dwRowAlignment;
    BOOL m_bVisible = TRUE;
    BOOL m_bArranging = FALSE;
    BOOL m_bOnLayoutRects = FALSE;
    HDWP m_hdwpBatch = nullptr;
};
