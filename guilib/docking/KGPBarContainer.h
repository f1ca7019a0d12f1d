// A node of a docking-pane split tree, reduced for now to what remembered dock
// places need of it: a reference count that keeps the node from collapsing while
// a place still names it, and whether a bar is its first (left or top) bar.
#pragma once

#include <afxwin.h>

class CKGPBaseControlBar;

class CKGPBarContainer : public CObject {
public:
    CKGPBarContainer() = default;
    CKGPBarContainer(const CKGPBarContainer&) = delete;
    CKGPBarContainer& operator=(const CKGPBarContainer&) = delete;

    void AddRef() { ++m_nRefCount; }
    // The last release lets the node collapse when it no longer holds two places.
    void Release()
    {
        if (--m_nRefCount < 1) {
            CheckAndRemove();
        }
    }
    int GetRefCount() const { return m_nRefCount; }

    virtual BOOL IsLeftBar(const CKGPBaseControlBar* /*pBar*/) const { return TRUE; }

protected:
    virtual void CheckAndRemove() {}

private:
    int m_nRefCount = 0;
};

// The manager of a split tree of docking panes, as far as the docking helpers
// ask it (the docking panes and their containers bring the tree itself).
class CKGPBarContainerManager : public CObject {
public:
    // In a floating frame showing one pane: that pane when the point lies in
    // the frame's caption.
    virtual BOOL PaneFromCaptionPoint(CPoint point, CKGPBaseControlBar*& pPane) const = 0;
    // The pane at the point (within the sensitivity unless exact), and whether
    // the point lies in its tab area or on its caption.
    virtual CKGPBaseControlBar* PaneFromPoint(CPoint point, int nSensitivity, BOOL bExactBar, BOOL& bIsTabArea,
                                              BOOL& bCaption) const = 0;
    // Where a window of `rectDragged` docked on the `dwAlignment` side of a
    // pane at `rectTarget` would lie (screen).
    virtual CRect SplitRect(const CRect& rectTarget, const CRect& rectDragged, DWORD dwAlignment) const = 0;

protected:
    ~CKGPBarContainerManager() override = default;
};
