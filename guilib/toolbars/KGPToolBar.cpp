#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarDropTarget.h"

#include "guilib/controls/KGPToolTipFactory.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMemDC.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/core/KGPWorkspace.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolBarMath.h"
#include "guilib/toolbars/KGPToolBarShared.h"
#include "guilib/toolbars/KGPToolCmdUI.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

#include <afxarch.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

IMPLEMENT_SERIAL(CKGPToolBar, CKGPBaseToolBar, VERSIONABLE_SCHEMA | 1)

BEGIN_MESSAGE_MAP(CKGPToolBar, CKGPBaseToolBar)
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_CTLCOLOR()
    ON_WM_SETCURSOR()
    ON_WM_SIZE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETFOCUS()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_ERASEBKGND()
    ON_WM_KILLFOCUS()
    ON_WM_SETTINGCHANGE()
    ON_WM_SHOWWINDOW()
    ON_WM_NCHITTEST()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSELEAVE()
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(WM_HELPHITTEST, &CKGPToolBar::OnHelpHitTest)
    ON_REGISTERED_MESSAGE(KGTOOLBAR_RESETRPROMPT, &CKGPToolBar::OnResetPrompt)
    ON_COMMAND(16910, &CKGPToolBar::OnResetImage)
    ON_COMMAND(16911, &CKGPToolBar::OnCopyImage)
    ON_COMMAND(16912, &CKGPToolBar::OnDeleteButton)
    ON_COMMAND(16913, &CKGPToolBar::OnAppearance)
    ON_COMMAND(16914, &CKGPToolBar::OnImageOnly)
    ON_COMMAND(16915, &CKGPToolBar::OnTextOnly)
    ON_COMMAND(16916, &CKGPToolBar::OnImageAndText)
    ON_COMMAND(16917, &CKGPToolBar::OnBeginGroup)
    ON_COMMAND(16918, &CKGPToolBar::OnNewMenu)
END_MESSAGE_MAP()

CObList CKGPToolBar::s_lstAllBars;
CList<UINT, UINT> CKGPToolBar::s_lstForbiddenCommands;

CCmdUsageCount CKGPToolBar::s_usage;
LPCTSTR CKGPToolBar::s_strRegSection = _T("KGToolBars");

namespace {

constexpr UINT kWmSetMessageString = 0x362;
// The stored-state version from which a bar's recorded length is read back.
constexpr int kVersionWithRecordedLength = 0x60200;

}  // namespace

CKGPToolBar::CKGPToolBar() = default;

// The window goes while the bar is whole, so that a bar deleted first still
// runs its own WM_DESTROY (its tooltip, the customisation selection, the
// list of bars); a class of the family that handles the window's end itself
// destroys it in its own destructor.
CKGPToolBar::~CKGPToolBar()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
    LeaveListOfBars();
    if (m_pSibling != nullptr && m_pSibling->m_pSibling == this)
        m_pSibling->ForgetSibling();
}

// A bar leaves the list when its window goes and, at the latest, when it is deleted.
void CKGPToolBar::LeaveListOfBars()
{
    if (POSITION pos = s_lstAllBars.Find(this))
        s_lstAllBars.RemoveAt(pos);
}

int CKGPToolBar::GetCommandButtons(UINT uiCmd, CObList& listButtons)
{
    listButtons.RemoveAll();
    for (POSITION bars = s_lstAllBars.GetHeadPosition(); bars != nullptr;) {
        const auto* bar = static_cast<CKGPToolBar*>(s_lstAllBars.GetNext(bars));
        for (POSITION pos = bar->m_lstButtons.GetHeadPosition(); pos != nullptr;) {
            CObject* button = bar->m_lstButtons.GetNext(pos);
            if (static_cast<CKGPToolbarButton*>(button)->m_nCommand == uiCmd)
                listButtons.AddTail(button);
        }
    }
    return static_cast<int>(listButtons.GetCount());
}

