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
