// The toolbar's two reference lists: the buttons its resource defined and the
// buttons as they stood after the frame's reset handler ran. Both are stored
// with the bar's state and read back as buttons only; the resource list read
// back is merged with the current resource so that commands the resource
// gained or lost since reach the user's bar.
#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPWorkspace.h"
#include "guilib/toolbars/KGPDropDownToolbar.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"

#include <algorithm>
#include <memory>

namespace {

constexpr LPCTSTR kOriginalItems = _T("OriginalItems");
constexpr LPCTSTR kAfterResetItems = _T("OrigResetItems");

BOOL ResourceTracked()
{
    const CKGPWorkspace* workspace = GetWorkspace();
    return workspace != nullptr && workspace->m_bResourceSmartUpdate;
}

// The first button of the list that carries the same command; null for none.
POSITION FindSame(const CObList& list, const CKGPToolbarButton& button)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        const POSITION at = pos;
        if (static_cast<const CKGPToolbarButton*>(list.GetNext(pos))->IsSameCommand(button))
            return at;
    }
    return nullptr;
}

// The first stored button of the list with the same command; the customise
// button (never stored) stands for no command.
POSITION FindSameStored(const CObList& list, const CKGPToolbarButton& button)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        const POSITION at = pos;
        const auto* each = static_cast<const CKGPToolbarButton*>(list.GetNext(pos));
        if (each->IsArchivable() && each->IsSameCommand(button))
            return at;
    }
    return nullptr;
}

}  // namespace

void CKGPToolBar::RecordResourceButtons(const UINT* lpIDArray, int nIDCount)
{
    m_lstResourceButtons.DeleteAll();
    for (int i = 0; lpIDArray != nullptr && i < nIDCount; ++i)
        m_lstResourceButtons.AddTail(new CKGPToolbarButton(lpIDArray[i], -1));
}

void CKGPToolBar::RecordAfterResetButtons()
{
    m_lstAfterResetButtons.DeleteAll();
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        const auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        if (button == reinterpret_cast<const CKGPToolbarButton*>(m_pChevron))
            continue;  // never stored, and kept apart by the bar
        if (std::unique_ptr<CKGPToolbarButton> copy = CopyOf(*button))
            m_lstAfterResetButtons.AddTail(copy.release());
    }
}

BOOL CKGPToolBar::MergeResourceButtons(const CObList& lstStored)
{
    m_bResourceChanged = FALSE;
    BOOL removed = FALSE;
    // Commands the resource lost leave the bar.
    for (POSITION pos = lstStored.GetHeadPosition(); pos != nullptr;) {
        const auto* stored = static_cast<const CKGPToolbarButton*>(lstStored.GetNext(pos));
        if (FindSame(m_lstResourceButtons, *stored) != nullptr)
            continue;
        m_bResourceChanged = TRUE;
        // Never the customise button; the bar's indexes follow. The separators
        // are tidied once the buttons gained are in.
        if (POSITION onBar = FindSameStored(m_lstButtons, *stored)) {
            DeleteButtonAt(ButtonToIndex(static_cast<const CKGPToolbarButton*>(m_lstButtons.GetAt(onBar))));
            removed = TRUE;
        }
        // The list a reset brings back keeps in step while the customise button offers it.
        if (m_bChevronFlag) {
            if (POSITION afterReset = FindSameStored(m_lstAfterResetButtons, *stored))
                m_lstAfterResetButtons.DeleteAt(afterReset);
        }
    }
    // Commands (and separators) it gained join the bar at their place.
    int index = 0;
    for (POSITION pos = m_lstResourceButtons.GetHeadPosition(); pos != nullptr; ++index) {
        const auto* current = static_cast<const CKGPToolbarButton*>(m_lstResourceButtons.GetNext(pos));
        if (FindSame(lstStored, *current) != nullptr)
            continue;
        m_bResourceChanged = TRUE;
        const int at = std::min(index, GetCount());
        std::unique_ptr<CKGPToolbarButton> gained;
        if (current->m_nCommand == 0) {
            InsertSeparator(at);
            gained = std::make_unique<CKGPToolbarButton>();
            gained->m_nBits = TBBS_SEPARATOR;
            gained->m_nImage = 0;
        } else {
            InsertButton(MakeResourceButton(*current), at);
            gained = MakeResourceButton(*current);
        }
        if (m_bChevronFlag && gained != nullptr) {
            const POSITION before = m_lstAfterResetButtons.FindIndex(index);
            if (before != nullptr)
                m_lstAfterResetButtons.InsertBefore(before, gained.release());
            else
                m_lstAfterResetButtons.AddTail(gained.release());
        }
    }
    if (removed) {
        RemoveEndingSeparators();
        RemoveDoubledSeparators();
        RebuildMnemonics();
    }
    // Same commands in another order count as a change too.
    POSITION stored = lstStored.GetHeadPosition();
    POSITION current = m_lstResourceButtons.GetHeadPosition();
    if (lstStored.GetCount() != m_lstResourceButtons.GetCount())
        m_bResourceChanged = TRUE;
    while (!m_bResourceChanged && stored != nullptr && current != nullptr) {
        const auto* a = static_cast<const CKGPToolbarButton*>(lstStored.GetNext(stored));
        const auto* b = static_cast<const CKGPToolbarButton*>(m_lstResourceButtons.GetNext(current));
        m_bResourceChanged = !a->IsSameCommand(*b);
    }
    return m_bResourceChanged;
}

