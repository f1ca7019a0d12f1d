// The toolbar's button list: inserting, removing and finding buttons, their
// texts, styles and rectangles, and the customise button that stays last.
#include "guilib/core/KGPVisualManager.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

namespace {

bool IsRealCommand(UINT uiCmd) { return uiCmd != 0 && uiCmd != 0xFFFFFFFF; }

}  // namespace

std::unique_ptr<CKGPToolbarButton> CKGPToolBar::CopyOf(const CKGPToolbarButton& button)
{
    std::unique_ptr<CKGPToolbarButton> copy(static_cast<CKGPToolbarButton*>(button.GetRuntimeClass()->CreateObject()));
    if (copy != nullptr)
        copy->CopyButton(button);
    return copy;
}

int CKGPToolBar::InsertButton(std::unique_ptr<CKGPToolbarButton> pButton, int iInsertAt)
{
    const int count = GetCount();
    if (pButton == nullptr || (!pButton->IsSeparator() && !IsCommandPermitted(pButton->m_nCommand)))
        return -1;
    if (iInsertAt == -1)
        iInsertAt = count;
    if (iInsertAt < 0 || iInsertAt > count)
        return -1;
    if (m_pChevron != nullptr && iInsertAt == count)
        --iInsertAt;  // the customise button stays last
    CKGPToolbarButton* button = pButton.release();
    if (iInsertAt == count)
        m_lstButtons.AddTail(button);
    else
        m_lstButtons.InsertBefore(m_lstButtons.FindIndex(iInsertAt), button);
    button->OnChangeParentWnd(this);
    return iInsertAt;
}

int CKGPToolBar::InsertButtonCopy(const CKGPToolbarButton& button, int iInsertAt)
{
    return InsertButton(CopyOf(button), iInsertAt);
}

int CKGPToolBar::InsertSeparator(int iInsertAt)
{
    if (GetCount() == 0 || iInsertAt == 0)
        return -1;
    auto separator = std::make_unique<CKGPToolbarButton>();
    separator->m_nBits = TBBS_SEPARATOR;
    separator->m_nImage = 0;
    return InsertButton(std::move(separator), iInsertAt);
}

void CKGPToolBar::DeleteButtonAt(int iIndex)
{
    POSITION pos = m_lstButtons.FindIndex(iIndex);
    m_lstButtons.GetAt(pos)->CancelState();
    m_lstButtons.DeleteAt(pos);
    m_customize.selected = kgp::IndexAfterDeletion(m_customize.selected, iIndex);
    m_track.ForgetDeleted(iIndex);
}

// Separators at the end of the bar (before the customise button) go; one
// that is the first button stays.
void CKGPToolBar::RemoveEndingSeparators()
{
    for (;;) {
        const int last = GetCount() - (m_pChevron != nullptr ? 2 : 1);
        const CKGPToolbarButton* button = GetButton(last);
        if (last <= 0 || button == nullptr || !button->IsSeparator())
            return;
        DeleteButtonAt(last);
    }
}

void CKGPToolBar::RemoveDoubledSeparators()
{
    for (int i = GetCount() - 1; i > 0; --i) {
        if (GetButton(i)->IsSeparator() && GetButton(i - 1)->IsSeparator())
            DeleteButtonAt(i);
    }
}

BOOL CKGPToolBar::RemoveButton(int iIndex)
{
    const CKGPToolbarButton* button = GetButton(iIndex);
    if (button == nullptr || button == reinterpret_cast<const CKGPToolbarButton*>(m_pChevron))
        return FALSE;
    const int hot = m_track.hot;
    DeleteButtonAt(iIndex);
    RemoveEndingSeparators();
    const CKGPToolbarButton* before = GetButton(iIndex - 1);
    const CKGPToolbarButton* at = GetButton(iIndex);
    if (before != nullptr && at != nullptr && before->IsSeparator() && at->IsSeparator())
        DeleteButtonAt(iIndex);
    if (m_track.hot != hot) {
        const int keyHot = m_track.keyHot;
        ChangeHot(m_track.hot);
        m_track.keyHot = keyHot;
    }
    RebuildMnemonics();
    return TRUE;
}

