#include "guilib/docking/KGPDockGeometry.h"

#include <algorithm>

namespace KGPDock {

DWORD EdgeNearPoint(CPoint point, const CRect& r, int s, BOOL bOuterEdge, DWORD enabledAlignment,
                    int captionHeight, int tabAreaHeight)
{
    struct Strip {
        DWORD edge;
        CRect rect;
    };
    const Strip strips[] = {
        {kAlignTop, bOuterEdge ? CRect(r.left - s, r.top - s, r.right + s, r.top)
                               : CRect(r.left - s, r.top - s, r.right + s, r.top + captionHeight + s)},
        {kAlignLeft, bOuterEdge ? CRect(r.left - s, r.top - s, r.left, r.bottom + s)
                                : CRect(r.left - s, r.top - s, r.left + s, r.bottom + s)},
        {kAlignBottom, bOuterEdge ? CRect(r.left - s, r.bottom, r.right + s, r.bottom + s)
                                  : CRect(r.left - s, r.bottom - tabAreaHeight - s, r.right + s, r.bottom + s)},
        {kAlignRight, bOuterEdge ? CRect(r.right, r.top - s, r.right + s, r.bottom + s)
                                 : CRect(r.right - s, r.top - s, r.right + s, r.bottom + s)},
    };
    for (const Strip& strip : strips) {
        if ((enabledAlignment & strip.edge) != 0 && strip.rect.PtInRect(point))
            return strip.edge;
    }
    return 0;
}

CRect KeepOnWorkArea(CRect rect, const CRect& work, const CRect& m)
{
    if (rect.right <= work.left + m.left)
        rect.OffsetRect(work.left + m.left - rect.right, 0);
    else if (rect.left >= work.right - m.right)
        rect.OffsetRect(work.right - m.right - rect.left, 0);
    if (rect.top >= work.bottom - m.bottom)
        rect.OffsetRect(0, work.bottom - m.bottom - rect.top);
    else if (rect.bottom <= work.top + m.top)
        rect.OffsetRect(0, work.top + m.top - rect.bottom);
    return rect;
}

CRect KeepWhollyOnWorkArea(CRect rect, const CRect& work)
{
    if (rect.right > work.right)
        rect.OffsetRect(work.right - rect.right, 0);
    if (rect.left < work.left)
        rect.OffsetRect(work.left - rect.left, 0);
    if (rect.bottom > work.bottom)
        rect.OffsetRect(0, work.bottom - rect.bottom);
    if (rect.top < work.top)
        rect.OffsetRect(0, work.top - rect.top);
    return rect;
}

CPoint HoldInFloatingFrame(CPoint held, int heldClientTop, const FloatingFrameMetrics& frame)
{
    CPoint point = frame.barInFrame + CSize(held.x, held.y);
    if (held.y < heldClientTop)
        point.y = frame.captionTop + frame.captionHeight / 2;
    point.x = (std::max)(LONG{0}, (std::min)(point.x, LONG{frame.size.cx - 1}));
    point.y = (std::max)(LONG{0}, (std::min)(point.y, LONG{frame.size.cy - 1}));
    return point;
}

CRect RotateRect(const CRect& r, int angle)
{
    switch (angle) {
    case 90:
        return CRect(r.bottom, r.left, r.top, r.right);
    case -90:
    case 270:
        return CRect(r.top, r.right, r.bottom, r.left);
    case 180:
        return CRect(r.left, r.bottom, r.right, r.top);
    default:
        return r;
    }
}

namespace {

// One corner rule: R on edge `edgeR`, S on `edgeS`, touching as `touches` says.
struct CornerRule {
    DWORD edgeR;
    DWORD edgeS;
    BOOL (*touches)(const CRect& r, const CRect& s);
    void (*apply)(const CRect& r, EdgeOffsets& offR, const CRect& s, EdgeOffsets& offS);
};

const CornerRule kCornerRules[] = {
    {kAlignLeft, kAlignTop, [](const CRect& r, const CRect& s) -> BOOL { return r.top == s.bottom; },
     [](const CRect& r, EdgeOffsets&, const CRect&, EdgeOffsets& offS) { offS.start = r.Width(); }},
    {kAlignLeft, kAlignTop, [](const CRect& r, const CRect& s) -> BOOL { return r.right == s.left; },
     [](const CRect&, EdgeOffsets& offR, const CRect& s, EdgeOffsets&) { offR.start = s.Height(); }},
    {kAlignTop, kAlignRight, [](const CRect& r, const CRect& s) -> BOOL { return r.right == s.left; },
     [](const CRect& r, EdgeOffsets&, const CRect&, EdgeOffsets& offS) { offS.start = r.Height(); }},
    {kAlignTop, kAlignRight, [](const CRect& r, const CRect& s) -> BOOL { return r.bottom == s.top; },
     [](const CRect&, EdgeOffsets& offR, const CRect& s, EdgeOffsets&) { offR.end = s.Width(); }},
    {kAlignRight, kAlignBottom, [](const CRect& r, const CRect& s) -> BOOL { return r.bottom == s.top; },
     [](const CRect& r, EdgeOffsets&, const CRect&, EdgeOffsets& offS) { offS.end = r.Width(); }},
    // The other strip's thickness, as in every other row.
    {kAlignRight, kAlignBottom, [](const CRect& r, const CRect& s) -> BOOL { return r.left == s.right; },
     [](const CRect&, EdgeOffsets& offR, const CRect& s, EdgeOffsets&) { offR.end = s.Height(); }},
    {kAlignLeft, kAlignBottom, [](const CRect& r, const CRect& s) -> BOOL { return r.bottom == s.top; },
     [](const CRect& r, EdgeOffsets&, const CRect&, EdgeOffsets& offS) { offS.start = r.Width(); }},
    {kAlignLeft, kAlignBottom, [](const CRect& r, const CRect& s) -> BOOL { return r.right == s.left; },
     [](const CRect&, EdgeOffsets& offR, const CRect& s, EdgeOffsets&) { offR.end = s.Height(); }},
};

} // namespace

void FixCornerOffsets(DWORD alignR, const CRect& rectR, EdgeOffsets& offR, DWORD alignS, const CRect& rectS,
                      EdgeOffsets& offS)
{
    alignR &= kAlignAny;
    alignS &= kAlignAny;
    for (const CornerRule& rule : kCornerRules) {
        if (rule.edgeR == alignR && rule.edgeS == alignS && rule.touches(rectR, rectS))
            rule.apply(rectR, offR, rectS, offS);
    }
}

BOOL LimitDockedSize(CRect& rect, DWORD alignment, const CRect& inner, int sharePercent, BOOL bRTL)
{
    alignment &= kAlignAny;
    if (IsHorizontalAlignment(alignment)) {
        const int limit = inner.Height() * sharePercent / 100;
        if (rect.Height() < limit)
            return FALSE;
        if (alignment == kAlignTop)
            rect.bottom = rect.top + limit;
        else
            rect.top = rect.bottom - limit;
        return TRUE;
    }
    const int limit = inner.Width() * sharePercent / 100;
    if (rect.Width() < limit)
        return FALSE;
    const BOOL keepLeft = (alignment == kAlignLeft) != (bRTL != FALSE);
    if (keepLeft)
        rect.right = rect.left + limit;
    else
        rect.left = rect.right - limit;
    return TRUE;
}

CRect FitBarToEdge(const CRect& barRect, CSize thickness, DWORD alignment, BOOL bStretch, const CRect& work)
{
    CRect rect = barRect;
    switch (alignment & kAlignAny) {
    case kAlignTop:
        rect.SetRect(work.left, work.top, work.right, work.top + thickness.cy);
        if (bStretch && rect.bottom > work.bottom)
            rect.bottom = work.bottom;
        break;
    case kAlignBottom:
        rect.SetRect(work.left, work.bottom - thickness.cy, work.right, work.bottom);
        if (bStretch && rect.top < work.top)
            rect.top = work.top;
        break;
    case kAlignLeft:
        rect.SetRect(work.left, work.top, work.left + thickness.cx, work.bottom);
        if (bStretch && rect.right > work.right)
            rect.right = work.right;
        break;
    case kAlignRight:
        rect.SetRect(work.right - thickness.cx, work.top, work.right, work.bottom);
        if (bStretch && rect.left < work.left)
            rect.left = work.left;
        break;
    default:
        break;
    }
    return rect;
}

void TakeFromFreeArea(CRect& work, const CRect& placed, DWORD alignment)
{
    switch (alignment & kAlignAny) {
    case kAlignTop:
        work.top += placed.Height();
        break;
    case kAlignBottom:
        work.bottom -= placed.Height();
        break;
    case kAlignLeft:
        work.left += placed.Width();
        break;
    default:
        work.right -= placed.Width();
        break;
    }
}

void CalcInsideRect(CRect& rect, const BarFrameMetrics& bar)
{
    if (!bar.bFloating && !bar.bTabbed) {
        if (bar.style & CBRS_BORDER_LEFT)
            ++rect.left;
        if (bar.style & CBRS_BORDER_TOP)
            ++rect.top;
        if (bar.style & CBRS_BORDER_RIGHT)
            --rect.right;
        if (bar.style & CBRS_BORDER_BOTTOM)
            --rect.bottom;
    }
    const CRect& b = bar.borders;
    if (bar.bHorz) {
        rect.left += b.left;
        rect.top += b.top;
        rect.right -= b.right;
        rect.bottom -= b.bottom;
    } else {
        rect.left += b.top;
        rect.top += b.left;
        rect.right -= b.bottom;
        rect.bottom -= b.right;
    }
    if ((bar.style & CBRS_GRIPPER) != 0 && (bar.style & CBRS_FLOATING) == 0) {
        if (!bar.bHorz)
            rect.top += kGripperSize;
        else if (bar.bRTL)
            rect.right -= kGripperSize;
        else
            rect.left += kGripperSize;
    }
}

CRect GripperRect(const CRect& window, const CRect& client, BOOL bHorz, BOOL bRTL)
{
    CRect rect = window;
    if (!bHorz)
        rect.bottom = (std::min)(rect.bottom, client.top - 1);
    else if (bRTL)
        rect.left = client.right - 1;
    else
        rect.right = (std::min)(rect.right, client.left - 1);
    return rect;
}

DWORD DockBarIdAlignment(UINT nDockBarID, DWORD enabledAlignment)
{
    // Each id with the edge it docks on and the border facing the inner area.
    static const struct {
        UINT id;
        DWORD bits;
    } kMap[] = {{0xE81B, 0x2800}, {0xE81E, 0x8200}, {0xE81C, 0x1400}, {0xE81D, 0x4100}};
    for (const auto& row : kMap) {
        if (row.id == nDockBarID && (row.bits & enabledAlignment) != 0)
            return row.bits & kAlignAny;
    }
    return 0;
}

DWORD AlignmentOfMarker(int marker, BOOL bOuterEdge)
{
    static const DWORD kEdges[] = {kAlignLeft, kAlignRight, kAlignTop, kAlignBottom};
    const int first = bOuterEdge ? 0 : 4;
    if (marker < first || marker >= first + 4)
        return 0;
    return kEdges[marker - first];
}

BOOL DockedBarLeaves(const CRect& dock, const CRect& virt, CPoint cursor, BOOL bHorzDockBar, int sensitivity)
{
    CRect overlap;
    if (!overlap.IntersectRect(dock, virt))
        return TRUE;
    if (dock.PtInRect(cursor))
        return FALSE;
    const int band = 2 * sensitivity;
    if (bHorzDockBar)
        return virt.top < dock.top - band || virt.bottom > dock.bottom + band;
    return virt.left < dock.left - band || virt.right > dock.right + band;
}

BOOL FloatingBarDocks(const CRect& target, const CRect& window, CPoint cursor, int sensitivity)
{
    if (target.PtInRect(cursor))
        return TRUE;
    const double width = (std::max)(1, window.Width());
    const double height = (std::max)(1, window.Height());
    double distance = 0;
    double threshold = 0;
    if (cursor.x < target.left) {
        distance = target.left - cursor.x;
        threshold = sensitivity * (window.right - cursor.x) / width;
    } else if (cursor.x > target.right) {
        distance = cursor.x - target.right;
        threshold = sensitivity * (cursor.x - window.left) / width;
    } else if (cursor.y < target.top) {
        distance = target.top - cursor.y;
        threshold = sensitivity * (window.bottom - cursor.y) / height;
    } else {
        distance = cursor.y - target.bottom;
        threshold = sensitivity * (cursor.y - window.top) / height;
    }
    return distance <= threshold;
}

} // namespace KGPDock
