// The frame's smart-docking state as the docking layer reads it: whether a
// smart-docking drag runs and which marker the cursor is over. The markers'
// windows, images and the place marker come with the smart-docking issue; the
// dock manager owns one of these per frame.
#pragma once

#include <afxwin.h>

// The parameters of the markers (library-wide, kept by the dock manager).
struct CKGPSmartDockingParams {
    CSize m_sizeTotal{93, 93};
    int m_nCentralGroupOffset = 5;
    COLORREF m_clrTransparent = RGB(255, 0, 255);
    COLORREF m_clrToneSrc = static_cast<COLORREF>(-1);
    COLORREF m_clrToneDest = static_cast<COLORREF>(-1);
    UINT m_uiMarkerBmpResID[5]{};
    UINT m_uiMarkerLightBmpResID[5]{};
    COLORREF m_clrBaseBackground = static_cast<COLORREF>(-1);
    COLORREF m_clrBaseBorder = static_cast<COLORREF>(-1);
    BOOL m_bUseThemeColorInShading = FALSE;
};

class CKGPSmartDockingManager {
public:
    // Markers: 0-3 the frame's outer edges (left, right, top, bottom), 4-7 the
    // central group's sides in the same order, 8 its centre.
    static constexpr int kNoMarker = -1;

    void Start(CWnd* pDraggedWnd)
    {
        m_pDraggedWnd = pDraggedWnd;
        m_bStarted = TRUE;
        m_nHotMarker = kNoMarker;
    }
    void Stop()
    {
        m_bStarted = FALSE;
        m_pDraggedWnd = nullptr;
        m_nHotMarker = kNoMarker;
    }
    BOOL IsStarted() const { return m_bStarted; }
    // Active while a dragged window is shown the markers.
    BOOL IsActive() const { return m_bStarted && m_pDraggedWnd != nullptr; }
    void SetHotMarker(int nMarker) { m_nHotMarker = nMarker; }
    int GetHotMarker() const { return m_nHotMarker; }

private:
    BOOL m_bStarted = FALSE;
    CWnd* m_pDraggedWnd = nullptr;
    int m_nHotMarker = kNoMarker;
};
