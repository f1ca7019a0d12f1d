#include "guilib/docking/KGPAutoHideSaveInfo.h"

#include "guilib/core/KGPStoredState.h"
#include "guilib/docking/KGPAutoHideButton.h"
#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPDockingControlBar.h"

#include <afxarch.h>

KGP_AUTOHIDEBAR_SAVE_INFO& KGP_AUTOHIDEBAR_SAVE_INFO::operator=(const KGP_AUTOHIDEBAR_SAVE_INFO& other)
{
    if (this == &other)
        return *this;
    m_nBarID = other.m_nBarID;
    m_dwBarAlignment = other.m_dwBarAlignment;
    m_bIsVisible = other.m_bIsVisible;
    m_rectBar = other.m_rectBar;
    m_lstSiblingBars.RemoveAll();
    for (POSITION pos = other.m_lstSiblingBars.GetHeadPosition(); pos != nullptr;)
        m_lstSiblingBars.AddTail(other.m_lstSiblingBars.GetNext(pos));
    m_bFirstInGroup = other.m_bFirstInGroup;
    m_bLastInGroup = other.m_bLastInGroup;
    m_bActiveInGroup = other.m_bActiveInGroup;
    m_pSavedBar = other.m_pSavedBar;
    return *this;
}

void KGP_AUTOHIDEBAR_SAVE_INFO::Describe(CKGPDockingControlBar* pBar)
{
    m_pSavedBar = pBar;
    m_nBarID = pBar->GetDlgCtrlID();
    m_dwBarAlignment = pBar->GetCurrentAlignment();
    m_bIsVisible = pBar->IsAutoHideMode() ? pBar->IsBarVisible() : TRUE;
    // Where it stands when slid out.
    pBar->GetWindowRect(m_rectBar);
    if (m_rectBar.IsRectEmpty())
        m_rectBar = pBar->GetSlideRect();
    if (CKGPAutoHideToolBar* pToolBar = pBar->GetAutoHideToolBar()) {
        m_bFirstInGroup = pToolBar->GetFirstAttachedPane() == pBar;
        m_bLastInGroup = pToolBar->GetLastAttachedPane() == pBar;
        m_bActiveInGroup = pToolBar->IsActiveToolBar();
    }
}

void KGP_AUTOHIDEBAR_SAVE_INFO::Serialize(CArchive& ar)
{
    if (!ar.IsStoring()) {
        CKGPStoredReader in(ar);
        Read(in);
        return;
    }
    ar << m_nBarID;
    ar << m_dwBarAlignment;
    ar << m_bIsVisible;
    ar << m_rectBar;
    ar << static_cast<DWORD>(0); // sibling ids are never stored
    ar << m_bFirstInGroup;
    ar << m_bLastInGroup;
    ar << m_bActiveInGroup;
}

void KGP_AUTOHIDEBAR_SAVE_INFO::Read(CKGPStoredReader& in)
{
    using kgp_stored::kMaxCoordinate;
    const int id = in.ReadInt(-1, 0xFFFF);
    const DWORD alignment = in.ReadOneOf({CBRS_ALIGN_LEFT, CBRS_ALIGN_TOP, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM});
    const BOOL visible = in.ReadBool();
    const CRect rect = in.ReadRect(kMaxCoordinate);
    const UINT siblings = in.ReadUInt(0, static_cast<UINT>(kgp_stored::kMaxObjects));
    CList<UINT, UINT> ids;
    for (UINT i = 0; i < siblings; ++i) {
        const int sibling = in.ReadInt(-1, 0xFFFF);
        if (sibling != -1)
            ids.AddTail(static_cast<UINT>(sibling));
    }
    m_bFirstInGroup = in.ReadBool();
    m_bLastInGroup = in.ReadBool();
    m_bActiveInGroup = in.ReadBool();
    m_nBarID = id;
    m_dwBarAlignment = alignment;
    m_bIsVisible = visible;
    m_rectBar = rect;
    m_lstSiblingBars.RemoveAll();
    for (POSITION pos = ids.GetHeadPosition(); pos != nullptr;)
        m_lstSiblingBars.AddTail(ids.GetNext(pos));
}
