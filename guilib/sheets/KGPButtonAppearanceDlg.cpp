#include "guilib/sheets/KGPButtonAppearanceDlg.h"

#include "guilib/controls/KGPImageEditDlg.h"
#include "guilib/core/KGPDib.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/core/KGPToolBarImages.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/sheets/KGPButtonsGridRules.h"
#include "guilib/sheets/KGPToolbarsPage.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolBarShared.h"
#include "guilib/toolbars/KGPToolbarDropSource.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

#include <algorithm>
#include <cstdint>

IMPLEMENT_DYNAMIC(CButtonsList, CButton)
IMPLEMENT_DYNAMIC(CButtonAppearanceDlg, CDialog)

namespace {

constexpr UINT kScrollBarId = 1;

// What the image editor works on: an image of the strip (-1: none) laid on
// the button face, in a 32-bit bitmap whose alpha bytes stay clear.
BOOL MakeEditableCopy(const CKGPToolBarImages& strip, int iImage, CSize size, CBitmap& bitmap)
{
    void* bits = nullptr;
    CGdiHandle<HBITMAP> dib = kgp::CreateDib32(size.cx, size.cy, &bits);
    if (!dib || bits == nullptr)
        return FALSE;
    const DWORD face = kgp::CDibCopy::FromColour(GetKGPGlobalData().clrBtnFace);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            DWORD pixel = face;
            if (iImage >= 0) {
                // Premultiplied: the image's colour plus what it lets through of the face.
                const std::uint32_t argb = strip.GetPixel(iImage, x, y);
                const DWORD clear = 255 - (argb >> 24);
                pixel = 0;
                for (int shift = 0; shift <= 16; shift += 8)
                    pixel |= std::min<DWORD>(255, ((argb >> shift) & 0xFF) + ((face >> shift) & 0xFF) * clear / 255)
                             << shift;
            }
            pixels[static_cast<size_t>(y) * size.cx + x] = pixel;
        }
    }
    return bitmap.Attach(dib.Detach());
}

// The edited bitmap as the strip takes it: the button face is transparent,
// every other colour opaque. Null when no pixel is opaque (nothing drawn).
CGdiHandle<HBITMAP> TakeEditedImage(CBitmap& bitmap, CSize size)
{
    ::GdiFlush();
    DIBSECTION section{};
    if (::GetObjectW(bitmap.GetSafeHandle(), sizeof(section), &section) != sizeof(section) ||
        section.dsBm.bmBits == nullptr)
        return {};
    void* bits = nullptr;
    CGdiHandle<HBITMAP> image = kgp::CreateDib32(size.cx, size.cy, &bits);
    if (!image || bits == nullptr)
        return {};
    const DWORD face = kgp::CDibCopy::FromColour(GetKGPGlobalData().clrBtnFace);
    const auto* from = static_cast<const DWORD*>(section.dsBm.bmBits);
    auto* to = static_cast<DWORD*>(bits);
    BOOL drawn = FALSE;
    for (size_t i = 0; i < static_cast<size_t>(size.cx) * size.cy; ++i) {
        const DWORD colour = from[i] & 0xFFFFFFu;
        to[i] = colour == face ? 0 : colour | 0xFF000000u;
        drawn = drawn || colour != face;
    }
    return drawn ? std::move(image) : CGdiHandle<HBITMAP>();
}

kgp::Box BoxOf(const CRect& rect)
{
    return kgp::Box{rect.left, rect.top, rect.right, rect.bottom};
}

// The dialog serves the toolbars' appearance command once a customisation
// sheet has been made; before, the command answers as if cancelled.
BOOL s_bCustomizeSheetMade = FALSE;

