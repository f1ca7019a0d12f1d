// The toolbars customised: the library-wide mode, the customisation menu of a
// button and its commands, buttons dragged by OLE drag and drop within a bar,
// between bars and off them, and the prompt before a bar goes back to its
// resource.
#include "guilib/core/KGPLocalResource.h"
#include "guilib/toolbars/KGPToolbarDropSource.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/toolbars/KGPCustomizeRules.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarDropTarget.h"
#include "guilib/toolbars/KGPToolbarLinks.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"

#include <memory>

BOOL CKGPToolBar::s_bAltDragAllowed = FALSE;
BOOL CKGPToolBar::s_bMenuHoverOpening = FALSE;

namespace {

constexpr UINT kCustomizeMenuId = 16102;
constexpr UINT kUntitledBarText = 16104;
constexpr UINT kResetPromptText = 16111;

// The customisation menu: the library's menu resource, else one made here.
HMENU LoadCustomizeMenu()
{
    {
        CKGPLocalResource library;
        CMenu resource;
        if (resource.LoadMenu(kCustomizeMenuId) && resource.GetSubMenu(0) != nullptr) {
            const HMENU popup = resource.GetSubMenu(0)->GetSafeHmenu();
            ::RemoveMenu(resource.GetSafeHmenu(), 0, MF_BYPOSITION);
            return popup;
        }
    }
    CMenu menu;
    menu.CreatePopupMenu();
    const UINT groups[][3] = {{kgp::kCmdResetImage, kgp::kCmdCopyImage, 0},
                              {kgp::kCmdDeleteButton, kgp::kCmdAppearance, 0},
                              {kgp::kCmdImageOnly, kgp::kCmdTextOnly, kgp::kCmdImageAndText},
                              {kgp::kCmdBeginGroup, kgp::kCmdNewMenu, 0}};
    for (const auto& group : groups) {
        if (menu.GetMenuItemCount() > 0)
            menu.AppendMenu(MF_SEPARATOR);
        for (UINT command : group) {
            if (command != 0)
                menu.AppendMenu(MF_STRING, command, CKGPToolBar::GetCustomizeCommandText(command));
        }
    }
    return menu.Detach();
}

} // namespace

CString CKGPToolBar::GetCustomizeCommandText(UINT uiCmd)
{
    static const struct {
        UINT command;
        LPCTSTR text;
    } kTexts[] = {
        {kgp::kCmdResetImage, L"&Reset Button Image"}, {kgp::kCmdCopyImage, L"&Copy Button Image"},
        {kgp::kCmdDeleteButton, L"&Delete"},           {kgp::kCmdAppearance, L"Button &Appearance..."},
        {kgp::kCmdImageOnly, L"&Image Only"},          {kgp::kCmdTextOnly, L"&Text Only"},
        {kgp::kCmdImageAndText, L"Image &and Text"},   {kgp::kCmdBeginGroup, L"Begin a &Group"},
        {kgp::kCmdNewMenu, L"&New Menu"},
    };
    for (const auto& entry : kTexts) {
        if (entry.command == uiCmd)
            return entry.text;
    }
    return CString();
}

// ---- The mode ----

void CKGPToolBar::SetCustomizeMode(BOOL bSet)
{
    if (s_bCustomizing == bSet)
        return;
    // A bar told of the mode may make or destroy bars: tell them all again then.
    for (BOOL restarted = TRUE; restarted;) {
        restarted = FALSE;
        const INT_PTR count = s_lstAllBars.GetCount();
        for (POSITION pos = s_lstAllBars.GetHeadPosition(); pos != nullptr;) {
            static_cast<CKGPToolBar*>(s_lstAllBars.GetNext(pos))->OnCustomizeMode(bSet);
            if (s_lstAllBars.GetCount() != count) {
                restarted = TRUE;
                break;
            }
        }
    }
    s_bCustomizing = bSet;
    CFrameWnd* frameToLayOut = nullptr;
    for (POSITION pos = s_lstAllBars.GetHeadPosition(); pos != nullptr;) {
        auto* bar = static_cast<CKGPToolBar*>(s_lstAllBars.GetNext(pos));
        if (bar->GetSafeHwnd() == nullptr)
            continue;
        if (!bar->IsLocked())
            bar->AdjustLayout();
        if (bar->IsWindowVisible())
            bar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        if (frameToLayOut == nullptr)
            frameToLayOut = bar->GetTopLevelFrame();
    }
    if (frameToLayOut != nullptr)
        frameToLayOut->RecalcLayout();
    if (!bSet)
        s_pCustomSelBar = nullptr;
}

