// The split tree's stored form: each node's sides' shares and extents, its panes by
// control id (a tabbed pane without one by its tabs' record, read only as the
// tabbed panes' class), its slider's record and its sub-trees; the manager's
// tree with its panes' ids. A node stored before the shares were kept begins
// with its left pane's word and is read as before. A tree is read apart from the live one, checked whole (ids in
// range, each pane in one place, a side holding one thing) and taken, with
// its sliders' windows made, only when the load commits.
#include "guilib/docking/KGPBarContainerManager.h"

#include "guilib/core/KGPStoredState.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/docking/KGPSplitMath.h"
#include "guilib/docking/KGPStoredTabbedPane.h"
#include "guilib/docking/KGPTabbedBarLink.h"

#include <afxarch.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

// The word that stands for a tabbed pane's record instead of a control id.
constexpr DWORD kTabbedPaneMark = CKGPStoredTabbedPane::kMark;
// The word a node's record begins with when the sides' shares and extents
// follow (a record without it begins with a control id, 0 or the tabbed
// pane's mark).
constexpr DWORD kSharesMark = 0xFFFFFFFE;
// The largest extent a side is read with.
constexpr UINT kMaxStoredExtent = 0x7FFF;
// How deep a stored tree may nest.
constexpr int kMaxStoredDepth = 256;

CKGPDockingControlBar* PaneAt(const CObList& list, POSITION& pos)
{
    return static_cast<CKGPDockingControlBar*>(list.GetNext(pos));
}

}  // namespace

void CKGPBarContainer::CollectSavedIds(CList<UINT, UINT>& ids) const
{
    for (const int id : {m_nSavedLeftBarID, m_nSavedRightBarID}) {
        if (id != -1)
            ids.AddTail(static_cast<UINT>(id));
    }
    for (const CKGPBarContainer* pChild : {m_pLeftContainer.get(), m_pRightContainer.get()}) {
        if (pChild != nullptr)
            pChild->CollectSavedIds(ids);
    }
}

BOOL CKGPBarContainer::HoldsTabId(UINT nTabID) const
{
    if (m_lstLeftTabIds.Find(nTabID) != nullptr || m_lstRightTabIds.Find(nTabID) != nullptr)
        return TRUE;
    for (const CKGPBarContainer* pChild : {m_pLeftContainer.get(), m_pRightContainer.get()}) {
        if (pChild != nullptr && pChild->HoldsTabId(nTabID))
            return TRUE;
    }
    return FALSE;
}

int CKGPBarContainer::SideShare(BOOL bLeft) const
{
    int share = 50;
    if (const CKGPDockingControlBar* pBar = PaneOf(bLeft))
        share = pBar->GetSizeShare();
    else if (const CKGPBarContainer* pChild = ContainerOf(bLeft))
        share = pChild->GetSizeShare();
    return (std::clamp)(share, 0, 100);
}

void CKGPBarContainer::ApplyStoredShares()
{
    for (const BOOL bLeft : {TRUE, FALSE}) {
        const int share = m_nStoredShares[bLeft ? 0 : 1];
        CKGPDockingControlBar* pBar = PaneOf(bLeft);
        CKGPBarContainer* pChild = ContainerOf(bLeft);
        if (share != -1 && pBar != nullptr)
            pBar->SetSizeShare(share);
        if (share != -1 && pChild != nullptr)
            pChild->SetSizeShare(share);
        if (pChild != nullptr)
            pChild->ApplyStoredShares();
    }
}

void CKGPBarContainer::WriteSide(CArchive& ar, BOOL bLeft) const
{
    CKGPDockingControlBar* pBar = PaneOf(bLeft);
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr) {
        ar << static_cast<DWORD>(0);
        return;
    }
    const int id = pBar->GetDlgCtrlID();
    if (id != -1) {
        ar << static_cast<DWORD>(id);
        return;
    }
    // A tabbed pane without an id of its own is stored with its tabs.
    if (!CKGPStoredTabbedPane::Write(ar, pBar))
        ar << static_cast<DWORD>(0);
}

void CKGPBarContainer::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (!ar.IsStoring()) {
        CKGPStoredLoad load;
        CKGPStoredReader in(ar);
        ReadArchive(in, load);
        load.Commit();
        return;
    }
    ar << kSharesMark;
    const int extents[2] = {SideExtent(TRUE), SideExtent(FALSE)};
    int shares[2] = {SideShare(TRUE), SideShare(FALSE)};
    if (extents[0] > 0 && extents[1] > 0) {
        // Both sides laid out: the shares the next layout at this size gives
        // them (a layout after the node grew keeps the shares from before
        // until then), so that the node loaded stores the same again.
        shares[0] = kgp::split::ShareOfLaidOut(extents[0], SliderVisible() ? m_pSlider->GetWidth() : 0, extents[1]);
        shares[1] = 100 - shares[0];
    }
    ar << static_cast<DWORD>(shares[0]) << static_cast<DWORD>(shares[1]);
    for (const int extent : extents)
        ar << static_cast<DWORD>((std::min)(extent, static_cast<int>(kMaxStoredExtent)));
    WriteSide(ar, TRUE);
    WriteSide(ar, FALSE);
    if (m_pSlider != nullptr && m_pSlider->GetSafeHwnd() != nullptr && !m_pSlider->IsDefault()) {
        ar << static_cast<DWORD>(m_pSlider->GetDlgCtrlID());
        m_pSlider->Serialize(ar);
    } else {
        ar << static_cast<DWORD>(0);
    }
    for (const CKGPBarContainer* pChild : {m_pLeftContainer.get(), m_pRightContainer.get()}) {
        ar << static_cast<DWORD>(pChild != nullptr ? 1 : 0);
        if (pChild != nullptr)
            const_cast<CKGPBarContainer*>(pChild)->Serialize(ar);
    }
}

