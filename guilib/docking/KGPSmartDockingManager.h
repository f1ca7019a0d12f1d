// The frame's smart-docking markers while a pane or floating frame is
// dragged: four side markers near the middle of the docking area's edges, the
// central group over the pane under the cursor, and the place marker showing
// where the dragged window would land. The dock manager owns one per frame
// and asks it which marker is under the cursor.
#pragma once

#include <afxwin.h>
#include <afxext.h>

#include "guilib/docking/KGPSDPlaceMarkerWnd.h"
#include "guilib/docking/KGPSmartDockingGeometry.h"

#include <array>
#include <memory>

class CKGPSmartDockingMarker;
class CKGPSDCentralGroup;
class CKGPSDCentralGroupMarker;

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

class CKGPSmartDockingManager : public CObject {
public:
    // Markers: 0-3 the frame's outer edges (left, right, top, bottom), 4-7 the
    // central group's sides in the same order, 8 its centre.
    static constexpr int kNoMarker = -1;

    CKGPSmartDockingManager();
    ~CKGPSmartDockingManager() override;
    CKGPSmartDockingManager(const CKGPSmartDockingManager&) = delete;
    CKGPSmartDockingManager& operator=(const CKGPSmartDockingManager&) = delete;

    // The markers' windows for the frame (of the classes given, the
    // library's own by default); old ones go first.
    BOOL Create(CWnd* pFrame, CRuntimeClass* pMarkerRTC = nullptr, CRuntimeClass* pCentralGroupRTC = nullptr);
    void Destroy();
    // A drag begins: the side markers show where the dragged window may dock.
    void Start(CWnd* pDraggedWnd);
    void Stop();
    // The docking area (screen): the side markers stand in it.
    void SetOuterRect(const CRect& rect);
    void Show(BOOL bShow);
    void ShowCentralGroup(BOOL bShow, DWORD dwEnabledAlignment = CBRS_ALIGN_ANY);
    // The central group over the rectangle (screen), its markers enabled by the alignments.
    void MoveCentralGroup(const CRect& rect, DWORD dwEnabledAlignment = CBRS_ALIGN_ANY);
    void ShowPlaceMarker(const CRect& rect);
    // The rectangle with a tab below it (above it when tabs are on top).
    void ShowTabbedPlaceMarker(const CRect& rect, int nTabOffset, int nTabWidth, int nTabHeight);
    // The place a pane dropped onto a pane as a tab would take (screen; an
    // empty body hides the marker).
    void ShowTabbedPlaceMarker(const kgp::smartdock::TabbedPlace& place);
    // That place (screen): the target less its tab strip, and the tab.
    static kgp::smartdock::TabbedPlace TabbedPlaceOver(CWnd* pTarget);
    void HidePlaceMarker();
    // The cursor moved (screen): the marker under it is highlighted and
    // becomes the hot marker; its id, or kNoMarker.
    int OnMouseMove(CPoint ptScreen);

    BOOL IsCreated() const { return m_bCreated; }
    BOOL IsStarted() const { return m_bStarted; }
    BOOL IsShown() const { return m_bShown; }
    // Active while a dragged window is shown the markers.
    BOOL IsActive() const { return m_bStarted && m_pDraggedWnd != nullptr; }
    void SetHotMarker(int nMarker) { m_nHotMarker = nMarker; }
    int GetHotMarker() const { return m_nHotMarker; }
    DWORD GetAllowedAlignment() const { return m_dwAllowedAlignment; }
    CRect GetOuterRect() const { return m_rectOuter; }
    CKGPSmartDockingMarker* GetSideMarker(int nID) const;
    CKGPSDCentralGroup* GetCentralGroup() const { return m_pCentralGroup.get(); }
    CKGPSDPlaceMarkerWnd& GetPlaceMarker() { return m_wndPlaceMarker; }

private:
    // The marker with the id (side or central), or null.
    CKGPSmartDockingMarker* MarkerOf(int nID) const;
    void EnableGroupMarkers(DWORD dwEnabledAlignment);
    void RaiseMarkers();

    BOOL m_bStarted = FALSE;
    BOOL m_bCreated = FALSE;
    BOOL m_bShown = FALSE;
    BOOL m_bCentralGroupWanted = FALSE;
    int m_nHotMarker = kNoMarker;
    CWnd* m_pFrame = nullptr;
    CWnd* m_pDraggedWnd = nullptr;
    DWORD m_dwAllowedAlignment = 0;
    CRect m_rectOuter;
    CKGPSDPlaceMarkerWnd m_wndPlaceMarker;
    std::array<std::unique_ptr<CKGPSmartDockingMarker>, 4> m_arMarkers;
    std::array<CKGPSDCentralGroupMarker*, 5> m_arCentralMarkers{};
    std::unique_ptr<CKGPSDCentralGroup> m_pCentralGroup;
};
