// The toolbar's tooltip control: made through the library's tooltip factory,
// one tool per button with its text asked for when it shows, re-created when
// the toolbar kind's display changes, and fed the bar's mouse and key messages.
#include "guilib/controls/KGPToolTipFactory.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

#include <cstdlib>

BOOL CKGPToolBar::s_bTooltips = TRUE;
BOOL CKGPToolBar::s_bTooltipShortcuts = TRUE;

namespace {

// The pointer's messages over the bar and its frame (double clicks too) and key presses.
BOOL IsRelayedToTip(UINT message)
{
    return (message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONUP) || message == WM_KEYDOWN ||
           message == WM_SYSKEYDOWN;
}

}  // namespace

// The text of a button's tool: what the frame gives, else a caption for
// buttons without a command or with a user image, else the short name of the
// command, with its shortcut keys.
INT_PTR CKGPToolBar::OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const
{
    if (!s_bTooltips)
        return -1;
    const int hit = const_cast<CKGPToolBar*>(this)->HitTest(point);
    CKGPToolbarButton* button = GetButton(hit);
    if (button == nullptr || pTI == nullptr)
        return -1;
    CString text;
    const UINT command = button->m_nCommand;
    if (!OnUserToolTip(button, text)) {
        if (command == 0 || command == 0xFFFFFFFF || button->m_bUserImage) {
            text = button->m_strCaption;
            text.Remove(L'&');
        } else if (KGPToolbarLinks::IsUserToolCommand(command)) {
            text = button->m_strCaption;
        } else if (CString resource; resource.LoadString(command)) {
            const int newline = resource.Find(L'\n');
            text = newline < 0 ? CString() : resource.Mid(newline + 1);
            const int next = text.Find(L'\n');
            if (next >= 0)
                text = text.Left(next);
        }
    }
    if (text.IsEmpty())
        return -1;
    if (s_bTooltipShortcuts && command != 0 && command != 0xFFFFFFFF) {
        CFrameWnd* frame = ShortcutFrame();
        CString shortcut;
        if (KGPToolbarLinks::GetCommandShortcutText(command, shortcut, frame) ||
            (frame != nullptr &&
             KGPToolbarLinks::GetCommandShortcutText(command, shortcut, frame->GetActiveFrame())))
            text += _T(" (") + shortcut + _T(")");
    }
    pTI->hwnd = m_hWnd;
    pTI->uId = command == 0xFFFFFFFF ? 0 : command;
    pTI->rect = button->m_rcButton;
    pTI->lpszText = _wcsdup(text);
    return hit;
}

CFrameWnd* CKGPToolBar::ShortcutFrame() const
{
    if (CFrameWnd* frame = GetDockSiteFrame())
        return frame;
    return GetTopLevelFrame();
}

BOOL CKGPToolBar::OnUserToolTip(CKGPToolbarButton* pButton, CString& strText) const
{
    const IKGPToolbarFrameLink* link = CKGPLink<IKGPToolbarFrameLink>::Get();
    CFrameWnd* frame = GetTopLevelFrame();
    return link != nullptr && frame != nullptr && link->OnUserToolTip(frame, pButton, strText);
}

void CKGPToolBar::RecreateToolTip()
{
    CKGPToolTipFactory::CreateToolTip(m_tips.ctrl, this, KGP_TOOLTIP_TOOLBAR);
    UpdateTooltips();
}

std::vector<CKGPToolBar::ButtonTool> CKGPToolBar::ToolKinds() const
{
    std::vector<ButtonTool> kinds;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        const auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        kinds.push_back(button->IsSeparator() ? ButtonTool::None : ButtonTool::Callback);
    }
    return kinds;
}

CString CKGPToolBar::ToolDescription(UINT uiCmd, const CString& strTip) const
{
    CFrameWnd* frame = ShortcutFrame();
    if (uiCmd == 0 || uiCmd == 0xFFFFFFFF || frame == nullptr || frame->GetSafeHwnd() == nullptr)
        return CString();
    CString description;
    frame->GetMessageString(uiCmd, description);
    return description == strTip ? CString() : description;
}

