#include "guilib/core/KGPGlobalData.h"

#include "guilib/core/KGPLibraryMath.h"
#include "guilib/core/KGPLocalResource.h"

#include <shellapi.h>

#include <string>
#include <utility>
#include <vector>

namespace {

constexpr UINT kHandCursorId = 16919;
constexpr UINT kSplitterCursorIds[2] = {30980, 30981};

FARPROC SystemLookup(LPCWSTR module, LPCSTR name)
{
    HMODULE handle = ::GetModuleHandleW(module);
    if (handle == nullptr) {
        handle = ::LoadLibraryW(module);  // kept for the process's life
    }
    return handle != nullptr ? ::GetProcAddress(handle, name) : nullptr;
}

template <typename Fn>
Fn LookUp(KGPSystemFunctions::Lookup lookup, LPCWSTR module, LPCSTR name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(lookup(module, name)));
}

int TextHeightOf(HFONT font)
{
    const CWindowDCHandle screen(nullptr);
    TEXTMETRICW metrics{};
    {
        const CSelectionScope selected(screen.Get(), font);
        ::GetTextMetricsW(screen.Get(), &metrics);
    }
    return metrics.tmHeight >= 15 ? metrics.tmHeight + 2 : metrics.tmHeight + 5;
}

// Gives every window of this thread that shows one of the replaced fonts its
// replacement (the old handles are compared only, never used).
void RepointWindowFonts(const std::vector<std::pair<HFONT, HFONT>>& replaced)
{
    struct Walk {
        const std::vector<std::pair<HFONT, HFONT>>* replaced;
        static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
        {
            const auto* walk = reinterpret_cast<const Walk*>(lParam);
            const auto shown = reinterpret_cast<HFONT>(::SendMessageW(hWnd, WM_GETFONT, 0, 0));
            for (const auto& [old, now] : *walk->replaced) {
                if (shown != nullptr && shown == old && old != now) {
                    ::SendMessageW(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(now), FALSE);
                    break;
                }
            }
            return TRUE;
        }
        static BOOL CALLBACK VisitTopLevel(HWND hWnd, LPARAM lParam)
        {
            Visit(hWnd, lParam);
            ::EnumChildWindows(hWnd, &Visit, lParam);
            return TRUE;
        }
    };
    Walk walk{&replaced};
    ::EnumThreadWindows(::GetCurrentThreadId(), &Walk::VisitTopLevel, reinterpret_cast<LPARAM>(&walk));
}

} // namespace

KGPSystemFunctions KGPSystemFunctions::Resolve(Lookup lookup)
{
    if (lookup == nullptr) {
        lookup = SystemLookup;
    }
    KGPSystemFunctions functions;
    functions.notifyWinEvent = LookUp<NotifyWinEventFn>(lookup, L"user32.dll", "NotifyWinEvent");
    functions.setLayeredWindowAttributes =
        LookUp<SetLayeredWindowAttributesFn>(lookup, L"user32.dll", "SetLayeredWindowAttributes");
    functions.dwmIsCompositionEnabled =
        LookUp<DwmIsCompositionEnabledFn>(lookup, L"dwmapi.dll", "DwmIsCompositionEnabled");
    functions.lresultFromObject = LookUp<LresultFromObjectFn>(lookup, L"oleacc.dll", "LresultFromObject");
    return functions;
}

CKGPGlobalData::CKGPGlobalData() : m_functions(KGPSystemFunctions::Resolve())
{
    UpdateSysColors();
    UpdateFonts();
    OnSettingChange();
}

CKGPGlobalData::~CKGPGlobalData() = default;

