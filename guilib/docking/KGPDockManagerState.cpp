// The dock manager's saved layout. Saving writes every bar's own values under
// its key and the layout archive under the manager's key; loading reads all
// of it into one load (checked whole, nothing live changed) and applying makes
// the sliders, trees and floating frames read, puts the panes into them, pins
// the auto-hidden panes again and restores the tabs.
//
// The archive: tabbed bars that may not float (id, tab window); default
// sliders with their trees and the panes beside them (0 + slider, 1 + id or
// 1, -1, first tab's id); floating frames (class record, frame); auto-hidden
// panes (a record each); panes shown as documents (ids). Every count is the
// number of records actually written.
#include "guilib/docking/KGPDockManager.h"

#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPWorkspace.h"
#include "guilib/docking/KGPAutoHideButton.h"
#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPBarContainerManager.h"
#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPLoadedLayout.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPMultiMiniFrameWnd.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/docking/KGPTabbedBarLink.h"
#include "guilib/tabs/KGPBaseTabWnd.h"

#include <afxarch.h>

#include <set>
#include <utility>
#include <vector>

namespace {

constexpr LPCTSTR kSection = _T("KGPDockManagers");
constexpr LPCTSTR kValue = _T("DockingCBAndSliders");
// Panes shown as documents are stored from this data version on.
constexpr int kDocumentsVersion = 0x90200;
constexpr DWORD kSliderRecord = 0;
constexpr DWORD kPaneRecord = 1;
constexpr DWORD kNoId = 0xFFFFFFFF;

CString ManagerKey(LPCTSTR lpszProfileName, UINT uiID)
{
    CString key;
    key.Format(_T("%sKGPDockManager-%d"), static_cast<LPCTSTR>(BuildLibraryRegistryPath(kSection, lpszProfileName)),
               static_cast<int>(uiID));
    return key;
}

// The frame floating frames are read for, named while one layout is read
// (the one before named again afterwards, however the read ends).
class CLoadingFrameScope {
public:
    explicit CLoadingFrameScope(CFrameWnd* pFrame) : m_pWas(CKGPDockManager::s_pLoadingFrame)
    {
        CKGPDockManager::s_pLoadingFrame = pFrame;
    }
    ~CLoadingFrameScope() { CKGPDockManager::s_pLoadingFrame = m_pWas; }
    CLoadingFrameScope(const CLoadingFrameScope&) = delete;
    CLoadingFrameScope& operator=(const CLoadingFrameScope&) = delete;

private:
    CFrameWnd* m_pWas;
};

// A control id as stored: 16 bits, or -1.
UINT ReadControlId(CKGPStoredReader& in)
{
    const UINT id = in.ReadUInt(0, 0xFFFFFFFF);
    if (id > 0xFFFF && id != kNoId)
        CKGPStoredReader::Refuse(CArchiveException::badIndex);
    return id;
}

// The auto-hide slider's pane (the first bar of its tree).
CKGPDockingControlBar* AutoHidePaneOf(CObject* pObject)
{
    auto* pSlider = DYNAMIC_DOWNCAST(CKGPSlider, pObject);
    if (pSlider == nullptr || !pSlider->IsAutoHideMode() || pSlider->GetControlBars() == nullptr ||
        pSlider->GetControlBars()->IsEmpty())
        return nullptr;
    return DYNAMIC_DOWNCAST(CKGPDockingControlBar, pSlider->GetControlBars()->GetHead());
}

BOOL SliderHoldsFloatable(CKGPSlider* pSlider)
{
    const CObList* pBars = pSlider->GetControlBars();
    if (pBars == nullptr || pSlider->IsAutoHideMode() || !pSlider->IsDefault())
        return FALSE;
    for (POSITION pos = pBars->GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKGPBaseControlBar*>(pBars->GetNext(pos));
        if (pBar->CanFloat())
            return TRUE;
    }
    return FALSE;
}

// A pane taken out of wherever it stands (a tab, a floating frame, a tree),
// back under the frame.
void TakeOut(CKGPDockingControlBar* pPane, CFrameWnd* pFrame)
{
    if (pPane->IsAutoHideMode())
        pPane->SetAutoHideMode(FALSE, CBRS_ALIGN_ANY, nullptr, FALSE);
    if (pPane->IsTabbed()) {
        if (IKGPTabbedBarLink* pTabs = KGPTabbedBars::Link())
            pTabs->RemoveBarTab(pPane);
    } else {
        pPane->RemoveFromHost(TRUE);
    }
    pPane->SetDefaultSlider(nullptr);
    if (pPane->GetParent() != pFrame)
        pPane->SetParent(pFrame);
    pPane->SetDockSite(pFrame);
}

// A tabbed pane made from a stored tree takes its tabs out of wherever they
// are (a tabbed pane they stood in before goes once it is left empty).
void RestoreTabs(CKGPDockManager& manager, CKGPDockingControlBar* pPane)
{
    auto* pTabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pPane);
    if (pTabbed == nullptr || pTabbed->GetTabWnd() == nullptr || pTabbed->GetTabWnd()->GetRestoredTabsNum() == 0 ||
        pTabbed->GetTabWnd()->GetTabsNum() != 0)
        return;
    CFrameWnd* pFrame = manager.GetDockSite();
    for (const CKGPRestoredTabInfo& tab : pTabbed->GetTabWnd()->GetRestoredTabs()) {
        auto* pTab = DYNAMIC_DOWNCAST(CKGPDockingControlBar, manager.FindBarById(static_cast<UINT>(tab.m_nControlBarID), TRUE));
        if (pTab == nullptr || pTab == pPane)
            continue;
        CKGPBaseControlBar* pOldTabbed = pTab->GetParentTabbedBar();
        TakeOut(pTab, pFrame);
        auto* pOld = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pOldTabbed);
        if (pOld != nullptr && pOld != pTabbed && pOld->GetSafeHwnd() != nullptr && pOld->FindBarByTabNumber(0) == nullptr) {
            pOld->RemoveFromHost(TRUE);
            pOld->DestroyWindow();
        }
        pTabbed->AddTab(pTab, TRUE, FALSE, TRUE);
    }
    // Their order, labels, visibility and the active tab as stored.
    pTabbed->ApplyRestoredTabInfo();
}

