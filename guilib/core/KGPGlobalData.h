// The GUI library's shared colours, brushes, fonts, metrics and system flags,
// read from the system and refreshed when the system settings change; and the
// platform functions that older systems lack, looked up once at run time.
#pragma once

#include <afxhandle.h>
#include <afxwin.h>

#include <oleacc.h>

#include <array>

// Platform functions the library calls only when the system has them.
struct KGPSystemFunctions {
    using NotifyWinEventFn = void(WINAPI*)(DWORD, HWND, LONG, LONG);
    using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    using DwmIsCompositionEnabledFn = HRESULT(WINAPI*)(BOOL*);
    using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    using Lookup = FARPROC (*)(LPCWSTR module, LPCSTR name);

    NotifyWinEventFn notifyWinEvent = nullptr;
    SetLayeredWindowAttributesFn setLayeredWindowAttributes = nullptr;
    DwmIsCompositionEnabledFn dwmIsCompositionEnabled = nullptr;
    LresultFromObjectFn lresultFromObject = nullptr;

    // Looks each function up through `lookup` (the system's modules when null);
    // a missing one stays null.
    static KGPSystemFunctions Resolve(Lookup lookup = nullptr);
};

class CKGPGlobalData {
public:
    CKGPGlobalData();
    ~CKGPGlobalData();
    CKGPGlobalData(const CKGPGlobalData&) = delete;
    CKGPGlobalData& operator=(const CKGPGlobalData&) = delete;

    // Re-reads the system colours and rebuilds the brushes made from them.
    void UpdateSysColors();
    // Re-reads the system fonts and rebuilds the library's fonts and the text
    // heights made from them. A window of this thread that was given one of the
    // old fonts (WM_SETFONT) is given its new counterpart.
    void UpdateFonts();
    // Refreshes the work area, the menu animation flags, the remote-session
    // flag and the edges that hold an auto-hide taskbar.
    void OnSettingChange();

