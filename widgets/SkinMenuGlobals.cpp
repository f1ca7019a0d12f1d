#include "widgets/SkinMenuGlobals.h"

#include "widgets/WidgetLook.h"

CSkinMenuGlobals::CSkinMenuGlobals()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW font{};
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        font = metrics.lfMenuFont;
    } else {
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    }
    m_itemFont.CreateFontIndirect(&font);
    m_highlightBrush.CreateSolidBrush(widgets::kLookLightGreen);
    m_highlightPen.CreatePen(PS_SOLID, 1, widgets::kLookGreen);
}

CSkinMenuGlobals::~CSkinMenuGlobals() = default;

const CSkinMenuItem* CSkinMenuGlobals::FindItem(ULONG_PTR itemData) const
{
    const auto* item = reinterpret_cast<const CSkinMenuItem*>(itemData);
    return m_itemRecords.count(item) != 0 ? item : nullptr;
}

CSkinMenuGlobals& GetSkinMenuGlobals()
{
    static CSkinMenuGlobals globals;
    return globals;
}
