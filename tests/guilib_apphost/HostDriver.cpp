#include "tests/guilib_apphost/HostDriver.h"

#include <afxbars.h>

#include "tests/support/WindowCapture.h"

#include <algorithm>
#include <cwchar>

namespace apphost {

namespace {

constexpr DWORD kPollMs = 5;

// One pass over the queue as the application's run loop makes it; whether
// anything was dispatched.
bool DispatchQueued()
{
    CWinThread* thread = AfxGetApp();
    bool any = false;
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (msg.message == WM_QUIT)
            continue; // the main frame's end does not end the test's loop
        any = true;
        if (thread == nullptr || !thread->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return any;
}

// The idle updates the run loop makes once the queue is empty (command
// states of bars and menus, temporary objects freed).
void RunIdle()
{
    CWinThread* thread = AfxGetApp();
    if (thread == nullptr)
        return;
    for (LONG count = 0; count < 4 && thread->OnIdle(count); ++count) {
    }
}

void SendMouse(DWORD flags, CPoint point = CPoint(0, 0))
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if ((flags & MOUSEEVENTF_ABSOLUTE) != 0) {
        // The system maps 0..65535 onto the screen's width and height (x =
        // dx * width / 65536): the smallest dx landing on the pixel.
        const LONG width = ::GetSystemMetrics(SM_CXSCREEN);
        const LONG height = ::GetSystemMetrics(SM_CYSCREEN);
        input.mi.dx = static_cast<LONG>((static_cast<LONGLONG>(point.x) * 65536 + width - 1) / width);
        input.mi.dy = static_cast<LONG>((static_cast<LONGLONG>(point.y) * 65536 + height - 1) / height);
    }
    ::SendInput(1, &input, sizeof(INPUT));
}

void SendKey(UINT vk, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(vk);
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
}

} // namespace

// ---- The application's thread.

void PumpFor(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    bool idleDue = true;
    do {
        if (DispatchQueued())
            idleDue = true;
        if (idleDue) {
            RunIdle();
            idleDue = false;
        }
        if (ms > 0)
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    } while (::GetTickCount() - start < ms);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        PumpFor(0);
        if (condition())
            return true;
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    }
}

// ---- Real input.

void CGestures::MoveTo(CPoint point)
{
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, point);
    if (m_hasMoved)
        m_passed.push_back(OnTheScreen(m_moved));
    m_moved = point;
    m_hasMoved = true;
}

CPoint CGestures::OnTheScreen(CPoint point)
{
    // A move beyond the screen leaves the pointer at its edge.
    return CPoint(std::clamp(point.x, 0L, static_cast<LONG>(::GetSystemMetrics(SM_CXSCREEN) - 1)),
                  std::clamp(point.y, 0L, static_cast<LONG>(::GetSystemMetrics(SM_CYSCREEN) - 1)));
}

// A top-level window shown under the pointer hears of it from the X server,
// and Wine takes that news, however late, for a move of the pointer to
// where it rested then: on a busy machine it may come after the move made
// here and put the pointer back. The press waits until the pointer is where
// it was moved.
void CGestures::HoldThePointerWhereMoved()
{
    if (!m_hasMoved)
        return;
    const CPoint expected = OnTheScreen(m_moved);
    // There twice, a moment apart: news handled meanwhile would have shown.
    auto settled = [this, &expected] {
        if (CursorPos() != expected)
            return false;
        Pause(25);
        return CursorPos() == expected;
    };
    for (int attempt = 0; attempt < 5 && !settled(); ++attempt) {
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, m_moved);
        WaitFor([&expected] { return CursorPos() == expected; }, 500);
    }
}

void CGestures::Press()
{
    HoldThePointerWhereMoved();
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Pause(30);
}

