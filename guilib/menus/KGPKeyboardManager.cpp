#include "guilib/menus/KGPKeyboardManager.h"

#include "guilib/menus/KGPMenuRules.h"
#include "guilib/toolbars/KGPToolbarLinks.h"
#include "guilib/toolbars/KGPKeyHelper.h"

#include <algorithm>
#include <cwctype>
#include <string>
#include <utility>
#include <vector>

BOOL CKGPKeyboardManager::s_bAllAccelerators = FALSE;
BOOL CKGPKeyboardManager::s_bEnabled = TRUE;

namespace {

// A copy of one accelerator table, kept until another table is asked for,
// with its entries found by command.
class CAccelCache {
public:
    const std::vector<ACCEL>& For(HACCEL hAccel)
    {
        if (hAccel != m_hAccel) {
            Forget();
            m_hAccel = hAccel;
            const int count = hAccel != nullptr ? ::CopyAcceleratorTableW(hAccel, nullptr, 0) : 0;
            if (count > 0) {
                m_entries.resize(static_cast<size_t>(count));
                m_entries.resize(static_cast<size_t>(::CopyAcceleratorTableW(hAccel, m_entries.data(), count)));
            }
            for (size_t i = 0; i < m_entries.size(); ++i)
                m_byCommand.emplace_back(m_entries[i].cmd, i);
            // Stable: a command's keys keep the table's order.
            std::stable_sort(m_byCommand.begin(), m_byCommand.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
        }
        return m_entries;
    }
    // The entries of the command, in the table's order (For first).
    template <class Visit>
    void ForEachOfCommand(WORD cmd, Visit visit) const
    {
        auto at = std::lower_bound(m_byCommand.begin(), m_byCommand.end(), cmd,
                                   [](const auto& entry, WORD wanted) { return entry.first < wanted; });
        for (; at != m_byCommand.end() && at->first == cmd; ++at) {
            if (!visit(m_entries[at->second]))
                return;
        }
    }
    const std::vector<ACCEL>& Entries() const { return m_entries; }
    // A table handle may be reused once its table is destroyed.
    void Forget()
    {
        m_hAccel = nullptr;
        std::vector<ACCEL>().swap(m_entries);
        std::vector<std::pair<WORD, size_t>>().swap(m_byCommand);
    }

private:
    HACCEL m_hAccel = nullptr;
    std::vector<ACCEL> m_entries;
    std::vector<std::pair<WORD, size_t>> m_byCommand;
};

CAccelCache s_defaultFrameCache;
CAccelCache s_otherFrameCache;

// The frame's table, copied; null without a frame or a table.
CAccelCache* TableOf(CFrameWnd* pFrame, BOOL bIsDefaultFrame)
{
    if (pFrame == nullptr || pFrame->m_hAccelTable == nullptr)
        return nullptr;
    CAccelCache& cache = bIsDefaultFrame ? s_defaultFrameCache : s_otherFrameCache;
    cache.For(pFrame->m_hAccelTable);
    return &cache;
}

std::vector<ACCEL> EntriesOf(HACCEL hAccel)
{
    CAccelCache copy;
    std::vector<ACCEL> entries = copy.For(hAccel);
    return entries;
}

// The accelerators of the resource, copied (the loaded table destroyed).
std::vector<ACCEL> ResourceEntries(UINT nIDResource)
{
    const LPCTSTR name = MAKEINTRESOURCE(nIDResource);
    CAcceleratorHandle loaded(::LoadAcceleratorsW(AfxFindResourceHandle(name, RT_ACCELERATOR), name));
    return loaded ? EntriesOf(loaded.Get()) : std::vector<ACCEL>();
}

} // namespace

BOOL CKGPKeyboardManager::IsKeyPrintable(const UINT nChar)
{
    BYTE state[256] = {};
    if (!::GetKeyboardState(state))
        return FALSE;
    WCHAR text[2] = {};
    const HKL layout = ::GetKeyboardLayout(0);
    return ::ToUnicodeEx(nChar, ::MapVirtualKeyW(nChar, MAPVK_VK_TO_VSC), state, text, 2, 0, layout) >= 1;
}

UINT CKGPKeyboardManager::TranslateCharToUpper(const UINT nChar)
{
    const BOOL alt = ::GetKeyState(VK_MENU) < 0;
    if (nChar < VK_NUMPAD0 || nChar > VK_NUMPAD9 || alt) {
        if ((nChar >= 'A' && nChar <= 'Z') || alt || nChar > 0xFFFF)
            return nChar;
        return static_cast<UINT>(std::towupper(static_cast<wint_t>(nChar)));
    }
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    WCHAR text[2] = {};
    const HKL layout = ::GetKeyboardLayout(0);
    if (::ToUnicodeEx(nChar, ::MapVirtualKeyW(nChar, MAPVK_VK_TO_VSC), state, text, 2, 1, layout) < 1)
        return nChar;
    ::CharUpperBuffW(text, 1);
    return text[0];
}

BOOL CKGPKeyboardManager::IsKeyHandled(WORD nKey, BYTE fVirt, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame)
{
    CAccelCache* table = TableOf(pWndFrame, bIsDefaultFrame);
    if (table == nullptr)
        return FALSE;
    for (const ACCEL& entry : table->Entries()) {
        if (entry.key == nKey && entry.fVirt == fVirt)
            return TRUE;
    }
    return FALSE;
}

BOOL CKGPKeyboardManager::GetCommandShortcutText(UINT uiCmd, CString& str, CFrameWnd* pWndFrame,
                                                 BOOL bIsDefaultFrame)
{
    str.Empty();
    const CAccelCache* table = TableOf(pWndFrame, bIsDefaultFrame);
    if (table == nullptr || uiCmd > 0xFFFF)
        return FALSE;
    std::vector<std::wstring> keys;
    table->ForEachOfCommand(static_cast<WORD>(uiCmd), [&keys](const ACCEL& entry) {
        ACCEL copy = entry;
        CString key;
        CKGPKeyHelper(&copy).Format(key);
        keys.emplace_back(key.GetString());
        return s_bAllAccelerators != FALSE;
    });
    if (keys.empty())
        return FALSE;
    str = kgp::JoinKeyTexts(keys).c_str();
    return TRUE;
}

BOOL CKGPKeyboardManager::UpdateAcceleratorTable(CMultiDocTemplate* pTemplate, LPACCEL lpAccel, int nSize,
                                                 CFrameWnd* pDefaultFrame)
{
    CAcceleratorHandle table(lpAccel != nullptr && nSize > 0 ? ::CreateAcceleratorTableW(lpAccel, nSize) : nullptr);
    if (!table)
        return FALSE;

    if (pTemplate == nullptr) {
        CFrameWnd* frame = pDefaultFrame;
        if (frame == nullptr) {
            CWinThread* thread = AfxGetThread();
            frame = thread != nullptr ? DYNAMIC_DOWNCAST(CFrameWnd, thread->m_pMainWnd) : nullptr;
        }
        if (frame == nullptr)
            return FALSE;
        CAcceleratorHandle old(frame->m_hAccelTable);
        frame->m_hAccelTable = table.Detach();
    } else {
        const HACCEL old = pTemplate->m_hAccelTable.Get();
        for (POSITION docs = pTemplate->GetFirstDocPosition(); docs != nullptr;) {
            CDocument* doc = pTemplate->GetNextDoc(docs);
            for (POSITION views = doc->GetFirstViewPosition(); views != nullptr;) {
                CFrameWnd* frame = doc->GetNextView(views)->GetParentFrame();
                if (frame != nullptr && frame->m_hAccelTable == old)
                    frame->m_hAccelTable = table.Get();
            }
        }
        pTemplate->m_hAccelTable.Reset(table.Detach());
    }
    s_defaultFrameCache.Forget();
    s_otherFrameCache.Forget();
    return TRUE;
}

void CKGPKeyboardManager::ResetAll()
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pDocManager != nullptr) {
        for (POSITION pos = app->m_pDocManager->GetFirstDocTemplatePosition(); pos != nullptr;) {
            auto* multi = DYNAMIC_DOWNCAST(CMultiDocTemplate, app->m_pDocManager->GetNextDocTemplate(pos));
            if (multi == nullptr || !multi->m_hMenuShared)
                continue;
            std::vector<ACCEL> entries = ResourceEntries(multi->m_nIDResource);
            if (!entries.empty())
                UpdateAcceleratorTable(multi, entries.data(), static_cast<int>(entries.size()));
        }
    }
    // The main frame's table comes from the resource it was loaded from.
    CWinThread* thread = AfxGetThread();
    auto* frame = thread != nullptr ? DYNAMIC_DOWNCAST(CFrameWnd, thread->m_pMainWnd) : nullptr;
    if (frame == nullptr || frame->m_nIDHelp == 0)
        return;
    std::vector<ACCEL> entries = ResourceEntries(frame->m_nIDHelp);
    if (!entries.empty())
        UpdateAcceleratorTable(nullptr, entries.data(), static_cast<int>(entries.size()), frame);
}

void CKGPKeyboardManager::CleanUp()
{
    s_defaultFrameCache.Forget();
    s_otherFrameCache.Forget();
}