class CButtonAppearanceLink final : public IKGPButtonAppearanceLink {
public:
    BOOL EditButtonAppearance(CKGPToolbarButton* pButton, CKGPToolBar* pBar) override
    {
        if (!s_bCustomizeSheetMade || pButton == nullptr || pBar == nullptr)
            return FALSE;
        CButtonAppearanceDlg dialog(pButton, const_cast<CKGPToolBarImages*>(&pBar->GetImages()), pBar,
                                    pBar->IsMenuItemButton(pButton), pBar->IsLocked(),
                                    CKGPToolBarShared::s_pUserImageStrip);
        CKGPLocalResource library;
        return dialog.DoModal() == IDOK;
    }
};

} // namespace

void KGPRegisterSheetsLinks()
{
    static CButtonAppearanceLink link;
    KGPRegisterLink<IKGPButtonAppearanceLink>(link);
    KGPRegisterToolbarsPageLink();
}

void KGPOfferButtonAppearanceDialog()
{
    s_bCustomizeSheetMade = TRUE;
}

// ---- The image grid

CButtonsList::~CButtonsList() = default;

void CButtonsList::SetImages(CKGPToolBarImages* pImages)
{
    m_pImages = pImages;
    const CSize image = pImages != nullptr ? pImages->GetImageSize() : CSize(16, 15);
    m_sizeButton = CSize(image.cx + 6, image.cy + 7);
    RemoveButtons();
}

void CButtonsList::AddButton(CKGPToolbarButton* pButton)
{
    if (pButton == nullptr)
        return;
    m_Buttons.AddTail(pButton);
    pButton->OnChangeParentWnd(this);
    pButton->EnableControl(FALSE);
    RebuildLocations();
}

void CButtonsList::RemoveButtons()
{
    m_pSelButton = nullptr;
    m_Buttons.DeleteAll();
    m_iScrollOffset = 0;
    m_iScrollTotal = 0;
    RebuildLocations();
}

int CButtonsList::IndexOf(const CKGPToolbarButton* pButton) const
{
    int index = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++index) {
        if (m_Buttons.GetNext(pos) == pButton)
            return index;
    }
    return -1;
}

void CButtonsList::SelectButton(CKGPToolbarButton* pButton)
{
    m_pSelButton = pButton;
    EnsureVisible(pButton);
    if (m_hWnd != nullptr)
        Invalidate();
}

BOOL CButtonsList::SelectButton(int iImage)
{
    if (iImage < 0) {
        SelectButton(static_cast<CKGPToolbarButton*>(nullptr));
        return TRUE;
    }
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* button = static_cast<CKGPToolbarButton*>(m_Buttons.GetNext(pos));
        if (button->GetImage() == iImage) {
            SelectButton(button);
            return TRUE;
        }
    }
    return FALSE;
}

void CButtonsList::RebuildLocations()
{
    if (m_hWnd == nullptr)
        return;
    CRect client;
    GetClientRect(client);
    const int scrollWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    if (m_wndScrollBar.GetSafeHwnd() == nullptr)
        m_wndScrollBar.CreateEx(0, L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT,
                                CRect(client.right - scrollWidth, client.top, client.right, client.bottom), this,
                                kScrollBarId);
    client.right -= scrollWidth;
    const std::vector<kgp::Box> cells =
        kgp::PlaceGridCells(BoxOf(client), GetCount(), m_sizeButton.cx, m_sizeButton.cy);
    int index = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++index) {
        auto* button = static_cast<CKGPToolbarButton*>(m_Buttons.GetNext(pos));
        const kgp::Box& cell = cells[static_cast<size_t>(index)];
        button->m_rcButton = CRect(cell.left, cell.top, cell.right, cell.bottom);
    }
    m_iScrollTotal = kgp::GridScrollLimit(cells, client.Height());
    const int visible = client.Height();
    m_iScrollPage = std::max(1, visible / static_cast<int>(m_sizeButton.cy + kgp::kGridRowGap));
    m_iScrollOffset = std::min(m_iScrollOffset, m_iScrollTotal);
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL, 0, m_iScrollTotal + visible,
                    static_cast<UINT>(visible), m_iScrollOffset, 0};
    m_wndScrollBar.SendMessage(SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info));
}

