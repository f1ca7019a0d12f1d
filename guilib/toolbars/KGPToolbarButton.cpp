#include "guilib/toolbars/KGPToolbarButton.h"

#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/core/KGPWorkspace.h"
#include "guilib/toolbars/KGPCommandManager.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolBarMath.h"
#include "guilib/toolbars/KGPToolBarShared.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

#include <afxarch.h>
#include <afxole.h>

#include <algorithm>
#include <memory>

IMPLEMENT_SERIAL(CKGPToolbarButton, CObject, VERSIONABLE_SCHEMA | 1)

BOOL CKGPToolbarButton::s_bRecordStandardImages = TRUE;
BOOL CKGPToolbarButton::s_bWrapCaptions = TRUE;

namespace {

constexpr UINT kNoCommand = 0xFFFFFFFF;
constexpr int kSeparatorThickness = 8;

// Bounds of a stored button: commands are 16-bit (or none), the style bits
// those of the standard toolbar set and the new-column bit of a menu item,
// image indexes those a strip can hold.
constexpr UINT kLastCommand = 0xFFFF;
constexpr UINT kKnownStyleBits = 0x00FF003F | 0x20000000;
constexpr int kMaxImageIndex = 0xFFFF;
constexpr int kMaxSeparatorWidth = 4096;

bool HasCommand(UINT uiCmd) { return uiCmd != 0 && uiCmd != kNoCommand; }

// The part after the first newline of the command's string resource.
CString ShortNameOfCommand(UINT uiCmd)
{
    CString text;
    if (!HasCommand(uiCmd) || !text.LoadString(uiCmd))
        return CString();
    const int newline = text.Find(L'\n');
    return newline < 0 ? CString() : text.Mid(newline + 1);
}

BOOL ArchiveHasShownFlag()
{
    return kgp::ButtonArchiveHasShownFlag(CKGPMenuHashBusy::IsBusy() != FALSE, GetWorkspace() != nullptr,
                                          GetWorkspaceDataVersion());
}

}  // namespace

CKGPToolbarButton::CKGPToolbarButton() = default;

CKGPToolbarButton::CKGPToolbarButton(UINT uiCmdId, int iImage, LPCTSTR lpszText, BOOL bUserImage, BOOL bLocked)
    : m_bUserImage(bUserImage), m_nCommand(uiCmdId), m_strCaption(lpszText == nullptr ? L"" : lpszText),
      m_bOfLockedBar(bLocked)
{
    SetImage(iImage);
    if (!HasCommand(m_nCommand) || m_bOfLockedBar || IsSeparator())
        return;
    if (GetImage() == -1) {
        const int known = GetCmdMgr()->GetCmdImage(m_nCommand, m_bUserImage);
        (m_bUserImage ? m_nUserImage : m_nImage) = known;
    } else {
        GetCmdMgr()->SetCmdImage(m_nCommand, GetImage(), m_bUserImage);
    }
}

void CKGPToolbarButton::SetImage(int iImage)
{
    if (IsSeparator()) {
        m_nImage = iImage;
        return;
    }
    (m_bUserImage ? m_nUserImage : m_nImage) = iImage;

    if (!m_bOfLockedBar && HasCommand(m_nCommand)) {
        CKGPCommandManager* commands = GetCmdMgr();
        if (iImage != -1) {
            if (m_bUserImage || s_bRecordStandardImages)
                commands->SetCmdImage(m_nCommand, iImage, m_bUserImage);
        } else {
            m_nImage = commands->GetCmdImage(m_nCommand, FALSE);
            m_nUserImage = commands->GetCmdImage(m_nCommand, TRUE);
            // Without a standard image the user image is taken, when there
            // is one. (Flipping the flag whatever the user image is made a
            // button with neither change its kind at every load.)
            if (m_nImage == -1 && m_nUserImage != -1)
                m_bUserImage = TRUE;
        }
    }
    if (GetImage() < 0) {
        m_bShowImage = FALSE;
        m_bShowCaption = TRUE;
    }
}

