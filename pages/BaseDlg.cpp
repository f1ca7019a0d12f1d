#include "pages/BaseDlg.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "widgets/ListDrag.h"
#include "core/files/ShellHelpers.h"
#include "widgets/StatusText.h"
#include "core/files/TextHelpers.h"
#include "widgets/BottomFade.h"
#include "widgets/UiResources.h"
#include "widgets/OwnerDrawMenu.h"

namespace {

constexpr size_t kWideTipChars = 160;
constexpr size_t kNarrowTipBytes = 80;

}  // namespace

BEGIN_MESSAGE_MAP(CBaseDlg, CResizableDialog)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CBaseDlg::OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CBaseDlg::OnToolTipText)
    ON_MESSAGE(WM_PAGE_SELECTED, &CBaseDlg::OnPageSelectedMsg)
    ON_MESSAGE(WM_PAGE_PICTURE_CLICKED, &CBaseDlg::OnPictureClickedMsg)
    ON_MESSAGE(WM_PAGE_FOLDER_CHANGED, &CBaseDlg::OnFolderChangedMsg)
    ON_MESSAGE(WM_PAGE_DEVICE_LOST, &CBaseDlg::OnDeviceLostMsg)
    ON_WM_DROPFILES()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_MENUCHAR()
    ON_WM_SHOWWINDOW()
    ON_MESSAGE(WM_PAGE_TAKE_FOCUS, &CBaseDlg::OnTakeFocusMsg)
END_MESSAGE_MAP()

CBaseDlg::CBaseDlg(UINT nIDTemplate, CWnd* pParentWnd) : CResizableDialog(nIDTemplate, pParentWnd)
{
    m_nullBrush.CreateStockObject(NULL_BRUSH);
    m_backColor = GetUiResources().m_pageBackColour;
}

CBaseDlg::~CBaseDlg()
{
    m_backBuffer.DeleteObject();
    m_nullBrush.DeleteObject();
}

void CBaseDlg::Attach(IPageHost* pView, CUSBPort* pPort)
{
    m_pView = pView;
    m_pPort = pPort;
}

IPageHost* CBaseDlg::GetView() const { return m_pView; }
CUSBPort* CBaseDlg::GetPort() const { return m_pPort; }
CString CBaseDlg::GetFolder() const { return CString(); }
void CBaseDlg::RefreshDeviceList() {}
bool CBaseDlg::CanClose() { return true; }
void CBaseDlg::LoadSettings() {}
void CBaseDlg::SaveSettings() {}
void CBaseDlg::ReloadTexts() {}
void CBaseDlg::OnDropFiles(const CStringArray&) {}
void CBaseDlg::OnDropFolders(const CStringArray&) {}
void CBaseDlg::GetExcludeRects(std::vector<CRect>&) {}

LRESULT CBaseDlg::OnPictureClicked(WPARAM controlId, LPARAM)
{
    if (controlId == IDC_PAGE_FOLDER_PICTURE) {
        const CString folder = GetFolder();
        if (!folder.IsEmpty()) {
            ShellOpen(folder);
        }
    }
    return 1;
}

LRESULT CBaseDlg::OnFolderChanged(WPARAM, LPARAM) { return 1; }
LRESULT CBaseDlg::OnDeviceLost(WPARAM, LPARAM) { return 1; }

void CBaseDlg::LoadPageAccelerators(UINT acceleratorId)
{
    m_hAccel.Reset();
    if (acceleratorId == 0) {
        return;
    }
    // A private copy: the table outlives a language switch of the resources.
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(acceleratorId), RT_ACCELERATOR);
    HACCEL shared = ::LoadAcceleratorsW(module, MAKEINTRESOURCEW(acceleratorId));
    if (shared == nullptr) {
        return;
    }
    const int count = ::CopyAcceleratorTableW(shared, nullptr, 0);
    std::vector<ACCEL> entries(static_cast<size_t>(std::max(count, 0)));
    if (count > 0) {
        ::CopyAcceleratorTableW(shared, entries.data(), count);
        m_hAccel.Reset(::CreateAcceleratorTableW(entries.data(), count));
    }
}

BOOL CBaseDlg::OnInitDialog()
{
    CResizableDialog::OnInitDialog();
    EnableToolTips(TRUE);
    // Files and folders dragged from the shell land on the page.
    DragAcceptFiles(TRUE);
    GetClientRect(&m_clientRect);
    return TRUE;
}

