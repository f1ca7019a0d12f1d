// The GUI library's shared colours and fonts, read from the system and
// refreshed when the system settings change.
#pragma once

#include <afxwin.h>

class CKGPGlobalData {
public:
    CKGPGlobalData();
    ~CKGPGlobalData();
    CKGPGlobalData(const CKGPGlobalData&) = delete;
    CKGPGlobalData& operator=(const CKGPGlobalData&) = delete;

    // Re-reads the system colours and rebuilds the brushes made from them.
    void UpdateSysColors();
    // Re-reads the system fonts.
    void UpdateFonts();

    COLORREF clrWindowText = 0;
    COLORREF clrWindow = 0;
    COLORREF clrGrayText = 0;
    COLORREF clrBtnFace = 0;
    COLORREF clrBtnText = 0;
    COLORREF clrBtnShadow = 0;
    COLORREF clrBtnHilite = 0;
    COLORREF clrBtnDkShadow = 0;
    COLORREF clrHilite = 0;
    COLORREF clrBarFace = 0;  // bar and header background

    HBRUSH GetWindowBrush() const { return m_windowBrush; }
    HFONT GetRegularFont() const { return m_regularFont; }
    HFONT GetBoldFont() const { return m_boldFont; }
    HFONT GetDefaultGuiFont() const { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }
    SIZE GetSmallIconSize() const;

private:
    void ReleaseBrushes();
    void ReleaseFonts();

    HBRUSH m_windowBrush = nullptr;
    HFONT m_regularFont = nullptr;
    HFONT m_boldFont = nullptr;
};

// The library's one global data object (made on first use).
CKGPGlobalData& GetKGPGlobalData();
