// CToolBar: a control bar that is the toolbar common control.
#include <afxwin.h>
#include <afxext.h>

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_NOTIFY_REFLECT_EX(TBN_HOTITEMCHANGE, &CToolBar::OnHotItemChange)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

// The transparent colour of toolbar bitmaps.
constexpr COLORREF kToolBarMaskColor = RGB(192, 192, 192);

// Updates one button from a command's update handler.
class CToolCmdUI : public CCmdUI {
public:
    explicit CToolCmdUI(CToolBar& toolBar) : m_toolBar(toolBar) {}

    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        UINT style = m_toolBar.GetButtonStyle(static_cast<int>(m_nIndex));
        UINT updated = bOn ? style & ~TBBS_DISABLED : style | TBBS_DISABLED;
        if (!bOn)
            updated &= ~TBBS_PRESSED;
        if (updated != style)
            m_toolBar.SetButtonStyle(static_cast<int>(m_nIndex), updated);
    }

    void SetCheck(int nCheck) override
    {
        const UINT style = m_toolBar.GetButtonStyle(static_cast<int>(m_nIndex));
        UINT updated = style & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            updated |= TBBS_CHECKED;
        else if (nCheck == 2)
            updated |= TBBS_INDETERMINATE;
        updated |= TBBS_CHECKBOX;
        if (updated != style)
            m_toolBar.SetButtonStyle(static_cast<int>(m_nIndex), updated);
    }

    void SetText(LPCTSTR) override {}  // buttons keep their own text

private:
    CToolBar& m_toolBar;
};

} // namespace

CToolBar::CToolBar()
{
    m_cxLeftBorder = 4;
    m_cxRightBorder = 4;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 2;
}

CToolBar::~CToolBar() = default;

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, GetBorders(), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    SetBorders(rcBorders);
    DWORD windowStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | WS_CHILD | CCS_NODIVIDER | CCS_NOPARENTALIGN |
                        CCS_NORESIZE;
    if (m_dwStyle & CBRS_TOOLTIPS)
        windowStyle |= TBSTYLE_TOOLTIPS;
    if (!CWnd::Create(TOOLBARCLASSNAMEW, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SetSizes(m_sizeButton, m_sizeImage);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    return LoadToolBar(MAKEINTRESOURCEW(nIDResource));
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    CToolBarResourceData data;
    HINSTANCE module = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
    if (!AfxLoadToolBarResource(module, lpszResourceName, data))
        return FALSE;
    if (!SetButtons(data.ids.data(), static_cast<int>(data.ids.size())))
        return FALSE;
    const CSize image(data.wWidth, data.wHeight);
    SetSizes(CSize(image.cx + 7, image.cy + 7), image);
    return LoadBitmap(lpszResourceName);
}

BOOL CToolBar::LoadBitmap(UINT nIDResource)
{
    return LoadBitmap(MAKEINTRESOURCEW(nIDResource));
}

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE module = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    CBitmap bitmap;
    if (!bitmap.Attach(::LoadBitmapW(module, lpszResourceName)))
        return FALSE;
    return SetBitmap(static_cast<HBITMAP>(bitmap.GetSafeHandle()));
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell)
{
    if (hbmImageWell == nullptr || m_sizeImage.cx <= 0 || m_sizeImage.cy <= 0)
        return FALSE;
    BITMAP info{};
    if (::GetObjectW(hbmImageWell, sizeof(info), &info) == 0)
        return FALSE;
    // Masking recolours the source: work on a copy, the caller keeps its bitmap.
    CBitmap copy;
    if (!copy.Attach(static_cast<HBITMAP>(::CopyImage(hbmImageWell, IMAGE_BITMAP, 0, 0, 0))))
        return FALSE;
    CImageList images;
    const int count = std::max<int>(1, info.bmWidth / m_sizeImage.cx);
    if (!images.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR24 | ILC_MASK, count, 4))
        return FALSE;
    if (images.Add(&copy, kToolBarMaskColor) < 0)
        return FALSE;
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.GetSafeHandle()));
    m_imageList.DeleteImageList();
    m_imageList.Attach(images.Detach());
    m_nImages = m_imageList.GetImageCount();
    Invalidate();
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_hWnd == nullptr)
        return;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
    Invalidate();
}

