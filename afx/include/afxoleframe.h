// The frames of an OLE server activated in place, as far as this layer keeps
// them: the in-place frame (COleIPFrameWnd, and COleDocIPFrameWnd for a
// document server) that holds the server's bars while its item is active in a
// container, and the wrapper of the container's frame window
// (COleCntrFrameWnd) that the in-place frame's bars may be laid out in. The
// layer does not negotiate with a real container: the in-place frame is told
// its container's frame window (SetContainerFrame) and asks its hook to make
// the wrapper (OnCreateControlBars); the document's border renegotiation
// (COleServerDoc::OnResizeBorder) is the hook the wrapper's layout calls.
#pragma once

#include "afxframe.h"

#include <oleidl.h>

class COleIPFrameWnd;

// A server's document, for the border renegotiation its in-place frame asks.
class COleServerDoc : public CDocument {
    DECLARE_DYNAMIC(COleServerDoc)
public:
    // The container's frame (bFrame) or document window gave the item new
    // border space: the in-place frame lays its bars out again.
    virtual void OnResizeBorder(LPCRECT lpRectBorder, IOleInPlaceUIWindow* lpUIWindow, BOOL bFrame);
    COleIPFrameWnd* m_pInPlaceFrame = nullptr;
};

// The container's frame window as the in-place frame sees it. Made by the
// in-place frame, which owns it; it never deletes itself.
class COleCntrFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(COleCntrFrameWnd)
public:
    explicit COleCntrFrameWnd(COleIPFrameWnd* pInPlaceFrame) : m_pInPlaceFrame(pInPlaceFrame) {}
    ~COleCntrFrameWnd() override;
    void RecalcLayout(BOOL bNotify = TRUE) override;

    COleIPFrameWnd* m_pInPlaceFrame;

protected:
    void PostNcDestroy() override {}
};

class COleIPFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(COleIPFrameWnd)
public:
    COleIPFrameWnd();
    ~COleIPFrameWnd() override;

    // The container's frame window: held in a plain wrapper until the hook
    // below replaces it. Then the control bars are made (OnCreateControlBars).
    BOOL SetContainerFrame(HWND hWndContainerFrame, CDocument* pActiveDocument = nullptr);
    // Makes the server's bars for the container's frame and document windows;
    // FALSE stops the activation.
    virtual BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc);
    // The in-place layout: the frame's own bars and the item's pane.
    void RecalcLayout(BOOL bNotify = TRUE) override;
    CDocument* GetActiveDocument() override { return m_pActiveDocument; }
    // The frame interface a container gives its item (null without a container).
    IOleInPlaceFrame* GetInPlaceFrameInterface() const { return m_lpFrame; }

    // The container's frame, and its document window when it has one (both owned).
    COleCntrFrameWnd* m_pMainFrame = nullptr;
    COleCntrFrameWnd* m_pDocFrame = nullptr;

protected:
    IOleInPlaceFrame* m_lpFrame = nullptr;
    CDocument* m_pActiveDocument = nullptr;
    void PostNcDestroy() override {}
};

class COleDocIPFrameWnd : public COleIPFrameWnd {
    DECLARE_DYNCREATE(COleDocIPFrameWnd)
};
