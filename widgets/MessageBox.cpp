#include "widgets/MessageBox.h"

#include <mmsystem.h>

#include <mutex>
#include <utility>
#include <vector>

#include "core/files/Folders.h"
#include "core/files/TextHelpers.h"
#include "res/resource.h"

namespace {

// The boxes shown right now, with the thread that shows each.
std::mutex g_openBoxesMutex;
std::vector<std::pair<CMessageBox*, DWORD>> g_openBoxes;

} // namespace

BEGIN_MESSAGE_MAP(CMessageBox, CDialog)
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CMessageBox::CMessageBox(int mode, UINT stringId, int iconId, int soundId, CWnd* pParent)
    : CDialog(IDD_MESSAGE_BOX, pParent), m_mode(mode), m_text(LoadResString(stringId)),
      m_iconId(iconId == -1 ? kDefaultIcon : iconId), m_soundId(soundId)
{
}

CMessageBox::CMessageBox(int mode, LPCTSTR text, int iconId, CWnd* pParent)
    : CDialog(IDD_MESSAGE_BOX, pParent), m_mode(mode), m_text(text != nullptr ? text : L""),
      m_iconId(iconId == -1 ? kDefaultIcon : iconId)
{
}

CMessageBox::~CMessageBox() = default;

CString CMessageBox::GetSoundPath(int soundId)
{
    switch (soundId) {
    case 0:
        return GetProgramFolder() + L"wav\\msgBox.wav";
    case 1:
        return GetProgramFolder() + L"wav\\finish.wav";
    default:
        return CString();
    }
}

INT_PTR CMessageBox::DoModal()
{
    const INT_PTR result = CDialog::DoModal();
    return result == IDOK ? IDOK : IDCANCEL;
}

void widgets::BringModalToFront(HWND box)
{
    // Owned by the main window (or its active popup), the box stays above it;
    // it also comes before every other window, so a user away from the
    // program finds it at once instead of a main window that seems frozen.
    ::SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(box);
}

int CMessageBox::CloseOpenBoxes()
{
    std::vector<CMessageBox*> boxes;
    {
        std::lock_guard lock(g_openBoxesMutex);
        for (const auto& [box, thread] : g_openBoxes) {
            if (thread == ::GetCurrentThreadId() && !box->m_closing)
                boxes.push_back(box);
        }
    }
    for (CMessageBox* box : boxes) {
        box->m_closing = true;
        box->ShowWindow(SW_HIDE);
        box->EndDialog(IDCANCEL);
    }
    return static_cast<int>(boxes.size());
}

void CMessageBox::OnDestroy()
{
    {
        std::lock_guard lock(g_openBoxesMutex);
        std::erase_if(g_openBoxes, [this](const auto& entry) { return entry.first == this; });
    }
    CDialog::OnDestroy();
}

BOOL CMessageBox::OnInitDialog()
{
    CDialog::OnInitDialog();
    {
        std::lock_guard lock(g_openBoxesMutex);
        g_openBoxes.emplace_back(this, ::GetCurrentThreadId());
    }
    const CString title = LoadResString(AFX_IDS_APP_TITLE);
    if (!title.IsEmpty()) {
        ::SetWindowTextW(m_hWnd, title);
    }
    m_ok.SubclassDlgItem(IDOK, this);
    m_cancel.SubclassDlgItem(IDCANCEL, this);
    ::SetDlgItemTextW(m_hWnd, IDC_MSGBOX_TEXT, m_text);
    ::SendDlgItemMessageW(m_hWnd, IDC_MSGBOX_TEXT, WM_SETFONT, reinterpret_cast<WPARAM>(widgets::GetTextFont()), FALSE);

    const int sizes = ::GetSystemMetrics(SM_CXICON);
    auto loadIcon = [sizes](int id) {
        HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCEW(id), RT_GROUP_ICON);
        return static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, sizes, sizes, 0));
    };
    HICON icon = loadIcon(m_iconId);
    if (icon == nullptr && m_iconId != kDefaultIcon) {
        icon = loadIcon(kDefaultIcon);
    }
    m_icon.Reset(icon);
    ::SendDlgItemMessageW(m_hWnd, IDC_MSGBOX_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);

    FitTextAndButtons();

    const CString sound = GetSoundPath(m_soundId);
    if (!sound.IsEmpty()) {
        // Asynchronous and without the default beep: a machine without a sound
        // device or without the file just stays silent.
        ::PlaySoundW(sound, nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT | SND_NOWAIT);
    }
    widgets::BringModalToFront(m_hWnd);
    ::SetFocus(::GetDlgItem(m_hWnd, IDOK));
    return FALSE; // the focus is set
}