void CKGPToolBar::UpdateTooltips()
{
    m_tips.toolOfButton.clear();
    if (!m_tips.HasWindow())
        return;
    // Every tool goes, those the buttons registered on their own windows too.
    for (;;) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        if (m_tips.ctrl->SendMessage(TTM_GETTOOLCOUNT) == 0 ||
            !m_tips.ctrl->SendMessage(TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)))
            break;
        m_tips.ctrl->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    int index = 0;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr; ++index) {
        auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        if (button->IsSeparator()) {
            m_tips.toolOfButton.push_back(ButtonTool::None);
            continue;
        }
        const int before = static_cast<int>(m_tips.ctrl->SendMessage(TTM_GETTOOLCOUNT));
        CString text;
        if (!button->OnUpdateToolTip(this, index, *m_tips.ctrl, text)) {
            m_tips.ctrl->AddTool(this, LPSTR_TEXTCALLBACK, &button->m_rcButton, static_cast<UINT_PTR>(index + 1));
            m_tips.toolOfButton.push_back(ButtonTool::Callback);
            continue;
        }
        m_tips.toolOfButton.push_back(ButtonTool::Own);
        // The button's own tools carry the description too.
        const CString description = ToolDescription(button->m_nCommand, text);
        if (description.IsEmpty())
            continue;
        CString full = text + _T("\n") + description;
        const int after = static_cast<int>(m_tips.ctrl->SendMessage(TTM_GETTOOLCOUNT));
        for (int i = before; i < after; ++i) {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof(tool);
            if (!m_tips.ctrl->SendMessage(TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool)))
                continue;
            tool.lpszText = full.GetBuffer();
            m_tips.ctrl->SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
            full.ReleaseBuffer();
        }
    }
}

// After a layout: the tools follow the buttons that moved, or are registered
// again when the buttons are others than those the tools were made for or a
// button that registers its own tool moved.
void CKGPToolBar::UpdateTooltipRects(const std::vector<int>& moved)
{
    if (!m_tips.HasWindow())
        return;
    if (!m_tips.StillServe(ToolKinds(), moved)) {
        UpdateTooltips();
        return;
    }
    for (int index : moved) {
        if (m_tips.toolOfButton[static_cast<std::size_t>(index)] == ButtonTool::Callback)
            m_tips.ctrl->SetToolRect(this, static_cast<UINT_PTR>(index + 1), &GetButton(index)->m_rcButton);
    }
}

// The text of the tool the control asks for: that of the button its id names.
BOOL CKGPToolBar::OnNeedTipText(NMHDR* pNMHDR)
{
    const CKGPToolbarButton* button = GetButton(static_cast<int>(pNMHDR->idFrom) - 1);
    if (button == nullptr)
        return FALSE;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    if (OnToolHitTest(button->m_rcButton.CenterPoint(), &tool) < 0 || tool.lpszText == nullptr ||
        tool.lpszText == LPSTR_TEXTCALLBACKW)
        return FALSE;
    static CString s_text;
    s_text = tool.lpszText;
    std::free(tool.lpszText);
    // The command's description on a line of its own.
    if (const CString description = ToolDescription(button->m_nCommand, s_text); !description.IsEmpty())
        s_text += _T("\n") + description;
    reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->lpszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(s_text));
    return TRUE;
}

BOOL CKGPToolBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == TTN_GETDISPINFOW && m_tips.ctrl != nullptr && header->hwndFrom == m_tips.ctrl->GetSafeHwnd()) {
        *pResult = 0;
        return OnNeedTipText(header);
    }
    return CKGPBaseToolBar::OnNotify(wParam, lParam, pResult);
}

LRESULT CKGPToolBar::OnUpdateToolTips(WPARAM wParam, LPARAM /*lParam*/)
{
    if ((wParam & KGP_TOOLTIP_TOOLBAR) != 0 && m_tips.ctrl != nullptr)
        RecreateToolTip();
    return 0;
}

BOOL CKGPToolBar::PreTranslateMessage(MSG* pMsg)
{
    // With a menu open the control bar handles Esc.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE &&
        (m_customize.resizing || GetDroppedDownMenu() == nullptr)) {
        if (m_customize.resizing) {
            OnCancelMode();
        } else {
            LeaveHotState();
            RestoreFocus();
        }
        return TRUE;
    }
    if (m_tips.pending && pMsg->message == WM_MOUSEMOVE && pMsg->hwnd == m_hWnd) {
        m_tips.pending = FALSE;
        RecreateToolTip();
    }
    if (m_tips.HasWindow() && IsRelayedToTip(pMsg->message))
        m_tips.ctrl->RelayEvent(pMsg);
    return CKGPBaseToolBar::PreTranslateMessage(pMsg);
}