BOOL CKGPToolBar::IsCommandPermitted(UINT uiCmd) { return s_lstForbiddenCommands.Find(uiCmd) == nullptr; }

void CKGPToolBar::SetForbiddenCommands(const CList<UINT, UINT>& commands)
{
    s_lstForbiddenCommands.RemoveAll();
    s_lstForbiddenCommands.AddTail(&commands);
}

void CKGPToolBar::RemoveForbiddenButtons()
{
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        const POSITION at = pos;
        auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        if (!button->IsSeparator() && !IsCommandPermitted(button->m_nCommand)) {
            m_lstButtons.DeleteAt(at);
        }
    }
}

void CKGPToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    for (int i = 0; i < GetCount(); ++i)
        RunCommandUI(i, pTarget, bDisableIfNoHandler);
    if (m_bDisableUnhandledControls)
        UpdateDialogControls(pTarget, bDisableIfNoHandler);
}

void CKGPToolBar::UpdateButton(int iIndex)
{
    if (CFrameWnd* frame = CommandFrame())
        RunCommandUI(iIndex, frame, frame->m_bAutoMenuEnable);
}

void CKGPToolBar::RunCommandUI(int iIndex, CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    const CKGPToolbarButton* button = GetButton(iIndex);
    if (button == nullptr)
        return;
    const UINT command = button->m_nCommand;
    if (button->IsSeparator() || command == 0 || kgp::IsSystemCommand(command) || command >= 0xFF00)
        return;
    // User tools are always there to run, handler or not.
    COldToolCmdUI state(*this, iIndex, static_cast<UINT>(GetCount()));
    state.DoUpdate(pTarget, bDisableIfNoHandler && !KGPToolbarLinks::IsUserToolCommand(command));
}

CFrameWnd* CKGPToolBar::CommandFrame() const
{
    CWnd* target = CommandTarget();
    CFrameWnd* frame = target != nullptr ? target->AsFrameWnd() : nullptr;
    return frame != nullptr ? frame : GetParentFrame();
}

CWnd* CKGPToolBar::CommandTarget() const
{
    CWnd* target = GetOwner() != nullptr ? GetOwner() : GetParent();
    if (m_bCommandsToFrame && target != nullptr && target->AsFrameWnd() == nullptr)
        if (CFrameWnd* frame = target->GetParentFrame())
            return frame;
    return target;
}

void CKGPToolBar::AddCommandUsage(UINT uiCommand) { s_usage.AddCmd(uiCommand); }

BOOL CKGPToolBar::IsReservedCommandId(UINT uiCommand)
{
    return (uiCommand >= 0xE110 && uiCommand <= 0xE11F) || (uiCommand >= 0xE210 && uiCommand <= 0xE21F) ||
           kgp::IsSystemCommand(uiCommand) || uiCommand >= 0xFF00 || KGPToolbarLinks::IsToolsEntryCommand(uiCommand);
}

BOOL CKGPToolBar::IsCommandRarelyUsed(UINT uiCommand)
{
    // The library's own menu entries are never hidden.
    constexpr UINT kLibraryEntries[] = {17020, 17021, 17024};
    if (s_bCustomizing || uiCommand == 0 || uiCommand == 0xFFFFFFFF || IsReservedCommandId(uiCommand) ||
        !KGPToolbarLinks::AreRecentlyUsedMenusOn() || IsBasicCommand(uiCommand))
        return FALSE;
    for (UINT entry : kLibraryEntries) {
        if (uiCommand == entry)
            return FALSE;
    }
    return !s_usage.IsFrequentlyUsedCmd(uiCommand);
}

