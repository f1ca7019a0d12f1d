// CFileDialog: open/save with '|' filters and a multi-select buffer that grows.
#include <afxwin.h>
#include <afxdlgs.h>

#include <algorithm>
#include <cwchar>

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace {

constexpr std::size_t kInitialBuffer = 4096;
// Room for a large multiple selection from the start: some dialog versions cut
// a selection that does not fit instead of reporting it.
constexpr std::size_t kMultiSelectBuffer = 32768;
// Never grow past this (characters): the dialog's own limit is far below.
constexpr std::size_t kMaxBuffer = 1u << 20;

int LastSeparator(const CString& path)
{
    return std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD dwSize, BOOL)
    : m_bOpenFileDialog(bOpenFileDialog)
{
    m_pParentWnd = pParentWnd;
    m_ofn.lStructSize = dwSize != 0 ? dwSize : sizeof(OPENFILENAMEW);
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.hInstance = AfxGetResourceHandle();
    if (lpszDefExt != nullptr) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFilter != nullptr) {
        m_filter = MakeFilter(lpszFilter);
        m_ofn.lpstrFilter = m_filter.data();
    }
    UseOwnBuffer(kInitialBuffer);
    if (lpszFileName != nullptr)
        ::lstrcpynW(m_ofn.lpstrFile, lpszFileName, static_cast<int>(m_ofn.nMaxFile));
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
}

CFileDialog::~CFileDialog() = default;

std::vector<wchar_t> CFileDialog::MakeFilter(LPCTSTR lpszFilter)
{
    std::vector<wchar_t> filter;
    for (const wchar_t* p = lpszFilter; p != nullptr && *p != 0; ++p)
        filter.push_back(*p == L'|' ? L'\0' : *p);
    // Pairs end with one NUL each and the list with another.
    while (filter.size() < 2 || filter[filter.size() - 1] != 0 || filter[filter.size() - 2] != 0)
        filter.push_back(L'\0');
    return filter;
}

void CFileDialog::UseOwnBuffer(std::size_t capacity)
{
    capacity = std::min(capacity, kMaxBuffer);
    const bool own = !m_fileBuffer.empty() && m_ofn.lpstrFile == m_fileBuffer.data();
    if (own && m_fileBuffer.size() >= capacity)
        return;
    std::vector<wchar_t> grown(capacity, L'\0');
    if (m_ofn.lpstrFile != nullptr && m_ofn.nMaxFile > 0) {
        // Keep what is there (the initial name, or a selection so far).
        const std::size_t keep = std::min<std::size_t>(m_ofn.nMaxFile, capacity - 1);
        std::copy(m_ofn.lpstrFile, m_ofn.lpstrFile + keep, grown.begin());
    }
    m_fileBuffer = std::move(grown);
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hDlg, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* ofn = reinterpret_cast<OPENFILENAMEW*>(lParam);
        ::SetWindowLongPtrW(hDlg, DWLP_USER, ofn != nullptr ? ofn->lCustData : 0);
        return 0;
    }
    if (message != WM_NOTIFY)
        return 0;
    auto* notify = reinterpret_cast<OFNOTIFYW*>(lParam);
    auto* self = reinterpret_cast<CFileDialog*>(::GetWindowLongPtrW(hDlg, DWLP_USER));
    if (self == nullptr || notify->hdr.code != CDN_SELCHANGE)
        return 0;
    // Make room for "folder\0name\0name\0\0" before the user presses OK.
    HWND dialog = ::GetParent(hDlg);
    const LRESULT spec = ::SendMessageW(dialog, CDM_GETSPEC, 0, 0);
    const LRESULT folder = ::SendMessageW(dialog, CDM_GETFOLDERPATH, 0, 0);
    if (spec < 0 || folder < 0)
        return 0;
    const std::size_t needed = static_cast<std::size_t>(spec + folder) + 16;
    if (needed > self->m_ofn.nMaxFile) {
        self->UseOwnBuffer(std::max(needed * 2, static_cast<std::size_t>(self->m_ofn.nMaxFile) * 2));
        if (notify->lpOFN != nullptr && notify->lpOFN != &self->m_ofn) {
            notify->lpOFN->lpstrFile = self->m_ofn.lpstrFile;
            notify->lpOFN->nMaxFile = self->m_ofn.nMaxFile;
        }
    }
    return 0;
}