std::unique_ptr<CKGPToolbarButton> CKGPToolBar::MakeResourceButton(const CKGPToolbarButton& resource) const
{
    const int image = resource.m_nCommand != 0 ? GetCmdMgr()->GetCmdImage(resource.m_nCommand, FALSE) : -1;
    return std::make_unique<CKGPToolbarButton>(resource.m_nCommand, image, nullptr, FALSE, IsLocked());
}

std::vector<std::pair<int, const CKGPToolbarButton*>> CKGPToolBar::GetMissingResourceButtons() const
{
    auto held = [this](UINT command) {
        for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
            const auto* button = static_cast<const CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
            if (button->IsSeparator() || button == reinterpret_cast<const CKGPToolbarButton*>(m_pChevron))
                continue;
            if (button->m_nCommand == command)
                return true;
            auto* any = const_cast<CKGPToolbarButton*>(button);
            if (const auto* dropDown = DYNAMIC_DOWNCAST(CKGPDropDownToolbarButton, any)) {
                const CKGPToolBar* bar = dropDown->GetDropDownToolBar();
                if (bar != nullptr && bar->CommandToIndex(command) >= 0)
                    return true;
            } else if (const auto* menu = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, any)) {
                const CObList& items = menu->GetCommands();
                for (POSITION item = items.GetHeadPosition(); item != nullptr;) {
                    if (static_cast<const CKGPToolbarButton*>(items.GetNext(item))->m_nCommand == command)
                        return true;
                }
            }
        }
        return false;
    };
    std::vector<std::pair<int, const CKGPToolbarButton*>> missing;
    int index = 0;
    for (POSITION pos = m_lstResourceButtons.GetHeadPosition(); pos != nullptr; ++index) {
        const auto* resource = static_cast<const CKGPToolbarButton*>(m_lstResourceButtons.GetNext(pos));
        if (resource->IsSeparator() || resource->m_nCommand == 0 || held(resource->m_nCommand))
            continue;
        missing.emplace_back(index, resource);
    }
    return missing;
}

void CKGPToolBar::SaveResourceButtons(CKGPRegistry& reg)
{
    if (ResourceTracked() && !m_lstResourceButtons.IsEmpty())
        reg.Write(kOriginalItems, m_lstResourceButtons);
    if (!m_lstAfterResetButtons.IsEmpty())
        reg.Write(kAfterResetItems, m_lstAfterResetButtons);
}

void CKGPToolBar::LoadResourceButtons(CKGPRegistry& reg, CKGPStoredLoad& load)
{
    auto afterReset = std::make_shared<CKGPStoredObjects>();
    if (load.ReadObjects(reg, kAfterResetItems, *afterReset, RUNTIME_CLASS(CKGPToolbarButton)) &&
        !afterReset->IsEmpty()) {
        load.OnCommit([this, afterReset] {
            m_lstAfterResetButtons.DeleteAll();
            RecordLoadedImages(afterReset->GetList());
            afterReset->HandTo(m_lstAfterResetButtons);
        });
    }
    if (!ResourceTracked())
        return;
    auto stored = std::make_shared<CKGPStoredObjects>();
    if (load.ReadObjects(reg, kOriginalItems, *stored, RUNTIME_CLASS(CKGPToolbarButton))) {
        load.OnCommit([this, stored] {
            RecordLoadedImages(stored->GetList());
            MergeResourceButtons(stored->GetList());
        });
    }
}
