// CPropertySheet and CPropertyPage: a window of the layer's own holding a tab
// control, the page shown under it and the sheet's buttons. Pages are child
// dialogs made from their templates the first time they are shown.
#include <afxwin.h>
#include <afxdlg.h>

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

namespace {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kMargin = 7;
constexpr int kTabId = 0x3020;
// OK, Cancel, Apply, Help: their ids in the order they stand from the left.
constexpr UINT kButtonIds[4] = {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP};
constexpr LPCWSTR kButtonTexts[4] = {L"OK", L"Cancel", L"&Apply", L"Help"};

// The parts of a dialog template the sheet reads, for both template forms.
struct TemplateFacts {
    DWORD* style = nullptr;
    short cx = 0, cy = 0;
    CString caption;
};

const WORD* SkipSzOrOrd(const WORD* p)
{
    if (*p == 0x0000)
        return p + 1;
    if (*p == 0xFFFF)
        return p + 2;
    while (*p != 0)
        ++p;
    return p + 1;
}

// Reads the template in place; FALSE when it is too short to hold its header.
BOOL ReadTemplate(BYTE* bytes, size_t size, TemplateFacts& facts)
{
    if (bytes == nullptr || size < sizeof(DLGTEMPLATE))
        return FALSE;
    const WORD* words = reinterpret_cast<const WORD*>(bytes);
    const BOOL extended = words[0] == 1 && words[1] == 0xFFFF;
    const WORD* p = nullptr;
    if (extended) {
        if (size < 26)
            return FALSE;
        facts.style = reinterpret_cast<DWORD*>(bytes + 12);
        facts.cx = *reinterpret_cast<const short*>(bytes + 22);
        facts.cy = *reinterpret_cast<const short*>(bytes + 24);
        p = reinterpret_cast<const WORD*>(bytes + 26);
    } else {
        facts.style = reinterpret_cast<DWORD*>(bytes);
        facts.cx = *reinterpret_cast<const short*>(bytes + 14);
        facts.cy = *reinterpret_cast<const short*>(bytes + 16);
        p = reinterpret_cast<const WORD*>(bytes + 18);
    }
    const WORD* end = reinterpret_cast<const WORD*>(bytes + size);
    // Menu and class, then the caption; every step stays inside the template.
    for (int part = 0; part < 2 && p < end; ++part)
        p = SkipSzOrOrd(p);
    if (p < end) {
        const WORD* start = p;
        while (p < end && *p != 0)
            ++p;
        facts.caption = CString(reinterpret_cast<LPCWSTR>(start), static_cast<int>(p - start));
    }
    return TRUE;
}

// A copy of the page's template, made a child control of the sheet.
std::vector<BYTE> LoadPageTemplate(LPCTSTR lpszTemplateName, HINSTANCE& hInst)
{
    std::vector<BYTE> bytes;
    if (lpszTemplateName == nullptr)
        return bytes;
    hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC resource = ::FindResourceW(hInst, lpszTemplateName, RT_DIALOG);
    if (resource == nullptr)
        return bytes;
    HGLOBAL loaded = ::LoadResource(hInst, resource);
    const DWORD size = ::SizeofResource(hInst, resource);
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr || size == 0)
        return bytes;
    bytes.assign(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
    return bytes;
}

} // namespace