// The ids of the panes listed and of the tabs the tabbed ones among them
// will hold.
void AddPanesAndTabs(std::set<UINT>& ids, const CObList* pPanes)
{
    if (pPanes == nullptr)
        return;
    for (POSITION pos = pPanes->GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = pPanes->GetNext(pos);
        auto* pPane = DYNAMIC_DOWNCAST(CWnd, pObject);
        if (pPane == nullptr || pPane->GetSafeHwnd() == nullptr)
            continue;
        ids.insert(static_cast<UINT>(pPane->GetDlgCtrlID()));
        auto* pTabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pObject);
        if (pTabbed != nullptr && pTabbed->GetTabWnd() != nullptr) {
            for (const CKGPRestoredTabInfo& tab : pTabbed->GetTabWnd()->GetRestoredTabs())
                ids.insert(static_cast<UINT>(tab.m_nControlBarID));
        }
    }
}

// A docked pane back at the rectangle it was saved with (in its parent's
// client area). A pane closed where its place had no width was saved with an
// empty one and goes there all the same (left where the frame's own layout
// put it, a restart changed it); a rectangle never stored (all zero) or
// turned inside out leaves the pane where it is.
void PlaceAtSavedDockedRect(CKGPDockingControlBar& pane)
{
    const CRect docked = pane.m_recentDockInfo.m_rectRecentDockedRect;
    if (docked.IsRectNull() || docked.Width() < 0 || docked.Height() < 0)
        return;
    pane.SetWindowPos(HWND{}, docked.left, docked.top, docked.Width(), docked.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

CKGPLoadedLayout::~CKGPLoadedLayout() = default;

// ---- The bars with values of their own.

void CKGPDockManager::CollectStatefulBars(CObList& list)
{
    IKGPTabbedBarLink* pTabs = KGPTabbedBars::Link();
    std::set<CObject*> seen;
    auto add = [&](CKGPBaseControlBar* pBar) {
        if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || !seen.insert(pBar).second)
            return;
        if (pTabs != nullptr) {
            CObList tabs;
            pTabs->AppendTabs(pBar, tabs);
            for (POSITION pos = tabs.GetHeadPosition(); pos != nullptr;) {
                auto* pTab = static_cast<CKGPBaseControlBar*>(tabs.GetNext(pos));
                if (pTab->GetDlgCtrlID() != -1 && seen.insert(pTab).second)
                    list.AddTail(pTab);
            }
        }
        // A bar without an id of its own has no key of its own.
        if (pBar->GetDlgCtrlID() != -1)
            list.AddTail(pBar);
    };
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, m_lstControlBars.GetNext(pos));
        if (pBar == nullptr || pBar->IsSliderKind() || pBar->IsToolBarKind() || pBar->IsKindOf(RUNTIME_CLASS(CKGPDockBar)) ||
            pBar->IsKindOf(RUNTIME_CLASS(CKGPAutoHideToolBar)))
            continue;
        add(pBar);
    }
    for (POSITION pos = m_lstAutoHideBars.GetHeadPosition(); pos != nullptr;)
        add(AutoHidePaneOf(m_lstAutoHideBars.GetNext(pos)));
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, m_lstMiniFrames.GetNext(pos));
        if (pMiniFrame == nullptr)
            continue;
        if (auto* pMulti = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, pMiniFrame)) {
            const CObList& panes = pMulti->GetContainerManager().GetPanes();
            for (POSITION p = panes.GetHeadPosition(); p != nullptr;)
                add(static_cast<CKGPBaseControlBar*>(panes.GetNext(p)));
        } else {
            add(DYNAMIC_DOWNCAST(CKGPBaseControlBar, pMiniFrame->GetControlBar()));
        }
    }
}

// ---- Saving.

BOOL CKGPDockManager::SaveState(LPCTSTR lpszProfileName, UINT uiID)
{
    s_bSavingState = TRUE;
    CObList bars;
    CollectStatefulBars(bars);
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;)
        static_cast<CKGPBaseControlBar*>(bars.GetNext(pos))->SaveState(lpszProfileName, -1, -1);

    CKGPRegistryHandle reg(FALSE, FALSE);
    const BOOL bWritten = reg->CreateKey(ManagerKey(lpszProfileName, uiID)) &&
                          reg->WriteArchive(kValue, [this](CArchive& ar) { StoreLayout(ar); });
    s_bSavingState = FALSE;
    return bWritten;
}

void CKGPDockManager::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        StoreLayout(ar);
        return;
    }
    // Kept until applied; damage throws and leaves nothing loaded. Floating
    // frames are read for this frame, as LoadState reads them.
    m_pLoadedLayout.reset();
    auto layout = std::make_unique<CKGPLoadedLayout>();
    m_bLoadFailed = TRUE;
    {
        const CLoadingFrameScope loading(m_pParentWnd);
        const CBarIdIndex index(*this);
        ReadLayout(ar, *layout);
    }
    m_pLoadedLayout = std::move(layout);
    m_bLoadFailed = FALSE;
}