void CToolBar::SetHeight(int cyHeight)
{
    const int content = ContentSize().cy;
    const int spare = std::max(0, cyHeight - content);
    m_cyTopBorder = spare / 2;
    m_cyBottomBorder = spare - m_cyTopBorder;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (m_hWnd == nullptr || nIDCount < 0)
        return FALSE;
    while (SendMessage(TB_BUTTONCOUNT) > 0)
        if (!SendMessage(TB_DELETEBUTTON, 0))
            break;
    std::vector<TBBUTTON> buttons(static_cast<std::size_t>(nIDCount));
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON& button = buttons[static_cast<std::size_t>(i)];
        button = TBBUTTON{};
        button.iString = -1;
        const UINT id = lpIDArray != nullptr ? lpIDArray[i] : ID_SEPARATOR;
        if (id == ID_SEPARATOR) {
            button.fsStyle = TBSTYLE_SEP;
            button.fsState = TBSTATE_ENABLED;
            button.iBitmap = 6;  // separator width
        } else {
            button.idCommand = static_cast<int>(id);
            button.fsStyle = TBSTYLE_BUTTON;
            button.fsState = TBSTATE_ENABLED;
            button.iBitmap = image++;
        }
    }
    if (!buttons.empty() &&
        !SendMessage(TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())))
        return FALSE;
    m_nCount = nIDCount;
    return TRUE;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, nIDFind));
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button{};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button)))
        return ID_SEPARATOR;
    return (button.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : static_cast<UINT>(button.idCommand);
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)))
        ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button{};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button)))
        return 0;
    // The enabled state reads as "disabled" in the layer's style bits.
    return MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_STYLE | TBIF_STATE;
    info.fsStyle = static_cast<BYTE>(LOWORD(nStyle));
    info.fsState = static_cast<BYTE>(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    SendMessage(TB_SETBUTTONINFOW, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON button{};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button))) {
        nID = 0;
        nStyle = 0;
        iImage = 0;
        return;
    }
    nID = static_cast<UINT>(button.idCommand);
    nStyle = MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
    iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_COMMAND | TBIF_STYLE | TBIF_STATE;
    info.idCommand = static_cast<int>(nID);
    info.fsStyle = static_cast<BYTE>(LOWORD(nStyle));
    info.fsState = static_cast<BYTE>(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    if (info.fsStyle & TBSTYLE_SEP) {
        // A separator's image is its width: room for a control placed on it.
        info.dwMask |= TBIF_SIZE;
        info.cx = static_cast<WORD>(std::max(iImage, 0));
    } else {
        info.dwMask |= TBIF_IMAGE;
        info.iImage = iImage;
    }
    SendMessage(TB_SETBUTTONINFOW, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
}

BOOL CToolBar::SetButtonText(int nIndex, LPCTSTR lpszText)
{
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
    info.pszText = const_cast<LPTSTR>(lpszText != nullptr ? lpszText : L"");
    return static_cast<BOOL>(SendMessage(TB_SETBUTTONINFOW, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info)));
}

CString CToolBar::GetButtonText(int nIndex) const
{
    CString text;
    TBBUTTON button{};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button)))
        return text;
    const LRESULT length = SendMessage(TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand), 0);
    if (length <= 0)
        return text;
    LPTSTR buffer = text.GetBuffer(static_cast<int>(length) + 1);
    const LRESULT copied = SendMessage(TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand),
                                       reinterpret_cast<LPARAM>(buffer));
    text.ReleaseBuffer(copied >= 0 && copied <= length ? static_cast<int>(copied) : 0);
    return text;
}

CToolBarCtrl& CToolBar::GetToolBarCtrl() const
{
    // The bar's window is the toolbar control; the control wrapper adds no data.
    return *afx_detail::WndAs<CToolBarCtrl>(const_cast<CToolBar*>(this));
}

CSize CToolBar::ContentSize() const
{
    CSize size(0, 0);
    const int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        if (button.fsState & TBSTATE_HIDDEN)
            continue;
        CRect item;
        if (SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) {
            size.cx = std::max(size.cx, item.right);
            size.cy = std::max(size.cy, item.bottom);
        }
    }
    if (size.cy == 0)
        size.cy = m_sizeButton.cy;
    return size;
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    const CSize content = ContentSize();
    const CSize size(content.cx + m_cxLeftBorder + m_cxRightBorder, content.cy + m_cyTopBorder + m_cyBottomBorder);
    return Stretched(size, bStretch, bHorz);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state(*this);
    state.m_pOther = this;
    const int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    state.m_nIndexMax = static_cast<UINT>(count);
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button)) ||
            (button.fsStyle & TBSTYLE_SEP))
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = static_cast<UINT>(button.idCommand);
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

BOOL CToolBar::OnHotItemChange(NMHDR* pNMHDR, LRESULT* pResult)
{
    // Fly-by help: the hot button's prompt in the status bar.
    *pResult = 0;
    if ((m_dwStyle & CBRS_FLYBY) == 0)
        return FALSE;
    auto* hot = reinterpret_cast<NMTBHOTITEM*>(pNMHDR);
    const UINT id = (hot->dwFlags & HICF_LEAVING) ? AFX_IDS_IDLEMESSAGE : static_cast<UINT>(hot->idNew);
    if (CFrameWnd* frame = GetUpdateTarget())
        frame->SendMessage(WM_SETMESSAGESTRING, id, 0);
    return FALSE;
}

BOOL CToolBar::OnEraseBkgnd(CDC* pDC)
{
    // A flat toolbar would ask its parent to paint behind it; a frame whose
    // view covers the client area paints nothing there. The bar paints itself.
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(client, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}
