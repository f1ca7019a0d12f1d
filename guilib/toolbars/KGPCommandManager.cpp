#include "guilib/toolbars/KGPCommandManager.h"

#include "guilib/core/KGPStoredState.h"
#include "guilib/toolbars/KGPToolBarMath.h"
#include "guilib/toolbars/KGPToolBarShared.h"

#include <afxarch.h>

#include <algorithm>
#include <climits>

namespace {

constexpr UINT kNoCommand = 0xFFFFFFFF;

bool IsRealCommand(UINT uiCmd) { return uiCmd != 0 && uiCmd != kNoCommand; }

int Lookup(const std::map<UINT, int>& images, UINT uiCmd)
{
    const auto found = images.find(uiCmd);
    return found == images.end() ? -1 : found->second;
}

}  // namespace

CKGPCommandManager* GetCmdMgr()
{
    static CKGPCommandManager manager;
    return &manager;
}

int CKGPCommandManager::GetCmdImage(UINT uiCmd, BOOL bUserImage) const
{
    return Lookup(bUserImage ? m_userCommandImages : m_commandImages, uiCmd);
}

void CKGPCommandManager::SetCmdImage(UINT uiCmd, int iImage, BOOL bUserImage)
{
    if (!IsRealCommand(uiCmd))
        return;
    (bUserImage ? m_userCommandImages : m_commandImages).emplace(uiCmd, iImage);
}

void CKGPCommandManager::ClearUserCmdImage(UINT uiCmd) { m_userCommandImages.erase(uiCmd); }

void CKGPCommandManager::EnableMenuItemImage(UINT uiCmd, BOOL bEnable, int iUserImage)
{
    auto& without = m_commandsWithoutMenuImage;
    if (!bEnable) {
        m_menuUserImages.erase(uiCmd);
        if (std::find(without.begin(), without.end(), uiCmd) == without.end())
            without.push_back(uiCmd);
        return;
    }
    without.remove(uiCmd);
    if (iUserImage < 0)
        m_menuUserImages.erase(uiCmd);
    else
        m_menuUserImages[uiCmd] = iUserImage;
}

BOOL CKGPCommandManager::IsMenuItemImageEnabled(UINT uiCmd) const
{
    const auto& without = m_commandsWithoutMenuImage;
    return std::find(without.begin(), without.end(), uiCmd) == without.end();
}

int CKGPCommandManager::GetMenuUserImage(UINT uiCmd) const { return Lookup(m_menuUserImages, uiCmd); }

void CKGPCommandManager::ResetAll()
{
    m_commandImages.clear();
    m_userCommandImages.clear();
    m_commandsWithoutMenuImage.clear();
    m_menuUserImages.clear();
}

// ---- Usage counter ----

IMPLEMENT_SERIAL(CCmdUsageCount, CObject, VERSIONABLE_SCHEMA | 1)

UINT CCmdUsageCount::s_nStartCount = 0;
UINT CCmdUsageCount::s_nMinUsagePercentage = 5;

void CCmdUsageCount::AddCmd(UINT uiCmd)
{
    if (CKGPToolBarShared::s_bCustomizing || !IsRealCommand(uiCmd) || CKGPToolBarShared::IsBasicCommand(uiCmd) ||
        kgp::IsSystemCommand(uiCmd))
        return;
    ++m_usage[uiCmd];
    ++m_nTotalUsage;
}

UINT CCmdUsageCount::GetCount(UINT uiCmd) const
{
    const auto found = m_usage.find(uiCmd);
    return found == m_usage.end() ? 0 : found->second;
}

BOOL CCmdUsageCount::HasEnoughInformation() const { return m_nTotalUsage >= s_nStartCount; }

BOOL CCmdUsageCount::IsFrequentlyUsedCmd(UINT uiCmd) const
{
    if (m_nTotalUsage == 0)
        return FALSE;
    const ULONGLONG count = GetCount(uiCmd);
    if (s_nMinUsagePercentage == 0)
        return count > 0;
    return count * 100 / m_nTotalUsage > s_nMinUsagePercentage;
}

void CCmdUsageCount::Reset()
{
    m_usage.clear();
    m_nTotalUsage = 0;
}

void CCmdUsageCount::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nTotalUsage;
        ar.WriteCount(m_usage.size());
        for (const auto& [command, count] : m_usage)
            ar << command << count;
        return;
    }
    // Read whole, then taken; a command counted twice is damage.
    CKGPStoredReader in(ar);
    const UINT total = in.ReadUInt(0, UINT_MAX);
    const DWORD_PTR entries = ar.ReadCount();
    ar.EnsureAvailable(static_cast<ULONGLONG>(entries) * 8);
    std::map<UINT, UINT> usage;
    for (DWORD_PTR i = 0; i < entries; ++i) {
        const UINT command = in.ReadUInt(0, UINT_MAX);
        const UINT count = in.ReadUInt(0, total);
        if (!usage.emplace(command, count).second)
            CKGPStoredReader::Refuse();
    }
    m_usage.swap(usage);
    m_nTotalUsage = total;
}