void CKGPGlobalData::UpdateSysColors()
{
    clrWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    clrWindow = ::GetSysColor(COLOR_WINDOW);
    clrGrayText = ::GetSysColor(COLOR_GRAYTEXT);
    clrBtnFace = ::GetSysColor(COLOR_BTNFACE);
    clrBtnText = ::GetSysColor(COLOR_BTNTEXT);
    clrBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    clrBtnHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    clrBtnLight = ::GetSysColor(COLOR_3DLIGHT);
    clrBtnDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    clrHilite = ::GetSysColor(COLOR_HIGHLIGHT);
    clrTextHilite = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    clrActiveCaption = ::GetSysColor(COLOR_ACTIVECAPTION);
    clrInactiveCaption = ::GetSysColor(COLOR_INACTIVECAPTION);
    clrCaptionText = ::GetSysColor(COLOR_CAPTIONTEXT);
    clrInactiveCaptionText = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    clrMenu = ::GetSysColor(COLOR_MENU);
    clrMenuText = ::GetSysColor(COLOR_MENUTEXT);
    clrBarFace = clrBtnFace;
    clrBarShadow = clrBtnShadow;

    m_nBitsPerPixel = ::GetDeviceCaps(CWindowDCHandle(nullptr).Get(), BITSPIXEL);
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    const BOOL highContrast = ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
                              (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    const BOOL darkWindow = kgp::Red(kgp::GreyOf(clrWindow)) < 128;
    m_bIsBlackHighContrast = highContrast && darkWindow;
    m_bIsWhiteHighContrast = highContrast && !darkWindow;

    m_windowBrush.Reset(::CreateSolidBrush(clrWindow));
    m_btnFaceBrush.Reset(::CreateSolidBrush(clrBtnFace));
    m_barFaceBrush.Reset(::CreateSolidBrush(clrBarFace));
    m_barBorderBrush.Reset(::CreateSolidBrush(clrBarShadow));
    m_menuBrush.Reset(::CreateSolidBrush(clrMenu));
}

CKGPGlobalData::Fonts CKGPGlobalData::MakeFonts()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW menu{};
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        menu = metrics.lfMenuFont;
    } else {
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(menu), &menu);
    }
    Fonts fonts;
    const LOGFONTW regular = menu;
    fonts[kRegularFont].Reset(::CreateFontIndirectW(&regular));
    fonts[kMenuFont].Reset(::CreateFontIndirectW(&menu));
    LOGFONTW bold = regular;
    bold.lfWeight = FW_BOLD;
    fonts[kBoldFont].Reset(::CreateFontIndirectW(&bold));
    LOGFONTW boldMenu = menu;
    boldMenu.lfWeight = FW_BOLD;
    fonts[kBoldMenuFont].Reset(::CreateFontIndirectW(&boldMenu));
    LOGFONTW underline = regular;
    underline.lfUnderline = TRUE;
    fonts[kUnderlineFont].Reset(::CreateFontIndirectW(&underline));
    LOGFONTW vertical = regular;
    vertical.lfEscapement = 2700;
    vertical.lfOrientation = 2700;
    fonts[kVerticalFont].Reset(::CreateFontIndirectW(&vertical));
    return fonts;
}

void CKGPGlobalData::UpdateFonts()
{
    // The new fonts exist before the old go, so no old handle can come back
    // as a new one while windows are re-pointed.
    Fonts fonts = MakeFonts();
    std::vector<std::pair<HFONT, HFONT>> replaced;
    for (int kind = 0; kind < kFontKinds; ++kind) {
        if (m_fonts[kind])
            replaced.emplace_back(m_fonts[kind].Get(), fonts[kind].Get());
    }
    if (!replaced.empty())
        RepointWindowFonts(replaced);
    m_fonts = std::move(fonts);

    m_nTextHeightHorz = TextHeightOf(GetRegularFont());
    m_nTextHeightVert = TextHeightOf(GetVerticalFont());
    m_nMinMenuItemHeight = m_nTextHeightHorz;
    m_nEditHeight = m_nTextHeightHorz + 2;
}

void CKGPGlobalData::OnSettingChange()
{
    RECT work{};
    if (::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
        m_rectWorkArea = work;
    }
    BOOL flag = FALSE;
    m_bMenuAnimation = ::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &flag, 0) && flag;
    flag = FALSE;
    m_bMenuFadeEffect = ::SystemParametersInfoW(SPI_GETMENUFADE, 0, &flag, 0) && flag;
    m_bIsRemoteSession = ::GetSystemMetrics(SM_REMOTESESSION) != 0;

    m_nAutoHideTaskbarEdges = 0;
    static constexpr struct {
        UINT edge;
        int bit;
    } kEdges[] = {{ABE_LEFT, 1}, {ABE_RIGHT, 2}, {ABE_TOP, 4}, {ABE_BOTTOM, 8}};
    for (const auto& edge : kEdges) {
        APPBARDATA data{};
        data.cbSize = sizeof(data);
        data.uEdge = edge.edge;
        if (::SHAppBarMessage(ABM_GETAUTOHIDEBAR, &data) != 0) {
            m_nAutoHideTaskbarEdges |= edge.bit;
        }
    }
}

void CKGPGlobalData::NotifyWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild) const
{
    if (m_bEnableAccessibility && m_functions.notifyWinEvent != nullptr) {
        m_functions.notifyWinEvent(event, hWnd, idObject, idChild);
    }
}

LRESULT CKGPGlobalData::LresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN punk) const
{
    return m_functions.lresultFromObject != nullptr ? m_functions.lresultFromObject(riid, wParam, punk) : 0;
}

BOOL CKGPGlobalData::SetLayeredAttributes(HWND hWnd, COLORREF colourKey, BYTE alpha, DWORD flags) const
{
    return m_functions.setLayeredWindowAttributes != nullptr &&
           m_functions.setLayeredWindowAttributes(hWnd, colourKey, alpha, flags);
}

BOOL CKGPGlobalData::IsDwmCompositionEnabled() const
{
    BOOL enabled = FALSE;
    return m_functions.dwmIsCompositionEnabled != nullptr &&
           SUCCEEDED(m_functions.dwmIsCompositionEnabled(&enabled)) && enabled;
}

