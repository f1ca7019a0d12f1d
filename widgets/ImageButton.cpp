#include "widgets/ImageButton.h"

#include "widgets/ControlCanvas.h"

CImageButton::CImageButton() = default;
CImageButton::~CImageButton() = default;

void CImageButton::SetBitmaps(HBITMAP bmpNormal, HBITMAP bmpActive, COLORREF transparent)
{
    const CGdiHandle<HBITMAP> normal(bmpNormal);
    const CGdiHandle<HBITMAP> active(bmpActive);
    m_imageNormal = widgets::CKeyedImage(normal.Get(), transparent);
    m_imageActive = widgets::CKeyedImage(active.Get(), transparent);
    if (m_hWnd != nullptr) {
        Invalidate();
    }
}

void CImageButton::SetIcon(HICON iconNormal, HICON iconActive)
{
    m_iconNormal.Reset(iconNormal);
    m_iconActive.Reset(iconActive);
    if (m_hWnd != nullptr) {
        Invalidate();
    }
}

BOOL CImageButton::LoadIcons(UINT idNormal, UINT idActive, int size)
{
    auto load = [size](UINT id) {
        HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCEW(id), RT_GROUP_ICON);
        return static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
    };
    HICON normal = load(idNormal);
    if (normal == nullptr) {
        return FALSE;
    }
    SetIcon(normal, load(idActive));
    return TRUE;
}

bool CImageButton::HasImage() const
{
    return static_cast<bool>(m_imageNormal) || m_iconNormal.Get() != nullptr;
}

SIZE CImageButton::GetImageSize() const
{
    if (m_imageNormal) {
        return m_imageNormal.Size();
    }
    if (m_iconNormal.Get() != nullptr) {
        ICONINFO info{};
        if (::GetIconInfo(m_iconNormal.Get(), &info) != FALSE) {
            const CGdiHandle<HBITMAP> colour(info.hbmColor);
            const CGdiHandle<HBITMAP> mask(info.hbmMask);
            SIZE size = widgets::GetBitmapSize(colour ? colour.Get() : mask.Get());
            if (!colour) {
                size.cy /= 2; // a monochrome icon stacks its AND and XOR masks
            }
            return size;
        }
    }
    return SIZE{0, 0};
}

void CImageButton::DrawImage(HDC dc, const RECT& rect, bool active) const
{
    if (m_imageNormal) {
        (active && m_imageActive ? m_imageActive : m_imageNormal).Draw(dc, rect);
        return;
    }
    HICON icon = active && m_iconActive.Get() != nullptr ? m_iconActive.Get() : m_iconNormal.Get();
    if (icon != nullptr) {
        const SIZE size = GetImageSize();
        const int x = rect.left + (rect.right - rect.left - size.cx) / 2;
        const int y = rect.top + (rect.bottom - rect.top - size.cy) / 2;
        ::DrawIconEx(dc, x, y, icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
    }
}

void CImageButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    widgets::CControlCanvas canvas(m_hWnd, lpDrawItemStruct->hDC, lpDrawItemStruct->rcItem);
    const bool pressed = widgets::DrawItemState(lpDrawItemStruct->itemState).pressed;
    RECT imageRect = canvas.Rect();
    if (pressed) {
        ::OffsetRect(&imageRect, 1, 1);
    }
    DrawImage(canvas.Dc(), imageRect, pressed || IsHot());
}
