#include "guilib/core/KGPGlobalData.h"

CKGPGlobalData::CKGPGlobalData()
{
    UpdateSysColors();
    UpdateFonts();
}

CKGPGlobalData::~CKGPGlobalData()
{
    ReleaseBrushes();
    ReleaseFonts();
}

void CKGPGlobalData::ReleaseBrushes()
{
    if (m_windowBrush != nullptr) {
        ::DeleteObject(m_windowBrush);
        m_windowBrush = nullptr;
    }
}

void CKGPGlobalData::ReleaseFonts()
{
    if (m_regularFont != nullptr) {
        ::DeleteObject(m_regularFont);
        m_regularFont = nullptr;
    }
    if (m_boldFont != nullptr) {
        ::DeleteObject(m_boldFont);
        m_boldFont = nullptr;
    }
}

void CKGPGlobalData::UpdateSysColors()
{
    clrWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    clrWindow = ::GetSysColor(COLOR_WINDOW);
    clrGrayText = ::GetSysColor(COLOR_GRAYTEXT);
    clrBtnFace = ::GetSysColor(COLOR_BTNFACE);
    clrBtnText = ::GetSysColor(COLOR_BTNTEXT);
    clrBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    clrBtnHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    clrBtnDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    clrHilite = ::GetSysColor(COLOR_HIGHLIGHT);
    clrBarFace = clrBtnFace;
    ReleaseBrushes();
    m_windowBrush = ::CreateSolidBrush(clrWindow);
}

void CKGPGlobalData::UpdateFonts()
{
    ReleaseFonts();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW regular{};
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        regular = metrics.lfMenuFont;
    } else {
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(regular), &regular);
    }
    m_regularFont = ::CreateFontIndirectW(&regular);
    LOGFONTW bold = regular;
    bold.lfWeight = FW_BOLD;
    m_boldFont = ::CreateFontIndirectW(&bold);
}

SIZE CKGPGlobalData::GetSmallIconSize() const
{
    return SIZE{::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON)};
}

CKGPGlobalData& GetKGPGlobalData()
{
    static CKGPGlobalData data;
    return data;
}
