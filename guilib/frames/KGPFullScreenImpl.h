// Full-screen mode of a library frame, owned by its frame implementation: the
// frame grows until its client area covers its monitor, its bars step aside
// (the menu bar stays when asked), a small floating toolbar with the command
// that leaves full screen shows, and the way back puts the frame's rectangle,
// its bars and the docking state of the application state store back.
#pragma once

#include <afxwin.h>

#include <memory>
#include <vector>

class CKGPFrameImpl;
class CKGPToolBar;

class CKGPFullScreenImpl {
public:
    explicit CKGPFullScreenImpl(CKGPFrameImpl* pImpl) : m_pImpl(pImpl) {}
    virtual ~CKGPFullScreenImpl();
    CKGPFullScreenImpl(const CKGPFullScreenImpl&) = delete;
    CKGPFullScreenImpl& operator=(const CKGPFullScreenImpl&) = delete;

    // Full screen is offered once the command of its toolbar's button (which
    // leaves full screen) is known.
    void EnableFullScreenMode(UINT uiFullScreenID) { m_uiFullScreenID = uiFullScreenID; }
    // Whether the menu bar stays in full screen.
    void EnableFullScreenMainMenu(BOOL bShowMenu) { m_bShowMenu = bShowMenu; }
    BOOL IsFullScreen() const { return m_bFullScreen; }
    CKGPToolBar* GetFullScreenBar() const { return m_pwndFullScreenBar; }

    // Enters full screen; FALSE when it is not set up or already on.
    BOOL ShowFullScreen(CFrameWnd* pFrame);
    // Leaves it (nothing when full screen is off or not set up).
    void RestoreState(CFrameWnd* pFrame);
    // While on: the frame may be as large as its full-screen rectangle.
    void OnGetMinMaxInfo(MINMAXINFO* pInfo) const;

    // The caption of the full-screen toolbar's button.
    static CString s_strCloseText;

    CRect m_rectFullScreenWindow;
    CKGPToolBar* m_pwndFullScreenBar = nullptr; // owned while on
    BOOL m_bFullScreen = FALSE;
    BOOL m_bShowMenu = TRUE;
    CRect m_rectFramePrev;
    CKGPFrameImpl* m_pImpl;
    UINT m_uiFullScreenID = 0xFFFFFFFF;
    CString m_strRegSection;

private:
    void DestroyFullScreenBar();
    // The bars full screen hid, by window (a bar destroyed meanwhile is skipped).
    std::vector<HWND> m_hiddenBars;
};
