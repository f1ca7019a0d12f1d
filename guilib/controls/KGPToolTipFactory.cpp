#include "guilib/controls/KGPToolTipFactory.h"

#include "guilib/core/KGPRegisteredMessages.h"

#include <map>
#include <memory>
#include <vector>

namespace {

struct OwnedToolTip {
    HWND owner = nullptr;
    UINT kind = 0;
};

// Every tooltip the factory made, with its owner and kind (GUI thread only).
std::map<const CToolTipCtrl*, OwnedToolTip>& ToolTips()
{
    static std::map<const CToolTipCtrl*, OwnedToolTip> tooltips;
    return tooltips;
}

std::map<UINT, CKGPToolTipParams>& ParamsByKind()
{
    static std::map<UINT, CKGPToolTipParams> params;
    return params;
}

void ApplyParams(CToolTipCtrl& tip, const CKGPToolTipParams& params)
{
    tip.SetMaxTipWidth(params.nMaxWidth);
    if (params.nInitialDelay >= 0)
        tip.SetDelayTime(TTDT_INITIAL, params.nInitialDelay);
    if (params.clrBackground != CLR_DEFAULT)
        tip.SetTipBkColor(params.clrBackground);
    if (params.clrText != CLR_DEFAULT)
        tip.SetTipTextColor(params.clrText);
}

} // namespace

BOOL CKGPToolTipFactory::CreateToolTip(CToolTipCtrl*& pToolTip, CWnd* pWndOwner, UINT nKind)
{
    DeleteToolTip(pToolTip);
    if (pWndOwner == nullptr || pWndOwner->GetSafeHwnd() == nullptr)
        return FALSE;
    const CKGPToolTipParams params = GetTooltipParams(nKind);
    auto tip = std::make_unique<CToolTipCtrl>();
    if (!tip->Create(pWndOwner, TTS_ALWAYSTIP | TTS_NOPREFIX | (params.bBalloon ? TTS_BALLOON : 0)))
        return FALSE;
    ApplyParams(*tip, params);
    pToolTip = tip.release();
    ToolTips()[pToolTip] = OwnedToolTip{pWndOwner->GetSafeHwnd(), nKind};
    return TRUE;
}

void CKGPToolTipFactory::DeleteToolTip(CToolTipCtrl*& pToolTip)
{
    if (pToolTip == nullptr)
        return;
    ToolTips().erase(pToolTip);
    if (pToolTip->GetSafeHwnd() != nullptr)
        pToolTip->DestroyWindow();
    delete pToolTip;
    pToolTip = nullptr;
}

void CKGPToolTipFactory::SetTooltipParams(UINT nKinds, const CKGPToolTipParams& params)
{
    for (UINT bit = 1; bit <= 0x8000; bit <<= 1) {
        if ((nKinds & bit) != 0)
            ParamsByKind()[bit] = params;
    }
    // Owners re-create their tooltips while handling the message, which changes
    // the table: collect the windows first.
    std::vector<HWND> owners;
    for (const auto& entry : ToolTips()) {
        if ((entry.second.kind & nKinds) != 0)
            owners.push_back(entry.second.owner);
    }
    for (HWND owner : owners) {
        if (::IsWindow(owner))
            ::SendMessageW(owner, KGM_UPDATETOOLTIPS, nKinds, 0);
    }
}

CKGPToolTipParams CKGPToolTipFactory::GetTooltipParams(UINT nKind)
{
    const auto found = ParamsByKind().find(nKind);
    return found != ParamsByKind().end() ? found->second : CKGPToolTipParams{};
}

UINT CKGPToolTipFactory::GetKind(const CToolTipCtrl* pToolTip)
{
    const auto found = ToolTips().find(pToolTip);
    return found != ToolTips().end() ? found->second.kind : 0;
}