void CKGPGlobalData::DrawParentBackground(CWnd* pWnd, CDC* pDC, LPCRECT rect) const
{
    if (pWnd == nullptr || pDC == nullptr || pWnd->m_hWnd == nullptr) {
        return;
    }
    HWND parent = ::GetParent(pWnd->m_hWnd);
    CRect area;
    if (rect != nullptr) {
        area = *rect;
    } else {
        ::GetClientRect(pWnd->m_hWnd, &area);
    }
    if (parent == nullptr) {
        ::FillRect(pDC->m_hDC, &area, GetBtnFaceBrush());
        return;
    }
    POINT offset{0, 0};
    ::MapWindowPoints(pWnd->m_hWnd, parent, &offset, 1);
    const int saved = ::SaveDC(pDC->m_hDC);
    ::IntersectClipRect(pDC->m_hDC, area.left, area.top, area.right, area.bottom);
    POINT oldOrigin{};
    ::OffsetWindowOrgEx(pDC->m_hDC, offset.x, offset.y, &oldOrigin);
    RECT parentArea = area;
    ::OffsetRect(&parentArea, offset.x, offset.y);
    PaintParent(parent, pDC, parentArea);
    ::RestoreDC(pDC->m_hDC, saved);
}

void CKGPGlobalData::PaintParent(HWND hParent, CDC* pDC, const RECT& rectParent) const
{
    const WPARAM dc = reinterpret_cast<WPARAM>(pDC->m_hDC);
    if (!::SendMessageW(hParent, WM_ERASEBKGND, dc, 0))
        ::FillRect(pDC->m_hDC, &rectParent, GetBtnFaceBrush());
    ::SendMessageW(hParent, WM_PRINTCLIENT, dc, PRF_CLIENT);
}

BOOL CKGPGlobalData::IsFullColorUiAvailable() const
{
    return m_bUseAlphaImages && m_nBitsPerPixel >= 16 && !m_bIsBlackHighContrast && !m_bIsWhiteHighContrast;
}

BOOL CKGPGlobalData::IsHotImageShadowAllowed() const
{
    return !m_bNoHotShadowByApp && !m_bNoHotShadowByDisplay && m_nBitsPerPixel > 8;
}

SIZE CKGPGlobalData::GetSmallIconSize() const
{
    return SIZE{::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON)};
}

HCURSOR CKGPGlobalData::GetHandCursor()
{
    if (m_handCursor == nullptr) {
        CKGPLocalResource library;
        m_handCursor = ::LoadCursorW(CKGPLocalResource::GetLibraryModule(), MAKEINTRESOURCEW(kHandCursorId));
        if (m_handCursor == nullptr) {
            m_handCursor = ::LoadCursorW(nullptr, IDC_HAND);
        }
    }
    return m_handCursor;
}

HCURSOR CKGPGlobalData::GetArrowCursor()
{
    if (m_arrowCursor == nullptr)
        m_arrowCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    return m_arrowCursor;
}

HCURSOR CKGPGlobalData::GetSplitterCursor(BOOL bVertical)
{
    HCURSOR& cursor = m_splitterCursors[bVertical ? 1 : 0];
    if (cursor == nullptr) {
        CKGPLocalResource library;
        cursor = ::LoadCursorW(CKGPLocalResource::GetLibraryModule(),
                               MAKEINTRESOURCEW(kSplitterCursorIds[bVertical ? 1 : 0]));
        if (cursor == nullptr) {
            cursor = ::LoadCursorW(nullptr, bVertical ? IDC_SIZENS : IDC_SIZEWE);
        }
    }
    return cursor;
}

CKGPGlobalData& GetKGPGlobalData()
{
    static CKGPGlobalData data;
    return data;
}

CString RegisterLibraryWindowClass(LPCTSTR prefix, UINT classStyle, HCURSOR cursor, HBRUSH background)
{
    HINSTANCE module = ::GetModuleHandleW(nullptr);
    const std::wstring name = kgp::LibraryWindowClassName(
        prefix != nullptr ? prefix : L"", reinterpret_cast<std::uintptr_t>(module), classStyle,
        reinterpret_cast<std::uintptr_t>(cursor), reinterpret_cast<std::uintptr_t>(background));
    WNDCLASSW existing{};
    if (!::GetClassInfoW(module, name.c_str(), &existing)) {
        WNDCLASSW wc{};
        wc.style = classStyle;
        // The library's windows are made for their objects: the class's own
        // procedure is the one the object's hook subclasses with, so nothing
        // is kept to call before it (a property less to set and to remove
        // for each window; one without an object still gets DefWindowProc).
        wc.lpfnWndProc = &AfxWndProc;
        wc.hInstance = module;
        wc.hCursor = cursor;
        wc.hbrBackground = background;
        wc.lpszClassName = name.c_str();
        if (!::RegisterClassW(&wc)) {
            AfxThrowResourceException();
        }
    }
    return CString(name.c_str());
}