void CKGPDockManager::StoreLayout(CArchive& ar)
{
    IKGPTabbedBarLink* pTabs = KGPTabbedBars::Link();
    // Tabbed bars left without a tab that may float go first.
    CObList bars;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;)
        bars.AddTail(m_lstControlBars.GetNext(pos));
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* pTabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, bars.GetNext(pos));
        if (pTabbed != nullptr && pTabbed->GetSafeHwnd() != nullptr && pTabbed->CanFloat() &&
            pTabbed->FindBarByTabNumber(0) == nullptr) {
            pTabbed->RemoveFromHost(TRUE);
            pTabbed->DestroyWindow();
        }
    }

    // The docked places as they are now (applying the layout puts each pane
    // at its recent docked rectangle): tabbed panes made at run time have no
    // key of their own, and an archived layout may come without the panes'
    // own values.
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, m_lstControlBars.GetNext(pos));
        if (pPane != nullptr && pPane->GetSafeHwnd() != nullptr && pPane->GetDefaultPaneSlider() != nullptr &&
            !pPane->IsAutoHideMode())
            pPane->StoreRecentDockedRect();
    }

    // 1. Tabbed bars that may not float, with their tab windows.
    std::vector<CKGPBaseTabbedBar*> fixedTabbed;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pTabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, m_lstControlBars.GetNext(pos));
        if (pTabbed != nullptr && pTabbed->GetSafeHwnd() != nullptr && !pTabbed->CanFloat())
            fixedTabbed.push_back(pTabbed);
    }
    ar << static_cast<DWORD>(fixedTabbed.size());
    for (CKGPBaseTabbedBar* pTabbed : fixedTabbed) {
        ar << static_cast<DWORD>(pTabbed->GetDlgCtrlID());
        pTabbed->SerializeTabWindow(ar);
    }

    // 2. Default sliders and the panes beside them, in the bar list's order.
    struct Record {
        CKGPSlider* pSlider = nullptr;
        DWORD id = 0;
        DWORD tabId = 0;
    };
    std::vector<Record> records;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = m_lstControlBars.GetNext(pos);
        if (auto* pSlider = DYNAMIC_DOWNCAST(CKGPSlider, pObject)) {
            if (SliderHoldsFloatable(pSlider))
                records.push_back({pSlider, 0, 0});
            continue;
        }
        auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pObject);
        if (pPane == nullptr || pPane->GetSafeHwnd() == nullptr || !pPane->CanFloat() || pPane->IsAutoHideMode())
            continue;
        const int id = pPane->GetDlgCtrlID();
        if (id != -1) {
            records.push_back({nullptr, static_cast<DWORD>(id), 0});
            continue;
        }
        auto* pTabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pPane);
        CWnd* pFirstTab = pTabbed != nullptr ? pTabbed->FindBarByTabNumber(0) : nullptr;
        if (pFirstTab != nullptr)
            records.push_back({nullptr, kNoId, static_cast<DWORD>(pFirstTab->GetDlgCtrlID())});
    }
    ar << static_cast<DWORD>(records.size());
    for (const Record& record : records) {
        if (record.pSlider != nullptr) {
            ar << kSliderRecord;
            record.pSlider->Serialize(ar);
            continue;
        }
        ar << kPaneRecord << record.id;
        if (record.id == kNoId)
            ar << record.tabId;
    }

    // 3. Floating frames holding a bar, each with its class.
    std::vector<CKGPMiniFrameWnd*> frames;
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, m_lstMiniFrames.GetNext(pos));
        if (pMiniFrame != nullptr && pMiniFrame->GetSafeHwnd() != nullptr && pMiniFrame->GetControlBar() != nullptr)
            frames.push_back(pMiniFrame);
    }
    ar << static_cast<DWORD>(frames.size());
    for (CKGPMiniFrameWnd* pMiniFrame : frames) {
        ar.WriteClass(pMiniFrame->GetRuntimeClass());
        pMiniFrame->Serialize(ar);
    }

    // 4. Auto-hidden panes: the count is of the records written.
    std::vector<KGP_AUTOHIDEBAR_SAVE_INFO> autoHide;
    for (POSITION pos = m_lstAutoHideBars.GetHeadPosition(); pos != nullptr;) {
        if (CKGPDockingControlBar* pPane = AutoHidePaneOf(m_lstAutoHideBars.GetNext(pos))) {
            autoHide.emplace_back();
            autoHide.back().Describe(pPane);
        }
    }
    ar << static_cast<DWORD>(autoHide.size());
    for (KGP_AUTOHIDEBAR_SAVE_INFO& info : autoHide)
        info.Serialize(ar);

    // 5. Panes shown as documents.
    ar << static_cast<DWORD>(m_lstBarsAsDocuments.GetCount());
    for (POSITION pos = m_lstBarsAsDocuments.GetHeadPosition(); pos != nullptr;) {
        const HWND hWnd = m_lstBarsAsDocuments.GetNext(pos);
        auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, CWnd::FromHandlePermanent(hWnd));
        ar << static_cast<DWORD>(pPane != nullptr ? pPane->GetDlgCtrlID() : -1);
    }
    static_cast<void>(pTabs);
}

// ---- Loading.

BOOL CKGPDockManager::LoadState(LPCTSTR lpszProfileName, UINT uiID)
{
    DropLoadedLists();
    m_bLoadFailed = FALSE;
    const CBarIdIndex index(*this); // nothing live moves while a layout is read
    auto layout = std::make_unique<CKGPLoadedLayout>();
    CObList bars;
    CollectStatefulBars(bars);
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;)
        static_cast<CKGPBaseControlBar*>(bars.GetNext(pos))->ReadState(layout->m_load, lpszProfileName, -1, -1);

    CKGPRegistryHandle reg(FALSE, TRUE);
    if (!reg->Open(ManagerKey(lpszProfileName, uiID)))
        return FALSE;
    BOOL bRead = FALSE;
    {
        const CLoadingFrameScope loading(m_pParentWnd);
        bRead = layout->m_load.ReadArchiveValue(*reg, kValue, [this, &layout](CArchive& ar) { ReadLayout(ar, *layout); });
    }
    if (layout->m_load.IsRefused()) {
        // Damaged: every object read goes with the layout, nothing live changed.
        m_bLoadFailed = TRUE;
        return FALSE;
    }
    if (!bRead)
        return FALSE;
    m_pLoadedLayout = std::move(layout);
    return TRUE;
}