// ---- CPropertyPage

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption, DWORD dwSize)
{
    m_psp.dwSize = dwSize;
    Construct(nIDTemplate, nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption, DWORD dwSize)
{
    m_psp.dwSize = dwSize;
    Construct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    Construct(MAKEINTRESOURCEW(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    SetTemplateName(lpszTemplateName);
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.hInstance = AfxGetResourceHandle();
    if (nIDCaption != 0) {
        m_strCaption.LoadString(nIDCaption);
        m_psp.dwFlags |= PSP_USETITLE;
    }
}

CString CPropertyPage::GetCaption() const
{
    if (!m_strCaption.IsEmpty())
        return m_strCaption;
    HINSTANCE hInst = nullptr;
    std::vector<BYTE> bytes = LoadPageTemplate(m_lpszTemplateName, hInst);
    TemplateFacts facts;
    return ReadTemplate(bytes.data(), bytes.size(), facts) ? facts.caption : CString();
}

CSize CPropertyPage::TemplateSize(int baseX, int baseY) const
{
    HINSTANCE hInst = nullptr;
    std::vector<BYTE> bytes = LoadPageTemplate(m_lpszTemplateName, hInst);
    TemplateFacts facts;
    if (!ReadTemplate(bytes.data(), bytes.size(), facts))
        return CSize(0, 0);
    return CSize(::MulDiv(facts.cx, baseX, 4), ::MulDiv(facts.cy, baseY, 8));
}

BOOL CPropertyPage::CreatePage(CPropertySheet* pSheet)
{
    m_pSheet = pSheet;
    if (m_hWnd != nullptr)
        return TRUE;
    // As the system does: a record below its smallest page record is refused.
    if (m_psp.dwSize < PROPSHEETPAGEW_V1_SIZE)
        return FALSE;
    HINSTANCE hInst = nullptr;
    std::vector<BYTE> bytes = LoadPageTemplate(m_lpszTemplateName, hInst);
    TemplateFacts facts;
    if (!ReadTemplate(bytes.data(), bytes.size(), facts))
        return FALSE;
    *facts.style = (*facts.style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | WS_VISIBLE |
                                      WS_DISABLED | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) |
                   WS_CHILD | DS_CONTROL;
    m_pParentWnd = pSheet;
    return CreateDlgIndirect(reinterpret_cast<LPCDLGTEMPLATE>(bytes.data()), pSheet, hInst);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_hWnd != nullptr)
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return m_hWnd == nullptr || UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    m_bModified = FALSE;
    return TRUE;
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
    m_bModified = FALSE;
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    m_bModified = bChanged;
    if (m_pSheet != nullptr)
        m_pSheet->OnPageModified();
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    return m_pSheet != nullptr ? m_pSheet->QuerySiblings(wParam, lParam) : 0;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    // Inside a sheet, keys are the sheet's: Tab walks the page and the
    // sheet's buttons alike, Enter and Esc press the sheet's buttons.
    if (m_pSheet != nullptr && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return CWnd::PreTranslateMessage(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

// ---- CPropertySheet

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CString caption;
    if (nIDCaption != 0)
        caption.LoadString(nIDCaption);
    Construct(caption, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption = pszCaption != nullptr ? pszCaption : _T("");
    m_pParentWnd = pParentWnd;
    m_nStartPage = iSelectPage;
    m_psh.dwSize = sizeof(m_psh);
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage == nullptr || GetPageIndex(pPage) >= 0)
        return;
    m_pages.push_back(pPage);
    if (m_wndTab.GetSafeHwnd() != nullptr) {
        const CString caption = pPage->GetCaption();
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPWSTR>(caption.GetString());
        m_wndTab.SendMessage(TCM_INSERTITEMW, m_pages.size() - 1, reinterpret_cast<LPARAM>(&item));
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    RemovePage(GetPageIndex(pPage));
}

void CPropertySheet::RemovePage(int nPage)
{
    CPropertyPage* page = GetPage(nPage);
    if (page == nullptr)
        return;
    const BOOL wasActive = nPage == m_nActive;
    OnRemovePage(page);
    if (page->GetSafeHwnd() != nullptr)
        page->DestroyWindow();
    m_pages.erase(m_pages.begin() + nPage);
    if (m_wndTab.GetSafeHwnd() != nullptr)
        m_wndTab.SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(nPage));
    if (m_nActive > nPage || (wasActive && m_nActive >= GetPageCount()))
        --m_nActive;
    if (wasActive && m_hWnd != nullptr) {
        const int next = std::max(0, std::min(nPage, GetPageCount() - 1));
        m_nActive = -1;
        if (GetPageCount() > 0)
            ShowPage(next);
    }
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* pPage) const
{
    const auto found = std::find(m_pages.begin(), m_pages.end(), pPage);
    return found == m_pages.end() ? -1 : static_cast<int>(found - m_pages.begin());
}

CSize CPropertySheet::BaseUnits() const
{
    // The dialog base units of the sheet's font, as the system computes them.
    CWindowDCHandle dc(nullptr);
    const HGDIOBJ old = ::SelectObject(dc.Get(), m_hFont);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.Get(), &metrics);
    SIZE size{};
    ::GetTextExtentPoint32W(dc.Get(), L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
    ::SelectObject(dc.Get(), old);
    return CSize((size.cx / 26 + 1) / 2, metrics.tmHeight);
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (m_hWnd != nullptr || m_pages.empty())
        return FALSE;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    if (dwStyle == static_cast<DWORD>(-1))
        dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    m_hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    LPCTSTR windowClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const BOOL visible = (dwStyle & WS_VISIBLE) != 0;
    if (!CreateEx(dwExStyle | WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME, windowClass, m_strCaption,
                  dwStyle & ~WS_VISIBLE, CRect(0, 0, 100, 100), m_pParentWnd, 0))
        return FALSE;
    if (!m_wndTab.CreateEx(0, WC_TABCONTROLW, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS,
                           CRect(0, 0, 10, 10), this, kTabId)) {
        DestroyWindow();
        return FALSE;
    }
    m_wndTab.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont));
    for (size_t i = 0; i < m_pages.size(); ++i) {
        const CString caption = m_pages[i]->GetCaption();
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPWSTR>(caption.GetString());
        m_wndTab.SendMessage(TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    for (int i = 0; i < 4; ++i) {
        DWORD style = WS_CHILD | WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        const BOOL shown = (kButtonIds[i] != ID_APPLY_NOW || (m_psh.dwFlags & PSH_NOAPPLYNOW) == 0) &&
                           (kButtonIds[i] != IDHELP || (m_psh.dwFlags & PSH_HASHELP) != 0);
        if (shown)
            style |= WS_VISIBLE;
        if (kButtonIds[i] == ID_APPLY_NOW)
            style |= WS_DISABLED;
        m_wndButtons[i].CreateEx(0, L"BUTTON", kButtonTexts[i], style, CRect(0, 0, kButtonWidth, kButtonHeight), this,
                                 kButtonIds[i]);
        m_wndButtons[i].SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont));
    }
    LayOut();
    const int start = static_cast<int>(std::min<size_t>(m_nStartPage, m_pages.size() - 1));
    if (!ShowPage(start) && !ShowPage(0)) {
        DestroyWindow();
        return FALSE;
    }
    OnInitDialog();
    if (visible)
        ShowWindow(SW_SHOW);
    return TRUE;
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd != nullptr || m_pages.empty())
        return -1;
    // As a dialog: the owner (the parent's top-level window) is disabled
    // while the sheet runs, and takes the activation back after it.
    const HWND hOwner = CWnd::GetSafeOwner_(HwndOf(m_pParentWnd), nullptr);
    bool bEnableOwner = false;
    if (hOwner != nullptr && hOwner != ::GetDesktopWindow() && ::IsWindowEnabled(hOwner)) {
        ::EnableWindow(hOwner, FALSE);
        bEnableOwner = true;
    }
    m_bModeless = FALSE;
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (Create(CWnd::FromHandle(hOwner), WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME)) {
        if (m_nFlags & WF_CONTINUEMODAL)
            RunModalLoop(MLF_SHOWONIDLE);
        if (m_hWnd != nullptr)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);
    if (bEnableOwner)
        ::EnableWindow(hOwner, TRUE);
    if (hOwner != nullptr && m_hWnd != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hOwner);
    if (m_hWnd != nullptr)
        DestroyWindow();
    m_bModeless = TRUE;
    return m_nModalResult;
}

void CPropertySheet::LayOut()
{
    // The largest page decides the page area; the tabs go round it and the
    // buttons below, from the right.
    const CSize base = BaseUnits();
    CSize page(0, 0);
    for (CPropertyPage* p : m_pages) {
        const CSize size = p->TemplateSize(base.cx, base.cy);
        page.cx = std::max(page.cx, size.cx);
        page.cy = std::max(page.cy, size.cy);
    }
    CRect tab(0, 0, page.cx, page.cy);
    m_wndTab.SendMessage(TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&tab));
    tab.OffsetRect(kMargin - tab.left, kMargin - tab.top);
    // A row of buttons wider than the pages widens the tabs to it.
    auto shown = [this](int i) {
        return m_wndButtons[i].GetSafeHwnd() != nullptr && (m_wndButtons[i].GetStyle() & WS_VISIBLE) != 0;
    };
    int buttonsWidth = 0;
    for (int i = 0; i < 4; ++i)
        buttonsWidth += shown(i) ? kButtonWidth + (buttonsWidth > 0 ? 6 : 0) : 0;
    tab.right = std::max<LONG>(tab.right, kMargin + buttonsWidth);
    m_wndTab.MoveWindow(tab);
    const int width = tab.right + kMargin;
    const int buttonsTop = tab.bottom + kMargin;
    int right = width - kMargin;
    for (int i = 3; i >= 0; --i) {
        if (!shown(i))
            continue;
        m_wndButtons[i].MoveWindow(right - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight);
        right -= kButtonWidth + 6;
    }
    CRect client(0, 0, width, buttonsTop + kButtonHeight + kMargin);
    ::AdjustWindowRectEx(&client, GetStyle(), FALSE, GetExStyle());
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, client.Width(), client.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (CPropertyPage* p : m_pages) {
        if (p->GetSafeHwnd() != nullptr)
            p->MoveWindow(GetPageRect());
    }
}

