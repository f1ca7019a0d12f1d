#include "widgets/BottomFade.h"

#include <algorithm>

namespace widgets {

void DrawBottomFade(CDC& dc, const CRect& client, COLORREF back)
{
    const int band = std::max(2, client.Height() / 5);
    const int top = client.bottom - band;
    for (int row = 0; row < band; ++row) {
        const int alpha = row * 255 / (band - 1);
        auto blend = [alpha](int channel) { return channel + (255 - channel) * alpha / 255; };
        const COLORREF colour = RGB(blend(GetRValue(back)), blend(GetGValue(back)), blend(GetBValue(back)));
        dc.FillSolidRect(client.left - 1, top + row, client.Width() + 1, 1, colour);
    }
}

void PaintFadedDialogBackground(CWnd& dialog, CDC& dc)
{
    CRect client;
    dialog.GetClientRect(&client);
    const COLORREF face = ::GetSysColor(COLOR_3DFACE);
    dc.FillSolidRect(&client, face);
    DrawBottomFade(dc, client, face);
}

} // namespace widgets