void CMessageBox::FitTextAndButtons()
{
    HWND textWnd = ::GetDlgItem(m_hWnd, IDC_MSGBOX_TEXT);
    HWND okWnd = ::GetDlgItem(m_hWnd, IDOK);
    HWND cancelWnd = ::GetDlgItem(m_hWnd, IDCANCEL);
    if (textWnd == nullptr || okWnd == nullptr || cancelWnd == nullptr) {
        return;
    }
    RECT textRect{};
    ::GetWindowRect(textWnd, &textRect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&textRect), 2);
    // Grow the dialog downwards when the message needs more lines than the template holds.
    RECT needed{0, 0, textRect.right - textRect.left, 0};
    {
        const CWindowDCHandle dc(textWnd);
        const CSelectionScope font(dc.Get(), widgets::GetTextFont());
        ::DrawTextW(dc.Get(), m_text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    const int grow = std::max<LONG>(0, needed.bottom - (textRect.bottom - textRect.top));
    const int maxGrow = ::GetSystemMetrics(SM_CYSCREEN) / 2;
    const int extra = std::min(grow, maxGrow);
    if (extra > 0) {
        ::SetWindowPos(textWnd, nullptr, 0, 0, textRect.right - textRect.left, textRect.bottom - textRect.top + extra,
                       SWP_NOMOVE | SWP_NOZORDER);
        RECT window{};
        ::GetWindowRect(m_hWnd, &window);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, window.right - window.left, window.bottom - window.top + extra,
                       SWP_NOMOVE | SWP_NOZORDER);
    }
    RECT okRect{};
    RECT cancelRect{};
    ::GetWindowRect(okWnd, &okRect);
    ::GetWindowRect(cancelWnd, &cancelRect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&okRect), 2);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&cancelRect), 2);
    ::SetWindowPos(cancelWnd, nullptr, cancelRect.left, cancelRect.top + extra, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (m_mode == kModeOk) {
        // OK alone takes Cancel's place at the right.
        ::ShowWindow(cancelWnd, SW_HIDE);
        ::SetWindowPos(okWnd, nullptr, cancelRect.left, cancelRect.top + extra, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    } else {
        ::SetWindowPos(okWnd, nullptr, okRect.left, okRect.top + extra, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    if (extra > 0) {
        CenterWindow();
    }
}

void CMessageBox::OnCancel()
{
    // Escape or the close box: a box without Cancel can only be acknowledged.
    EndDialog(m_mode == kModeOk ? IDOK : IDCANCEL);
}

BOOL CMessageBox::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CMemDC memory(*pDC, client);
    HDC dc = memory.GetDC().GetSafeHdc();
    ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    // The button strip: a pale green band under a thin green line.
    RECT okRect{};
    ::GetWindowRect(::GetDlgItem(m_hWnd, IDOK), &okRect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&okRect), 2);
    RECT band{client.left, okRect.top - 8, client.right, client.bottom};
    CGdiHandle<HBRUSH> pale(::CreateSolidBrush(widgets::kLookLightGreen));
    ::FillRect(dc, &band, pale.Get());
    RECT line{band.left, band.top, band.right, band.top + 1};
    CGdiHandle<HBRUSH> green(::CreateSolidBrush(widgets::kLookGreen));
    ::FillRect(dc, &line, green.Get());
    return TRUE;
}

HBRUSH CMessageBox::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(widgets::kLookText);
        return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