void CButtonsList::EnsureVisible(const CKGPToolbarButton* pButton)
{
    if (pButton == nullptr || m_hWnd == nullptr)
        return;
    CRect client;
    GetClientRect(client);
    const CRect& rect = pButton->m_rcButton;
    int offset = m_iScrollOffset;
    if (rect.top - offset < client.top)
        offset = rect.top - 4;
    else if (rect.bottom - offset > client.bottom)
        offset = rect.bottom + 4 - client.Height();
    m_iScrollOffset = std::clamp(offset, 0, m_iScrollTotal);
    m_wndScrollBar.SendMessage(SBM_SETPOS, static_cast<WPARAM>(m_iScrollOffset), TRUE);
}

void CButtonsList::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect client;
    GetClientRect(client);
    const BOOL enabled = IsWindowEnabled();
    const CKGPGlobalData& global = GetKGPGlobalData();
    dc->FillSolidRect(client, enabled ? global.clrWindow : global.clrBtnFace);
    // The button face is the strip's transparent colour (images drawn on it
    // and taken into the strip keep their background clear).
    if (m_pImages != nullptr && m_pImages->GetTransparentColor() != global.clrBtnFace) {
        m_pImages->SetTransparentColor(global.clrBtnFace);
        m_pImages->RebuildDerivedImage(CKGPToolBarImages::kLightImage);
        m_pImages->RebuildDerivedImage(CKGPToolBarImages::kShadowImage);
    }
    if (m_pImages != nullptr && m_pImages->BeginDrawImage()) {
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
            auto* button = static_cast<CKGPToolbarButton*>(m_Buttons.GetNext(pos));
            CRect rect = button->m_rcButton;
            rect.OffsetRect(0, -m_iScrollOffset);
            if (rect.bottom < client.top || rect.top > client.bottom)
                continue;
            // Drawn as on a locked horizontal bar; disabled with the control.
            const BOOL wasLocked = button->m_bOfLockedBar;
            const UINT bits = button->m_nBits;
            button->m_bOfLockedBar = TRUE;
            if (!enabled)
                button->m_nBits |= TBBS_DISABLED;
            button->OnDraw(dc, rect, m_pImages, TRUE, FALSE, button == m_pSelButton);
            button->m_bOfLockedBar = wasLocked;
            button->m_nBits = bits;
        }
        m_pImages->EndDrawImage();
    }
    // The border as the look draws a flat toolbar combo's.
    CRect frame = client;
    frame.InflateRect(1, 1);
    CKGPVisualManager::GetInstance()->DrawComboFrame(dc, frame, !enabled, FALSE, FALSE, nullptr);
}

DROPEFFECT CButtonsList::DragButton(CKGPToolbarButton* pButton)
{
    if (pButton == nullptr || IndexOf(pButton) < 0)
        return DROPEFFECT_NONE;
    COleDataSource source;
    if (!pButton->CopyToDataSource(&source))
        return DROPEFFECT_NONE;
    CRect start = pButton->m_rcButton;
    start.OffsetRect(0, -m_iScrollOffset);
    ClientToScreen(start);
    CKGPToolbarDropSource dropSource;
    return source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, start, &dropSource);
}

