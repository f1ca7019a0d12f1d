// The tasks pane's stored settings: after the docking pane's record, the nine
// metrics, the page shown, the page names and the caption, as the binary
// value "Settings" under "KGPTasksPanes". Loading reads all of it, checks it
// (the count of names bounded, every text bounded) and changes the pane only
// when the whole state is sound; a damaged value refuses the whole load.
#include "guilib/panes/KGPTasksPane.h"

#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPWorkspace.h"

#include <afxarch.h>
#include <afxfile.h>

#include <climits>
#include <memory>
#include <vector>

namespace {

constexpr LPCTSTR kSection = _T("KGPTasksPanes");
constexpr LPCTSTR kClass = _T("KGPTasksPane");
constexpr LPCTSTR kValue = _T("Settings");
// The data versions from which the parts were stored; 7.0 stored none.
constexpr int kVersionWithMetrics = 0x60210;
constexpr int kVersionWithCaption = 0x60500;
constexpr int kVersionWithout = 0x70000;

bool Stored(int nVersion, int nFrom)
{
    return nVersion >= nFrom && nVersion != kVersionWithout;
}

}  // namespace

CString CKGPTasksPane::SettingsKey(LPCTSTR lpszProfileName, int nID, int nIndex) const
{
    return BarRegistryKey(BuildLibraryRegistryPath(kSection, lpszProfileName), kClass,
                          nID == -1 ? GetDlgCtrlID() : nID, nIndex);
}

BOOL CKGPTasksPane::SaveState(LPCTSTR lpszProfileName, int nID, int nIndex)
{
    // The docking pane's values first: saving them refreshes the docked
    // rectangle that the settings' record holds too.
    const BOOL base = CKGPDockingControlBar::SaveState(lpszProfileName, nID, nIndex);
    CKGPRegistryHandle reg(FALSE, FALSE);
    const BOOL written = reg->CreateKey(SettingsKey(lpszProfileName, nID, nIndex)) &&
                         reg->WriteArchive(kValue, [this](CArchive& ar) { Serialize(ar); });
    return base && written;
}

BOOL CKGPTasksPane::ReadState(CKGPStoredLoad& load, LPCTSTR lpszProfileName, int nID, int nIndex)
{
    BOOL found = FALSE;
    {
        CKGPRegistryHandle reg(FALSE, TRUE);
        if (reg->Open(SettingsKey(lpszProfileName, nID, nIndex)))
            found = load.ReadArchiveValue(*reg, kValue, [this, &load](CArchive& ar) { ReadArchive(ar, load); });
    }
    return CKGPDockingControlBar::ReadState(load, lpszProfileName, nID, nIndex) && found;
}

void CKGPTasksPane::Serialize(CArchive& ar)
{
    if (!ar.IsStoring()) {
        CKGPStoredLoad load;
        ReadArchive(ar, load);
        load.Commit();
        return;
    }
    CKGPDockingControlBar::Serialize(ar);
    for (const int metric : m_metrics)
        ar << metric;
    ar << GetActivePage();
    ar.WriteCount(static_cast<DWORD_PTR>(GetPageCount()));
    for (POSITION pos = m_lstTasksPanes.GetHeadPosition(); pos != nullptr;)
        ar << m_lstTasksPanes.GetNext(pos)->m_strName;
    ar << m_strCaption;
}

void CKGPTasksPane::ReadArchive(CArchive& ar, CKGPStoredLoad& load)
{
    CKGPDockingControlBar::ReadArchive(ar, load);
    const int version = GetWorkspace() != nullptr ? GetWorkspaceDataVersion() : -1;
    if (!Stored(version, kVersionWithMetrics))
        return;
    CKGPStoredReader in(ar);
    using kgp_stored::kMaxCoordinate;
    kgp::tasks::Metrics metrics{};
    for (int& metric : metrics)
        metric = in.ReadInt(-1, kMaxCoordinate);
    int page = in.ReadInt(INT_MIN, INT_MAX);
    // At most as many names as a stored list may hold; each name is read
    // (and its length checked) before the next, so a count larger than the
    // data ends at the data's end.
    const DWORD_PTR count = ar.ReadCount();
    if (count > kgp_stored::kMaxObjects)
        CKGPStoredReader::Refuse(CArchiveException::badIndex);
    std::vector<CString> names;
    for (DWORD_PTR i = 0; i < count; ++i)
        names.push_back(in.ReadString(kgp_stored::kMaxTextLength));
    const BOOL bCaption = Stored(version, kVersionWithCaption);
    const CString caption = bCaption ? in.ReadString(kgp_stored::kMaxTextLength) : CString();

    load.OnCommit([this, metrics, page, names, bCaption, caption] {
        m_metrics = metrics;
        // Names are taken only for as many pages as there are.
        if (static_cast<int>(names.size()) == GetPageCount()) {
            int i = 0;
            for (POSITION pos = m_lstTasksPanes.GetHeadPosition(); pos != nullptr; ++i)
                m_lstTasksPanes.GetNext(pos)->m_strName = names[static_cast<size_t>(i)];
            RebuildPagesMenu();
        }
        if (bCaption)
            m_strCaption = caption;
        SetActivePage(page >= 0 && page < GetPageCount() ? page : 0);
        m_scroll.position = 0;
        UpdateCaption();
        UpdateNavigationButtons();
        RecalcTasksLayout(TRUE);
    });
}