void CKGPDockManager::ReadLayout(CArchive& ar, CKGPLoadedLayout& layout)
{
    CKGPStoredLoad& load = layout.m_load;
    CKGPStoredReader in(ar);
    const UINT kMax = static_cast<UINT>(kgp_stored::kMaxObjects);
    IKGPTabbedBarLink* pTabs = KGPTabbedBars::Link();

    // 1. Tabbed bars: a bar gone since reads its record into a scratch bar.
    const UINT nTabbed = in.ReadUInt(0, kMax);
    for (UINT i = 0; i < nTabbed; ++i) {
        const UINT id = ReadControlId(in);
        auto* pTabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, FindBarById(id, TRUE));
        if (pTabbed == nullptr ||
            std::find(layout.m_tabbedBars.begin(), layout.m_tabbedBars.end(), pTabbed) != layout.m_tabbedBars.end()) {
            const CRuntimeClass* pClass = pTabs != nullptr ? pTabs->GetTabbedBarClass() : nullptr;
            CObject* pScratch = pClass != nullptr ? const_cast<CRuntimeClass*>(pClass)->CreateObject() : nullptr;
            if (pScratch == nullptr || !pScratch->IsKindOf(RUNTIME_CLASS(CKGPBaseTabbedBar))) {
                delete pScratch;
                CKGPStoredReader::Refuse(CArchiveException::badClass);
            }
            layout.m_scratch.emplace_back(static_cast<CKGPBaseTabbedBar*>(pScratch));
            layout.m_scratch.back()->ReadTabWindowState(ar, load);
            continue;
        }
        pTabbed->ReadTabWindowState(ar, load);
        layout.m_tabbedBars.push_back(pTabbed);
        load.OnCommit([this, pTabbed] { m_lstLoadedTabbedBars.AddTail(pTabbed); });
    }

    // 2. Default sliders with their trees; the pane records beside them are
    // checked (each id once) and otherwise follow from the trees.
    const UINT nRecords = in.ReadUInt(0, kMax);
    std::set<UINT> paneIds;
    for (UINT i = 0; i < nRecords; ++i) {
        const DWORD kind = in.ReadOneOf({kSliderRecord, kPaneRecord});
        if (kind == kPaneRecord) {
            UINT id = ReadControlId(in);
            if (id == kNoId)
                id = ReadControlId(in) | 0x10000u; // a tabbed bar by its first tab
            if (!paneIds.insert(id).second)
                CKGPStoredReader::Refuse(CArchiveException::badIndex);
            continue;
        }
        CRuntimeClass* pClass = CKGPSlider::m_pSliderRTC != nullptr ? CKGPSlider::m_pSliderRTC : RUNTIME_CLASS(CKGPSlider);
        if (!pClass->IsDerivedFrom(RUNTIME_CLASS(CKGPSlider)))
            CKGPStoredReader::Refuse(CArchiveException::badClass);
        auto pSlider = std::make_shared<std::unique_ptr<CKGPSlider>>(new CKGPSlider(TRUE, m_pParentWnd));
        layout.m_sliders.push_back(pSlider);
        // The slider deletes itself with its window, one refused too.
        auto pWatch = std::make_shared<CSelfDeletingWatch>();
        load.OnCommit([pWatch, pSlider] { pWatch->Start(pSlider->get()); });
        (*pSlider)->ReadArchive(ar, load);
        load.OnCommit([this, pSlider, pWatch] {
            if (pWatch->End())
                pSlider->release(); // gone with its refused window
            else if ((*pSlider)->GetSafeHwnd() != nullptr)
                m_lstLoadedBars.AddTail(pSlider->release()); // its window owns it now
        });
    }

    // 3. Floating frames: each of the floating frames' class or one derived.
    const UINT nFrames = in.ReadUInt(0, kMax);
    for (UINT i = 0; i < nFrames; ++i) {
        CRuntimeClass* pClass = ar.ReadClass(RUNTIME_CLASS(CKGPMiniFrameWnd));
        if (pClass == nullptr || !pClass->IsDerivedFrom(RUNTIME_CLASS(CKGPMiniFrameWnd)))
            CKGPStoredReader::Refuse(CArchiveException::badClass);
        CObject* pObject = pClass->CreateObject();
        auto* pFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pObject);
        if (pFrame == nullptr) {
            delete pObject;
            CKGPStoredReader::Refuse(CArchiveException::badClass);
        }
        auto pPending = std::make_shared<std::unique_ptr<CKGPMiniFrameWnd>>(pFrame);
        layout.m_miniFrames.push_back(pPending);
        pFrame->AllowTakeOver();
        // The frame deletes itself with its window, one refused too.
        auto pWatch = std::make_shared<CSelfDeletingWatch>();
        load.OnCommit([pWatch, pPending] { pWatch->Start(pPending->get()); });
        pFrame->ReadArchive(ar, load);
        load.OnCommit([this, pPending, pWatch] {
            if (pWatch->End()) {
                pPending->release(); // gone with its refused window
                return;
            }
            CKGPMiniFrameWnd* pRead = pPending->get();
            if (CKGPMiniFrameWnd* pLive = pRead->GetTakenOverFrame()) {
                // The live frame stands for the record (which goes with the
                // layout) unless the record holds more than its bar.
                if (pLive->GetSafeHwnd() != nullptr && pRead->LoadedRecordFitsTakenOver()) {
                    m_lstLoadedMiniFrames.AddTail(pLive);
                    return;
                }
                pWatch->Start(pRead);
                pRead->CreateStoredWindow();
                if (pWatch->End()) {
                    pPending->release(); // gone with its refused window
                    return;
                }
            }
            if (pRead->GetSafeHwnd() != nullptr)
                m_lstLoadedMiniFrames.AddTail(pPending->release()); // deletes itself with its window
        });
    }

    // 4. Auto-hidden panes.
    const UINT nAutoHide = in.ReadUInt(0, kMax);
    for (UINT i = 0; i < nAutoHide; ++i) {
        KGP_AUTOHIDEBAR_SAVE_INFO info;
        info.Read(in);
        load.OnCommit([this, info]() mutable { m_lstLoadedAutoHideBars.AddTail(info); });
    }

    // 5. Panes shown as documents, from the data version that stores them.
    if (GetWorkspace() == nullptr || GetWorkspaceDataVersion() < kDocumentsVersion)
        return;
    const UINT nDocuments = in.ReadUInt(0, kMax);
    for (UINT i = 0; i < nDocuments; ++i) {
        const UINT id = ReadControlId(in);
        if (id != kNoId)
            layout.m_documents.AddTail(id);
    }
}