void CKGPToolBar::OnCustomizeMode(BOOL bSet)
{
    if (bSet && m_bDropTargetWhenCustomizing)
        RegisterDropTarget();
    m_track.pressed = -1;
    m_track.hot = -1;
    m_customize.selected = -1;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        button->CancelState();
        if ((button->m_nBits & TBBS_DISABLED) == 0)
            button->EnableControl(!bSet);
    }
}

// ---- The customisation menu ----

BOOL CKGPToolBar::EnableContextMenuItems(CKGPToolbarButton* pButton, CMenu* pPopup)
{
    if (pButton == nullptr || pPopup == nullptr)
        return FALSE;
    if (pButton->SetupCustomizeMenu(pPopup))
        return TRUE;
    return SetCustomizeMenuStates(pButton, pPopup);
}

BOOL CKGPToolBar::SetCustomizeMenuStates(CKGPToolbarButton* pButton, CMenu* pPopup)
{
    if (pButton == nullptr || pPopup == nullptr)
        return FALSE;
    const CKGPToolBarImages* strip =
        pButton->m_bUserImage ? s_pUserImageStrip : static_cast<const CKGPToolBarImages*>(Strips().normal);
    kgp::CustomizeMenuInput in;
    in.command = pButton->m_nCommand;
    in.imageShown = pButton->m_bShowImage != FALSE;
    in.imageExists = pButton->GetImage() >= 0 && strip != nullptr && pButton->GetImage() < strip->GetCount();
    in.captionShown = pButton->m_bShowCaption != FALSE;
    in.captionBelow = pButton->m_bCaptionBelow != FALSE;
    in.horizontalBar = IsHorizontal() != FALSE;
    in.menuBar = m_bIsMenuBar != FALSE;
    const int index = ButtonToIndex(pButton);
    const CKGPToolbarButton* previous = GetButton(index - 1);
    in.firstButton = index <= 0;
    in.previousIsSeparator = previous != nullptr && previous->IsSeparator();
    const kgp::CustomizeMenuState state = kgp::CustomizeMenuStates(in);
    if (state.captionForced)
        pButton->m_bShowCaption = TRUE;

    const struct {
        UINT command;
        kgp::MenuEntryState entry;
    } entries[] = {{kgp::kCmdResetImage, state.resetImage}, {kgp::kCmdCopyImage, state.copyImage},
                   {kgp::kCmdImageOnly, state.imageOnly},   {kgp::kCmdTextOnly, state.textOnly},
                   {kgp::kCmdImageAndText, state.imageAndText}, {kgp::kCmdBeginGroup, state.beginGroup}};
    for (const auto& item : entries) {
        pPopup->EnableMenuItem(item.command, MF_BYCOMMAND | (item.entry.enabled ? MF_ENABLED : MF_GRAYED));
        pPopup->CheckMenuItem(item.command, MF_BYCOMMAND | (item.entry.checked ? MF_CHECKED : MF_UNCHECKED));
    }
    return TRUE;
}

void CKGPToolBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (!s_bCustomizing || IsLocked()) {
        CKGPBaseToolBar::OnContextMenu(pWnd, point);
        return;
    }
    CPoint client = point;
    ScreenToClient(&client);
    const int hit = HitTest(client);
    CKGPToolbarButton* button = GetButton(hit);
    if (button == nullptr) {
        ::MessageBeep(static_cast<UINT>(-1));
        return;
    }
    if (s_pCustomSelBar != nullptr && s_pCustomSelBar != this)
        s_pCustomSelBar->SelectForCustomizing(-1);
    s_pCustomSelBar = this;
    SelectForCustomizing(hit);

    CMenu menu;
    menu.Attach(LoadCustomizeMenu());
    if (menu.GetSafeHmenu() == nullptr || !EnableContextMenuItems(button, &menu))
        return;
    const HWND self = m_hWnd;
    UINT command = 0;
    if (IKGPMenuLink* link = CKGPLink<IKGPMenuLink>::Get(); link != nullptr && link->HasContextMenuManager())
        command = link->TrackContextMenu(menu.GetSafeHmenu(), point.x, point.y, this, FALSE);
    else
        command = static_cast<UINT>(::TrackPopupMenu(menu.GetSafeHmenu(), TPM_LEFTALIGN | TPM_RIGHTBUTTON |
                                                         TPM_RETURNCMD | TPM_NONOTIFY,
                                                     point.x, point.y, 0, m_hWnd, nullptr));
    if (command != 0 && ::IsWindow(self))
        SendMessage(WM_COMMAND, command);
}