void CKGPBarContainer::ReadSide(CKGPStoredReader& in, CKGPStoredLoad& load, BOOL bLeft, DWORD word)
{
    int& savedId = bLeft ? m_nSavedLeftBarID : m_nSavedRightBarID;
    if (word == 0)
        return;
    if (word != kTabbedPaneMark) {
        if (word > 0xFFFF)
            CKGPStoredReader::Refuse(CArchiveException::badIndex);
        savedId = static_cast<int>(word);
        return;
    }
    auto pStored = std::make_shared<CKGPStoredTabbedPane>();
    pStored->Read(in, load);
    CList<UINT, UINT>& ids = bLeft ? m_lstLeftTabIds : m_lstRightTabIds;
    for (const UINT id : pStored->GetTabIds())
        ids.AddTail(id);
    // Made when the load commits, in the tree's owner.
    load.OnCommit([this, pStored, bLeft] {
        CKGPDockingControlBar* pPane = pStored->Create(OwnerWindow());
        if (pPane == nullptr) {
            (bLeft ? m_lstLeftTabIds : m_lstRightTabIds).RemoveAll();
            return;
        }
        SetPane(pPane, bLeft);
    });
}

void CKGPBarContainer::ReadArchive(CKGPStoredReader& in, CKGPStoredLoad& load)
{
    static thread_local int s_depth = 0;
    struct DepthGuard {
        DepthGuard() { ++s_depth; }
        ~DepthGuard() { --s_depth; }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;
    } depth;
    if (s_depth > kMaxStoredDepth)
        CKGPStoredReader::Refuse();

    DWORD word = in.ReadUInt(0, 0xFFFFFFFF);
    if (word == kSharesMark) {
        m_nStoredShares[0] = static_cast<int>(in.ReadUInt(0, 100));
        m_nStoredShares[1] = static_cast<int>(in.ReadUInt(0, 100));
        m_nStoredExtents[0] = static_cast<int>(in.ReadUInt(0, kMaxStoredExtent));
        m_nStoredExtents[1] = static_cast<int>(in.ReadUInt(0, kMaxStoredExtent));
        m_bLayOutStoredExtents = m_nStoredExtents[0] > 0 && m_nStoredExtents[1] > 0;
        word = in.ReadUInt(0, 0xFFFFFFFF);
    }
    ReadSide(in, load, TRUE, word);
    ReadSide(in, load, FALSE, in.ReadUInt(0, 0xFFFFFFFF));
    const DWORD sliderId = in.ReadUInt(0, 0xFFFF);
    if (sliderId != 0) {
        // An inner slider of the library's slider class; its window is made when
        // the load commits.
        CRuntimeClass* pClass = CKGPSlider::m_pSliderRTC != nullptr ? CKGPSlider::m_pSliderRTC
                                                                    : RUNTIME_CLASS(CKGPSlider);
        auto pSlider = std::make_shared<std::unique_ptr<CKGPSlider>>(
            DYNAMIC_DOWNCAST(CKGPSlider, pClass->CreateObject()));
        if (*pSlider == nullptr)
            CKGPStoredReader::Refuse(CArchiveException::badClass);
        (*pSlider)->SetParentForRecreation(OwnerWindow());
        // The slider deletes itself with its window, one refused too.
        auto pWatch = std::make_shared<CSelfDeletingWatch>();
        load.OnCommit([pWatch, pSlider] { pWatch->Start(pSlider->get()); });
        (*pSlider)->ReadArchive(in.Archive(), load);
        m_nSavedSliderID = static_cast<int>(sliderId);
        load.OnCommit([this, pSlider, pWatch] {
            if (pWatch->End()) {
                pSlider->release(); // gone with its refused window: the node has none
                return;
            }
            if ((*pSlider)->GetSafeHwnd() == nullptr)
                return; // its window could not be made: the node has none
            // The window owns the slider from now on.
            m_pSlider = pSlider->release();
            m_bSavedSliderHorz = m_pSlider->IsHorizontal();
        });
    }
    for (const BOOL bLeft : {TRUE, FALSE}) {
        if (!in.ReadBool())
            continue;
        if ((bLeft ? m_nSavedLeftBarID : m_nSavedRightBarID) != -1 ||
            !(bLeft ? m_lstLeftTabIds : m_lstRightTabIds).IsEmpty())
            CKGPStoredReader::Refuse(CArchiveException::badIndex); // a side holds a pane or a sub-tree
        KGPContainerPtr pChild = m_pContainerManager != nullptr ? m_pContainerManager->MakeContainer()
                                                                : KGPContainerPtr(new CKGPBarContainer);
        pChild->ReadArchive(in, load);
        if (m_nStoredShares[bLeft ? 0 : 1] != -1)
            pChild->SetSizeShare(m_nStoredShares[bLeft ? 0 : 1]);
        SetContainer(std::move(pChild), bLeft);
    }
}