BOOL CBaseDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
        return TRUE;
    }
    const bool altKey = pMsg->wParam == VK_MENU || pMsg->wParam == VK_LMENU || pMsg->wParam == VK_RMENU;
    if (pMsg->message == WM_SYSKEYDOWN && altKey && (pMsg->lParam & (1 << 30)) == 0) {
        m_altChordTaken = false;  // a fresh press of Alt
    }
    // The Alt key's release after a chord the page's accelerators took: passed
    // on, it would find Alt pressed alone and put the frame in menu mode, so
    // that the next Space opened the window menu.
    if (m_altChordTaken && altKey && (pMsg->message == WM_SYSKEYUP || pMsg->message == WM_KEYUP)) {
        m_altChordTaken = false;
        return TRUE;
    }
    if (m_hAccel && m_hWnd != nullptr && ::TranslateAcceleratorW(m_hWnd, m_hAccel.Get(), pMsg)) {
        m_altChordTaken = m_altChordTaken || pMsg->message == WM_SYSKEYDOWN;
        return TRUE;
    }
    return CResizableDialog::PreTranslateMessage(pMsg);
}

void CBaseDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizableDialog::OnShowWindow(bShow, nStatus);
    // Once shown, the page takes the keyboard, after whatever showed it (a
    // click in the page tree keeps the focus there until it is done).
    if (bShow) {
        PostMessage(WM_PAGE_TAKE_FOCUS);
    }
}

LRESULT CBaseDlg::OnTakeFocusMsg(WPARAM, LPARAM)
{
    // Only a page still shown, in the active window, without the focus inside.
    CWnd* top = GetTopLevelParent();
    const HWND focus = ::GetFocus();
    if (IsWindowVisible() && top != nullptr && ::GetActiveWindow() == top->GetSafeHwnd() &&
        focus != m_hWnd && !::IsChild(m_hWnd, focus)) {
        SetFocus();
    }
    return 0;
}

void CBaseDlg::UpdateBackBuffer(CDC* pDC, const CRect& client)
{
    if (m_backBuffer.GetSafeHandle() != nullptr) {
        BITMAP info{};
        m_backBuffer.GetObject(sizeof(info), &info);
        if (info.bmWidth == client.Width() && info.bmHeight == client.Height() && info.bmBitsPixel >= 8) {
            return;
        }
        m_backBuffer.DeleteObject();
    }
    m_backBuffer.CreateCompatibleBitmap(pDC, client.Width(), client.Height());
    m_backBufferSize = CSize(client.Width(), client.Height());
    ++m_backBufferBuilds;

    CDC memory;
    memory.CreateCompatibleDC(pDC);
    CBitmap* previous = memory.SelectObject(&m_backBuffer);
    memory.FillSolidRect(&client, m_backColor);
    widgets::DrawBottomFade(memory, client, m_backColor);
    // The corner picture goes over the fade: under it, the fade's opaque white
    // would hide the picture's lower part, which is where it stands.
    if (const CSkinImage* corner = GetUiResources().GetCornerImage()) {
        corner->Draw(memory.GetSafeHdc(), client.right - corner->GetWidth(), client.bottom - corner->GetHeight());
    }
    memory.SelectObject(previous);
}

BOOL CBaseDlg::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty()) {
        return TRUE;
    }
    UpdateBackBuffer(pDC, client);

    std::vector<CRect> excluded;
    GetExcludeRects(excluded);
    for (const CRect& rect : excluded) {
        pDC->ExcludeClipRect(&rect);
    }
    CDC memory;
    memory.CreateCompatibleDC(pDC);
    CBitmap* previous = memory.SelectObject(&m_backBuffer);
    pDC->BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(previous);
    return TRUE;
}

void CBaseDlg::OnSize(UINT nType, int cx, int cy)
{
    CResizableDialog::OnSize(nType, cx, cy);
    if (m_hWnd != nullptr) {
        GetClientRect(&m_clientRect);
    }
}

bool CBaseDlg::ReadToolTipString(UINT stringId, CString& status, CString& tip)
{
    status.Empty();
    tip.Empty();
    CString text;
    if (stringId == 0 || !text.LoadString(stringId)) {
        return false;
    }
    const std::vector<CString> parts = SplitLines(text);
    if (parts.empty()) {
        return false;
    }
    status = parts[0];
    if (parts.size() >= 2) {
        tip = parts[1];
    }
    return true;
}