void CKGPDockManager::DropLoadedLists()
{
    m_pLoadedLayout.reset();
    m_lstLoadedBars.RemoveAll();
    m_lstLoadedTabbedBars.RemoveAll();
    m_lstLoadedMiniFrames.RemoveAll();
    m_lstLoadedAutoHideBars.RemoveAll();
}

// ---- Applying.

void CKGPDockManager::ApplyLoadedState()
{
    if (m_bLoadFailed || m_bSkipApplyLayout || m_pLoadedLayout == nullptr || m_pParentWnd == nullptr) {
        DropLoadedLists();
        return;
    }
    std::unique_ptr<CKGPLoadedLayout> layout = std::move(m_pLoadedLayout);
    // Its floating frames are kept on monitors asked about once.
    const CKGPGlobalUtils::CMonitorsKept monitors;
    // How the bars with values of their own show before anything moves: a
    // bar whose values no load has read keeps that.
    const std::vector<std::pair<HWND, BOOL>> shownBefore = StatefulBarsShown();
    const BOOL bWasLoading = CKGPBaseControlBar::s_bLoadingState;
    CKGPBaseControlBar::s_bLoadingState = TRUE;
    const BOOL bWasRearranging = s_bRearranging;
    s_bRearranging = TRUE;
    // The frame is laid out once, when every pane stands where it was saved
    // and the auto-hidden ones are pinned again, not once per pane.
    const BOOL bLayoutWasEnabled = m_bLayoutEnabled;
    m_bLayoutEnabled = FALSE;

    UnpinAutoHiddenPanes();

    // The queued changes: the bars' own values, the sliders' and floating
    // frames' windows (onto the loaded lists), the trees naming their panes,
    // the tab lists. (A load read whole is not refused here.)
    layout->m_load.Commit();
    for (const auto& [hBar, bShown] : shownBefore) {
        if (auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, CWnd::FromHandlePermanent(hBar)))
            pBar->KeepVisibleState(bShown);
    }
    // Panes are found by id through one index of them all.
    const CBarIdIndex index(*this);

    // The default sliders of the layout before: those left without panes go.
    CList<HWND, HWND> oldSliders;
    CollectDefaultSliders(oldSliders);
    // Into a top-level frame not shown yet (a program loads its layout
    // before showing its frame), the trees of the layout before that the load
    // empties let their panes go without laying out what is left after each:
    // nothing of them shows meanwhile, and they go at the end. (A tree a pane
    // stays in collapses as each pane leaves, as in a frame shown, so that
    // what stays comes out the same.)
    const BOOL bFrameHidden = (m_pParentWnd->GetStyle() & WS_CHILD) == 0 && !m_pParentWnd->IsWindowVisible();
    CList<HWND, HWND> emptiedTrees;
    if (bFrameHidden)
        CollectTreesTheLoadEmpties(oldSliders, layout->m_documents, emptiedTrees);
    SuspendTreeLayouts(emptiedTrees, TRUE);

    ApplyLoadedSliders();
    ApplyLoadedMiniFrames(bFrameHidden);
    // The toolbars and the menu bar go back to their rows (or leave
    // floating frames the layout does not keep).
    const std::vector<std::pair<HWND, int>> barPlaces = RestoreDockedBars();
    RemoveFramesWithoutBars();
    // Panes that may not float stand in trees the layout does not store
    // (it stores the trees of panes that may float): those whose values were
    // read take their saved size there, and show as they did.
    RestoreFixedPanes();
    RestoreOtherDockedBars();

    s_bRearranging = bWasRearranging;
    // No layout before the auto-hidden panes are pinned again: until then
    // they stand in trees at their edges (brought back above, or docked by
    // their records on the way to their strips), and the trees laid out
    // beside them would be squeezed and keep that thickness.
    ApplyLoadedAutoHideBars();

    // The tabbed bars read restore their tabs.
    for (POSITION pos = m_lstLoadedTabbedBars.GetHeadPosition(); pos != nullptr;) {
        auto* pTabbed = static_cast<CKGPBaseTabbedBar*>(m_lstLoadedTabbedBars.GetNext(pos));
        if (pTabbed->GetSafeHwnd() != nullptr)
            pTabbed->ApplyRestoredTabInfo();
    }
    RemoveEmptySlidersAndTabbedBars(oldSliders);

    SuspendTreeLayouts(emptiedTrees, FALSE);
    ApplyBarsAsDocuments(layout->m_documents);
    m_bLayoutEnabled = bLayoutWasEnabled;
    NotifyBarsAndRelayout();
    PutBarsBackAlongTheirRows(barPlaces);
    DropLoadedLists();
    CKGPBaseControlBar::s_bLoadingState = bWasLoading;
    // The next layout applied reads its bars' values anew.
    for (const auto& [hBar, bShown] : shownBefore) {
        if (auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, CWnd::FromHandlePermanent(hBar)))
            pBar->ForgetVisibleStateRead();
    }
}

std::vector<std::pair<HWND, BOOL>> CKGPDockManager::StatefulBarsShown()
{
    CObList statefulBars;
    CollectStatefulBars(statefulBars);
    std::vector<std::pair<HWND, BOOL>> shown;
    for (POSITION pos = statefulBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKGPBaseControlBar*>(statefulBars.GetNext(pos));
        shown.emplace_back(pBar->GetSafeHwnd(), pBar->IsBarVisible());
    }
    return shown;
}