// The same news may come while the button is down (a frame dragged along
// shows windows under the pointer: the docking markers), even in the moment
// between a look at the pointer and the release: the release carries the
// place where the last move left the pointer. Where the application put the
// pointer itself, the button goes up there.
void CGestures::LetGo(DWORD button)
{
    bool whereMoved = false;
    if (m_hasMoved) {
        const CPoint at = CursorPos();
        whereMoved = at == OnTheScreen(m_moved) || std::find(m_passed.begin(), m_passed.end(), at) != m_passed.end();
    }
    if (whereMoved)
        SendMouse(button | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, OnTheScreen(m_moved));
    else
        SendMouse(button);
    m_hasMoved = false;
    m_passed.clear();
    Pause(30);
}

void CGestures::Release()
{
    LetGo(MOUSEEVENTF_LEFTUP);
}

void CGestures::RightPress()
{
    HoldThePointerWhereMoved();
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
    Pause(30);
}

void CGestures::RightRelease()
{
    LetGo(MOUSEEVENTF_RIGHTUP);
}

void CGestures::Click(CPoint point)
{
    MoveTo(point);
    Pause(40);
    Press();
    Release();
}

void CGestures::DoubleClick(CPoint point)
{
    MoveTo(point);
    Pause(60);
    Press();
    Release();
    Press();
    Release();
}

void CGestures::RightClick(CPoint point)
{
    MoveTo(point);
    Pause(40);
    RightPress();
    RightRelease();
}

void CGestures::DragTo(CPoint point, int steps, DWORD stepMs)
{
    const CPoint from = CursorPos();
    for (int step = 1; step <= steps; ++step) {
        MoveTo(CPoint(from.x + (point.x - from.x) * step / steps, from.y + (point.y - from.y) * step / steps));
        Pause(stepMs);
    }
}

void CGestures::Drag(CPoint from, CPoint to, int steps)
{
    MoveTo(from);
    Pause(60);
    Press();
    DragTo(to, steps);
    Pause(100);
    Release();
}

void CGestures::KeyDown(UINT vk)
{
    // Keys go to the window in front: on a busy machine the host's frame may
    // still be on its way there.
    WaitFor([] {
        DWORD process = 0;
        const HWND front = ::GetForegroundWindow();
        return front != nullptr && ::GetWindowThreadProcessId(front, &process) != 0 &&
               process == ::GetCurrentProcessId();
    }, 1000);
    SendKey(vk, false);
    Pause(20);
}

void CGestures::KeyUp(UINT vk)
{
    SendKey(vk, true);
    Pause(20);
}

void CGestures::Key(UINT vk)
{
    KeyDown(vk);
    KeyUp(vk);
}

void CGestures::Chord(UINT modifier, UINT vk)
{
    KeyDown(modifier);
    Key(vk);
    KeyUp(modifier);
}

void CGestures::Pause(DWORD ms)
{
    ::Sleep(ms);
}

bool CGestures::WaitFor(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(kPollMs);
    }
    return true;
}

bool ReleaseOnTheCentreMarker(CGestures& user)
{
    const bool shown = user.WaitFor([] { return !ShownTopLevels(L"KGPSmartDockingGroup").empty(); });
    if (shown) {
        const std::vector<HWND> groups = ShownTopLevels(L"KGPSmartDockingGroup");
        if (!groups.empty()) {
            user.DragTo(ScreenRect(groups.front()).CenterPoint(), 6);
            user.Pause(200);
        }
    }
    user.Release();
    return shown;
}

CRect SideMarker(DWORD alignment)
{
    CRect best;
    for (HWND marker : ShownTopLevels(L"KGPSmartDockingMarker")) {
        const CRect rect = ScreenRect(marker);
        const bool nearer = best.IsRectEmpty() || (alignment == CBRS_ALIGN_LEFT && rect.left < best.left) ||
                            (alignment == CBRS_ALIGN_RIGHT && rect.right > best.right) ||
                            (alignment == CBRS_ALIGN_TOP && rect.top < best.top) ||
                            (alignment == CBRS_ALIGN_BOTTOM && rect.bottom > best.bottom);
        if (nearer)
            best = rect;
    }
    return best;
}