void CKGPToolBar::RemoveAllButtons()
{
    m_track.pressed = -1;
    m_track.hot = -1;
    m_customize.selected = -1;
    m_track.keyHot = -1;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;)
        m_lstButtons.GetNext(pos)->CancelState();
    m_lstButtons.DeleteAll();
    m_pChevron = nullptr;
    m_track.mnemonics.clear();
}

CKGPToolbarButton* CKGPToolBar::GetButton(int iIndex) const
{
    POSITION pos = iIndex >= 0 ? m_lstButtons.FindIndex(iIndex) : nullptr;
    return pos == nullptr ? nullptr : static_cast<CKGPToolbarButton*>(m_lstButtons.GetAt(pos));
}

int CKGPToolBar::CommandToIndex(UINT nID, int iIndexFirst) const
{
    int index = 0;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr; ++index) {
        const auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        if (index >= iIndexFirst && button->m_nCommand == nID)
            return index;
    }
    return -1;
}

int CKGPToolBar::ButtonToIndex(const CKGPToolbarButton* pButton) const
{
    int index = 0;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr; ++index) {
        if (m_lstButtons.GetNext(pos) == pButton)
            return index;
    }
    return -1;
}

UINT CKGPToolBar::GetItemID(int iIndex) const
{
    const CKGPToolbarButton* button = GetButton(iIndex);
    return button == nullptr ? 0 : button->m_nCommand;
}

CString CKGPToolBar::GetButtonText(int iIndex) const
{
    const CKGPToolbarButton* button = GetButton(iIndex);
    return button == nullptr ? CString() : button->m_strCaption;
}

BOOL CKGPToolBar::SetButtonText(int iIndex, LPCTSTR lpszText)
{
    CKGPToolbarButton* button = GetButton(iIndex);
    if (button == nullptr)
        return FALSE;
    button->m_strCaption = lpszText != nullptr ? lpszText : _T("");
    return TRUE;
}

void CKGPToolBar::SetButtonLabel(int iIndex, BOOL bShowCaption)
{
    if (CKGPToolbarButton* button = GetButton(iIndex))
        button->m_bShowCaption = bShowCaption;
}

void CKGPToolBar::GetItemRect(int iIndex, LPRECT lpRect) const
{
    const CKGPToolbarButton* button = GetButton(iIndex);
    *lpRect = button != nullptr ? button->m_rcButton : CRect();
}

void CKGPToolBar::GetRepaintRect(int iIndex, LPRECT lpRect) const
{
    CRect rect;
    if (const CKGPToolbarButton* button = GetButton(iIndex))
        button->RepaintRect(rect);
    *lpRect = rect;
}

void CKGPToolBar::InvalidateButton(int iIndex)
{
    CKGPToolbarButton* button = GetButton(iIndex);
    if (button == nullptr || GetSafeHwnd() == nullptr)
        return;
    CRect rect;
    GetRepaintRect(iIndex, rect);
    // A button not laid out yet has nothing on the screen to repaint; asking
    // costs a round trip to the window manager all the same (a popup menu's
    // items each change state before their first layout).
    if (button != m_pChevron && rect.IsRectEmpty())
        return;
    if (button == m_pChevron) {
        rect.right += 10;
        rect.bottom += 10;
        const CSize extra = CKGPVisualManager::GetInstance()->GetExtraButtonSize();
        rect.InflateRect(extra);
    }
    InvalidateRect(rect);
}

BOOL CKGPToolBar::FillDefaultCaption(CKGPToolbarButton* pButton)
{
    if (pButton == nullptr || !IsRealCommand(pButton->m_nCommand))
        return FALSE;
    CString text;
    if (!text.LoadString(pButton->m_nCommand))
        return FALSE;
    const int newline = text.Find(L'\n');
    if (newline < 0)
        return FALSE;
    text = text.Mid(newline + 1);
    const int next = text.Find(L'\n');
    pButton->m_strCaption = next < 0 ? text : text.Left(next);
    return TRUE;
}

