#include "guilib/menus/KGPUserTool.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/core/KGPStoredState.h"

#include <afxarch.h>

#include <algorithm>

IMPLEMENT_SERIAL(CKGPUserTool, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr UINT kDefaultIconId = 16931;
constexpr UINT kClipboardFailedId = 16010;
constexpr int kMaxPath = 260;

} // namespace

CKGPUserTool::~CKGPUserTool()
{
    DeleteIcon();
}

void CKGPUserTool::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_strLabel << m_strCommand << m_strArguments << m_strInitialDirectory << m_uiCmdId;
        return;
    }
    CKGPStoredReader in(ar);
    const CString label = in.ReadString(kgp_stored::kMaxTextLength);
    const CString command = in.ReadString(kgp_stored::kMaxTextLength);
    const CString arguments = in.ReadString(kgp_stored::kMaxTextLength);
    const CString folder = in.ReadString(kgp_stored::kMaxTextLength);
    const UINT commandId = in.ReadUInt(0, 0xFFFF);

    m_strLabel = label;
    m_strArguments = arguments;
    m_strInitialDirectory = folder;
    m_uiCmdId = commandId;
    SetCommand(command);
}

BOOL CKGPUserTool::Invoke()
{
    if (m_strCommand.IsEmpty())
        return FALSE;
    CWnd* main = AfxGetMainWnd();
    const HINSTANCE result =
        ::ShellExecuteW(main != nullptr ? main->GetSafeHwnd() : nullptr, nullptr, m_strCommand,
                        m_strArguments.IsEmpty() ? nullptr : m_strArguments.GetString(),
                        m_strInitialDirectory.IsEmpty() ? nullptr : m_strInitialDirectory.GetString(), SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) >= 32;
}

void CKGPUserTool::SetCommand(LPCTSTR lpszCmd)
{
    const CString command = lpszCmd != nullptr ? lpszCmd : L"";
    if (command == m_strCommand && m_hIcon != nullptr)
        return;
    m_strCommand = command;
    DeleteIcon();
    m_hIcon = ExtractIcon();
}

HICON CKGPUserTool::ExtractIcon()
{
    if (m_strCommand.IsEmpty())
        return LoadDefaultIcon();
    CString path = m_strCommand;
    if (m_strCommand.FindOneOf(L"\\/:") < 0) {
        WCHAR found[kMaxPath] = {};
        if (::SearchPathW(nullptr, m_strCommand, nullptr, kMaxPath, found, nullptr) == 0)
            return LoadDefaultIcon();
        path = found;
    }
    SHFILEINFOW info{};
    if (::SHGetFileInfoW(path, 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SHELLICONSIZE | SHGFI_SMALLICON) == 0 ||
        info.hIcon == nullptr)
        return LoadDefaultIcon();
    m_ownIcon.Reset(info.hIcon);
    return info.hIcon;
}

HICON CKGPUserTool::LoadDefaultIcon()
{
    // Loaded once: from the library's resources, else the system's
    // application icon (a shared icon, never destroyed).
    static CIconHandle s_libraryIcon;
    static HICON s_hDefault = [] {
        const SIZE size = GetKGPGlobalData().GetSmallIconSize();
        CKGPLocalResource library;
        s_libraryIcon.Reset(static_cast<HICON>(::LoadImageW(CKGPLocalResource::GetLibraryModule(),
                                                            MAKEINTRESOURCEW(kDefaultIconId), IMAGE_ICON, size.cx,
                                                            size.cy, LR_DEFAULTCOLOR)));
        if (s_libraryIcon)
            return s_libraryIcon.Get();
        return static_cast<HICON>(::LoadImageW(nullptr, MAKEINTRESOURCEW(32512) /* IDI_APPLICATION */, IMAGE_ICON,
                                               size.cx, size.cy, LR_SHARED));
    }();
    return s_hDefault;
}

void CKGPUserTool::DeleteIcon()
{
    m_ownIcon.Reset();
    m_hIcon = nullptr;
}

void CKGPUserTool::DrawToolIcon(CDC* pDC, const CRect& rectImage)
{
    if (m_hIcon == nullptr || pDC == nullptr)
        return;
    const SIZE size = GetKGPGlobalData().GetSmallIconSize();
    const int x = rectImage.left + std::max<int>(0, (rectImage.Width() - size.cx) / 2);
    const int y = rectImage.top + std::max<int>(0, (rectImage.Height() - size.cy) / 2);
    ::DrawIconEx(pDC->GetSafeHdc(), x, y, m_hIcon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
}

BOOL CKGPUserTool::CopyIconToClipboard()
{
    const SIZE size = GetKGPGlobalData().GetSmallIconSize();
    CWindowDCHandle screen(nullptr);
    CMemoryDCHandle memory(::CreateCompatibleDC(screen.Get()));
    CGdiHandle<HBITMAP> bitmap(::CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
    if (!memory || !bitmap)
        return FALSE;
    {
        const CSelectionScope selected(memory.Get(), bitmap.Get());
        RECT all{0, 0, size.cx, size.cy};
        ::FillRect(memory.Get(), &all, GetKGPGlobalData().GetBtnFaceBrush());
        if (m_hIcon != nullptr)
            ::DrawIconEx(memory.Get(), 0, 0, m_hIcon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
    }
    CWnd* main = AfxGetMainWnd();
    BOOL copied = FALSE;
    if (::OpenClipboard(main != nullptr ? main->GetSafeHwnd() : nullptr)) {
        if (::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, bitmap.Get()) != nullptr) {
            (void)bitmap.Detach();  // the clipboard's now
            copied = TRUE;
        }
        ::CloseClipboard();
    }
    if (!copied) {
        CString message;
        {
            CKGPLocalResource library;
            message.LoadString(kClipboardFailedId);
        }
        if (message.IsEmpty())
            message = L"The image could not be copied to the clipboard.";
        AfxMessageBox(message, MB_OK | MB_ICONSTOP);
    }
    return copied;
}