LRESULT CButtonsList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        RebuildLocations();
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: {
        // A button's own window (a combo, an edit) is coloured by its button.
        const HWND control = reinterpret_cast<HWND>(lParam);
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
            auto* button = static_cast<CKGPToolbarButton*>(m_Buttons.GetNext(pos));
            if (!button->OwnsWindow(control))
                continue;
            const UINT kind = message == WM_CTLCOLOREDIT ? CTLCOLOR_EDIT
                              : message == WM_CTLCOLORLISTBOX ? CTLCOLOR_LISTBOX
                                                              : CTLCOLOR_STATIC;
            if (const HBRUSH brush = button->ControlBrush(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), kind))
                return reinterpret_cast<LRESULT>(brush);
            break;
        }
        break;
    }
    case WM_VSCROLL: {
        kgp::GridScroll how = kgp::GridScroll::Thumb;
        switch (LOWORD(wParam)) {
        case SB_LINEUP: how = kgp::GridScroll::LineUp; break;
        case SB_LINEDOWN: how = kgp::GridScroll::LineDown; break;
        case SB_PAGEUP: how = kgp::GridScroll::PageUp; break;
        case SB_PAGEDOWN: how = kgp::GridScroll::PageDown; break;
        case SB_TOP: how = kgp::GridScroll::Top; break;
        case SB_BOTTOM: how = kgp::GridScroll::Bottom; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: how = kgp::GridScroll::Thumb; break;
        default: return 0;
        }
        m_iScrollOffset = kgp::ScrollGrid(m_iScrollOffset, how, static_cast<short>(HIWORD(wParam)), m_sizeButton.cy,
                                          m_iScrollPage, m_iScrollTotal);
        m_wndScrollBar.SendMessage(SBM_SETPOS, static_cast<WPARAM>(m_iScrollOffset), TRUE);
        Invalidate();
        return 0;
    }
    case WM_KEYDOWN: {
        kgp::GridKey key;
        switch (wParam) {
        case VK_HOME: key = kgp::GridKey::Home; break;
        case VK_END: key = kgp::GridKey::End; break;
        case VK_LEFT:
        case VK_UP: key = kgp::GridKey::Previous; break;
        case VK_RIGHT:
        case VK_DOWN: key = kgp::GridKey::Next; break;
        default: return CButton::WindowProc(message, wParam, lParam);
        }
        const int next = kgp::StepGridChoice(IndexOf(m_pSelButton), GetCount(), key);
        POSITION at = next >= 0 ? m_Buttons.FindIndex(next) : nullptr;
        if (at != nullptr)
            SelectButton(static_cast<CKGPToolbarButton*>(m_Buttons.GetAt(at)));
        return 0;
    }
    case WM_LBUTTONDOWN: {
        SetFocus();
        CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        point.y += m_iScrollOffset;
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
            auto* button = static_cast<CKGPToolbarButton*>(m_Buttons.GetNext(pos));
            if (button->m_rcButton.PtInRect(point)) {
                SelectButton(button);
                if (CWnd* parent = GetParent())
                    parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                                        reinterpret_cast<LPARAM>(m_hWnd));
                if (m_bEnableDragFromList && ::IsWindow(m_hWnd))
                    DragButton(button);
                break;
            }
        }
        return 0;
    }
    default:
        break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

// ---- The dialog

CButtonAppearanceDlg::CButtonAppearanceDlg(CKGPToolbarButton* pButton, CKGPToolBarImages* pImages, CWnd* pParent,
                                           BOOL bMenuButton, BOOL bLocked, CKGPToolBarImages* pUserImages)
    : CDialog(IDD_KGP_BUTTON_APPEARANCE, pParent), m_pButton(pButton), m_pImages(pImages),
      m_pUserImages(pUserImages), m_bMenuMode(bMenuButton), m_bLocked(bLocked)
{
}

void CButtonAppearanceDlg::ShowUserImages(BOOL bUser)
{
    m_bUserImages = bUser && m_pUserImages != nullptr;
    CKGPToolBarImages* strip = m_bUserImages ? m_pUserImages : m_pImages;
    m_wndButtonList.SetImages(strip);
    for (int i = 0; strip != nullptr && i < strip->GetCount(); ++i)
        m_wndButtonList.AddButton(new CKGPToolbarButton(0, i, nullptr, m_bUserImages, TRUE));
    if (m_pButton != nullptr && m_pButton->m_bUserImage == m_bUserImages)
        m_wndButtonList.SelectButton(m_pButton->GetImage());
    if (m_hWnd != nullptr) {
        CheckDlgButton(IDC_KGP_USER_IMAGES, m_bUserImages ? BST_CHECKED : BST_UNCHECKED);
        EnableControls();
    }
}