BOOL CKGPToolBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (s_bCustomizing && !IsLocked())
        return CKGPBaseToolBar::OnCommand(wParam, lParam);
    HWND source = reinterpret_cast<HWND>(lParam);
    int notifyCode = HIWORD(wParam);
    BOOL accelerator = FALSE;
    if (source == nullptr) {
        if (LOWORD(wParam) == IDCANCEL) {
            RestoreFocus();
            return TRUE;
        }
        if (LOWORD(wParam) != IDOK)
            return FALSE;
        // Enter in a control: the focused window is the source.
        source = ::GetFocus();
        notifyCode = 0;
        accelerator = TRUE;
    }
    if (source == nullptr)
        return FALSE;
    const HWND sourceParent = ::GetParent(source);
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        const HWND control = button->ControlWindow();
        if (control != nullptr && (control == source || control == sourceParent)) {
            // The button decides; what it refuses goes nowhere.
            NotifyControlCommand(button, accelerator, notifyCode, wParam, lParam);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CKGPToolBar::NotifyControlCommand(CKGPToolbarButton* pButton, BOOL bAccelerator, int nNotifyCode,
                                       WPARAM /*wParam*/, LPARAM lParam)
{
    if (!bAccelerator && !pButton->NotifyCommand(nNotifyCode))
        return FALSE;
    if (CWnd* target = CommandTarget())
        target->PostMessage(WM_COMMAND, MAKEWPARAM(pButton->m_nCommand, nNotifyCode), lParam);
    return TRUE;
}

void CKGPToolBar::ShowCommandMessageString(UINT uiCmdId)
{
    if (IsHelpMode())
        return;
    if (CWnd* target = CommandTarget())
        target->SendMessage(kWmSetMessageString, kgp::PromptIdForCommand(static_cast<int>(uiCmdId)));
}

// ---- Stored state ----

CString CKGPToolBar::StateKey(LPCTSTR lpszProfileName, int nID, int nIndex) const
{
    const CString path = BuildLibraryRegistryPath(s_strRegSection, lpszProfileName);
    const int id = nID == -1 ? GetDlgCtrlID() : nID;
    return BarRegistryKey(path, _T("KGToolBar"), id, nIndex);
}

struct CKGPToolBar::StoredButtons {
    CKGPStoredObjects buttons;
    BOOL captionsUnderImages = FALSE;
    CString text;
    std::optional<int> recordedLength;
};

void CKGPToolBar::Serialize(CArchive& ar)
{
    // Loading reads the whole archive through ReadArchive before anything
    // changes; the bar then fits its buttons, as after LoadState. A bar read
    // back from the menu hash is left to whoever asked for it (the menu bar
    // switching or saving its menus, a popup opening), which lays it out
    // itself afterwards, its own buttons added: fitting it here too measured
    // every button three times at each switch.
    CKGPBaseToolBar::Serialize(ar);
    if (ar.IsLoading() && !IsLocked() && GetSafeHwnd() != nullptr && !CKGPMenuHashBusy::IsBusy())
        AdjustLayout();
    if (IsLocked() || ar.IsLoading())
        return;
    CObList archivable;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        if (button->IsArchivable())
            archivable.AddTail(button);
    }
    archivable.Serialize(ar);
    CString text;
    if (GetSafeHwnd() != nullptr)
        GetWindowText(text);
    ar << m_bCaptionsUnderImages << text << m_nMRUWidth;
}

void CKGPToolBar::ReadArchive(CArchive& ar, CKGPStoredLoad& load)
{
    CKGPBaseToolBar::ReadArchive(ar, load);
    if (IsLocked())
        return;
    CKGPStoredReader in(ar);
    auto stored = std::make_shared<StoredButtons>();
    in.ReadObjectList(stored->buttons, RUNTIME_CLASS(CKGPToolbarButton), TRUE);
    if (stored->buttons.HasMissing()) {
        // A list with a missing entry: a bar from a resource goes back to it.
        load.OnCommit([this] {
            ResetToResource();
            AdjustLocations();
        });
        return;
    }
    stored->captionsUnderImages = in.ReadBool();
    stored->text = in.ReadString(kgp_stored::kMaxTextLength);
    if (GetWorkspace() != nullptr && GetWorkspaceDataVersion() >= kVersionWithRecordedLength)
        stored->recordedLength = in.ReadInt(0, kgp_stored::kMaxCoordinate);
    load.OnCommit([this, stored] { TakeStoredButtons(*stored); });
}

