#include "widgets/StatusText.h"

#include <afxwin.h>

namespace {

struct DescendantSearch {
    UINT id = 0;
    HWND found = nullptr;
};

BOOL CALLBACK MatchId(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<DescendantSearch*>(data);
    if (static_cast<UINT>(::GetDlgCtrlID(window)) == search->id) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool SetStatusTextOf(HWND topWindow, LPCTSTR text)
{
    if (topWindow == nullptr || !::IsWindow(topWindow))
        return false;
    // Direct children first, then every descendant (EnumChildWindows walks them all).
    HWND bar = ::GetDlgItem(topWindow, static_cast<int>(kStatusBarId));
    if (bar == nullptr) {
        DescendantSearch search{kStatusBarId, nullptr};
        ::EnumChildWindows(topWindow, &MatchId, reinterpret_cast<LPARAM>(&search));
        bar = search.found;
    }
    if (bar == nullptr)
        return false;
    return ::SetWindowTextW(bar, text != nullptr ? text : L"") != FALSE;
}

void SetStatusText(LPCTSTR text)
{
    CWnd* main = AfxGetMainWnd();
    if (main != nullptr)
        SetStatusTextOf(main->GetSafeHwnd(), text);
}