CRect CPropertySheet::GetPageRect() const
{
    CRect area;
    if (m_wndTab.GetSafeHwnd() == nullptr)
        return area;
    m_wndTab.GetWindowRect(area);
    ScreenToClient(area);
    const CPoint origin = area.TopLeft();
    area.OffsetRect(-origin.x, -origin.y);
    const_cast<CWnd&>(m_wndTab).SendMessage(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    area.OffsetRect(origin);
    return area;
}

BOOL CPropertySheet::ShowPage(int nPage)
{
    CPropertyPage* page = GetPage(nPage);
    if (page == nullptr)
        return FALSE;
    if (!page->CreatePage(this))
        return FALSE;
    page->SetWindowPos(&m_wndTab, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    page->MoveWindow(GetPageRect());
    if (!page->OnSetActive())
        return FALSE;
    CPropertyPage* old = GetActivePage();
    m_nActive = nPage;
    m_wndTab.SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(nPage));
    page->ShowWindow(SW_SHOW);
    if (old != nullptr && old != page && old->GetSafeHwnd() != nullptr)
        old->ShowWindow(SW_HIDE);
    return TRUE;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (GetPage(nPage) == nullptr)
        return FALSE;
    if (m_hWnd == nullptr) {
        m_nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    if (nPage == m_nActive)
        return TRUE;
    CPropertyPage* active = GetActivePage();
    if (active != nullptr && !active->OnKillActive())
        return FALSE;
    return ShowPage(nPage);
}

void CPropertySheet::SetTitle(LPCTSTR lpszText)
{
    m_strCaption = lpszText != nullptr ? lpszText : _T("");
    if (m_hWnd != nullptr)
        SetWindowText(m_strCaption);
}

void CPropertySheet::OnPageModified()
{
    if (m_hWnd == nullptr)
        return;
    BOOL any = FALSE;
    for (const CPropertyPage* page : m_pages)
        any = any || page->IsModified();
    m_wndButtons[2].EnableWindow(any);
}

LRESULT CPropertySheet::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    for (CPropertyPage* page : m_pages) {
        if (page->GetSafeHwnd() == nullptr)
            continue;
        if (const LRESULT answer = page->OnQuerySiblings(wParam, lParam))
            return answer;
    }
    return 0;
}

BOOL CPropertySheet::ApplyPages()
{
    CPropertyPage* active = GetActivePage();
    if (active != nullptr && !active->OnKillActive())
        return FALSE;
    for (size_t i = 0; i < m_pages.size(); ++i) {
        CPropertyPage* page = m_pages[i];
        if (page->GetSafeHwnd() != nullptr && !page->OnApply()) {
            SetActivePage(static_cast<int>(i));
            return FALSE;
        }
    }
    OnPageModified();
    return TRUE;
}

void CPropertySheet::EndSheet(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult); // DoModal returns it
    else if (m_bModeless)
        DestroyWindow();
}