void CKGPToolbarButton::CopyButton(const CKGPToolbarButton& src)
{
    m_nCommand = src.m_nCommand;
    m_bOfLockedBar = src.m_bOfLockedBar;
    m_bUserImage = src.m_bUserImage;
    m_nBits = src.m_nBits;
    SetImage(src.GetImage());
    m_strCaption = src.m_strCaption;
    m_bShowCaption = src.m_bShowCaption;
    m_bShowImage = src.m_bShowImage;
    m_bRowBreak = src.m_bRowBreak;
    m_strDescription = src.m_strDescription;
    m_bShown = src.m_bShown;
    m_bExtraFlag = src.m_bExtraFlag;
    m_bFromCommandList = FALSE;
}

CString CKGPToolbarButton::CaptionAsShown() const
{
    return CString(kgp::CaptionAsShown(std::wstring(m_strCaption.GetString())).text.c_str());
}

SIZE CKGPToolbarButton::MeasureOnBar(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    if (!m_bShown)
        return CSize(0, 0);
    if (IsSeparator()) {
        if (!bHorz)
            return CSize(sizeDefault.cx, kSeparatorThickness);
        return CSize(m_nImage >= 1 ? m_nImage : kSeparatorThickness, sizeDefault.cy);
    }

    CSize size = sizeDefault;
    const CSize extra = CKGPVisualManager::GetInstance()->GetExtraButtonSize();
    if (!IsImageShown()) {
        if (bHorz)
            size.cx = m_bOnToolbar ? extra.cx : 0;
        else
            size.cy = m_bOnToolbar ? extra.cy : 0;
    }

    m_sizeCaption = CSize(0, 0);
    if (m_strCaption.IsEmpty() || pDC == nullptr)
        return size;
    if (m_bCaptionBelow && bHorz) {
        CRect rectText(0, 0, sizeDefault.cx * 3, sizeDefault.cy);
        const UINT format = DT_CALCRECT | DT_CENTER | (s_bWrapCaptions ? DT_WORDBREAK : 0);
        const int textHeight = pDC->DrawText(m_strCaption, rectText, format);
        m_sizeCaption = CSize(rectText.Width() + 6, textHeight);
        size.cx = std::max<LONG>(size.cx, m_sizeCaption.cx) + 12;
        size.cy += textHeight + 1;
    } else if (m_bShowCaption) {
        const CString shown = CaptionAsShown();
        const CSize extent = pDC->GetTextExtent(shown, shown.GetLength());
        const int room = extent.cx + (IsImageShown() ? 6 : 9);
        (bHorz ? size.cx : size.cy) += room;
    }
    return size;
}

void CKGPToolbarButton::OnChangeParentWnd(CWnd* pWndParent)
{
    m_pOwnerWnd = pWndParent;
    const CKGPToolBar* bar = DYNAMIC_DOWNCAST(CKGPToolBar, pWndParent);
    m_bOnToolbar = bar != nullptr && bar->WantsExtraButtonSize();
}

BOOL CKGPToolbarButton::FillCaptionFromCommand(CKGPToolbarButton* pButton)
{
    if (pButton != nullptr && m_strCaption.IsEmpty() && HasCommand(m_nCommand))
        pButton->m_strCaption = ShortNameOfCommand(m_nCommand);
    return TRUE;
}

void CKGPToolbarButton::RestoreCommandImage()
{
    if (m_bUserImage || static_cast<int>(m_nCommand) <= 0 || KGPToolbarLinks::IsUserToolCommand(m_nCommand))
        return;
    const int known = GetCmdMgr()->GetCmdImage(m_nCommand, FALSE);
    if (known >= 0) {
        m_nImage = known;
        return;
    }
    if (!m_bShowImage)
        return;
    m_bShowImage = FALSE;
    m_bShowCaption = TRUE;
    if (m_strCaption.IsEmpty())
        m_strCaption = ShortNameOfCommand(m_nCommand);
}

void CKGPToolbarButton::EnableControl(BOOL bEnable)
{
    if (HWND control = ControlWindow())
        ::EnableWindow(control, bEnable);
}

// A button answers for its group only on a toolbar, which knows its neighbours.
BOOL CKGPToolbarButton::StartsGroup() const
{
    const CKGPToolBar* bar = DYNAMIC_DOWNCAST(CKGPToolBar, m_pOwnerWnd);
    return bar != nullptr && bar->IsGroupEdge(*this, TRUE);
}

BOOL CKGPToolbarButton::EndsGroup() const
{
    const CKGPToolBar* bar = DYNAMIC_DOWNCAST(CKGPToolBar, m_pOwnerWnd);
    return bar != nullptr && bar->IsGroupEdge(*this, FALSE);
}