void CKGPToolBar::TakeStoredButtons(StoredButtons& stored)
{
    // The customise button is never stored: it stays, set aside meanwhile.
    std::unique_ptr<CKGPToolbarButton> chevron = m_pChevron != nullptr ? CopyOf(*m_pChevron) : nullptr;
    RemoveAllButtons();
    RecordLoadedImages(stored.buttons.GetList());
    stored.buttons.HandTo(m_lstButtons);
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        button->m_nBits &= ~(TBBS_CHECKED | TBBS_PRESSED);
        button->OnChangeParentWnd(this);
    }
    RemoveForbiddenButtons();
    AttachChevron(std::move(chevron));
    if (AcceptsStoredLabels())
        m_bCaptionsUnderImages = stored.captionsUnderImages;
    if (stored.recordedLength)
        m_nMRUWidth = *stored.recordedLength;
    AdjustLocations();
    // Setting a window's text costs a trip to the system: only a new name does.
    if (GetSafeHwnd() != nullptr && stored.text != m_strWindowText)
        SetWindowText(stored.text);
}

void CKGPToolBar::RecordLoadedImages(const CObList& buttons)
{
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;)
        static_cast<CKGPToolbarButton*>(buttons.GetNext(pos))->RecordLoadedImage();
}

BOOL CKGPToolBar::SaveState(LPCTSTR lpszProfileName, int nID, int nIndex)
{
    CKGPRegistryHandle reg(FALSE, FALSE);
    if (!reg->CreateKey(StateKey(lpszProfileName, nID, nIndex)))
        return FALSE;
    if (GetSafeHwnd() != nullptr) {
        CString name;
        GetWindowText(name);
        reg->Write(_T("Name"), name);
    }
    const BOOL written = reg->WriteArchive(_T("Buttons"), [this](CArchive& ar) { Serialize(ar); });
    if (written)
        SaveResourceButtons(*reg);
    return CKGPBaseToolBar::SaveState(lpszProfileName, nID, nIndex) && written;
}

BOOL CKGPToolBar::ReadState(CKGPStoredLoad& load, LPCTSTR lpszProfileName, int nID, int nIndex)
{
    CKGPRegistryHandle reg(FALSE, TRUE);
    if (!reg->Open(StateKey(lpszProfileName, nID, nIndex)))
        return FALSE;
    if (!load.ReadArchiveValue(*reg, _T("Buttons"), [this, &load](CArchive& ar) { ReadArchive(ar, load); }))
        return FALSE;
    LoadResourceButtons(*reg, load);
    const BOOL found = CKGPBaseToolBar::ReadState(load, lpszProfileName, nID, nIndex);
    load.OnCommit([this] { AdjustLayout(); });
    return found;
}

BOOL CKGPToolBar::DeleteStoredState(LPCTSTR lpszProfileName, int nID, int nIndex)
{
    CKGPRegistryHandle reg(FALSE, FALSE);
    return reg->DeleteKey(StateKey(lpszProfileName, nID, nIndex), FALSE);
}

BOOL CKGPToolBar::LoadParameters(LPCTSTR lpszProfileName)
{
    CString key;
    key.Format(_T("%sKGToolbarParameters"), BuildLibraryRegistryPath(s_strRegSection, lpszProfileName).GetString());
    CKGPRegistryHandle reg(FALSE, TRUE);
    if (!reg->Open(key))
        return FALSE;
    CKGPStoredLoad load;
    BOOL largeIcons = s_bLargeIconMode;
    const BOOL read = load.ReadValue(*reg, _T("LargeIcons"), largeIcons);
    load.OnCommit([largeIcons] { s_bLargeIconMode = largeIcons; });
    return load.Commit() && read;
}
