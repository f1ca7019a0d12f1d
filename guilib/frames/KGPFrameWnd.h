// The library's SDI frame: it lays its client area out around the docking
// layout (the view takes what the bars leave) and shows a print preview with
// the library's bars hidden. What it shares with the MDI frames (the frame
// implementation and dock manager it embeds, command routing to the bars, key
// and click filtering for menus and toolbars, the docking calls) comes from
// KGPFrameBase.h.
#pragma once

#include <afxwin.h>

#include "guilib/frames/KGPFrameBase.h"

class CKGPBaseControlBar;
class CKGPMiniFrameWnd;

class CKGPFrameWnd : public CKGPMainFrameT<CFrameWnd> {
    DECLARE_DYNCREATE(CKGPFrameWnd)
public:
    CKGPFrameWnd();
    ~CKGPFrameWnd() override;

    // ---- Own virtual operations.
    void AdjustDockingLayout(HDWP hdwp = nullptr) override;
    virtual void AdjustClientArea();

    // ---- Platform overrides.
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // The border space an in-place item may take: the docking layout's inner
    // area; the border set is the layer's (the view is inset by it).
    BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) override;
    void OnSetPreviewMode(BOOL bPreview) override;
    // The layer's switch: with a menu bar, the menu the state saved is left as
    // it was (the layer puts back no menu of its own on a frame showing one).
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    virtual void DelayUpdateFrameMenu(HMENU hMenuAlt);
    BOOL OnShowPopupMenu(CWnd* pPopup) override;

protected:
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CKGPFrameWnd* m_pPrintPreviewFrame = nullptr;
};