void CKGPDockManager::UnpinAutoHiddenPanes()
{
    // Panes auto-hidden now come back first, before the loaded trees take
    // their panes (a pane unpinned goes back to a place of its own, which
    // would take it from the tree that named it); the loaded records pin
    // them again.
    CObList autoHidden;
    for (POSITION pos = m_lstAutoHideBars.GetHeadPosition(); pos != nullptr;) {
        if (CKGPDockingControlBar* pPane = AutoHidePaneOf(m_lstAutoHideBars.GetNext(pos)))
            autoHidden.AddTail(pPane);
    }
    for (POSITION pos = autoHidden.GetHeadPosition(); pos != nullptr;)
        static_cast<CKGPDockingControlBar*>(autoHidden.GetNext(pos))->SetAutoHideMode(FALSE, CBRS_ALIGN_ANY, nullptr, FALSE);
}

void CKGPDockManager::CollectDefaultSliders(CList<HWND, HWND>& sliders) const
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pSlider = DYNAMIC_DOWNCAST(CKGPSlider, m_lstControlBars.GetNext(pos));
        if (pSlider != nullptr && pSlider->IsDefault() && !pSlider->IsAutoHideMode())
            sliders.AddTail(pSlider->GetSafeHwnd());
    }
}

void CKGPDockManager::ApplyLoadedMiniFrames(BOOL bFrameHidden)
{
    // Floating frames take their bars. Into a frame not shown yet they wait
    // hidden until it shows.
    for (POSITION pos = m_lstLoadedMiniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pMiniFrame = static_cast<CKGPMiniFrameWnd*>(m_lstLoadedMiniFrames.GetNext(pos));
        if (pMiniFrame->GetSafeHwnd() == nullptr)
            continue;
        // (A frame made by this load has its frame from its making; a live
        // one taken over had it recalculated with its new style.)
        AddMiniFrame(pMiniFrame);
        if (!pMiniFrame->SetDockState(this) || pMiniFrame->GetSafeHwnd() == nullptr) {
            RemoveMiniFrame(pMiniFrame);
            continue;
        }
        if (auto* pMulti = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, pMiniFrame)) {
            CObList panes;
            const CObList& held = pMulti->GetContainerManager().GetPanes();
            for (POSITION p = held.GetHeadPosition(); p != nullptr;)
                panes.AddTail(held.GetNext(p));
            for (POSITION p = panes.GetHeadPosition(); p != nullptr;)
                RestoreTabs(*this, static_cast<CKGPDockingControlBar*>(panes.GetNext(p)));
        } else if (CKGPDockingControlBar* pTabbed = pMiniFrame->GetRestoredTabbedPane()) {
            // A tabbed pane floating alone takes its tabs back; one none of
            // whose tabs is left goes.
            RestoreTabs(*this, pTabbed);
            auto* pTabs = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pTabbed);
            if (pTabs != nullptr && pTabs->FindBarByTabNumber(0) == nullptr) {
                pTabs->RemoveFromHost(TRUE);
                pTabs->DestroyWindow();
            }
        }
        // A frame whose bars are all gone since goes now.
        if (pMiniFrame->GetControlBar() == nullptr) {
            RemoveMiniFrame(pMiniFrame);
            pMiniFrame->DestroyWindow();
            continue;
        }
        ShowLoadedMiniFrame(pMiniFrame, bFrameHidden);
    }
}

void CKGPDockManager::RemoveFramesWithoutBars()
{
    // Floating frames whose bars all went elsewhere go now (not when their
    // check comes round: a load may be followed by another at once).
    CObList frames;
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;)
        frames.AddTail(m_lstMiniFrames.GetNext(pos));
    for (POSITION pos = frames.GetHeadPosition(); pos != nullptr;) {
        auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, frames.GetNext(pos));
        if (pMiniFrame != nullptr && pMiniFrame->GetSafeHwnd() != nullptr && pMiniFrame->GetControlBar() == nullptr) {
            RemoveMiniFrame(pMiniFrame);
            pMiniFrame->DestroyWindow();
        }
    }
}

void CKGPDockManager::RestoreOtherDockedBars()
{
    // Bars docked in the dock bars (neither panes nor toolbars) go back to
    // their saved places.
    CObList fixed;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = DYNAMIC_DOWNCAST(CKGPControlBar, m_lstControlBars.GetNext(pos));
        if (pBar != nullptr && !pBar->IsPaneKind() && !pBar->IsToolBarKind() &&
            !pBar->IsKindOf(RUNTIME_CLASS(CKGPAutoHideToolBar)) && pBar->IsStateRestored())
            fixed.AddTail(pBar);
    }
    for (POSITION pos = fixed.GetHeadPosition(); pos != nullptr;)
        static_cast<CKGPControlBar*>(fixed.GetNext(pos))->RestoreLoadedPlacement(this);
}

void CKGPDockManager::RemoveEmptySlidersAndTabbedBars(const CList<HWND, HWND>& oldSliders)
{
    // Sliders left without panes and tabbed bars left without tabs go.
    CObList bars;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;)
        bars.AddTail(m_lstControlBars.GetNext(pos));
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = bars.GetNext(pos);
        if (m_lstControlBars.Find(pObject) == nullptr)
            continue;
        if (auto* pSlider = DYNAMIC_DOWNCAST(CKGPSlider, pObject)) {
            if (pSlider->IsDefault() && !pSlider->IsAutoHideMode())
                pSlider->CheckEmptyAndRemove();
        } else if (auto* pTabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pObject)) {
            if (pTabbed->GetSafeHwnd() != nullptr && pTabbed->CanFloat() && pTabbed->FindBarByTabNumber(0) == nullptr) {
                pTabbed->RemoveFromHost(TRUE);
                pTabbed->DestroyWindow();
            }
        }
    }
    // The default sliders of the layout before that no pane stands in.
    for (POSITION pos = oldSliders.GetHeadPosition(); pos != nullptr;) {
        const HWND hSlider = oldSliders.GetNext(pos);
        auto* pSlider = ::IsWindow(hSlider) ? DYNAMIC_DOWNCAST(CKGPSlider, CWnd::FromHandlePermanent(hSlider)) : nullptr;
        if (pSlider != nullptr && pSlider->GetControlBars() != nullptr && pSlider->GetControlBars()->IsEmpty()) {
            RemoveControlBar(pSlider);
            pSlider->DestroyWindow();
        }
    }
}