UINT CKGPToolBar::GetButtonStyle(int iIndex) const
{
    const CKGPToolbarButton* button = GetButton(iIndex);
    return button == nullptr ? 0 : button->m_nBits;
}

void CKGPToolBar::SetButtonStyle(int iIndex, UINT nStyle)
{
    CKGPToolbarButton* button = GetButton(iIndex);
    if (button == nullptr || button->m_nBits == nStyle)
        return;
    if ((nStyle & TBBS_DISABLED) != 0)
        nStyle &= ~TBBS_PRESSED;
    const BOOL wasPressed = (button->m_nBits & TBBS_PRESSED) != 0;
    button->m_nBits = nStyle;
    if (!wasPressed || (nStyle & TBBS_PRESSED) == 0)
        InvalidateButton(iIndex);
}

BOOL CKGPToolBar::IsGroupEdge(const CKGPToolbarButton& button, BOOL bStart) const
{
    if (&button == reinterpret_cast<const CKGPToolbarButton*>(m_pChevron))
        return FALSE;
    std::vector<kgp::BarItem> items;
    std::size_t index = 0;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        const auto* item = static_cast<const CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        if (item == reinterpret_cast<const CKGPToolbarButton*>(m_pChevron))
            break;
        if (item == &button)
            index = items.size();
        items.push_back(kgp::BarItem{0, 0, item->IsSeparator() != FALSE, item->m_bShown != FALSE,
                                     item->m_bRowBreak != FALSE, item->ControlWindow() != nullptr});
    }
    if (items.empty())
        return FALSE;
    return bStart ? kgp::StartsGroup(items, index) : kgp::EndsGroup(items, index);
}

void CKGPToolBar::EnableCustomizeButton(BOOL bEnable, int iCustomizeCmd, const CString& strCustomizeText,
                                        BOOL bQuickCustomize)
{
    if (bEnable) {
        if (m_pChevron != nullptr) {
            m_pChevron->SetCustomizeCommand(iCustomizeCmd, strCustomizeText);
        } else {
            AttachChevron(std::make_unique<CCustomizeButton>(iCustomizeCmd, strCustomizeText));
        }
        m_bChevronFlag = bQuickCustomize;
    } else if (m_pChevron != nullptr) {
        DeleteButtonAt(GetCount() - 1);
        m_pChevron = nullptr;
    }
    RefitAfterChange();
}

BOOL CKGPToolBar::IsInFrameIdRange() const
{
    const IKGPToolbarFrameLink* link = CKGPLink<IKGPToolbarFrameLink>::Get();
    CWnd* main = AfxGetMainWnd();
    CFrameWnd* frame = main != nullptr ? main->AsFrameWnd() : GetTopLevelFrame();
    UINT first = 0;
    UINT last = 0;
    const UINT id = static_cast<UINT>(GetDlgCtrlID());
    return link != nullptr && frame != nullptr && link->GetToolbarIdRange(frame, first, last) && id >= first &&
           id <= last;
}

void CKGPToolBar::EnableTextLabels(BOOL bEnable)
{
    if (m_bIsMenuBar)
        return;
    m_bCaptionsUnderImages = bEnable;
    AdjustLayout();
}

void CKGPToolBar::RefitAfterChange()
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (IsFloating())
        AdjustLayout();
    else
        AdjustDockingLayout();
}

void CKGPToolBar::AttachChevron(std::unique_ptr<CKGPToolbarButton> pChevron)
{
    if (pChevron == nullptr)
        return;
    m_pChevron = STATIC_DOWNCAST(CCustomizeButton, pChevron.get());
    m_lstButtons.AddTail(pChevron.release());
    m_pChevron->OnChangeParentWnd(this);
}