bool ReleaseOnTheSideMarker(CGestures& user, DWORD alignment)
{
    // The side markers come up one after another: the edge's own is looked
    // for once all four stand.
    bool placeShown = false;
    if (user.WaitFor([] { return ShownTopLevels(L"KGPSmartDockingMarker").size() >= 4; })) {
        const CRect marker = SideMarker(alignment);
        if (!marker.IsRectEmpty()) {
            user.DragTo(marker.CenterPoint(), 10);
            placeShown = user.WaitFor([] { return !ShownTopLevels(L"KGPPlaceMarker").empty(); });
        }
    }
    user.Release();
    return placeShown;
}

CPoint CGestures::CursorPos()
{
    POINT point{};
    ::GetCursorPos(&point);
    return point;
}

CUserInput::CUserInput(std::function<void(CGestures&)> script)
{
    m_thread = std::thread([this, script = std::move(script)] {
        CGestures user;
        script(user);
        m_done = true;
    });
}

CUserInput::~CUserInput()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool CUserInput::WaitWhileBusy(DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!IsDone()) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(kPollMs);
    }
    return true;
}

bool CUserInput::Finish(DWORD timeoutMs)
{
    const bool ended = WaitUntil([this] { return IsDone(); }, timeoutMs);
    if (ended && m_thread.joinable())
        m_thread.join();
    // What the last gestures caused (posted messages, a repaint).
    PumpFor(50);
    return ended;
}

bool Perform(std::function<void(CGestures&)> script, DWORD timeoutMs)
{
    CUserInput input(std::move(script));
    return input.Finish(timeoutMs);
}

// ---- What the user sees.

CRect ScreenRect(HWND hWnd)
{
    CRect rect;
    if (hWnd == nullptr || !::GetWindowRect(hWnd, &rect))
        return CRect();
    return rect;
}

bool IsShown(HWND hWnd)
{
    if (hWnd == nullptr || !::IsWindowVisible(hWnd))
        return false;
    const CRect rect = ScreenRect(hWnd);
    const CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    CRect onScreen;
    return !rect.IsRectEmpty() && onScreen.IntersectRect(rect, screen) != FALSE;
}

bool IsOnScreen(CPoint point)
{
    const CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    return screen.PtInRect(point) != FALSE;
}

bool ShowsAt(HWND hWnd, CPoint point)
{
    if (!IsOnScreen(point))
        return false; // nothing shows beyond the screen's edges
    const HWND under = ::WindowFromPoint(point);
    return under != nullptr && (under == hWnd || ::IsChild(hWnd, under));
}

HWND TopLevelOf(HWND hWnd)
{
    return hWnd != nullptr ? ::GetAncestor(hWnd, GA_ROOT) : nullptr;
}

bool IsAbove(HWND hUpper, HWND hLower)
{
    for (HWND walk = ::GetWindow(hUpper, GW_HWNDNEXT); walk != nullptr; walk = ::GetWindow(walk, GW_HWNDNEXT)) {
        if (walk == hLower)
            return true;
    }
    return false;
}

std::vector<HWND> ShownTopLevels(const wchar_t* classPrefix)
{
    struct Search {
        const wchar_t* prefix;
        std::vector<HWND> found;
    } search{classPrefix, {}};
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(lParam);
            DWORD process = 0;
            ::GetWindowThreadProcessId(hWnd, &process);
            wchar_t name[128] = {};
            ::GetClassNameW(hWnd, name, 128);
            if (process == ::GetCurrentProcessId() && ::IsWindowVisible(hWnd) &&
                std::wcsncmp(name, search.prefix, std::wcslen(search.prefix)) == 0)
                search.found.push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

CPoint ListItemPoint(HWND list, int index, int x)
{
    CRect rect;
    ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return x < 0 ? rect.CenterPoint() : CPoint(rect.left + x, rect.CenterPoint().y);
}

int FindListItem(HWND list, LPCTSTR text)
{
    return static_cast<int>(::SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(text)));
}

bool Screenshot(const wchar_t* fileName)
{
    PumpFor(100);
    const CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    return keyloft_test::SaveScreenArea(screen, fileName) != FALSE;
}

} // namespace apphost