BOOL CBaseDlg::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (GetRoutingFrame_() != nullptr) {
        return FALSE;
    }
    UINT_PTR id = pNMHDR->idFrom;
    const bool wide = pNMHDR->code == TTN_NEEDTEXTW;
    const UINT flags = wide ? reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->uFlags
                            : reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->uFlags;
    if ((flags & TTF_IDISHWND) != 0) {
        id = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(id)));
    }
    if (id == 0) {
        return FALSE;
    }
    CString status;
    CString tip;
    if (ReadToolTipString(static_cast<UINT>(id), status, tip)) {
        SetStatusText(status);
    }
    if (wide) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        const size_t count = std::min<size_t>(static_cast<size_t>(tip.GetLength()), std::size(info->szText) - 1);
        std::wmemcpy(info->szText, tip.GetString(), count);
        info->szText[count] = L'\0';
        info->lpszText = info->szText;
        static_assert(std::size(NMTTDISPINFOW{}.szText) <= kWideTipChars);
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        info->szText[0] = '\0';
        if (!tip.IsEmpty()) {
            const int written = ::WideCharToMultiByte(CP_ACP, 0, tip.GetString(), tip.GetLength(), info->szText,
                                                      static_cast<int>(std::size(info->szText)) - 1, nullptr, nullptr);
            info->szText[std::max(written, 0)] = '\0';
        }
        info->lpszText = info->szText;
        static_assert(std::size(NMTTDISPINFOA{}.szText) <= kNarrowTipBytes);
    }
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
    return TRUE;
}

LRESULT CBaseDlg::OnPictureClickedMsg(WPARAM wParam, LPARAM lParam) { return OnPictureClicked(wParam, lParam); }
LRESULT CBaseDlg::OnFolderChangedMsg(WPARAM wParam, LPARAM lParam) { return OnFolderChanged(wParam, lParam); }
// Handled here so that the dialog manager never sees it: for a dialog the same
// number means DM_SETDEFID, which would make the slot number the default button.
LRESULT CBaseDlg::OnPageSelectedMsg(WPARAM, LPARAM) { return 0; }
LRESULT CBaseDlg::OnDeviceLostMsg(WPARAM wParam, LPARAM lParam) { return OnDeviceLost(wParam, lParam); }

void CBaseDlg::SplitDroppedPaths(HDROP hDrop, CStringArray& files, CStringArray& folders)
{
    files.RemoveAll();
    folders.RemoveAll();
    const UINT count = ::DragQueryFileW(hDrop, 0xFFFFFFFF, nullptr, 0);
    std::wstring path;
    for (UINT i = 0; i < count; ++i) {
        // Asked for its length first: a path may be longer than MAX_PATH.
        const UINT length = ::DragQueryFileW(hDrop, i, nullptr, 0);
        if (length == 0) {
            continue;
        }
        path.assign(static_cast<size_t>(length) + 1, L'\0');
        const UINT copied = ::DragQueryFileW(hDrop, i, path.data(), length + 1);
        path.resize(copied);
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        const bool isFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        (isFolder ? folders : files).Add(CString(path.c_str()));
    }
}

void CBaseDlg::OnDropFiles(HDROP hDropInfo)
{
    CStringArray files;
    CStringArray folders;
    SplitDroppedPaths(hDropInfo, files, folders);
    if (files.GetSize() > 0) {
        OnDropFiles(files);
    }
    if (folders.GetSize() > 0) {
        OnDropFolders(folders);
    }
    CResizableDialog::OnDropFiles(hDropInfo);
    // The receiver of a drop owns its handle.
    ::DragFinish(hDropInfo);
}

void CBaseDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    CResizableDialog::OnLButtonDown(nFlags, point);
}

void CBaseDlg::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    SetFocus();
    CResizableDialog::OnLButtonDblClk(nFlags, point);
}

void CBaseDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    FollowListDrag(*this, point);
    CResizableDialog::OnMouseMove(nFlags, point);
}

void CBaseDlg::OnLButtonUp(UINT nFlags, CPoint point)
{
    EndListDragOnRelease();
    CResizableDialog::OnLButtonUp(nFlags, point);
}

LRESULT CBaseDlg::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    return SkinMenuOnMenuChar(nChar, nFlags, pMenu);
}