void CKGPDockManager::ShowLoadedMiniFrame(CKGPMiniFrameWnd* pMiniFrame, BOOL bHeldForFrame)
{
    const BOOL bShown = pMiniFrame->GetVisibleBarCount() > 0;
    if (!bShown || !bHeldForFrame) {
        pMiniFrame->ShowWindow(bShown ? SW_SHOWNOACTIVATE : SW_HIDE);
        return;
    }
    pMiniFrame->ShowWindow(SW_HIDE);
    if (m_lstMiniFramesHeldForFrame.Find(pMiniFrame->GetSafeHwnd()) == nullptr)
        m_lstMiniFramesHeldForFrame.AddTail(pMiniFrame->GetSafeHwnd());
}

void CKGPDockManager::CollectTreesTheLoadEmpties(const CList<HWND, HWND>& oldSliders, const CList<UINT, UINT>& documents,
                                                  CList<HWND, HWND>& emptied) const
{
    std::set<UINT> placed;
    for (POSITION pos = m_lstLoadedBars.GetHeadPosition(); pos != nullptr;) {
        auto* pSlider = DYNAMIC_DOWNCAST(CKGPSlider, m_lstLoadedBars.GetNext(pos));
        if (pSlider != nullptr && pSlider->GetSafeHwnd() != nullptr)
            AddPanesAndTabs(placed, pSlider->GetControlBars());
    }
    for (POSITION pos = m_lstLoadedMiniFrames.GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = m_lstLoadedMiniFrames.GetNext(pos);
        if (auto* pMulti = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, pObject)) {
            AddPanesAndTabs(placed, &pMulti->GetContainerManager().GetPanes());
        } else if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pObject)) {
            placed.insert(pMiniFrame->GetSavedBarID());
            CObList tabbed;
            if (CKGPDockingControlBar* pTabbed = pMiniFrame->GetRestoredTabbedPane())
                tabbed.AddTail(pTabbed);
            AddPanesAndTabs(placed, &tabbed);
        }
    }
    for (POSITION pos = m_lstLoadedAutoHideBars.GetHeadPosition(); pos != nullptr;)
        placed.insert(static_cast<UINT>(m_lstLoadedAutoHideBars.GetNext(pos).m_nBarID));
    for (POSITION pos = documents.GetHeadPosition(); pos != nullptr;)
        placed.insert(documents.GetNext(pos));

    for (POSITION pos = oldSliders.GetHeadPosition(); pos != nullptr;) {
        const HWND hSlider = oldSliders.GetNext(pos);
        auto* pSlider = DYNAMIC_DOWNCAST(CKGPSlider, CWnd::FromHandlePermanent(hSlider));
        if (pSlider == nullptr || pSlider->GetContainerManager() == nullptr)
            continue;
        const CObList& panes = pSlider->GetContainerManager()->GetPanes();
        BOOL bEmptied = !panes.IsEmpty();
        for (POSITION p = panes.GetHeadPosition(); p != nullptr && bEmptied;) {
            // (A tabbed pane made at run time has no id to be named by.)
            const int id = static_cast<CWnd*>(panes.GetNext(p))->GetDlgCtrlID();
            bEmptied = id != -1 && placed.count(static_cast<UINT>(id)) != 0;
        }
        if (bEmptied)
            emptied.AddTail(hSlider);
    }
}

void CKGPDockManager::SuspendTreeLayouts(const CList<HWND, HWND>& sliders, BOOL bSuspend)
{
    for (POSITION pos = sliders.GetHeadPosition(); pos != nullptr;) {
        const HWND hSlider = sliders.GetNext(pos);
        auto* pSlider = ::IsWindow(hSlider) ? DYNAMIC_DOWNCAST(CKGPSlider, CWnd::FromHandlePermanent(hSlider)) : nullptr;
        if (pSlider != nullptr && pSlider->GetContainerManager() != nullptr)
            pSlider->GetContainerManager()->SuspendLayout(bSuspend);
    }
}

void CKGPDockManager::ApplyLoadedSliders()
{
    for (POSITION pos = m_lstLoadedBars.GetHeadPosition(); pos != nullptr;) {
        auto* pSlider = DYNAMIC_DOWNCAST(CKGPSlider, m_lstLoadedBars.GetNext(pos));
        if (pSlider == nullptr || pSlider->GetSafeHwnd() == nullptr || pSlider->GetControlBars() == nullptr)
            continue;
        const DWORD alignment = pSlider->GetCurrentAlignment();
        pSlider->SetDockSite(m_pParentWnd);
        AddControlBar(pSlider);
        CObList panes;
        const CObList* pPanes = pSlider->GetControlBars();
        for (POSITION p = pPanes->GetHeadPosition(); p != nullptr;)
            panes.AddTail(pPanes->GetNext(p));
        CKGPBaseControlBar* pAfter = pSlider;
        for (POSITION p = panes.GetHeadPosition(); p != nullptr;) {
            auto* pPane = static_cast<CKGPDockingControlBar*>(panes.GetNext(p));
            // Out of its old place (its old tree lets it go; the new one keeps
            // it), forgetting its way back into the old tree.
            pPane->m_recentDockInfo.m_recentSliderInfo.Init();
            pPane->m_recentDockInfo.m_hRecentDefaultSlider = nullptr;
            TakeOut(pPane, m_pParentWnd);
            pPane->SetDefaultSlider(pSlider->GetSafeHwnd());
            pPane->SetCurrentAlignment(alignment);
            pPane->m_recentDockInfo.m_dwRecentAlignmentToFrame = alignment;
            PlaceAtSavedDockedRect(*pPane);
            pPane->EnableGripper(TRUE);
            if (m_lstControlBars.Find(pPane) == nullptr && !InsertControlBar(pPane, pAfter, TRUE))
                AddControlBar(pPane);
            pAfter = pPane;
            RestoreTabs(*this, pPane);
            pPane->ShowWindow(pPane->GetRecentVisibleState() ? SW_SHOWNOACTIVATE : SW_HIDE);
        }
        pSlider->CheckVisibility();
    }
}