void CKGPToolbarButton::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        // A separator's word is its width, whatever its user-image flag says:
        // loading has always read it so.
        ar << m_nCommand << m_nBits << (IsSeparator() ? m_nImage : GetImage());
        ar << m_strCaption;
        ar << m_bUserImage << m_bFromCommandList << m_bShowCaption << m_bShowImage;
        if (ArchiveHasShownFlag())
            ar << m_bShown;
        return;
    }
    // Read whole, then taken: a refused button changes nothing.
    CKGPStoredReader in(ar);
    const UINT command = in.ReadUInt(0, kNoCommand);
    if (command > kLastCommand && command != kNoCommand)
        CKGPStoredReader::Refuse();
    const UINT bits = in.ReadFlags(kKnownStyleBits);
    // A separator's image is its width, which the bar's layout adds up.
    const int image = (bits & TBBS_SEPARATOR) != 0 ? in.ReadInt(-1, kMaxSeparatorWidth) : in.ReadInt(-1, kMaxImageIndex);
    const CString caption = in.ReadString(kgp_stored::kMaxTextLength);
    const BOOL userImage = in.ReadBool();
    const BOOL fromCommandList = in.ReadBool();
    const BOOL showCaption = in.ReadBool();
    const BOOL showImage = in.ReadBool();
    const BOOL shown = ArchiveHasShownFlag() ? in.ReadBool() : m_bShown;

    m_nCommand = command;
    m_nBits = bits;
    m_strCaption = caption;
    m_bUserImage = userImage;
    m_bFromCommandList = fromCommandList;
    m_bShowCaption = showCaption;
    m_bShowImage = showImage;
    m_bShown = shown;
    (m_bUserImage && !IsSeparator() ? m_nUserImage : m_nImage) = image;
}

void CKGPToolbarButton::RecordLoadedImage()
{
    SetImage(IsSeparator() ? m_nImage : GetImage());
}

CString CKGPToolbarButton::s_strClipboardFormatName;

CLIPFORMAT CKGPToolbarButton::GetClipboardFormat()
{
    static const CLIPFORMAT format = [] {
        CString name = s_strClipboardFormatName;
        if (name.IsEmpty()) {
            const auto handle = reinterpret_cast<ULONG_PTR>(AfxGetInstanceHandle());
            name.Format(_T("KGToolbarButton%llx"), static_cast<unsigned long long>(handle));
        }
        return static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(name));
    }();
    return format;
}

BOOL CKGPToolbarButton::CopyToDataSource(COleDataSource* pDataSource)
{
    if (!IsArchivable())
        return TRUE;
    if (pDataSource == nullptr)
        return FALSE;
    try {
        CSharedFile file(GMEM_MOVEABLE, 4096);
        CArchive ar(&file, CArchive::store, 4096);
        ar.WriteClass(GetRuntimeClass());
        Serialize(ar);
        ar.Close();
        HGLOBAL block = file.Detach();
        if (block == nullptr)
            return FALSE;
        pDataSource->CacheGlobalData(GetClipboardFormat(), block);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

CKGPToolbarButton* CKGPToolbarButton::CreateFromOleData(COleDataObject* pDataObject)
{
    if (pDataObject == nullptr)
        return nullptr;
    const std::unique_ptr<CFile> file(pDataObject->GetFileData(GetClipboardFormat()));
    if (file == nullptr)
        return nullptr;
    try {
        CArchive ar(file.get(), CArchive::load, 4096);
        const CRuntimeClass* buttonClass = ar.ReadClass(RUNTIME_CLASS(CKGPToolbarButton));
        std::unique_ptr<CObject> object(buttonClass != nullptr ? buttonClass->CreateObject() : nullptr);
        auto* button = DYNAMIC_DOWNCAST(CKGPToolbarButton, object.get());
        if (button == nullptr)
            return nullptr;
        button->Serialize(ar);
        object.release();
        return button;
    } catch (CException* e) {
        e->Delete();
        return nullptr;
    }
}

CKGPToolbarButton* CKGPToolbarButton::ReadFrom(CArchive& ar)
{
    CKGPToolbarButton* button = nullptr;
    ar >> button;
    if (button != nullptr)
        button->RecordLoadedImage();
    return button;
}
