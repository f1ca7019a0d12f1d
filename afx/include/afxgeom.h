// CPoint, CSize and CRect: the Win32 POINT, SIZE and RECT with operations.
#pragma once

#include "afxbase.h"

#include <algorithm>
#include <utility>

class CPoint;
class CRect;

class CSize : public SIZE {
public:
    CSize() noexcept : SIZE{0, 0} {}
    CSize(int cx_, int cy_) noexcept : SIZE{cx_, cy_} {}
    CSize(SIZE size) noexcept : SIZE(size) {}
    explicit CSize(POINT point) noexcept : SIZE{point.x, point.y} {}
    explicit CSize(DWORD packed) noexcept : SIZE{static_cast<SHORT>(LOWORD(packed)), static_cast<SHORT>(HIWORD(packed))} {}

    bool operator==(SIZE other) const noexcept { return cx == other.cx && cy == other.cy; }
    bool operator!=(SIZE other) const noexcept { return !(*this == other); }
    void operator+=(SIZE other) noexcept
    {
        cx += other.cx;
        cy += other.cy;
    }
    void operator-=(SIZE other) noexcept
    {
        cx -= other.cx;
        cy -= other.cy;
    }
    void SetSize(int cx_, int cy_) noexcept
    {
        cx = cx_;
        cy = cy_;
    }
    CSize operator+(SIZE other) const noexcept { return CSize(cx + other.cx, cy + other.cy); }
    CSize operator-(SIZE other) const noexcept { return CSize(cx - other.cx, cy - other.cy); }
    CSize operator-() const noexcept { return CSize(-cx, -cy); }
    inline CPoint operator+(POINT point) const noexcept;
    inline CPoint operator-(POINT point) const noexcept;
    inline CRect operator+(const RECT* rect) const noexcept;
    inline CRect operator-(const RECT* rect) const noexcept;
};

class CPoint : public POINT {
public:
    CPoint() noexcept : POINT{0, 0} {}
    CPoint(int x_, int y_) noexcept : POINT{x_, y_} {}
    CPoint(POINT point) noexcept : POINT(point) {}
    explicit CPoint(SIZE size) noexcept : POINT{size.cx, size.cy} {}
    // From a packed lParam: signed 16-bit x and y.
    explicit CPoint(LPARAM packed) noexcept
        : POINT{static_cast<SHORT>(LOWORD(packed)), static_cast<SHORT>(HIWORD(packed))}
    {
    }

    void Offset(int dx, int dy) noexcept
    {
        x += dx;
        y += dy;
    }
    void Offset(POINT point) noexcept { Offset(point.x, point.y); }
    void Offset(SIZE size) noexcept { Offset(size.cx, size.cy); }
    void SetPoint(int x_, int y_) noexcept
    {
        x = x_;
        y = y_;
    }