BOOL CButtonAppearanceDlg::EditImage(CBitmap& bitmap)
{
    CKGPImageEditDlg editor(&bitmap, this);
    return editor.DoModal() == IDOK;
}

int CButtonAppearanceDlg::EditIntoUserImages(const CKGPToolBarImages* pFrom, int iImage, int iReplace)
{
    if (m_pUserImages == nullptr)
        return -1;
    const CSize size = m_pUserImages->GetImageSize();
    CBitmap bitmap;
    if (size.cx <= 0 || size.cy <= 0 || !MakeEditableCopy(pFrom != nullptr ? *pFrom : *m_pUserImages,
                                                          pFrom != nullptr ? iImage : -1, size, bitmap)) {
        AfxMessageBox(KGPLoadLibraryString(IDS_KGP_IMAGE_NOT_MADE, _T("The image could not be made.")));
        return -1;
    }
    if (!EditImage(bitmap))
        return -1;
    const CGdiHandle<HBITMAP> image = TakeEditedImage(bitmap, size);
    if (!image)
        return -1;
    if (iReplace >= 0)
        return m_pUserImages->UpdateImage(iReplace, image.Get()) ? iReplace : -1;
    const int added = m_pUserImages->AddImage(image.Get());
    if (added < 0)
        AfxMessageBox(KGPLoadLibraryString(IDS_KGP_USER_IMAGES_FULL, _T("No more images can be added.")));
    return added;
}

BOOL CButtonAppearanceDlg::ChooseUserImage(int iImage)
{
    if (iImage < 0)
        return FALSE;
    ShowUserImages(TRUE);
    m_wndButtonList.SelectButton(iImage);
    EnableControls();
    return TRUE;
}

BOOL CButtonAppearanceDlg::NewUserImage()
{
    return ChooseUserImage(EditIntoUserImages(nullptr, -1, -1));
}

BOOL CButtonAppearanceDlg::EditChosenImage()
{
    const CKGPToolbarButton* chosen = m_wndButtonList.GetSelectedButton();
    if (chosen == nullptr || m_pUserImages == nullptr) {
        ::MessageBeep(static_cast<UINT>(-1));
        return FALSE;
    }
    const int image = chosen->GetImage();
    return ChooseUserImage(m_bUserImages ? EditIntoUserImages(m_pUserImages, image, image)
                                         : EditIntoUserImages(m_pImages, image, -1));
}

BOOL CButtonAppearanceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_wndButtonList.SubclassDlgItem(IDC_KGP_IMAGE_LIST, this);
    ShowUserImages(m_pButton != nullptr && m_pButton->m_bUserImage);
    if (m_pButton != nullptr) {
        m_bImage = m_pButton->m_bShowImage && !m_bMenuMode;
        m_bText = m_pButton->m_bShowCaption || m_bMenuMode || !m_pButton->m_bShowImage;
        if (m_bLocked) {
            m_bImage = FALSE;
            m_bText = TRUE;
        }
        CString text = m_pButton->m_strCaption;
        const int tab = text.Find(L'\t');
        if (tab >= 0) {
            m_strAccel = text.Mid(tab + 1);
            text = text.Left(tab);
        }
        SetDlgItemText(IDC_KGP_BUTTON_TEXT, text);
        SetDlgItemText(IDC_KGP_ACCELERATOR, m_strAccel);
    }
    CWnd* main = AfxGetMainWnd();
    if (main != nullptr && main->GetSafeHwnd() != nullptr && (main->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    ChooseKind(m_bImage && m_bText ? 2 : (m_bImage ? 0 : 1));
    return TRUE;
}

void CButtonAppearanceDlg::ChooseKind(int nKind)
{
    m_bImage = nKind != 1;
    m_bText = nKind != 0;
    CheckRadioButton(IDC_KGP_IMAGE_ONLY, IDC_KGP_IMAGE_AND_TEXT, IDC_KGP_IMAGE_ONLY + nKind);
    EnableControls();
}

void CButtonAppearanceDlg::EnableControls()
{
    // A locked bar keeps its images; a menu item always shows its text.
    auto enable = [this](UINT id, BOOL bEnable) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(bEnable);
    };
    enable(IDC_KGP_IMAGE_ONLY, !m_bLocked && !m_bMenuMode);
    enable(IDC_KGP_IMAGE_AND_TEXT, !m_bLocked);
    enable(IDC_KGP_IMAGE_LIST, m_bImage && !m_bLocked);
    enable(IDC_KGP_IMAGE_LIST_LABEL, m_bImage && !m_bLocked);
    enable(IDC_KGP_BUTTON_TEXT, m_bText);
    enable(IDC_KGP_BUTTON_TEXT_LABEL, m_bText);
    // User images only where the program keeps them.
    const BOOL userImages = m_pUserImages != nullptr && m_bImage && !m_bLocked;
    enable(IDC_KGP_USER_IMAGES, userImages);
    enable(IDC_KGP_NEW_IMAGE, userImages);
    enable(IDC_KGP_EDIT_IMAGE, userImages && m_wndButtonList.GetSelectedButton() != nullptr);
    m_wndButtonList.Invalidate();
}

