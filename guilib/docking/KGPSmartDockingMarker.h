// The smart-docking markers: one window per side marker near the middle of
// the docking area's edges, and the central group of five markers in one
// window over the pane under the cursor. Their images are drawn here (an
// arrow toward the marker's edge, a tab for the centre) on the transparent
// colour, which a layered window keys out; without layered windows the
// window takes the shape of its image as its region. Positions and hit tests
// are KGPSmartDockingGeometry's.
#pragma once

#include <afxwin.h>

#include "guilib/docking/KGPSmartDockingGeometry.h"

#include <array>
#include <memory>

struct CKGPSmartDockingParams;
class CKGPSDCentralGroup;

// A marker's window: a topmost pop-up showing the marker's image.
class CKGPMarkerBmpWnd : public CWnd {
public:
    BOOL Create(const CRect& rect, CWnd* pOwner, class CKGPSmartDockingMarker* pMarker);
    void Highlight(BOOL bOn);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    class CKGPSmartDockingMarker* m_pMarker = nullptr;
};

class CKGPSmartDockingMarker : public CObject {
    DECLARE_DYNCREATE(CKGPSmartDockingMarker)
public:
    CKGPSmartDockingMarker() = default;
    ~CKGPSmartDockingMarker() override;

    virtual BOOL Create(int nID, CWnd* pFrame);
    virtual void Destroy();
    virtual void Show(BOOL bShow);
    // Placed against the docking area (screen).
    virtual void AdjustPos(const CRect& rectOuter);
    virtual void Highlight(BOOL bOn);
    virtual BOOL IsPtIn(CPoint ptScreen) const;
    virtual void InitImages(const CKGPSmartDockingParams& params);

    int GetID() const { return m_nID; }
    BOOL IsHighlighted() const { return m_bHighlighted; }
    CSize GetSize() const { return CSize(m_cx, m_cy); }
    BOOL IsShown() const;
    CWnd& GetWindow() { return m_wnd; }
    // Draws the marker's image (its transparent background first) at the point.
    void DrawImage(CDC* pDC, CPoint topLeft, BOOL bHighlighted) const;
    BOOL UsesWindowRegion() const { return m_bUseRegion; }

protected:
    int m_nID = kgp::smartdock::kNoMarker;
    CKGPMarkerBmpWnd m_wnd;
    int m_cx = -1;
    int m_cy = -1;
    BOOL m_bHighlighted = FALSE;
    BOOL m_bUseRegion = FALSE;
    BOOL m_bDefaultImages = TRUE;
    COLORREF m_clrTransparent = RGB(255, 0, 255);
    COLORREF m_clrBase = RGB(240, 240, 240);
    COLORREF m_clrHighlight = RGB(255, 220, 130);
};

// A marker of the central group: drawn and hit-tested by its group's window.
class CKGPSDCentralGroupMarker : public CKGPSmartDockingMarker {
    DECLARE_DYNCREATE(CKGPSDCentralGroupMarker)
public:
    BOOL Create(int, CWnd*) override { return TRUE; }
    void Destroy() override {}
    void Show(BOOL) override {}
    void AdjustPos(const CRect&) override {}
    void Highlight(BOOL bOn) override;
    BOOL IsPtIn(CPoint ptScreen) const override;

    virtual void CreateInGroup(int nID, CKGPSDCentralGroup* pGroup);
    virtual void DestroyInGroup() { m_pGroup = nullptr; }
    virtual void Draw(CDC* pDC);
    void Enable(BOOL bEnable) { m_bEnabled = bEnable; }
    BOOL IsEnabled() const { return m_bEnabled; }
    CPoint GetOffset() const { return m_ptOffset; }

private:
    CKGPSDCentralGroup* m_pGroup = nullptr;
    BOOL m_bEnabled = TRUE;
    CPoint m_ptOffset;
};

// The central group's window: it paints the group.
class CKGPCentralGroupWnd : public CWnd {
public:
    BOOL Create(const CRect& rect, CWnd* pOwner, CKGPSDCentralGroup* pGroup);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    CKGPSDCentralGroup* m_pGroup = nullptr;
};

class CKGPSDCentralGroup : public CObject {
    DECLARE_DYNCREATE(CKGPSDCentralGroup)
public:
    CKGPSDCentralGroup() = default;
    ~CKGPSDCentralGroup() override;

    virtual BOOL Create(CWnd* pFrame);
    virtual void Destroy();
    virtual void Show(BOOL bShow);
    // Centred on the rectangle (screen); TRUE when it moved.
    virtual BOOL AdjustPos(const CRect& rect, BOOL bHighlight);
    virtual CKGPSDCentralGroupMarker* GetMarker(int nID);
    void Draw(CDC* pDC, CBrush& brBackground, CBrush& brFrame);

    BOOL IsCreated() const { return m_bCreated; }
    BOOL IsShown() const;
    CRect GetRect() const;
    CSize GetSize() const { return m_size; }
    CWnd& GetWindow() { return m_wnd; }
    BOOL UsesWindowRegion() const { return m_bUseRegion; }

private:
    CKGPCentralGroupWnd m_wnd;
    std::array<CKGPSDCentralGroupMarker, 5> m_markers;
    std::array<CPoint, 4> m_diamond{};
    CSize m_size;
    BOOL m_bCreated = FALSE;
    BOOL m_bHighlighted = FALSE;
    BOOL m_bUseRegion = FALSE;
};