// ---- Its commands, on the selected button ----

BOOL CKGPToolBar::EditSelectedAppearance(CKGPToolbarButton* pButton)
{
    return KGPToolbarLinks::EditButtonAppearance(pButton, this);
}

void CKGPToolBar::AfterCustomizeChange()
{
    AdjustLayout();
    RefitAfterChange();
    Invalidate();
}

void CKGPToolBar::OnResetImage()
{
    CKGPToolbarButton* button = GetButton(m_customize.selected);
    if (button == nullptr || KGPToolbarLinks::IsUserToolCommand(button->m_nCommand))
        return;
    const int standard = GetCmdMgr()->GetCmdImage(button->m_nCommand, FALSE);
    if (standard >= 0) {
        button->m_bUserImage = FALSE;
        button->m_nImage = standard;
        button->m_bShowImage = TRUE;
    } else {
        button->m_bShowImage = FALSE;
    }
    button->m_bShowCaption = m_bIsMenuBar || !button->m_bShowImage;
    FillDefaultCaption(button);
    AdjustLayout();
    GetCmdMgr()->ClearUserCmdImage(button->m_nCommand);
    Invalidate();
}

void CKGPToolBar::OnCopyImage()
{
    const CKGPToolbarButton* button = GetButton(m_customize.selected);
    if (button == nullptr)
        return;
    if (KGPToolbarLinks::IsUserToolCommand(button->m_nCommand)) {
        KGPToolbarLinks::CopyToolIconToClipboard(button->m_nCommand);
        return;
    }
    const CKGPToolBarImages* strip =
        button->m_bUserImage ? s_pUserImageStrip : static_cast<const CKGPToolBarImages*>(Strips().normal);
    if (strip == nullptr || button->GetImage() < 0)
        return;
    const HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    strip->CopyImageToClipboard(button->GetImage());
    ::SetCursor(previous);
}

void CKGPToolBar::OnDeleteButton()
{
    if (!RemoveButton(m_customize.selected))
        return;
    m_customize.selected = -1;
    AfterCustomizeChange();
}

void CKGPToolBar::OnAppearance()
{
    CKGPToolbarButton* button = GetButton(m_customize.selected);
    if (button == nullptr)
        return;
    if (button->m_strCaption.IsEmpty())
        FillDefaultCaption(button);
    if (EditSelectedAppearance(button))
        AfterCustomizeChange();
}

// Shows the selected button's image and (or not) its caption. A button
// without an image asks the appearance dialog; Cancel puts the flags back.
BOOL CKGPToolBar::ShowSelectedImage(CKGPToolbarButton* pButton, BOOL bCaption)
{
    const BOOL caption = pButton->m_bShowCaption;
    const BOOL image = pButton->m_bShowImage;
    pButton->m_bShowCaption = bCaption;
    pButton->m_bShowImage = TRUE;
    if (pButton->GetImage() >= 0 || EditSelectedAppearance(pButton))
        return TRUE;
    pButton->m_bShowCaption = caption;
    pButton->m_bShowImage = image;
    return FALSE;
}

void CKGPToolBar::OnImageOnly()
{
    CKGPToolbarButton* button = GetButton(m_customize.selected);
    if (button != nullptr && ShowSelectedImage(button, FALSE))
        AfterCustomizeChange();
}

void CKGPToolBar::OnTextOnly()
{
    CKGPToolbarButton* button = GetButton(m_customize.selected);
    if (button == nullptr)
        return;
    button->m_bShowCaption = TRUE;
    button->m_bShowImage = FALSE;
    if (button->m_strCaption.IsEmpty())
        FillDefaultCaption(button);
    if (button->m_strCaption.IsEmpty()) {
        ::MessageBeep(static_cast<UINT>(-1));
        button->m_bShowCaption = FALSE;
        button->m_bShowImage = TRUE;
    }
    AfterCustomizeChange();
}

void CKGPToolBar::OnImageAndText()
{
    CKGPToolbarButton* button = GetButton(m_customize.selected);
    if (button == nullptr || !ShowSelectedImage(button, TRUE))
        return;
    if (button->m_strCaption.IsEmpty())
        FillDefaultCaption(button);
    if (button->m_strCaption.IsEmpty()) {
        ::MessageBeep(static_cast<UINT>(-1));
        button->m_bShowCaption = FALSE;
    }
    AdjustLayout();
}

