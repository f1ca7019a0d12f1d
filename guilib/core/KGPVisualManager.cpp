#include "guilib/core/KGPVisualManager.h"

#include "guilib/core/KGPGlobalData.h"

#include <algorithm>

#include <memory>

IMPLEMENT_DYNCREATE(CKGPVisualManager, CObject)

namespace {

std::unique_ptr<CKGPVisualManager>& CurrentManager()
{
    static std::unique_ptr<CKGPVisualManager> manager;
    return manager;
}

BOOL CALLBACK RepaintThreadWindow(HWND hWnd, LPARAM)
{
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}

} // namespace

CKGPVisualManager* CKGPVisualManager::GetInstance()
{
    auto& manager = CurrentManager();
    if (!manager) {
        manager = std::make_unique<CKGPVisualManager>();
    }
    return manager.get();
}

BOOL CKGPVisualManager::SetDefaultManager(CRuntimeClass* pManagerClass)
{
    std::unique_ptr<CKGPVisualManager> created;
    if (pManagerClass == nullptr) {
        created = std::make_unique<CKGPVisualManager>();
    } else {
        if (!pManagerClass->IsDerivedFrom(RUNTIME_CLASS(CKGPVisualManager))) {
            return FALSE;
        }
        CObject* object = pManagerClass->CreateObject();
        if (object == nullptr) {
            return FALSE;
        }
        created.reset(static_cast<CKGPVisualManager*>(object));
    }
    CurrentManager() = std::move(created);
    ::EnumThreadWindows(::GetCurrentThreadId(), RepaintThreadWindow, 0);
    return TRUE;
}

void CKGPVisualManager::DestroyInstance()
{
    CurrentManager().reset();
}

void CKGPVisualManager::FillSolid(CDC* pDC, const CRect& rect, COLORREF colour)
{
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(pDC->m_hDC, &rect, brush);
    ::DeleteObject(brush);
}

void CKGPVisualManager::DrawArrowTriangle(CDC* pDC, const CRect& rect, BOOL bUp, COLORREF colour)
{
    const int half = std::max(2, std::min(rect.Width(), rect.Height()) / 3);
    const int cx = (rect.left + rect.right) / 2;
    const int cy = (rect.top + rect.bottom) / 2;
    POINT points[3];
    if (bUp) {
        points[0] = {cx - half, cy + half / 2};
        points[1] = {cx + half, cy + half / 2};
        points[2] = {cx, cy - half / 2 - 1};
    } else {
        points[0] = {cx - half, cy - half / 2};
        points[1] = {cx + half, cy - half / 2};
        points[2] = {cx, cy + half / 2 + 1};
    }
    HBRUSH brush = ::CreateSolidBrush(colour);
    HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldBrush = ::SelectObject(pDC->m_hDC, brush);
    HGDIOBJ oldPen = ::SelectObject(pDC->m_hDC, pen);
    ::Polygon(pDC->m_hDC, points, 3);
    ::SelectObject(pDC->m_hDC, oldPen);
    ::SelectObject(pDC->m_hDC, oldBrush);
    ::DeleteObject(pen);
    ::DeleteObject(brush);
}

void CKGPVisualManager::OnFillBarBackground(CDC* pDC, CWnd*, CRect rectClient)
{
    FillSolid(pDC, rectClient, GetKGPGlobalData().clrBarFace);
}

void CKGPVisualManager::OnFillHeaderCtrlBackground(CKGPHeaderCtrl*, CDC* pDC, CRect rect)
{
    FillSolid(pDC, rect, GetKGPGlobalData().clrBtnFace);
}

void CKGPVisualManager::OnDrawHeaderCtrlBorder(CKGPHeaderCtrl*, CDC* pDC, CRect& rect, BOOL bIsPressed, BOOL)
{
    RECT edge = rect;
    ::DrawEdge(pDC->m_hDC, &edge, bIsPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

void CKGPVisualManager::OnDrawHeaderCtrlSortArrow(CKGPHeaderCtrl*, CDC* pDC, CRect& rectArrow, BOOL bIsUp)
{
    DrawArrowTriangle(pDC, rectArrow, bIsUp, GetKGPGlobalData().clrBtnShadow);
}

COLORREF CKGPVisualManager::GetHeaderCtrlTextColor(CKGPHeaderCtrl*, BOOL, BOOL)
{
    return GetKGPGlobalData().clrBtnText;
}