void CKGPDockManager::RestoreFixedPanes()
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, m_lstControlBars.GetNext(pos));
        if (pPane == nullptr || pPane->GetSafeHwnd() == nullptr || pPane->CanFloat() || pPane->IsAutoHideMode() ||
            !pPane->IsVisibleStateRead())
            continue;
        CKGPSlider* pSlider = pPane->GetDefaultPaneSlider();
        if (pSlider == nullptr || m_lstLoadedBars.Find(pSlider) != nullptr)
            continue;
        PlaceAtSavedDockedRect(*pPane);
        pPane->ShowWindow(pPane->GetRecentVisibleState() ? SW_SHOWNOACTIVATE : SW_HIDE);
        pSlider->CheckVisibility();
    }
}

void CKGPDockManager::ApplyLoadedAutoHideBars()
{
    CKGPAutoHideToolBar* pGroup = nullptr;
    for (POSITION pos = m_lstLoadedAutoHideBars.GetHeadPosition(); pos != nullptr;) {
        KGP_AUTOHIDEBAR_SAVE_INFO& info = m_lstLoadedAutoHideBars.GetNext(pos);
        auto* pPane = info.m_nBarID == -1 ? nullptr
                                          : DYNAMIC_DOWNCAST(CKGPDockingControlBar, FindBarById(info.m_nBarID, TRUE));
        // Where the frame's default layout put the pane does not matter (a
        // tab, or a floating frame, cannot auto-hide as it is): only whether
        // its style lets it. It is taken out and pinned at its edge.
        // A pane a floating frame of this load holds stays floating.
        CKGPMiniFrameWnd* pFloating = pPane != nullptr ? pPane->GetParentMiniFrame(TRUE) : nullptr;
        if (pPane == nullptr || pPane->GetSafeHwnd() == nullptr ||
            (pFloating != nullptr && m_lstLoadedMiniFrames.Find(pFloating) != nullptr) ||
            !pPane->CKGPBaseControlBar::CanAutoHide()) {
            pGroup = nullptr;
            continue; // gone since, or floating in the layout loaded
        }
        TakeOut(pPane, m_pParentWnd);
        // A floating frame it leaves empty goes now.
        if (pFloating != nullptr && pFloating->GetSafeHwnd() != nullptr && pFloating->GetControlBar() == nullptr) {
            RemoveMiniFrame(pFloating);
            pFloating->DestroyWindow();
        }
        CRect rect = info.m_rectBar;
        const BOOL bSized = rect.Width() > 0 && rect.Height() > 0;
        if (bSized)
            m_pParentWnd->ScreenToClient(rect);
        // A button that was not first in its group joins the group before it.
        CKGPAutoHideToolBar* pJoin = info.m_bFirstInGroup ? nullptr : pGroup;
        if (pJoin != nullptr && pJoin->GetSafeHwnd() == nullptr)
            pJoin = nullptr;
        if (pPane->CanPinAsLoaded(info.m_dwBarAlignment)) {
            // Straight to its strip, without a tree of its own on the way.
            pGroup = pPane->PinAsLoaded(info.m_dwBarAlignment, bSized ? &rect : nullptr, pJoin);
        } else {
            // (A tabbed pane pins its tabs from where it is docked; a pane
            // that cannot pin there stays docked at the edge.)
            if (!pPane->DockToWindow(info.m_dwBarAlignment, nullptr, 1) || !pPane->CanAutoHide()) {
                pGroup = nullptr;
                continue;
            }
            if (bSized)
                pPane->SetWindowPos(HWND{}, rect.left, rect.top, rect.Width(), rect.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE);
            pGroup = pPane->SetAutoHideMode(TRUE, info.m_dwBarAlignment, pJoin, FALSE);
        }
        info.m_pSavedBar = pGroup != nullptr ? pPane : nullptr;
        if (pGroup != nullptr && info.m_bLastInGroup)
            pGroup->SetActiveInGroup(info.m_bActiveInGroup);
        if (info.m_bLastInGroup)
            pGroup = nullptr;
    }
    for (POSITION pos = m_lstLoadedAutoHideBars.GetHeadPosition(); pos != nullptr;) {
        KGP_AUTOHIDEBAR_SAVE_INFO& info = m_lstLoadedAutoHideBars.GetNext(pos);
        if (info.m_pSavedBar != nullptr && info.m_pSavedBar->GetAutoHideSwitch())
            info.m_pSavedBar->ShowBar(info.m_bIsVisible, FALSE, FALSE);
    }
}

void CKGPDockManager::ApplyBarsAsDocuments(const CList<UINT, UINT>& ids)
{
    for (POSITION pos = ids.GetHeadPosition(); pos != nullptr;) {
        auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, FindBarById(ids.GetNext(pos), TRUE));
        if (pPane == nullptr || pPane->GetSafeHwnd() == nullptr ||
            m_lstBarsAsDocuments.Find(pPane->GetSafeHwnd()) != nullptr)
            continue;
        TakeOut(pPane, m_pParentWnd);
        RemoveControlBar(pPane);
        pPane->ShowWindow(SW_HIDE);
        m_lstBarsAsDocuments.AddTail(pPane->GetSafeHwnd());
        pPane->SetShownAsDocument(TRUE);
    }
}
