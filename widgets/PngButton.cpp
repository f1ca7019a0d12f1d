#include "widgets/PngButton.h"

#include <algorithm>

#include "widgets/SkinImage.h"
#include "widgets/UiResources.h"
#include "widgets/ControlCanvas.h"
#include "widgets/WidgetLook.h"

RECT FitImageRect(const RECT& box, int width, int height)
{
    const int boxWidth = box.right - box.left;
    const int boxHeight = box.bottom - box.top;
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) {
        return RECT{box.left, box.top, box.left, box.top};
    }
    int w = width;
    int h = height;
    if (w > boxWidth || h > boxHeight) {
        // Scale by the tighter side; 64-bit products avoid overflow on big images.
        if (static_cast<long long>(boxWidth) * height <= static_cast<long long>(boxHeight) * width) {
            w = boxWidth;
            h = std::max(1, static_cast<int>(static_cast<long long>(height) * boxWidth / width));
        } else {
            h = boxHeight;
            w = std::max(1, static_cast<int>(static_cast<long long>(width) * boxHeight / height));
        }
    }
    const int x = box.left + (boxWidth - w) / 2;
    const int y = box.top + (boxHeight - h) / 2;
    return RECT{x, y, x + w, y + h};
}

CPngButton::CPngButton() = default;
CPngButton::~CPngButton() = default;

void CPngButton::SetImage(const CSkinImage* image)
{
    m_image = image;
    if (m_hWnd != nullptr) {
        Invalidate(FALSE);
    }
}

bool CPngButton::SetImage(LPCTSTR imageName)
{
    const CSkinImage* image = GetUiResources().GetImage(imageName);
    SetImage(image);
    return image != nullptr;
}

void CPngButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    widgets::CControlCanvas canvas(m_hWnd, lpDrawItemStruct->hDC, lpDrawItemStruct->rcItem);
    HDC dc = canvas.Dc();
    const CRect& rect = canvas.Rect();
    const widgets::DrawItemState state(lpDrawItemStruct->itemState);
    const bool disabled = state.disabled;
    const bool pressed = state.pressed;
    if (!disabled && (IsHot() || pressed)) {
        widgets::FillRoundRect(dc, rect, 8, widgets::kLookLightGreen, widgets::kLookGreen);
    }
    RECT box = rect;
    ::InflateRect(&box, -2, -2);
    if (pressed) {
        ::OffsetRect(&box, 1, 1);
    }
    if (m_image != nullptr && m_image->IsValid()) {
        const RECT place = FitImageRect(box, m_image->GetWidth(), m_image->GetHeight());
        m_image->Draw(dc, place.left, place.top, place.right - place.left, place.bottom - place.top);
        if (disabled) {
            // Washed out while disabled.
            BLENDFUNCTION wash{AC_SRC_OVER, 0, 160, 0};
            const CMemoryDCHandle white(::CreateCompatibleDC(dc));
            const CGdiHandle<HBITMAP> bitmap(::CreateCompatibleBitmap(dc, 1, 1));
            if (white && bitmap) {
                const CSelectionScope select(white.Get(), bitmap.Get());
                ::SetPixel(white.Get(), 0, 0, widgets::kLookWhite);
                ::AlphaBlend(dc, place.left, place.top, place.right - place.left, place.bottom - place.top,
                             white.Get(), 0, 0, 1, 1, wash);
            }
        }
    } else {
        // No image: the text stands in, so the button is never blank.
        wchar_t text[128] = {};
        ::GetWindowTextW(m_hWnd, text, 128);
        CSelectionScope font(dc, widgets::GetButtonFontFor(text));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, disabled ? widgets::kLookDisabled : widgets::kLookDarkGreen);
        ::DrawTextW(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
