#include "guilib/core/KGPWindowHelpers.h"

namespace {

CFrameWnd*& TopLevelOverride()
{
    static CFrameWnd* frame = nullptr;
    return frame;
}

bool IsFloatingFrame(HWND hWnd)
{
    return (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_POPUP) != 0 && ::GetWindow(hWnd, GW_OWNER) != nullptr;
}

} // namespace

CFrameWnd* GetParentFrameOf(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr) {
        return nullptr;
    }
    HWND hWnd = ::GetParent(pWnd->m_hWnd);
    while (hWnd != nullptr) {
        CWnd* window = CWnd::FromHandlePermanent(hWnd);
        CFrameWnd* frame = window != nullptr ? window->AsFrameWnd() : nullptr;
        if (frame != nullptr && !IsFloatingFrame(hWnd)) {
            return frame;
        }
        hWnd = frame != nullptr ? ::GetWindow(hWnd, GW_OWNER) : ::GetParent(hWnd);
    }
    return nullptr;
}

CFrameWnd* GetTopLevelFrameOf(CWnd* pWnd)
{
    if (TopLevelOverride() != nullptr) {
        return TopLevelOverride();
    }
    return pWnd != nullptr && pWnd->m_hWnd != nullptr ? pWnd->GetTopLevelFrame() : nullptr;
}

void SetTopLevelFrameOverride(CFrameWnd* pFrame)
{
    TopLevelOverride() = pFrame;
}

CFrameWnd* GetTopLevelFrameOverride()
{
    return TopLevelOverride();
}
