#include "guilib/docking/KGPStoredTabbedPane.h"

#include "guilib/core/KGPStoredState.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPTabbedBarLink.h"

#include <afxarch.h>

#include <algorithm>

namespace {

// The window styles a stored tabbed pane is made with, and the only ones its
// record may name.
constexpr DWORD kTabbedPaneStyles = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_ALIGN_ANY;

} // namespace

CKGPStoredTabbedPane::CKGPStoredTabbedPane() = default;

CKGPStoredTabbedPane::~CKGPStoredTabbedPane() = default;

BOOL CKGPStoredTabbedPane::Write(CArchive& ar, CWnd* pBar)
{
    IKGPTabbedBarLink* pTabs = KGPTabbedBars::Link();
    auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pBar);
    if (pTabs == nullptr || pPane == nullptr || pPane->GetSafeHwnd() == nullptr)
        return FALSE;
    CObList tabs;
    pTabs->AppendTabs(pPane, tabs);
    if (tabs.IsEmpty())
        return FALSE;
    ar << kMark;
    ar.WriteCount(static_cast<DWORD_PTR>(tabs.GetCount()));
    for (POSITION pos = tabs.GetHeadPosition(); pos != nullptr;)
        ar << static_cast<DWORD>(static_cast<CWnd*>(tabs.GetNext(pos))->GetDlgCtrlID());
    ar << static_cast<CObject*>(pPane);
    ar << static_cast<DWORD>(pPane->GetStyle());
    pTabs->WriteTabState(pPane, ar);
    return TRUE;
}

void CKGPStoredTabbedPane::Read(CKGPStoredReader& in, CKGPStoredLoad& load)
{
    IKGPTabbedBarLink* pTabs = KGPTabbedBars::Link();
    if (pTabs == nullptr)
        CKGPStoredReader::Refuse(CArchiveException::badClass); // no tabbed panes to make
    CArchive& ar = in.Archive();
    const DWORD_PTR count = ar.ReadCount();
    if (count == 0 || count > kgp_stored::kMaxObjects)
        CKGPStoredReader::Refuse();
    for (DWORD_PTR i = 0; i < count; ++i) {
        const UINT id = in.ReadUInt(1, 0xFFFF);
        if (std::find(m_tabIds.begin(), m_tabIds.end(), id) != m_tabIds.end())
            CKGPStoredReader::Refuse(CArchiveException::badIndex);
        m_tabIds.push_back(id);
    }
    CObject* pRead = in.ReadObject(pTabs->GetTabbedBarClass());
    auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pRead);
    if (pPane == nullptr) {
        delete pRead;
        CKGPStoredReader::Refuse(CArchiveException::badClass);
    }
    m_pPane.reset(pPane);
    // A child window with the bits such a pane is made with (shown, clipping,
    // at most one edge) and no other.
    m_dwStyle = in.ReadFlags(kTabbedPaneStyles);
    const DWORD edge = m_dwStyle & CBRS_ALIGN_ANY;
    if ((m_dwStyle & WS_CHILD) == 0 || (edge & (edge - 1)) != 0)
        CKGPStoredReader::Refuse(CArchiveException::badIndex);
    pTabs->ReadTabState(m_pPane.get(), ar, load);
}

CKGPDockingControlBar* CKGPStoredTabbedPane::Create(CWnd* pParent)
{
    // The tabbed panes' own code makes the window, which owns the pane from then on.
    IKGPTabbedBarLink* pTabs = KGPTabbedBars::Link();
    if (m_pPane == nullptr || pParent == nullptr || pTabs == nullptr ||
        !pTabs->CreateStoredTabbedBar(m_pPane.get(), pParent, m_dwStyle))
        return nullptr;
    return m_pPane.release();
}