// ---- The manager.

void CKGPBarContainerManager::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (!ar.IsStoring()) {
        // Reading needs the frame whose panes it names: see ReadArchive.
        AfxThrowArchiveException(CArchiveException::genericException);
    }
    if (m_pRootContainer == nullptr)
        m_pRootContainer = MakeContainer();
    m_pRootContainer->ReleaseEmptyPanes();
    m_pRootContainer->Serialize(ar);
    std::vector<DWORD> entries;
    IKGPTabbedBarLink* pTabs = KGPTabbedBars::Link();
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CKGPDockingControlBar* pBar = PaneAt(m_lstBars, pos);
        const int id = pBar->GetDlgCtrlID();
        if (id != -1) {
            entries.push_back(static_cast<DWORD>(id));
            continue;
        }
        CObList tabs;
        if (pTabs != nullptr)
            pTabs->AppendTabs(pBar, tabs);
        if (tabs.IsEmpty())
            continue; // a tabbed pane without tabs is not stored
        entries.push_back(kTabbedPaneMark);
        entries.push_back(static_cast<DWORD>(static_cast<CWnd*>(tabs.GetHead())->GetDlgCtrlID()));
    }
    DWORD count = 0;
    for (size_t i = 0; i < entries.size(); ++i, ++count) {
        if (entries[i] == kTabbedPaneMark)
            ++i;
    }
    ar << count;
    for (const DWORD entry : entries)
        ar << entry;
}

void CKGPBarContainerManager::ReadArchive(CKGPStoredReader& in, CKGPStoredLoad& load,
                                          CKGPDockManager* pDockManager)
{
    if (pDockManager == nullptr)
        CKGPStoredReader::Refuse();
    // A new tree, read and checked apart from the live one.
    auto tree = std::make_shared<KGPContainerPtr>(MakeContainer());
    (*tree)->ReadArchive(in, load);
    CList<UINT, UINT> savedIds;
    (*tree)->CollectSavedIds(savedIds);
    std::set<UINT> placed;
    for (POSITION pos = savedIds.GetHeadPosition(); pos != nullptr;) {
        if (!placed.insert(savedIds.GetNext(pos)).second)
            CKGPStoredReader::Refuse(CArchiveException::badIndex); // one pane in two places
    }

    struct Entry {
        CKGPDockingControlBar* pBar = nullptr;
        UINT nID = 0;
        BOOL bTab = FALSE;
    };
    auto entries = std::make_shared<std::vector<Entry>>();
    const UINT count = in.ReadUInt(0, static_cast<UINT>(kgp_stored::kMaxObjects));
    std::set<UINT> seen;
    for (UINT i = 0; i < count; ++i) {
        Entry entry;
        const DWORD word = in.ReadUInt(1, 0xFFFFFFFF);
        if (word == kTabbedPaneMark) {
            entry.bTab = TRUE;
            entry.nID = in.ReadUInt(1, 0xFFFF);
            if ((*tree)->FindTabbedPaneOwner(entry.nID) == nullptr && !(*tree)->HoldsTabId(entry.nID))
                CKGPStoredReader::Refuse(CArchiveException::badIndex);
        } else {
            if (word > 0xFFFF || placed.count(static_cast<UINT>(word)) == 0)
                CKGPStoredReader::Refuse(CArchiveException::badIndex); // a pane the tree does not place
            entry.nID = word;
            // A pane gone since the tree was stored leaves its side empty.
            entry.pBar = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pDockManager->FindBarById(word, TRUE));
            if (entry.pBar == nullptr)
                continue;
        }
        if (!seen.insert(entry.nID + (entry.bTab ? 0x10000u : 0u)).second)
            CKGPStoredReader::Refuse(CArchiveException::badIndex);
        entries->push_back(entry);
    }
    load.OnCommit([this, tree, entries] {
        m_pRootContainer = std::move(*tree);
        m_pRootContainer->SetManager(this, TRUE);
        m_lstBars.RemoveAll();
        for (const Entry& entry : *entries) {
            CKGPDockingControlBar* pBar = entry.bTab ? m_pRootContainer->FindTabbedPaneOwner(entry.nID) : entry.pBar;
            if (pBar == nullptr || m_lstBars.Find(pBar) != nullptr)
                continue;
            if (!entry.bTab)
                m_pRootContainer->SetPaneBySavedId(entry.nID, pBar);
            m_lstBars.AddTail(pBar);
        }
        m_pRootContainer->ReleaseEmptyPanes();
        m_pRootContainer->ApplyStoredShares();
        RegisterTreeSliders(m_pRootContainer.get());
    });
}