void CKGPToolBar::OnBeginGroup()
{
    const int index = m_customize.selected;
    const CKGPToolbarButton* previous = GetButton(index - 1);
    if (GetButton(index) == nullptr)
        return;
    switch (kgp::BeginGroupChange(index <= 0, previous != nullptr && previous->IsSeparator(),
                                  previous != nullptr && previous->m_bShown)) {
    case kgp::GroupChange::InsertSeparator:
        if (InsertSeparator(index) >= 0)
            m_customize.selected = index + 1;
        break;
    case kgp::GroupChange::RemoveSeparator:
        RemoveButton(index - 1);
        break;
    case kgp::GroupChange::Nothing:
        return;
    }
    AdjustLayout();
}

void CKGPToolBar::OnNewMenu()
{
    auto menu = std::make_unique<CKGPToolbarMenuButton>();
    menu->m_bShowCaption = TRUE;
    menu->m_bShowImage = FALSE;
    if (!EditSelectedAppearance(menu.get()))
        return;
    const int index = InsertButton(std::move(menu), m_customize.selected);
    if (index < 0)
        return;
    m_customize.selected = index;
    AdjustLayout();
    Invalidate();
    if (auto* inserted = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, GetButton(index)))
        inserted->OpenPopupMenu();
}

// ---- Buttons dragged ----

CKGPToolbarButton* CKGPToolBar::GetDraggedButton()
{
    return CKGPToolBarCustomizeState::DraggedNow();
}

BOOL CKGPToolBar::DragButton(int iIndex)
{
    CKGPToolbarButton* button = GetButton(iIndex);
    COleDataSource source;
    if (button == nullptr || !button->CopyToDataSource(&source))
        return FALSE;
    ShowCommandMessageString(button->m_nCommand);
    CRect start = button->m_rcButton;
    ClientToScreen(start);

    CKGPToolbarDropSource dropSource;
    m_customize.SetDragSource(TRUE);
    m_customize.droppedOnSource = FALSE;
    SetCapture();
    const DROPEFFECT effect = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, start, &dropSource);
    m_customize.SetDragSource(FALSE);
    if (!::IsWindow(m_hWnd))
        return dropSource.m_bMovedAway;
    if (GetCapture() == this)
        ReleaseCapture();

    // The dropped button may have left the list already (moved within the bar).
    const int index = ButtonToIndex(button);
    CPoint end;
    ::GetCursorPos(&end);
    // Moved onto another target, or dropped where nothing takes it (the drop
    // source's delete cursor), the button leaves this bar; a copy stays.
    const BOOL moved = effect == DROPEFFECT_MOVE || (effect == DROPEFFECT_NONE && dropSource.WasDropped() &&
                                                    !m_customize.dragCopies);
    if (index >= 0 && moved && !m_customize.droppedOnSource && !start.PtInRect(end) &&
        AllowsRemoveOnDragOut(button, effect) && RemoveButton(index)) {
        m_customize.selected = -1;
        AdjustLayout();
        RefitEnclosingToolbar();
        RefitAfterChange();
        Invalidate();
    } else if (index >= 0) {
        RepaintButton(index);
    }
    m_customize.dragged = nullptr;
    return dropSource.m_bMovedAway;
}

CKGPToolbarButton* CKGPToolBar::CreateDroppedButton(COleDataObject* pDataObject)
{
    std::unique_ptr<CKGPToolbarButton> button(CKGPToolbarButton::CreateFromOleData(pDataObject));
    if (button == nullptr)
        return nullptr;
    const int tab = button->m_strCaption.Find(L'\t');
    if (tab >= 0)
        button->m_strCaption = button->m_strCaption.Left(tab);
    if (button->m_bFromCommandList) {
        button->m_bFromCommandList = FALSE;
        button->m_bShowImage = TRUE;
        button->m_bShowCaption = FALSE;
        if (button->GetImage() < 0 && button->m_strCaption.IsEmpty() && !EditSelectedAppearance(button.get()))
            return nullptr;
    }
    if (button->GetImage() < 0) {
        button->m_bShowImage = FALSE;
        button->m_bShowCaption = TRUE;
    }
    return button.release();
}

