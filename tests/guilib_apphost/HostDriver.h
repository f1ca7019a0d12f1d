// Driving the application host as a user does, and reading what the user
// sees.
//
// Input is real: SendInput, played on a thread of its own while the
// application's thread (the test's) keeps pumping its messages the way the
// application's run loop does (pre-translation, idle updates), so that
// modal loops (drags, menus, dialogs) run as they do for a user. Waits are
// for a condition, polled every few milliseconds, never a fixed sleep.
//
// Adding a scenario (any suite that links this group's sources may):
//   TEST_F(AppHostTest, SomethingAUserDoes)          // HostFixture.h
//   {
//       CHostMainFrame& frame = Frame();              // started fresh
//       const CPoint caption = CaptionPoint(frame.m_wndOutput);
//       ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
//           user.MoveTo(caption);
//           user.Press();
//           user.DragTo(caption + CSize(-300, -200));
//           user.Release();
//       }));
//       EXPECT_TRUE(apphost::WaitUntil([&] { return frame.m_wndOutput.IsFloating(); }));
//       apphost::Screenshot(L"apphost_output_floated.bmp");   // for a look by eye
//   }
// A gesture that starts a modal loop on the application's thread (a modal
// dialog, a context menu tracked by the caller) is started with CUserInput
// before that call and finished after it. Conditions given to
// CGestures::WaitFor run on the input thread: ask them only what any thread
// may ask (window handles, rectangles, visibility).
#pragma once

#include <afxwin.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace apphost {

// ---- The application's thread.

// Dispatches this thread's messages as the application's run loop does (a
// quit request is dropped) for about ms milliseconds (once, when ms is 0).
void PumpFor(DWORD ms);
// Pumps until the condition holds, checking it every few milliseconds;
// whether it held within the time.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 3000);

// ---- Real input, played on a thread of its own.

class CGestures {
public:
    void MoveTo(CPoint point);
    void Press();
    void Release();
    void RightPress();
    void RightRelease();
    void Click(CPoint point);
    // Two clicks in the system's double-click time, after a rest on the point.
    void DoubleClick(CPoint point);
    void RightClick(CPoint point);
    // Moves to the point in steps (the buttons as they are), a short pause
    // after each, as a hand does.
    void DragTo(CPoint point, int steps = 12, DWORD stepMs = 15);
    // Presses at one point, drags to the other in steps and lets go once the
    // pointer has rested there, as a hand does with a bar or a tab.
    void Drag(CPoint from, CPoint to, int steps = 12);
    void KeyDown(UINT vk);
    void KeyUp(UINT vk);
    void Key(UINT vk);
    // A key with a modifier held (VK_MENU for Alt, VK_CONTROL, VK_SHIFT).
    void Chord(UINT modifier, UINT vk);
    // A user's pause (the mouse resting, the time between a press and a move).
    void Pause(DWORD ms);
    // Waits on this thread until the condition holds; whether it did.
    bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 3000);
    // The cursor where the system has it.
    static CPoint CursorPos();

private:
    // A press lands where the last move put the pointer.
    void HoldThePointerWhereMoved();
    // The button goes up where the last move left the pointer, or where the
    // application put it since.
    void LetGo(DWORD button);
    // The point a move goes to, held inside the screen as the pointer is.
    static CPoint OnTheScreen(CPoint point);

    CPoint m_moved{-1, -1};
    bool m_hasMoved = false;
    // Where the gesture's earlier moves left the pointer, since the last release.
    std::vector<CPoint> m_passed;
};

// In a drag of a pane over a pane or the documents: waits for the central
// markers to show, moves onto their centre, rests and lets go (lets go where
// it is when they do not show); whether they showed.
bool ReleaseOnTheCentreMarker(CGestures& user);
// The side marker shown for an edge (the one nearest it), as the user sees
// it; empty when none shows.
CRect SideMarker(DWORD alignment);
// In a drag of a pane: waits for the four side markers, moves onto the edge's
// and lets go there once the place marker shows (where it is when they do
// not); whether the place marker showed.
bool ReleaseOnTheSideMarker(CGestures& user, DWORD alignment);

class CUserInput {
public:
    explicit CUserInput(std::function<void(CGestures&)> script);
    ~CUserInput();
    CUserInput(const CUserInput&) = delete;
    CUserInput& operator=(const CUserInput&) = delete;

    bool IsDone() const { return m_done.load(); }
    // Waits for the gestures to be played while this thread handles nothing,
    // as an application too busy to: what they send waits in its queue and
    // comes to it together (the mouse's moves as one). The script must not
    // wait for anything the application does. Whether they ended in time.
    bool WaitWhileBusy(DWORD timeoutMs = 15000);
    // Pumps this thread until the gestures are played and what they caused
    // has been handled; false when they did not end in time.
    bool Finish(DWORD timeoutMs = 15000);

private:
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

// Plays the gestures while this thread pumps; whether they ended in time.
bool Perform(std::function<void(CGestures&)> script, DWORD timeoutMs = 15000);

// ---- What the user sees.

CRect ScreenRect(HWND hWnd);
inline CRect ScreenRect(const CWnd& wnd) { return ScreenRect(wnd.GetSafeHwnd()); }
// Visible with all its parents, of some size, and on the screen.
bool IsShown(HWND hWnd);
inline bool IsShown(const CWnd& wnd) { return IsShown(wnd.GetSafeHwnd()); }
// The point lies on the screen (where a user can point at all).
bool IsOnScreen(CPoint point);
// What the user sees at the point is the window or one of its children.
bool ShowsAt(HWND hWnd, CPoint point);
// The top-level window holding the window.
HWND TopLevelOf(HWND hWnd);
// Among top-level windows, the first is stacked over the second.
bool IsAbove(HWND hUpper, HWND hLower);
// The visible top-level windows of this process whose class name starts so.
std::vector<HWND> ShownTopLevels(const wchar_t* classPrefix);
// The middle of a list box's item on the screen, or the point x pixels into it.
CPoint ListItemPoint(HWND list, int index, int x = -1);
// The index of the list box's item with exactly this text, or LB_ERR.
int FindListItem(HWND list, LPCTSTR text);
// The whole screen as a .bmp file in the working folder, for a look by eye.
bool Screenshot(const wchar_t* fileName);

} // namespace apphost
