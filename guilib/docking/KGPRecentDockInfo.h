// Where a bar was last docked and where it last floated, so that a double click
// on a floating caption, a re-show or a load puts it back in the same container,
// with the same size share, or into the same floating frame. Containers named
// by a place hold a reference for as long as the place names them, copies
// included.
#pragma once

#include "guilib/docking/KGPBarContainer.h"

#include <afxext.h>
#include <afxtempl.h>
#include <afxwin.h>

class CKGPBaseControlBar;
class CKGPDockBar;
class CKGPDockBarRow;

// One remembered place.
class CKGPRecentContainerInfo : public CObject {
public:
    CKGPRecentContainerInfo() = default;
    CKGPRecentContainerInfo(const CKGPRecentContainerInfo& other);
    CKGPRecentContainerInfo& operator=(const CKGPRecentContainerInfo& other);
    // The containers named lose their reference.
    ~CKGPRecentContainerInfo() override;

    // Records the place of `pBar` (or of the tabbed bar holding it) in `pContainer`;
    // the containers named before lose their reference.
    virtual void StoreDockInfo(CKGPBarContainer* pContainer, CKGPBaseControlBar* pBar,
                               CKGPBaseControlBar* pTabbedBar = nullptr);
    // Takes the other place's containers (with references), rectangle, share and bars.
    virtual void SetInfo(const CKGPRecentContainerInfo& source);
    // Back to the initial place, releasing the containers.
    void Init();

    CKGPBarContainer* m_pRecentBarContainer = nullptr;
    CRect m_rectDockedRect{0, 0, 30, 30};
    int m_nRecentPercent = 50;
    BOOL m_bIsRecentLeftBar = TRUE;
    CList<HWND, HWND> m_lstRecentListOfBars;
    CKGPBarContainer* m_pRecentContainerOfTabWnd = nullptr;

private:
    void ReleaseContainers();
};

// The two places a bar remembers: docked and floating.
class CKGPRecentDockInfo : public CObject {
public:
    explicit CKGPRecentDockInfo(CKGPBaseControlBar* pBar = nullptr) : m_pBar(pBar) {}
    CKGPRecentDockInfo(const CKGPRecentDockInfo& other) : CObject(), m_pBar(other.m_pBar) { *this = other; }
    // Copies every place (with references); the owner bar stays.
    CKGPRecentDockInfo& operator=(const CKGPRecentDockInfo& other);

    // Records the owner's current place: in its floating frame while it floats,
    // in its dock site while docked, else a floating place without a container.
    virtual void StoreDockInfo(CKGPBarContainer* pContainer, CKGPBaseControlBar* pTabbedBar = nullptr);
    // Takes the docked part (alignment, slider, docked place) or the floating part
    // (rectangle, frame, floating place) of another record.
    virtual void SetInfo(BOOL bDocked, const CKGPRecentDockInfo& source);
    void Init();

    CKGPBarContainer* GetRecentContainer(BOOL bDocked) const { return Place(bDocked).m_pRecentBarContainer; }
    CKGPBarContainer* GetRecentTabContainer(BOOL bDocked) const { return Place(bDocked).m_pRecentContainerOfTabWnd; }
    CRect& GetRecentContainerRect(BOOL bDocked) { return Place(bDocked).m_rectDockedRect; }
    int GetRecentSizeShare(BOOL bDocked) const { return Place(bDocked).m_nRecentPercent; }
    BOOL IsRecentFirstInContainer(BOOL bDocked) const { return Place(bDocked).m_bIsRecentLeftBar; }
    CList<HWND, HWND>& GetRecentListOfBars(BOOL bDocked) { return Place(bDocked).m_lstRecentListOfBars; }
    void SaveListOfRecentBars(const CList<HWND, HWND>& bars, BOOL bDocked);
    // The slider the bar was last docked beside, while it is still one.
    CKGPBaseControlBar* GetRecentDefaultSlider() const;

    // The dock bar last docked in, while it is still a window; null otherwise.
    CKGPDockBar* GetRecentDockBar() const;
    void SetRecentDockBar(CKGPDockBar* pDockBar);
    // The row of that dock bar, only meaningful while the dock bar still holds it.
    CKGPDockBarRow* m_pRecentDockBarRow = nullptr;
    // The window rectangle when last docked, in the dock bar's client coordinates.
    CRect m_rectRecentDockedRect;

    CRect m_rectRecentFloatingRect{10, 10, 110, 110};
    DWORD m_dwRecentAlignmentToFrame = CBRS_ALIGN_LEFT;
    int m_nRecentRowIndex = 0;
    int m_nRecentTabNumber = 0;
    int m_nRecentReserved = 0;
    int m_nRecentIndex = -1;
    HWND m_hRecentDefaultSlider = nullptr;
    HWND m_hRecentMiniFrame = nullptr;
    CKGPRecentContainerInfo m_recentSliderInfo;     // docked
    CKGPRecentContainerInfo m_recentMiniFrameInfo;  // floating

private:
    CKGPRecentContainerInfo& Place(BOOL bDocked) { return bDocked ? m_recentSliderInfo : m_recentMiniFrameInfo; }
    const CKGPRecentContainerInfo& Place(BOOL bDocked) const
    {
        return bDocked ? m_recentSliderInfo : m_recentMiniFrameInfo;
    }

    CKGPBaseControlBar* m_pBar;
    HWND m_hRecentDockBar = nullptr;
};
