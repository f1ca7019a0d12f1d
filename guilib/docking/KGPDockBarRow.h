// One row of a dock bar: the bars lying side by side across the dock bar at
// one offset, kept inside the row and apart by the row arrangement.
#pragma once

#include <afxwin.h>
#include <afxext.h>

#include <vector>

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
    BOOL MoveBarInRow(CKGPControlBar* pBar, int dx, int dy, BOOL bAllowSwap);
    // The dock bar's length changed to the given client rectangle's.
    void ResizeRow(const CRect& rectNew);
    void RestoreBarSizes();
    // Every bar back to its full-size rectangle (bToVirtual), or the full-size
    // rectangles recomputed from the windows.
    void RepositionBars(BOOL bToVirtual, CKGPControlBar* pSkipBar = nullptr);

    BOOL m_bIncludeHidden = FALSE;
    int m_nExtraHeight = 0;

private:
    std::vector<CKGPControlBar*> CountedBars() const;
    int RowLength() const;
    // Runs `operation` on the counted bars' spans and moves the bars that changed.
    template <class Operation>
    void Rearrange(CKGPControlBar* pFocus, Operation operation);
    void LoadSpans(CKGPRowArrangement& row, const std::vector<CKGPControlBar*>& bars) const;
    void ApplySpans(const CKGPRowArrangement& row, const std::vector<CKGPControlBar*>& bars);

    CKGPDockBar* m_pParentDockBar;
    CObList m_lstControlBars;
    int m_nRowOffset;
    int m_nRowHeight;
    DWORD m_dwRowAlignment;
    BOOL m_bVisible = TRUE;
    BOOL m_bArranging = FALSE;
};