BOOL CButtonAppearanceDlg::CheckChoices(BOOL bTellUser)
{
    if (m_bImage && m_wndButtonList.GetSelectedButton() == nullptr) {
        if (bTellUser) {
            AfxMessageBox(KGPLoadLibraryString(IDS_KGP_NO_IMAGE_CHOSEN, _T("Choose an image for the button.")));
            m_wndButtonList.SetFocus();
        }
        return FALSE;
    }
    CString text;
    GetDlgItemText(IDC_KGP_BUTTON_TEXT, text);
    if (m_bText && text.IsEmpty()) {
        if (bTellUser) {
            AfxMessageBox(KGPLoadLibraryString(IDS_KGP_NO_TEXT, _T("Type a text for the button.")));
            GetDlgItem(IDC_KGP_BUTTON_TEXT)->SetFocus();
        }
        return FALSE;
    }
    return TRUE;
}

void CButtonAppearanceDlg::ApplyToButton()
{
    if (m_pButton == nullptr)
        return;
    CString text;
    GetDlgItemText(IDC_KGP_BUTTON_TEXT, text);
    m_pButton->m_bShowImage = m_bImage;
    m_pButton->m_bShowCaption = m_bText;
    if (const CKGPToolbarButton* chosen = m_wndButtonList.GetSelectedButton()) {
        // A user image is recorded for the command with the user images.
        m_pButton->m_bUserImage = m_bUserImages;
        m_pButton->SetImage(chosen->GetImage());
    }
    if (!text.IsEmpty() || !m_bText)
        m_pButton->m_strCaption = m_strAccel.IsEmpty() ? text : text + L"\t" + m_strAccel;
}

void CButtonAppearanceDlg::OnOK()
{
    if (!CheckChoices(TRUE))
        return;
    ApplyToButton();
    CDialog::OnOK();
}

BOOL CButtonAppearanceDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_KGP_IMAGE_ONLY:
            ChooseKind(0);
            return TRUE;
        case IDC_KGP_TEXT_ONLY:
            ChooseKind(1);
            return TRUE;
        case IDC_KGP_IMAGE_AND_TEXT:
            ChooseKind(2);
            return TRUE;
        case IDC_KGP_USER_IMAGES:
            ShowUserImages(IsDlgButtonChecked(IDC_KGP_USER_IMAGES) == BST_CHECKED);
            return TRUE;
        case IDC_KGP_NEW_IMAGE:
            NewUserImage();
            return TRUE;
        case IDC_KGP_EDIT_IMAGE:
            EditChosenImage();
            return TRUE;
        case IDC_KGP_IMAGE_LIST:
            EnableControls();
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}
