#include "core/files/ShellSeam.h"

#include <afxwin.h>

#include <algorithm>
#include <atomic>
#include <shellapi.h>
#include <shlobj.h>
#include <string>

namespace {

// A list for the shell's file operation: every path followed by a null, and one
// more null at the end.
std::wstring DoubleNullList(const std::vector<CString>& paths, std::size_t count)
{
    std::wstring list;
    for (std::size_t i = 0; i < count; ++i) {
        list.append(paths[i].GetString(), static_cast<std::size_t>(paths[i].GetLength()));
        list.push_back(L'\0');
    }
    list.push_back(L'\0');
    return list;
}

int CALLBACK SelectStartFolder(HWND window, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data != 0)
        ::SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

class CSystemShell final : public IShellOperations {
public:
    int CopyFiles(const std::vector<CString>& sources, const std::vector<CString>& destinations) override
    {
        const std::size_t count = std::min(sources.size(), destinations.size());
        const std::wstring from = DoubleNullList(sources, count);
        const std::wstring to = DoubleNullList(destinations, count);
        SHFILEOPSTRUCTW operation{};
        operation.wFunc = FO_COPY;
        operation.pFrom = from.c_str();
        operation.pTo = to.c_str();
        operation.fFlags = FOF_MULTIDESTFILES;
        return ::SHFileOperationW(&operation);
    }

    int DeleteFiles(const std::vector<CString>& paths, bool permanent) override
    {
        const std::wstring from = DoubleNullList(paths, paths.size());
        SHFILEOPSTRUCTW operation{};
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.c_str();
        operation.fFlags = permanent ? 0 : FOF_ALLOWUNDO;
        return ::SHFileOperationW(&operation);
    }

    bool Open(LPCTSTR path, DWORD& error) override
    {
        const auto result = reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, L"open", path, nullptr, nullptr, SW_SHOWNORMAL));
        if (result > 32)
            return true;
        error = ::GetLastError();
        if (error == ERROR_SUCCESS)
            error = static_cast<DWORD>(result);
        return false;
    }

    bool BrowseForFolder(HWND owner, CString& folder) override
    {
        wchar_t display[MAX_PATH] = {};
        BROWSEINFOW info{};
        info.hwndOwner = owner;
        info.pszDisplayName = display;
        info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
        info.lpfn = &SelectStartFolder;
        info.lParam = reinterpret_cast<LPARAM>(folder.GetString());
        PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&info);
        if (chosen == nullptr)
            return false;
        std::wstring path(32768, L'\0');
        const bool ok = ::SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT) != FALSE;
        ::CoTaskMemFree(chosen);
        if (ok)
            folder = path.c_str();
        return ok;
    }

    int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type) override
    {
        return ::MessageBoxW(owner, text, caption, type | MB_SETFOREGROUND);
    }
};

CSystemShell g_systemShell;
std::atomic<IShellOperations*> g_current{&g_systemShell};

CString ProgramName()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString name(path);
    name = name.Mid(name.ReverseFind(L'\\') + 1);
    const int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

} // namespace

IShellOperations& GetShellOperations() { return *g_current.load(); }

CScopedShellOperations::CScopedShellOperations(IShellOperations& replacement)
    : m_previous(g_current.exchange(&replacement))
{
}

CScopedShellOperations::~CScopedShellOperations() { g_current.store(m_previous); }

int ShowPlainMessageBox(LPCTSTR text, UINT type, HWND owner, LPCTSTR caption)
{
    const CString title = (caption != nullptr && *caption != L'\0') ? CString(caption) : ProgramName();
    // Owned by the program's window and in front: never a box lost behind a
    // main window that it keeps disabled.
    if (owner == nullptr)
        owner = CWnd::GetSafeOwner_(nullptr, nullptr);
    return GetShellOperations().MessageBox(owner, text, title, type);
}