BOOL CPropertySheet::PressButton(int nButton)
{
    switch (nButton) {
    case PSBTN_OK:
        if (ApplyPages())
            EndSheet(IDOK);
        return TRUE;
    case PSBTN_CANCEL: {
        CPropertyPage* active = GetActivePage();
        if (active != nullptr && !active->OnQueryCancel())
            return TRUE;
        for (CPropertyPage* page : m_pages) {
            if (page->GetSafeHwnd() != nullptr)
                page->OnReset();
        }
        EndSheet(IDCANCEL);
        return TRUE;
    }
    case PSBTN_APPLYNOW:
        ApplyPages();
        return TRUE;
    case PSBTN_HELP:
        if (CPropertyPage* active = GetActivePage())
            active->SendMessage(WM_COMMAND, IDHELP);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED || lParam == 0) {
        switch (LOWORD(wParam)) {
        case IDOK:
            return PressButton(PSBTN_OK);
        case IDCANCEL:
            return PressButton(PSBTN_CANCEL);
        case ID_APPLY_NOW:
            return PressButton(PSBTN_APPLYNOW);
        case IDHELP:
            return PressButton(PSBTN_HELP);
        default:
            break;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header != nullptr && header->hwndFrom == m_wndTab.GetSafeHwnd()) {
        if (header->code == TCN_SELCHANGING) {
            CPropertyPage* active = GetActivePage();
            *pResult = active != nullptr && !active->OnKillActive();
            return TRUE;
        }
        if (header->code == TCN_SELCHANGE) {
            const int selected = static_cast<int>(m_wndTab.SendMessage(TCM_GETCURSEL));
            if (!ShowPage(selected))
                m_wndTab.SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(m_nActive));
            *pResult = 0;
            return TRUE;
        }
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd == nullptr || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
        return CWnd::PreTranslateMessage(pMsg);
    if (pMsg->message == WM_KEYDOWN && ::GetKeyState(VK_CONTROL) < 0 &&
        (pMsg->wParam == VK_TAB || pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT) && GetPageCount() > 0) {
        const BOOL back = pMsg->wParam == VK_PRIOR || (pMsg->wParam == VK_TAB && ::GetKeyState(VK_SHIFT) < 0);
        const int count = GetPageCount();
        const int next = ((m_nActive + (back ? -1 : 1)) % count + count) % count;
        SetActivePage(next);
        return TRUE;
    }
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return ::IsDialogMessageW(m_hWnd, pMsg);
    return FALSE;
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case DM_GETDEFID:
        return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CLOSE:
        PressButton(PSBTN_CANCEL);
        return 0;
    case WM_DESTROY:
        for (CPropertyPage* page : m_pages) {
            if (page->GetSafeHwnd() != nullptr)
                page->DestroyWindow();
        }
        m_nActive = -1;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