DROPEFFECT CKGPToolBar::DragEnterQuery(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return m_bDropsElsewhere ? DragOverBar(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT CKGPToolBar::DragOverBar(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (IsLocked() || m_bDropsElsewhere)
        return DROPEFFECT_NONE;
    // Only asked whether it fits this bar: no dialog opens while dragging.
    const std::unique_ptr<CKGPToolbarButton> button(CKGPToolbarButton::CreateFromOleData(pDataObject));
    if (button == nullptr || !button->AcceptsBar(this))
        return DROPEFFECT_NONE;
    m_customize.dragCopies = (dwKeyState & MK_CONTROL) != 0;
    if (!m_customize.IsDragSource())
        SelectForCustomizing(-1);
    CRect marker;
    const int index = DropIndexAt(point, marker);
    SetInsertMarker(index, marker);
    const int hot = HitTest(point);
    if (hot != m_track.hot) {
        RepaintButton(m_track.hot);
        m_track.hot = hot;
        RepaintButton(hot);
    }
    if (index < 0)
        return DROPEFFECT_NONE;
    return m_customize.dragCopies ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

BOOL CKGPToolBar::DropButton(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    if (m_bDropsElsewhere || m_customize.markIndex < 0)
        return FALSE;
    int index = m_customize.markIndex;
    ClearInsertMarker();
    CKGPToolbarButton* dragged = m_customize.IsDragSource() ? m_customize.dragged : nullptr;
    const int draggedIndex = dragged != nullptr ? ButtonToIndex(dragged) : -1;
    const BOOL moveWithin = draggedIndex >= 0 && dropEffect == DROPEFFECT_MOVE;
    if (draggedIndex >= 0 && !moveWithin && index == draggedIndex)
        return TRUE;  // a copy onto the button itself

    std::unique_ptr<CKGPToolbarButton> button(CreateDroppedButton(pDataObject));
    if (button == nullptr || !button->PrepareDrop(this))
        return FALSE;
    if (moveWithin) {
        m_customize.droppedOnSource = TRUE;
        if (index == draggedIndex || index == draggedIndex + 1) {
            NudgeButton(dragged, m_customize.dragOrigin, point);
            return TRUE;
        }
        // Where it lands is counted once the dragged button left its place.
        CKGPToolbarButton* next = GetButton(index);
        RemoveButton(draggedIndex);
        m_customize.dragged = nullptr;
        const int nextIndex = next != nullptr ? ButtonToIndex(next) : -1;
        index = nextIndex >= 0 ? nextIndex : kgp::IndexAfterRemoval(index, draggedIndex, GetCount());
    }
    const int inserted = InsertButton(std::move(button), index);
    if (inserted < 0)
        return FALSE;
    AdjustLayout();
    RefitEnclosingToolbar();
    if (s_bAltDragCustomizing)
        GetButton(inserted)->FinishDrop();
    SelectForCustomizing(-1);
    Invalidate();
    return TRUE;
}

void CKGPToolBar::NudgeButton(CKGPToolbarButton* pButton, CPoint ptDragStart, CPoint ptDrop)
{
    const int index = ButtonToIndex(pButton);
    if (index < 0)
        return;
    const int distance = IsHorizontal() ? ptDrop.x - ptDragStart.x : ptDrop.y - ptDragStart.y;
    const CKGPToolbarButton* previous = GetButton(index - 1);
    const BOOL separatorBefore = previous != nullptr && previous->IsSeparator();
    switch (kgp::NudgeChange(distance, index == 0, separatorBefore != FALSE,
                             separatorBefore && previous->m_bShown)) {
    case kgp::Nudge::AddSeparatorBefore:
        InsertSeparator(index);
        break;
    case kgp::Nudge::RemoveSeparatorBefore:
        RemoveButton(index - 1);
        break;
    case kgp::Nudge::Nothing:
        return;
    }
    AdjustLayout();
    SelectForCustomizing(-1);
    Invalidate();
}

// ---- The reset prompt ----

LRESULT CKGPToolBar::OnResetPrompt(WPARAM, LPARAM)
{
    CString name;
    GetWindowText(name);
    name.Trim();
    if (name.IsEmpty())
        name = KGPLoadLibraryString(kUntitledBarText, L"Toolbar");
    CString prompt;
    prompt.Format(KGPLoadLibraryString(kResetPromptText, L"Reset the changes made to the '%s' toolbar?"), name.GetString());
    if (MessageBox(prompt, name, MB_OKCANCEL | MB_ICONWARNING) == IDOK)
        ResetToResource();
    return 0;
}