    bool operator==(POINT other) const noexcept { return x == other.x && y == other.y; }
    bool operator!=(POINT other) const noexcept { return !(*this == other); }
    void operator+=(SIZE size) noexcept { Offset(size); }
    void operator-=(SIZE size) noexcept { Offset(-size.cx, -size.cy); }
    void operator+=(POINT point) noexcept { Offset(point); }
    void operator-=(POINT point) noexcept { Offset(-point.x, -point.y); }
    CPoint operator+(SIZE size) const noexcept { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const noexcept { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator+(POINT point) const noexcept { return CPoint(x + point.x, y + point.y); }
    CSize operator-(POINT point) const noexcept { return CSize(x - point.x, y - point.y); }
    CPoint operator-() const noexcept { return CPoint(-x, -y); }
    inline CRect operator+(const RECT* rect) const noexcept;
    inline CRect operator-(const RECT* rect) const noexcept;
};

class CRect : public RECT {
public:
    CRect() noexcept : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) noexcept : RECT{l, t, r, b} {}
    CRect(const RECT& rect) noexcept : RECT(rect) {}
    CRect(const RECT* rect) noexcept : RECT(rect != nullptr ? *rect : RECT{0, 0, 0, 0}) {}
    CRect(POINT topLeft, SIZE size) noexcept : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
    CRect(POINT topLeft, POINT bottomRight) noexcept : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    CSize Size() const noexcept { return CSize(Width(), Height()); }
    CPoint& TopLeft() noexcept { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() noexcept { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const noexcept { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const noexcept { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() noexcept { return this; }
    operator LPCRECT() const noexcept { return this; }

    // Empty: no area (width or height not positive). Null: all four edges zero.
    BOOL IsRectEmpty() const noexcept { return left >= right || top >= bottom; }
    BOOL IsRectNull() const noexcept { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    BOOL PtInRect(POINT point) const noexcept
    {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }
    BOOL EqualRect(const RECT* rect) const noexcept
    {
        return rect != nullptr && left == rect->left && top == rect->top && right == rect->right && bottom == rect->bottom;
    }

    void SetRect(int l, int t, int r, int b) noexcept
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    void SetRect(POINT topLeft, POINT bottomRight) noexcept { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
    void SetRectEmpty() noexcept { SetRect(0, 0, 0, 0); }
    void CopyRect(const RECT* rect) noexcept
    {
        if (rect != nullptr)
            *static_cast<RECT*>(this) = *rect;
    }

    void InflateRect(int dx, int dy) noexcept { InflateRect(dx, dy, dx, dy); }
    void InflateRect(SIZE size) noexcept { InflateRect(size.cx, size.cy); }
    void InflateRect(const RECT* by) noexcept
    {
        if (by != nullptr)
            InflateRect(by->left, by->top, by->right, by->bottom);
    }
    void InflateRect(int l, int t, int r, int b) noexcept
    {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int dx, int dy) noexcept { InflateRect(-dx, -dy); }
    void DeflateRect(SIZE size) noexcept { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(const RECT* by) noexcept
    {
        if (by != nullptr)
            InflateRect(-by->left, -by->top, -by->right, -by->bottom);
    }
    void DeflateRect(int l, int t, int r, int b) noexcept { InflateRect(-l, -t, -r, -b); }

    void OffsetRect(int dx, int dy) noexcept
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    void OffsetRect(POINT point) noexcept { OffsetRect(point.x, point.y); }
    void OffsetRect(SIZE size) noexcept { OffsetRect(size.cx, size.cy); }
    void MoveToX(int x) noexcept { OffsetRect(x - left, 0); }
    void MoveToY(int y) noexcept { OffsetRect(0, y - top); }
    void MoveToXY(int x, int y) noexcept { OffsetRect(x - left, y - top); }
    void MoveToXY(POINT point) noexcept { MoveToXY(point.x, point.y); }
    void NormalizeRect() noexcept
    {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }
    void SwapLeftRight() noexcept { std::swap(left, right); }

    // Both set this rectangle from two others and answer whether the result has area;
    // an empty result is the null rectangle.
    BOOL IntersectRect(const RECT* a, const RECT* b) noexcept
    {
        const CRect first(a);
        const CRect second(b);
        SetRect((std::max)(first.left, second.left), (std::max)(first.top, second.top),
                (std::min)(first.right, second.right), (std::min)(first.bottom, second.bottom));
        return NullIfEmpty();
    }
    BOOL UnionRect(const RECT* a, const RECT* b) noexcept
    {
        const CRect first(a);
        const CRect second(b);
        if (first.IsRectEmpty()) {
            *this = second;
        } else if (second.IsRectEmpty()) {
            *this = first;
        } else {
            SetRect((std::min)(first.left, second.left), (std::min)(first.top, second.top),
                    (std::max)(first.right, second.right), (std::max)(first.bottom, second.bottom));
        }
        return NullIfEmpty();
    }

    CRect& operator=(const RECT& rect) noexcept
    {
        *static_cast<RECT*>(this) = rect;
        return *this;
    }
    bool operator==(const RECT& rect) const noexcept { return EqualRect(&rect) != FALSE; }
    bool operator!=(const RECT& rect) const noexcept { return !(*this == rect); }
    CRect& operator+=(POINT point) noexcept { OffsetRect(point); return *this; }
    CRect& operator+=(SIZE size) noexcept { OffsetRect(size); return *this; }
    CRect& operator+=(const RECT* rect) noexcept { InflateRect(rect); return *this; }
    CRect& operator-=(POINT point) noexcept { OffsetRect(-point.x, -point.y); return *this; }
    CRect& operator-=(SIZE size) noexcept { OffsetRect(-size.cx, -size.cy); return *this; }
    CRect& operator-=(const RECT* rect) noexcept { DeflateRect(rect); return *this; }
    void operator&=(const RECT& rect) noexcept
    {
        const CRect self(*this);
        IntersectRect(&self, &rect);
    }
    void operator|=(const RECT& rect) noexcept
    {
        const CRect self(*this);
        UnionRect(&self, &rect);
    }
    CRect operator+(POINT point) const noexcept { return CRect(*this) += point; }
    CRect operator-(POINT point) const noexcept { return CRect(*this) -= point; }
    CRect operator+(SIZE size) const noexcept { return CRect(*this) += size; }
    CRect operator-(SIZE size) const noexcept { return CRect(*this) -= size; }
    CRect operator+(const RECT* rect) const noexcept { return CRect(*this) += rect; }
    CRect operator-(const RECT* rect) const noexcept { return CRect(*this) -= rect; }
    CRect operator&(const RECT& rect) const noexcept
    {
        CRect result;
        result.IntersectRect(this, &rect);
        return result;
    }
    CRect operator|(const RECT& rect) const noexcept
    {
        CRect result;
        result.UnionRect(this, &rect);
        return result;
    }

private:
    // An intersection or union without area is the null rectangle.
    BOOL NullIfEmpty() noexcept
    {
        if (IsRectEmpty()) {
            SetRectEmpty();
            return FALSE;
        }
        return TRUE;
    }
};

inline CPoint CSize::operator+(POINT point) const noexcept
{
    return CPoint(cx + point.x, cy + point.y);
}
inline CPoint CSize::operator-(POINT point) const noexcept
{
    return CPoint(cx - point.x, cy - point.y);
}
inline CRect CSize::operator+(const RECT* rect) const noexcept
{
    return CRect(rect) + *this;
}
inline CRect CSize::operator-(const RECT* rect) const noexcept
{
    return CRect(rect) - *this;
}
inline CRect CPoint::operator+(const RECT* rect) const noexcept
{
    return CRect(rect) + *this;
}
inline CRect CPoint::operator-(const RECT* rect) const noexcept
{
    return CRect(rect) - *this;
}
