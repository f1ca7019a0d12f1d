#include "guilib/docking/KGPDockingCBWrapper.h"

#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPStoredState.h"

#include <memory>

namespace {

constexpr LPCTSTR kWrapperClass = _T("KGPDockingCBWrapper");
constexpr LPCTSTR kBarName = _T("BarName");

} // namespace

IMPLEMENT_DYNCREATE(CKGPDockingCBWrapper, CKGPDockingControlBar)

BEGIN_MESSAGE_MAP(CKGPDockingCBWrapper, CKGPDockingControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CKGPDockingCBWrapper* CKGPDockingCBWrapper::Wrap(CWnd* pWnd, LPCTSTR lpszLabel, CRuntimeClass* pWrapperClass)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr || pWnd->GetParent() == nullptr)
        return nullptr;
    CRuntimeClass* pClass = pWrapperClass != nullptr && pWrapperClass->IsDerivedFrom(RUNTIME_CLASS(CKGPDockingCBWrapper))
                                ? pWrapperClass
                                : RUNTIME_CLASS(CKGPDockingCBWrapper);
    std::unique_ptr<CObject> pObject(pClass->CreateObject());
    auto* pWrapper = DYNAMIC_DOWNCAST(CKGPDockingCBWrapper, pObject.get());
    if (pWrapper == nullptr)
        return nullptr;
    pObject.release(); // the creation takes it over
    CWnd* pParent = pWnd->GetParent();
    CRect rect;
    pWnd->GetWindowRect(rect);
    pParent->ScreenToClient(rect);
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pWnd))
        dwStyle |= pBar->GetBarStyleWord() & ~static_cast<DWORD>(0xFFFF0000); // its own bar style bits
    // The wrapper deletes itself with its window (a refused creation included).
    pWrapper->SetAutoDelete(TRUE);
    pWrapper = AfxCreateSelfDeleting(pWrapper, [&](CKGPDockingCBWrapper& wrapper) {
        return wrapper.Create(lpszLabel, pParent, rect, TRUE, static_cast<UINT>(pWnd->GetDlgCtrlID()), dwStyle);
    });
    if (pWrapper == nullptr)
        return nullptr;
    pWrapper->SetWrappedWnd(pWnd);
    return pWrapper;
}

BOOL CKGPDockingCBWrapper::SetWrappedWnd(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    pWnd->SetParent(this);
    m_pWnd = pWnd;
    m_hWrapped = pWnd->GetSafeHwnd();
    if (auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pWnd)) {
        EnableDocking(pBar->GetEnabledAlignment());
        SetBarStyleWord(pBar->GetBarStyleWord());
        SetLibraryBarStyle(pBar->GetLibraryBarStyle());
        if (auto* pControlBar = DYNAMIC_DOWNCAST(CKGPControlBar, pWnd))
            m_rectLoadedDocked = pControlBar->GetLoadedDockedRect();
    } else {
        EnableDocking(m_dwDefaultAlignment);
    }
    if (GetSafeHwnd() != nullptr) {
        CRect client;
        GetClientRect(client);
        pWnd->SetWindowPos(HWND{}, 0, 0, client.Width(), client.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

CWnd* CKGPDockingCBWrapper::GetWrappedWnd() const
{
    if (m_pWnd == nullptr || !::IsWindow(m_hWrapped) || m_pWnd->GetSafeHwnd() != m_hWrapped)
        return nullptr;
    return m_pWnd;
}

void CKGPDockingCBWrapper::OnSize(UINT nType, int cx, int cy)
{
    CKGPDockingControlBar::OnSize(nType, cx, cy);
    if (CWnd* pWnd = GetWrappedWnd()) {
        CRect client;
        GetClientRect(client);
        pWnd->SetWindowPos(HWND{}, 0, 0, client.Width(), client.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CKGPDockingCBWrapper::PostNcDestroy()
{
    CKGPDockingControlBar::PostNcDestroy();
    m_pWnd = nullptr;
    m_hWrapped = nullptr;
    if (m_bAutoDelete)
        delete this;
}

BOOL CKGPDockingCBWrapper::SaveState(LPCTSTR lpszProfileName, int nID, int nIndex)
{
    CKGPRegistryHandle reg(FALSE, FALSE);
    if (reg->CreateKey(StateKey(lpszProfileName, kWrapperClass, nID, nIndex))) {
        CString title;
        GetWindowText(title);
        reg->Write(kBarName, title);
    }
    return CKGPDockingControlBar::SaveState(lpszProfileName, nID, nIndex);
}

BOOL CKGPDockingCBWrapper::LoadState(LPCTSTR lpszProfileName, int nID, int nIndex)
{
    // Read whole through ReadState, then taken.
    return CKGPDockingControlBar::LoadState(lpszProfileName, nID, nIndex);
}

BOOL CKGPDockingCBWrapper::ReadState(CKGPStoredLoad& load, LPCTSTR lpszProfileName, int nID, int nIndex)
{
    CKGPRegistryHandle reg(FALSE, TRUE);
    if (!reg->Open(StateKey(lpszProfileName, kWrapperClass, nID, nIndex)))
        return FALSE; // nothing of the pane is loaded either
    CString title;
    if (reg->HasValue(kBarName)) {
        if (!reg->Read(kBarName, title) || title.GetLength() > kgp_stored::kMaxTextLength)
            load.Refuse();
    }
    if (!title.IsEmpty())
        load.OnCommit([this, title] { SetWindowText(title); });
    return CKGPDockingControlBar::ReadState(load, lpszProfileName, nID, nIndex);
}