    // Platform functions; each answers neutrally when the system lacks it.
    // Forwards while the accessibility flag is set, else does nothing.
    void NotifyWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild) const;
    LRESULT LresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN punk) const;
    BOOL SetLayeredAttributes(HWND hWnd, COLORREF colourKey, BYTE alpha, DWORD flags) const;
    BOOL IsLayeredWindowSupported() const { return m_functions.setLayeredWindowAttributes != nullptr; }
    BOOL IsDwmCompositionEnabled() const;
    // Replaces the looked-up functions (tests, or a host that knows better).
    void SetSystemFunctions(const KGPSystemFunctions& functions) { m_functions = functions; }

    // Paints the parent's background behind pWnd (rect in pWnd's client
    // coordinates; the whole client when null).
    void DrawParentBackground(CWnd* pWnd, CDC* pDC, LPCRECT rect = nullptr) const;
    // The parent paints its background (the face colour when it erases
    // none) and its client into the device context, whose mapping already
    // places the parent's client coordinates; rectParent, in those
    // coordinates, is what the face fills.
    void PaintParent(HWND hParent, CDC* pDC, const RECT& rectParent) const;
    // Option on, at least 16 bits per pixel and no high-contrast scheme.
    BOOL IsFullColorUiAvailable() const;
    // Whether the shadow under a highlighted toolbar image may be drawn.
    BOOL IsHotImageShadowAllowed() const;

    // Line height of the regular font (horizontal) or the vertical font.
    int GetTextHeight(BOOL bHorz = TRUE) const { return bHorz ? m_nTextHeightHorz : m_nTextHeightVert; }
    SIZE GetSmallIconSize() const;

    // Cursors, loaded on first need from the library's resources, else the
    // system's nearest ones.
    HCURSOR GetHandCursor();
    // The system's arrow (each load of it asks Wine's server about the monitors).
    HCURSOR GetArrowCursor();
    HCURSOR GetSplitterCursor(BOOL bVertical);

    // System colours.
    COLORREF clrWindowText = 0;
    COLORREF clrWindow = 0;
    COLORREF clrGrayText = 0;
    COLORREF clrBtnFace = 0;
    COLORREF clrBtnText = 0;
    COLORREF clrBtnShadow = 0;
    COLORREF clrBtnHilite = 0;
    COLORREF clrBtnLight = 0;
    COLORREF clrBtnDkShadow = 0;
    COLORREF clrHilite = 0;
    COLORREF clrTextHilite = 0;
    COLORREF clrActiveCaption = 0;
    COLORREF clrInactiveCaption = 0;
    COLORREF clrCaptionText = 0;
    COLORREF clrInactiveCaptionText = 0;
    COLORREF clrMenu = 0;
    COLORREF clrMenuText = 0;
    COLORREF clrBarFace = 0;    // bar and header background
    COLORREF clrBarShadow = 0;  // bar border

    // Display and system flags.
    int m_nBitsPerPixel = 32;
    BOOL m_bMenuAnimation = FALSE;
    BOOL m_bMenuFadeEffect = FALSE;
    BOOL m_bIsRemoteSession = FALSE;
    BOOL m_bIsVistaOrLater = TRUE;
    BOOL m_bIsBlackHighContrast = FALSE;
    BOOL m_bIsWhiteHighContrast = FALSE;
    CRect m_rectWorkArea;
    // Edges that hold an auto-hide taskbar: left 1, right 2, top 4, bottom 8.
    int m_nAutoHideTaskbarEdges = 0;

    // Library-wide options (set by the library or the application).
    BOOL m_bUseSystemFont = FALSE;         // bars use the stock GUI font
    BOOL m_bEnableAccessibility = FALSE;   // win events and accessible objects
    BOOL m_bUseAlphaImages = TRUE;         // full-colour interface allowed
    BOOL m_bBarsInDialog = FALSE;
    BOOL m_bNoWindowRegions = FALSE;
    BOOL m_bNoHotShadowByApp = FALSE;      // either flag turns off the shadow
    BOOL m_bNoHotShadowByDisplay = FALSE;  // under a highlighted image
    BOOL m_bImagesChanged = FALSE;
    BOOL m_bMenuReloadNeeded = FALSE;
    int m_nDragFrameWidth = 4;
    int m_nDragFrameWidthExpected = 3;     // over an expected docked place
    int m_nMaxDockedSharePercent = 50;
    // The room an auto-hide button of the overlapping style keeps between its
    // icon and its title, besides the part its neighbour overlaps.
    int m_nAutoHideButtonOverlapExtra = 2;
    int m_nMinRowHeightHorz = 0;
    int m_nMinRowHeightVert = 0;
    int m_nMinMenuItemHeight = 0;
    int m_nEditHeight = 0;

    // Brushes and fonts are the global data's: borrow them, never delete them.
    HBRUSH GetWindowBrush() const { return m_windowBrush.Get(); }
    HBRUSH GetBtnFaceBrush() const { return m_btnFaceBrush.Get(); }
    HBRUSH GetBarFaceBrush() const { return m_barFaceBrush.Get(); }
    HBRUSH GetBarBorderBrush() const { return m_barBorderBrush.Get(); }
    HBRUSH GetMenuBrush() const { return m_menuBrush.Get(); }
    HFONT GetRegularFont() const { return m_fonts[kRegularFont].Get(); }
    HFONT GetBoldFont() const { return m_fonts[kBoldFont].Get(); }
    HFONT GetUnderlineFont() const { return m_fonts[kUnderlineFont].Get(); }
    HFONT GetVerticalFont() const { return m_fonts[kVerticalFont].Get(); }
    // The bars' font: the stock GUI font when m_bUseSystemFont, else regular.
    HFONT GetBarFont() const { return m_bUseSystemFont ? GetDefaultGuiFont() : GetRegularFont(); }
    HFONT GetMenuFont(BOOL bHorz = TRUE) const { return bHorz ? m_fonts[kMenuFont].Get() : m_fonts[kVerticalFont].Get(); }
    HFONT GetBoldMenuFont() const { return m_fonts[kBoldMenuFont].Get(); }
    HFONT GetDefaultGuiFont() const { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

private:
    using CBrushHandle = CGdiHandle<HBRUSH>;
    using CFontHandle = CGdiHandle<HFONT>;
    enum FontKind { kRegularFont, kBoldFont, kUnderlineFont, kVerticalFont, kMenuFont, kBoldMenuFont, kFontKinds };
    using Fonts = std::array<CFontHandle, kFontKinds>;
    static Fonts MakeFonts();

    KGPSystemFunctions m_functions;
    CBrushHandle m_windowBrush;
    CBrushHandle m_btnFaceBrush;
    CBrushHandle m_barFaceBrush;
    CBrushHandle m_barBorderBrush;
    CBrushHandle m_menuBrush;
    Fonts m_fonts;
    HCURSOR m_handCursor = nullptr;
    HCURSOR m_splitterCursors[2] = {nullptr, nullptr};
    HCURSOR m_arrowCursor = nullptr;
    int m_nTextHeightHorz = 0;
    int m_nTextHeightVert = 0;
};

// The library's one global data object (made on first use).
CKGPGlobalData& GetKGPGlobalData();

// Registers a window class once and answers its name "prefix:module:style:cursor:brush".
CString RegisterLibraryWindowClass(LPCTSTR prefix, UINT classStyle, HCURSOR cursor = nullptr,
                                   HBRUSH background = nullptr);
