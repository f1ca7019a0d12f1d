// Drag and drop: a data source dragged with a drop source, and a drop target
// registered for a window.
#include <afxole.h>

#include "OleInterface.h"
#include "OwnedWindowOrder.h"

IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

// ---- Drag ----

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource)
{
    COleDropSource defaultSource;
    COleDropSource* source = pDropSource != nullptr ? pDropSource : &defaultSource;
    source->m_rectStartDrag = lpRectStartDrag != nullptr ? CRect(lpRectStartDrag) : CRect();
    const BOOL right = ::GetKeyState(VK_RBUTTON) < 0 && ::GetKeyState(VK_LBUTTON) >= 0;
    source->m_dwButtonDrop = right ? MK_RBUTTON : MK_LBUTTON;
    source->m_dwButtonCancel = right ? MK_LBUTTON : MK_RBUTTON;
    source->m_bDropped = FALSE;
    if (!source->OnBeginDrag(CWnd::GetCapture()))
        return DROPEFFECT_NONE;
    // The press that began the drag may have brought its window up over the
    // windows it owns (a floating toolbar would hide no drop target).
    afx_detail::KeepOwnedWindowsOverForeground();
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result = ::DoDragDrop(GetDataObject(), source->GetInterface(), dwEffects, &effect);
    return result == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

BOOL COleDropSource::OnBeginDrag(CWnd* pWnd)
{
    // No drag without the mouse button held (a click made of messages alone).
    if (::GetKeyState(m_dwButtonDrop == MK_RBUTTON ? VK_RBUTTON : VK_LBUTTON) >= 0)
        return FALSE;
    if (m_rectStartDrag.IsRectEmpty())
        return TRUE;
    const HWND window = pWnd != nullptr ? pWnd->GetSafeHwnd() : ::GetActiveWindow();
    if (window != nullptr && ::GetCapture() != window)
        ::SetCapture(window);
    BOOL started = FALSE;
    for (;;) {
        MSG msg{};
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            if (!m_rectStartDrag.PtInRect(msg.pt)) {
                started = TRUE;
                break;
            }
            continue;
        }
        if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP || msg.message == WM_CANCELMODE ||
            (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        if (window != nullptr && ::GetCapture() != window)
            break;  // something else took the mouse
    }
    if (window != nullptr && ::GetCapture() == window)
        ::ReleaseCapture();
    return started;
}

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (bEscapePressed || (dwKeyState & m_dwButtonCancel) != 0)
        return DRAGDROP_S_CANCEL;
    if ((dwKeyState & m_dwButtonDrop) == 0)
        return DRAGDROP_S_DROP;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

STDMETHODIMP COleDropSource::CDropSource::QueryInterface(REFIID riid, void** ppv)
{
    return AnswerInterface(this, riid, IID_IDropSource, ppv);
}

STDMETHODIMP COleDropSource::CDropSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState)
{
    // Asked at each step of the drag, before the next window under the
    // pointer is looked for: the owned windows stay over their owner while the
    // mouse moves (the system may raise the owner late, as it draws it).
    afx_detail::KeepOwnedWindowsOverForeground();
    const SCODE result = m_owner.QueryContinueDrag(fEscapePressed, grfKeyState);
    m_owner.m_bDropped = result == DRAGDROP_S_DROP;
    return result;
}

STDMETHODIMP COleDropSource::CDropSource::GiveFeedback(DWORD dwEffect)
{
    return m_owner.GiveFeedback(dwEffect);
}

// ---- Drop target ----

COleDropTarget::~COleDropTarget()
{
    if (m_hWnd != nullptr)
        COleDropTarget::Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (m_hWnd != nullptr || pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    if (FAILED(::RegisterDragDrop(pWnd->GetSafeHwnd(), GetInterface())))
        return FALSE;
    m_hWnd = pWnd->GetSafeHwnd();
    return TRUE;
}

void COleDropTarget::Revoke()
{
    m_dataObject.Release();
    if (m_hWnd != nullptr)
        ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*) {}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

CPoint COleDropTarget::ClientPoint(POINTL pt) const
{
    POINT point{pt.x, pt.y};
    ::ScreenToClient(m_hWnd, &point);
    return point;
}

STDMETHODIMP COleDropTarget::CDropTarget::QueryInterface(REFIID riid, void** ppv)
{
    return AnswerInterface(this, riid, IID_IDropTarget, ppv);
}

STDMETHODIMP COleDropTarget::CDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                                    DWORD* pdwEffect)
{
    if (pdwEffect == nullptr)
        return E_INVALIDARG;
    if (pDataObj != nullptr)
        pDataObj->AddRef();
    m_owner.m_dataObject.Attach(pDataObj);
    const DROPEFFECT effect =
        m_owner.OnDragEnter(m_owner.Window(), &m_owner.m_dataObject, grfKeyState, m_owner.ClientPoint(pt));
    m_owner.m_dwLastEffect = effect & *pdwEffect;
    *pdwEffect = m_owner.m_dwLastEffect;
    return S_OK;
}

STDMETHODIMP COleDropTarget::CDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pdwEffect == nullptr)
        return E_INVALIDARG;
    const DROPEFFECT effect =
        m_owner.OnDragOver(m_owner.Window(), &m_owner.m_dataObject, grfKeyState, m_owner.ClientPoint(pt));
    m_owner.m_dwLastEffect = effect & *pdwEffect;
    *pdwEffect = m_owner.m_dwLastEffect;
    return S_OK;
}

STDMETHODIMP COleDropTarget::CDropTarget::DragLeave()
{
    m_owner.OnDragLeave(m_owner.Window());
    m_owner.m_dataObject.Release();
    return S_OK;
}

STDMETHODIMP COleDropTarget::CDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pdwEffect == nullptr)
        return E_INVALIDARG;
    if (pDataObj != nullptr && pDataObj != m_owner.m_dataObject.GetIDataObject()) {
        pDataObj->AddRef();
        m_owner.m_dataObject.Attach(pDataObj);
    }
    const CPoint point = m_owner.ClientPoint(pt);
    const DROPEFFECT effect =
        m_owner.OnDragOver(m_owner.Window(), &m_owner.m_dataObject, grfKeyState, point) & *pdwEffect;
    const BOOL dropped = effect != DROPEFFECT_NONE &&
                         m_owner.OnDrop(m_owner.Window(), &m_owner.m_dataObject, effect, point);
    if (!dropped)
        m_owner.OnDragLeave(m_owner.Window());
    *pdwEffect = dropped ? effect : DROPEFFECT_NONE;
    m_owner.m_dataObject.Release();
    return S_OK;
}