INT_PTR CFileDialog::DoModal()
{
    m_results.clear();
    const bool multiSelect = (m_ofn.Flags & OFN_ALLOWMULTISELECT) != 0;
    LPWSTR callerBuffer = m_ofn.lpstrFile;
    const DWORD callerCapacity = m_ofn.nMaxFile;
    if (multiSelect) {
        m_ofn.Flags |= OFN_ENABLEHOOK;
        m_ofn.lpfnHook = &CFileDialog::HookProc;
        UseOwnBuffer(std::max<std::size_t>(kMultiSelectBuffer, m_ofn.nMaxFile));
    }
    m_ofn.hwndOwner = CWnd::GetSafeOwner_(CWnd::HwndOf(m_pParentWnd), nullptr);

    for (int attempt = 0; attempt < 3; ++attempt) {
        const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
        if (chosen) {
            m_results = ParseResult(m_ofn.lpstrFile, m_ofn.nMaxFile, multiSelect);
            CopyResultTo(callerBuffer, callerCapacity);
            return IDOK;
        }
        if (::CommDlgExtendedError() != FNERR_BUFFERTOOSMALL || m_ofn.nMaxFile >= kMaxBuffer)
            return IDCANCEL;
        // The first word holds the size the selection needs; ask again with room for it.
        const std::size_t needed = *reinterpret_cast<const WORD*>(m_ofn.lpstrFile);
        m_ofn.lpstrFile[0] = 0;
        UseOwnBuffer(std::max<std::size_t>(needed + 2, static_cast<std::size_t>(m_ofn.nMaxFile) * 2));
    }
    return IDCANCEL;
}

void CFileDialog::CopyResultTo(LPWSTR buffer, DWORD capacity) const
{
    // A caller that reads its own buffer finds the result there when it fits
    // (the dialog may have worked in a larger buffer of its own).
    if (buffer == nullptr || buffer == m_ofn.lpstrFile || capacity == 0)
        return;
    std::size_t used = 0;
    while (used + 1 < m_ofn.nMaxFile && !(m_ofn.lpstrFile[used] == 0 && m_ofn.lpstrFile[used + 1] == 0))
        ++used;
    used += 2;  // both closing NULs
    if (used <= capacity)
        std::copy(m_ofn.lpstrFile, m_ofn.lpstrFile + used, buffer);
    else
        buffer[0] = 0;
}

std::vector<CString> CFileDialog::ParseResult(const wchar_t* buffer, std::size_t capacity, bool multiSelect)
{
    std::vector<CString> paths;
    if (buffer == nullptr || capacity == 0)
        return paths;
    const std::size_t firstLength = ::wcsnlen(buffer, capacity);
    const CString first(buffer, static_cast<int>(firstLength));
    if (first.IsEmpty())
        return paths;
    std::size_t offset = firstLength + 1;
    // One file: the full path only. Several: the folder, then the names.
    if (!multiSelect || offset >= capacity || buffer[offset] == 0) {
        paths.push_back(first);
        return paths;
    }
    CString folder = first;
    if (folder.Right(1) != L"\\")
        folder += L'\\';
    while (offset < capacity && buffer[offset] != 0) {
        const std::size_t length = ::wcsnlen(buffer + offset, capacity - offset);
        paths.push_back(folder + CString(buffer + offset, static_cast<int>(length)));
        offset += length + 1;
    }
    return paths;
}

CString CFileDialog::GetPathName() const
{
    if (!m_results.empty())
        return m_results.front();
    return m_ofn.lpstrFile != nullptr ? CString(m_ofn.lpstrFile) : CString();
}

CString CFileDialog::GetFileName() const
{
    const CString path = GetPathName();
    return path.Mid(LastSeparator(path) + 1);
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const
{
    const CString path = GetPathName();
    const int separator = LastSeparator(path);
    return separator < 0 ? CString() : path.Left(separator);
}

POSITION CFileDialog::GetStartPosition() const
{
    return m_results.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(1));
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    const auto index = static_cast<std::size_t>(reinterpret_cast<INT_PTR>(pos) - 1);
    if (pos == nullptr || index >= m_results.size()) {
        pos = nullptr;
        return CString();
    }
    pos = index + 1 < m_results.size() ? reinterpret_cast<POSITION>(static_cast<INT_PTR>(index + 2)) : nullptr;
    return m_results[index];
}
