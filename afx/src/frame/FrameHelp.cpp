// A frame's help: WinHelp, HTML help, and context help, the mode in which the
// next click names the window whose help is shown.
#include <afxwin.h>

#include <htmlhelp.h>
// The header names the wide call by the frame's method name.
#undef HtmlHelp

namespace {

constexpr LRESULT kNoHelpHere = -1;

// The help context of the window under the point (screen): the first answer
// to WM_HELPHITTEST from it up to the frame; 0 when none answers.
LRESULT HelpContextAt(HWND hFrame, CPoint point)
{
    for (HWND hWnd = ::WindowFromPoint(point); hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CPoint client = point;
        ::ScreenToClient(hWnd, &client);
        const LRESULT answer = ::SendMessageW(hWnd, WM_HELPHITTEST, 0, MAKELPARAM(client.x, client.y));
        if (answer != 0)
            return answer;
        if (hWnd == hFrame)
            break;
    }
    return 0;
}

} // namespace

void CFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (CWinApp* pApp = AfxGetApp())
        ::WinHelpW(m_hWnd, pApp->m_pszHelpFilePath, nCmd, dwData);
}

void CFrameWnd::HtmlHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (CWinApp* pApp = AfxGetApp())
        ::HtmlHelpW(m_hWnd, pApp->m_pszHelpFilePath, nCmd, dwData);
}

BOOL CFrameWnd::CanEnterHelpMode()
{
    return !m_bHelpMode && m_hWnd != nullptr && ::IsWindowVisible(m_hWnd);
}

void CFrameWnd::OnContextHelp()
{
    if (m_bHelpMode || !CanEnterHelpMode())
        return;
    const HWND hSelf = m_hWnd;
    const HCURSOR hHelpCursor = ::LoadCursorW(nullptr, IDC_HELP);
    m_bHelpMode = TRUE;
    ::SetCapture(hSelf);
    ::SetCursor(hHelpCursor);
    bool bChosen = false;
    LRESULT context = 0;
    MSG msg{};
    while (!bChosen && ::IsWindow(hSelf) && m_bHelpMode && ::GetCapture() == hSelf) {
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam)); // the application's loop ends it
            break;
        }
        switch (msg.message) {
        case WM_LBUTTONDOWN:
        case WM_NCLBUTTONDOWN: {
            CPoint point(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            if (msg.message == WM_LBUTTONDOWN)
                ::ClientToScreen(msg.hwnd, &point);
            context = HelpContextAt(hSelf, point);
            bChosen = context != kNoHelpHere;
            break;
        }
        case WM_RBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
            m_bHelpMode = FALSE;
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                m_bHelpMode = FALSE;
            break; // keys do nothing else meanwhile
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_NCLBUTTONUP:
        case WM_NCRBUTTONUP:
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_CHAR:
        case WM_SYSCHAR:
            break;
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
        case WM_SETCURSOR:
            ::SetCursor(hHelpCursor);
            break;
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
            break;
        }
    }
    if (!::IsWindow(hSelf))
        return;
    if (::GetCapture() == hSelf)
        ::ReleaseCapture();
    m_bHelpMode = FALSE;
    if (bChosen)
        WinHelp(static_cast<DWORD_PTR>(context), HELP_CONTEXT);
}
