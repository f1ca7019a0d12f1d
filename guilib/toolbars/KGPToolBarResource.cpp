// A toolbar built from a toolbar resource (type 241) and its bitmaps: the
// sizes its images give, the buttons its ids give, and the way back to it.
#include <afxtoolbarres.h>

#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolBar.h"

CKGPToolBar::BitmapIds CKGPToolBar::BitmapIds::Of(UINT uiNormal, UINT uiCold, UINT uiMenu, UINT uiDisabled,
                                                  UINT uiMenuDisabled)
{
    BitmapIds ids;
    ids.normal = uiNormal;
    ids.cold = uiCold;
    ids.menu = uiMenu;
    ids.disabled = uiDisabled;
    ids.menuDisabled = uiMenuDisabled;
    return ids;
}

BOOL CKGPToolBar::LoadBitmaps(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL bLocked,
                              UINT uiDisabledResID, UINT uiMenuDisabledResID)
{
    return LoadBitmapSet(BitmapIds::Of(uiResID, uiColdResID, uiMenuResID, uiDisabledResID, uiMenuDisabledResID),
                         bLocked);
}

BOOL CKGPToolBar::LoadFromResource(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL bLocked,
                                   UINT uiDisabledResID, UINT uiMenuDisabledResID, UINT uiNormalResID)
{
    return LoadFromResourceEx(
        uiResID, BitmapIds::Of(uiNormalResID, uiColdResID, uiMenuResID, uiDisabledResID, uiMenuDisabledResID),
        bLocked);
}

// A bitmap set that does not load fails the whole call: the bar keeps no
// resource and gains no buttons.
BOOL CKGPToolBar::LoadFromResourceEx(UINT uiResID, const BitmapIds& bitmaps, BOOL bLocked)
{
    CToolBarResourceData resource;
    if (!AfxLoadToolBarResource(AfxGetResourceHandle(), MAKEINTRESOURCE(uiResID), resource))
        return FALSE;

    m_images.SetLocked(bLocked);
    const CSize image(resource.wWidth, resource.wHeight);
    if (IsLocked())
        SetLockedSizes(image + CSize(6, 6), image);
    else
        SetSizes(image + CSize(6, 6), image);
    BitmapIds ids = bitmaps;
    if (ids.normal == 0)
        ids.normal = uiResID;
    if (m_nResourceId == 0 && !LoadBitmapSet(ids, bLocked))
        return FALSE;

    m_nResourceId = uiResID;
    if (!SetButtons(resource.ids.data(), static_cast<int>(resource.ids.size()), TRUE)) {
        m_nResourceId = 0;
        return FALSE;
    }
    return TRUE;
}

BOOL CKGPToolBar::SetButtons(const UINT* lpIDArray, int nIDCount, BOOL bRemapImages)
{
    std::unique_ptr<CKGPToolbarButton> chevron = m_pChevron != nullptr ? CopyOf(*m_pChevron) : nullptr;
    RemoveAllButtons();
    RecordResourceButtons(lpIDArray, nIDCount);
    auto separator = [] {
        auto button = std::make_unique<CKGPToolbarButton>();
        button->m_nBits = TBBS_SEPARATOR;
        button->m_nImage = 0;
        return button;
    };
    if (lpIDArray == nullptr) {
        for (int i = 0; i < nIDCount; ++i)
            InsertButton(separator());
    } else {
        int image = m_images.FirstImage();
        for (int i = 0; i < nIDCount; ++i) {
            const UINT id = lpIDArray[i];
            if (id == 0) {
                InsertSeparator();
            } else if (bRemapImages) {
                if (InsertButtonCopy(CKGPToolbarButton(id, image, nullptr, FALSE, IsLocked())) >= 0 && !IsLocked())
                    GetCmdMgr()->SetCmdImage(id, image, FALSE);
            } else if (const int known = GetCmdMgr()->GetCmdImage(id, FALSE); known >= 0) {
                InsertButtonCopy(CKGPToolbarButton(id, known, nullptr, FALSE, IsLocked()));
            }
            if (id != 0)
                ++image;
        }
    }
    AttachChevron(std::move(chevron));

    if (GetSafeHwnd() != nullptr) {
        AfterReset();
        CWnd* frame = GetDockSiteFrame();
        if (frame == nullptr)
            frame = GetParentFrame();
        if (frame != nullptr)
            frame->SendMessage(KGTOOLBAR_RESETTOOLBAR, m_nResourceId, 0);
        RecordAfterResetButtons();
    }
    return TRUE;
}

BOOL CKGPToolBar::ResetToResource()
{
    if (m_nResourceId == 0)
        return FALSE;
    const BOOL loaded = LoadFromResource(m_nResourceId, 0, 0, IsLocked());
    AdjustLayout();
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    return loaded;
}
