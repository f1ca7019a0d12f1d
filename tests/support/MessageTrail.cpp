#include "tests/support/MessageTrail.h"

#include <cstdio>

namespace keyloft_test {

namespace {

CMessageTrail* g_trail = nullptr;

} // namespace

CMessageTrail::CMessageTrail()
{
    g_trail = this;
    const DWORD thread = ::GetCurrentThreadId();
    m_hSent = ::SetWindowsHookExW(WH_CALLWNDPROC, &CMessageTrail::OnSent, nullptr, thread);
    m_hPosted = ::SetWindowsHookExW(WH_GETMESSAGE, &CMessageTrail::OnPosted, nullptr, thread);
}

CMessageTrail::~CMessageTrail()
{
    if (m_hSent != nullptr)
        ::UnhookWindowsHookEx(m_hSent);
    if (m_hPosted != nullptr)
        ::UnhookWindowsHookEx(m_hPosted);
    g_trail = nullptr;
}

void CMessageTrail::Note(HWND hWnd, UINT message, bool sent, POINT pt)
{
    const unsigned at = m_next.fetch_add(1) % kSize;
    m_entries[at] = Entry{hWnd, message, ::GetTickCount(), sent, pt};
}

LRESULT CALLBACK CMessageTrail::OnSent(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && g_trail != nullptr) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        g_trail->Note(sent->hwnd, sent->message, true);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CMessageTrail::OnPosted(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE && g_trail != nullptr) {
        const auto* posted = reinterpret_cast<const MSG*>(lParam);
        g_trail->Note(posted->hwnd, posted->message, false, posted->pt);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string CMessageTrail::Trail() const
{
    const unsigned next = m_next.load();
    const DWORD now = ::GetTickCount();
    const unsigned count = next < kSize ? next : kSize;
    std::string trail;
    for (unsigned i = next - count; i != next; ++i) {
        const Entry entry = m_entries[i % kSize];
        wchar_t className[64] = L"-";
        if (entry.hWnd != nullptr)
            ::GetClassNameW(entry.hWnd, className, 64);
        char line[200];
        std::snprintf(line, sizeof(line), "\n    -%lu ms %s 0x%04x %p %ls", static_cast<unsigned long>(now - entry.tick),
                      entry.sent ? "sent" : "posted", entry.message, static_cast<void*>(entry.hWnd), className);
        trail += line;
        const bool mouse = (entry.message >= WM_MOUSEFIRST && entry.message <= WM_MOUSELAST) ||
                           (entry.message >= WM_NCMOUSEMOVE && entry.message <= WM_NCMBUTTONDBLCLK);
        if (!entry.sent && mouse) {
            std::snprintf(line, sizeof(line), " at %ld,%ld", static_cast<long>(entry.pt.x), static_cast<long>(entry.pt.y));
            trail += line;
        }
    }
    return trail;
}

} // namespace keyloft_test
