#include "app/transfer/TransferPage.h"

#include <afxdlgs.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "widgets/ListDrag.h"
#include "app/lists/ListSortSettings.h"
#include "app/transfer/ChooseSlotDlg.h"
#include "pages/ProgramMessages.h"
#include "app/transfer/TransferNotes.h"
#include "pages/AppMessages.h"
#include "app/transfer/TransferMessages.h"
#include "app/transfer/TransferPages.h"
#include "app/view/ViewGlobals.h"
#include "core/files/FileErrors.h"
#include "core/files/FileMarkChecks.h"
#include "core/files/Folders.h"
#include "core/files/TextHelpers.h"
#include "core/files/ShellSeam.h"
#include "core/link/USBPort.h"
#include "core/profile/DevProfile.h"
#include "core/profile/DeviceNames.h"
#include "widgets/ToolBarHelpers.h"
#include "widgets/UiResources.h"
#include "res/resource.h"

namespace {

constexpr int kIconWarning = 191;
constexpr UINT kToolBarId = 59392;

// Buttons are 52 x 40 pixels, wider only when a label of the current language
// would not fit (the ends of longer labels would be cut).
void FitToolBarButtons(CToolBar& bar)
{
    constexpr int kButtonWidth = 52;
    constexpr int kButtonHeight = 40;
    constexpr int kLabelMargin = 10;
    CClientDC dc(&bar);
    const auto font = reinterpret_cast<HGDIOBJ>(bar.SendMessage(WM_GETFONT));
    const HGDIOBJ previous = font ? ::SelectObject(dc.GetSafeHdc(), font) : nullptr;
    int width = kButtonWidth;
    for (int index = 0; index < bar.GetCount(); ++index) {
        CString label = bar.GetButtonText(index);
        label.Remove(L'&');
        width = std::max(width, static_cast<int>(dc.GetTextExtent(label).cx) + kLabelMargin);
    }
    if (previous)
        ::SelectObject(dc.GetSafeHdc(), previous);
    bar.SetSizes(CSize(width, kButtonHeight), CSize(16, 16));
}

} // namespace

BEGIN_MESSAGE_MAP(CTransferPage, CBaseDlg)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CONTEXTMENU()
    ON_BN_CLICKED(IDC_TRANSFER_DOWNLOAD, &CTransferPage::OnDownloadSelected)
    ON_BN_CLICKED(IDC_TRANSFER_UPLOAD, &CTransferPage::OnUploadSelected)
    ON_COMMAND(ID_TRANSFER_ADD_FILES, &CTransferPage::OnAddFiles)
    ON_COMMAND(ID_TRANSFER_ADD_FOLDER, &CTransferPage::OnAddFolder)
    ON_COMMAND(ID_TRANSFER_REMOVE_SELECTED, &CTransferPage::OnRemoveSelected)
    ON_COMMAND(ID_TRANSFER_REMOVE_ALL, &CTransferPage::OnRemoveAll)
    ON_COMMAND(ID_TRANSFER_DOWNLOAD, &CTransferPage::OnDownloadSelected)
    ON_COMMAND(ID_TRANSFER_DELETE_SELECTED, &CTransferPage::OnDeleteSelected)
    ON_COMMAND(ID_TRANSFER_DELETE_ALL, &CTransferPage::OnDeleteAll)
    ON_COMMAND(ID_TRANSFER_UPLOAD_SELECTED, &CTransferPage::OnUploadSelected)
    ON_COMMAND(ID_TRANSFER_UPLOAD_ALL, &CTransferPage::OnUploadAll)
    ON_NOTIFY(LVN_KEYDOWN, IDC_TRANSFER_PC_LIST, &CTransferPage::OnPCListKeyDown)
    ON_NOTIFY(LVN_KEYDOWN, IDC_TRANSFER_DEV_LIST, &CTransferPage::OnDevListKeyDown)
    ON_NOTIFY(NM_DBLCLK, IDC_TRANSFER_PC_LIST, &CTransferPage::OnPCListDblClk)
    ON_NOTIFY(TBN_DROPDOWN, kToolBarId, &CTransferPage::OnToolBarDropDown)
    ON_MESSAGE(WM_LIST_DRAG_NOTIFY, &CTransferPage::OnDragNotify)
    ON_MESSAGE(AppMsg::LanguageChanged, &CTransferPage::OnLanguageChanged)
    ON_MESSAGE(AppMsg::UploadFinished, &CTransferPage::OnTransferDone)
    ON_MESSAGE(TransferMsg::DownloadFinished, &CTransferPage::OnDownloadFinished)
    ON_MESSAGE(TransferMsg::FileError, &CTransferPage::OnWorkerFileError)
    ON_MESSAGE(TransferMsg::FileRejected, &CTransferPage::OnWorkerFileRejected)
    ON_MESSAGE(TransferMsg::PcFolderWritten, &CTransferPage::OnWorkerFolderWritten)
    ON_MESSAGE(TransferMsg::MarksChecked, &CTransferPage::OnMarksChecked)
END_MESSAGE_MAP()

CTransferPage::CTransferPage(int kind, CWnd* pParent)
    : CBaseDlg(FindTransferKind(kind)->dialogId, pParent), m_info(*FindTransferKind(kind))
{
    LoadPageAccelerators(IDR_TRANSFER_ACCEL);
}

CTransferPage::~CTransferPage()
{
    CancelMarkChecks();
    m_runner.CancelAndJoin();
}

void CTransferPage::DoDataExchange(CDataExchange* pDX)
{
    CBaseDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TRANSFER_PC_LIST, m_pcList);
    DDX_Control(pDX, IDC_TRANSFER_DEV_LIST, m_devList);
    DDX_Control(pDX, IDC_TRANSFER_PC_TITLE, m_pcTitle);
    DDX_Control(pDX, IDC_TRANSFER_DEV_TITLE, m_devTitle);
    DDX_Control(pDX, IDC_TRANSFER_UPLOAD, m_uploadButton);
    DDX_Control(pDX, IDC_TRANSFER_DOWNLOAD, m_downloadButton);
    DDX_Control(pDX, IDC_TRANSFER_PC_PICTURE, m_pcPicture);
    DDX_Control(pDX, IDC_TRANSFER_DEV_PICTURE, m_devPicture);
}

int CTransferPage::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBaseDlg::OnCreate(lpCreateStruct) == -1)
        return -1;
    const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP;
    const UINT devBar = m_info.deviceDeleteButton ? IDR_TRANSFER_DEV_BAR : IDR_TRANSFER_MEM_BAR;
    const UINT devBitmap = m_info.deviceDeleteButton ? IDB_TRANSFER_DEV_BAR : IDB_TRANSFER_MEM_BAR;
    if (m_pcBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT, style, CRect(0, 0, 0, 0), kToolBarId) &&
        m_pcBar.LoadToolBar(IDR_TRANSFER_PC_BAR)) {
        SetToolBarImageList(m_pcBar, IDB_TRANSFER_PC_BAR, 16, 16);
        MakeToolBarDropDown(ID_TRANSFER_ADD_FILES, m_pcBar);
        MakeToolBarDropDown(ID_TRANSFER_REMOVE_SELECTED, m_pcBar);
        m_pcBar.SetSizes(CSize(52, 40), CSize(16, 16));
    }
    if (m_devBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT, style, CRect(0, 0, 0, 0), kToolBarId) &&
        m_devBar.LoadToolBar(devBar)) {
        SetToolBarImageList(m_devBar, devBitmap, 16, 16);
        if (m_info.deviceDeleteButton)
            MakeToolBarDropDown(ID_TRANSFER_DELETE_SELECTED, m_devBar);
        if (IsUploadEnabled(m_info.kind)) {
            MakeToolBarDropDown(ID_TRANSFER_UPLOAD_SELECTED, m_devBar);
        } else {
            const int index = m_devBar.CommandToIndex(ID_TRANSFER_UPLOAD_SELECTED);
            if (index >= 0)
                m_devBar.SetButtonStyle(index, m_devBar.GetButtonStyle(index) | TBBS_HIDDEN);
        }
        m_devBar.SetSizes(CSize(52, 40), CSize(16, 16));
    }
    return 0;
}

BOOL CTransferPage::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    EnableToolTips(TRUE);

    m_pcImages.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0);
    m_pcImages.Add(AfxGetApp() ? AfxGetApp()->LoadIcon(IDI_FILE_VALID) : nullptr);
    m_pcImages.Add(AfxGetApp() ? AfxGetApp()->LoadIcon(IDI_FILE_INVALID) : nullptr);
    m_pcList.SetImageList(&m_pcImages, LVSIL_SMALL);
    m_pcList.InsertColumn(0, LoadResString(113), LVCFMT_LEFT, 180);
    m_pcList.InsertColumn(1, LoadResString(114), LVCFMT_LEFT, 180);
    m_pcList.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const UINT sizeRule = GetFileSizeRule(m_info.kind);
    if (m_info.exactSize)
        m_pcList.SetExactSize(static_cast<int>(sizeRule));
    else
        m_pcList.SetMaxSize(sizeRule);

    m_devList.InsertColumn(0, LoadResString(119), LVCFMT_LEFT, 100);
    m_devList.InsertColumn(1, LoadResString(113), LVCFMT_LEFT, 100);
    m_devList.InsertColumn(2, LoadResString(114), LVCFMT_LEFT, 80);
    m_devList.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    m_devList.EnableDrag(IsUploadEnabled(m_info.kind));
    m_devList.InitSlots(static_cast<int>(GetSlotCount(m_info.kind)));

    if (CWnd* upload = GetDlgItem(IDC_TRANSFER_UPLOAD))
        upload->ShowWindow(IsUploadEnabled(m_info.kind) ? SW_SHOW : SW_HIDE);
    // The arrows and pictures show the skin images in place of texts and frames.
    m_uploadButton.SetWindowText(L"");
    m_uploadButton.SetImage(L"left.png");
    m_downloadButton.SetWindowText(L"");
    m_downloadButton.SetImage(L"right.png");
    m_pcPicture.SetImage(GetUiResources().GetImage(L"pcFile.png"));
    m_pcPicture.SetCursor(GetUiResources().GetHandCursor());
    m_devPicture.SetCursor(GetUiResources().GetHandCursor());
    ShowConnectionPicture();

    AddAnchor(IDC_TRANSFER_PC_PICTURE, ANCHOR_TOPLEFT);
    AddAnchor(IDC_TRANSFER_PC_TITLE, ANCHOR_TOPLEFT);
    AddAnchor(IDC_TRANSFER_DEV_PICTURE, ANCHOR_TOPCENTER);
    AddAnchor(IDC_TRANSFER_DEV_TITLE, ANCHOR_TOPCENTER);
    AddAnchor(IDC_TRANSFER_PC_LIST, ANCHOR_TOPLEFT, ANCHOR_BOTTOMCENTER);
    AddAnchor(IDC_TRANSFER_DEV_LIST, ANCHOR_TOPCENTER, ANCHOR_BOTTOMRIGHT);
    AddAnchor(IDC_TRANSFER_UPLOAD, ANCHOR_TOPCENTER);
    AddAnchor(IDC_TRANSFER_DOWNLOAD, ANCHOR_TOPCENTER);
    PlaceToolBars();

    ReloadTexts();
    FillPCList();
    DragAcceptFiles(TRUE);
    return TRUE;
}

void CTransferPage::PlaceToolBars()
{
    // Each bar sits in the strip right above its list, at the bottom of the z-order.
    const auto place = [this](CToolBar& bar, CWnd& list, ResizeAnchor anchor) {
        if (!bar.GetSafeHwnd() || !list.GetSafeHwnd())
            return;
        CRect listRect;
        list.GetWindowRect(&listRect);
        ScreenToClient(&listRect);
        const int height = 40 + 6;
        bar.SetWindowPos(&CWnd::wndBottom, listRect.left, listRect.top - height, listRect.Width(), height,
                         SWP_NOACTIVATE);
        AddAnchor(bar.GetSafeHwnd(), anchor);
    };
    place(m_pcBar, m_pcList, ANCHOR_TOPLEFT);
    place(m_devBar, m_devList, ANCHOR_TOPCENTER);
}

void CTransferPage::OnDestroy()
{
    // No worker may outlive the page it reports to.
    CancelMarkChecks();
    m_runner.CancelAndJoin();
    CBaseDlg::OnDestroy();
}

void CTransferPage::Attach(IPageHost* pView, CUSBPort* pPort)
{
    CBaseDlg::Attach(pView, pPort);
}

CString CTransferPage::GetFolder() const
{
    return GetDataFolder(m_info.kind);
}

void CTransferPage::ShowConnectionPicture()
{
    const bool connected = !GetDeviceNames().m_deviceName.IsEmpty();
    m_devPicture.SetImage(GetUiResources().GetImage(connected ? L"connected.png" : L"disconnect.png"));
}

CString CTransferPage::ConnectedModel() const
{
    return GetInterName(GetDeviceNames().m_deviceName);
}

void CTransferPage::ReloadTexts()
{
    if (!m_pcList.GetSafeHwnd())
        return;
    m_pcTitleFormat = LoadResString(m_info.pcTitleFormat);
    m_pcList.SetListColumnText(0, LoadResString(113));
    m_pcList.SetListColumnText(1, LoadResString(114));
    m_devList.SetListColumnText(0, LoadResString(119));
    m_devList.SetListColumnText(1, LoadResString(113));
    m_devList.SetListColumnText(2, LoadResString(114));
    if (m_pcBar.GetSafeHwnd()) {
        m_pcBar.SetButtonText(0, LoadResString(146));
        m_pcBar.SetButtonText(1, LoadResString(147));
        m_pcBar.SetButtonText(2, LoadResString(148));
    }
    if (m_devBar.GetSafeHwnd()) {
        if (m_info.deviceDeleteButton) {
            m_devBar.SetButtonText(0, LoadResString(180));
            m_devBar.SetButtonText(1, LoadResString(149));
        } else {
            m_devBar.SetButtonText(0, LoadResString(149));
        }
    }
    for (CToolBar* bar : {&m_pcBar, &m_devBar}) {
        if (bar->GetSafeHwnd())
            FitToolBarButtons(*bar);
    }
    UpdateTitles();
}

CString CTransferPage::GetPCTitle() const
{
    CString title;
    // The format of the current language, kept since the texts were last loaded.
    const CString loaded = m_pcTitleFormat.IsEmpty() ? LoadResString(m_info.pcTitleFormat) : CString();
    title.Format(m_pcTitleFormat.IsEmpty() ? loaded.GetString() : m_pcTitleFormat.GetString(),
                 m_pcList.GetSafeHwnd() ? m_pcList.GetItemCount() : 0);
    return title;
}

CString CTransferPage::GetDeviceTitle() const
{
    CString title;
    title.Format(LoadResString(m_info.deviceTitleFormat), m_devList.GetSafeHwnd() ? m_devList.CountUsedSlots() : 0,
                 m_devList.GetSafeHwnd() ? m_devList.GetSlotCount() : 0);
    return title;
}

void CTransferPage::UpdateTitles()
{
    m_pcTitle.SetTitle(GetPCTitle());
    m_devTitle.SetTitle(GetDeviceTitle());
}

bool CTransferPage::IsFileStillValid(const CString& path, ULONGLONG size) const
{
    return FitsSizeRule(m_info, GetFileSizeRule(m_info.kind), size) &&
           IsDeviceFileOfKind(m_info.kind, ConnectedModel(), path);
}

void CTransferPage::FillPCList()
{
    if (!m_pcList.GetSafeHwnd())
        return;
    // The rows of the last fill go: so do its checks, and any result of theirs.
    CancelMarkChecks();
    ShowPCFiles(ListPCFolder(GetFolder(), m_info.extensionBare));
}

void CTransferPage::ShowPCFiles(std::vector<PCFolderEntry> entries)
{
    if (!m_pcList.GetSafeHwnd())
        return;
    CancelMarkChecks();
    // Where the listed files are: a folder gone since is found by their checks.
    const CString folder = GetDataFolderPath(m_info.kind);
    std::vector<PCFileItem> files;
    files.reserve(entries.size());
    for (PCFolderEntry& entry : entries)
        files.push_back({std::move(entry.name), entry.size, 0, true});
    const CPCFileListCtrl::MarkCheck check = [kind = m_info.kind, model = ConnectedModel(), folder](const CString& name) {
        return IsDeviceFileOfKind(kind, model, folder + name);
    };
    m_pcList.SetPendingCheck(check);
    m_pcList.SetFiles(std::move(files));
    // The PC files alone changed: the device title stays as it is.
    m_pcTitle.SetTitle(GetPCTitle());
    StartMarkChecksOnceShown(check);
}

void CTransferPage::StartMarkChecksOnceShown(CPCFileListCtrl::MarkCheck check)
{
    CWnd* frame = m_pcList.GetTopLevelParent();
    if (!m_pcList.IsWindowVisible() || (frame != nullptr && frame->IsIconic())) {
        StartMarkChecks(check);
        return;
    }
    m_owedMarkCheck = std::move(check);
    m_pcList.RunAfterNextPaint([this] {
        if (CPCFileListCtrl::MarkCheck owed = std::exchange(m_owedMarkCheck, nullptr))
            StartMarkChecks(owed);
    });
}

void CTransferPage::CancelMarkChecks()
{
    m_owedMarkCheck = nullptr;
    m_pcList.RunAfterNextPaint(nullptr);
    m_markChecks.CancelAndJoin();
}

void CTransferPage::StartMarkChecks(const CPCFileListCtrl::MarkCheck& check)
{
    // A file the size rule already refused needs no reading.
    std::vector<MarkCheckItem> items;
    items.reserve(m_pcList.GetRecordCount());
    for (std::size_t index = 0; index < m_pcList.GetRecordCount(); ++index) {
        const PCFileItem* record = m_pcList.GetRecord(index);
        if (record->checkPending)
            items.push_back({index, record->name});
    }
    if (items.empty() || m_markChecks.Start(GetSafeHwnd(), TransferMsg::MarksChecked, std::move(items), check))
        return;
    // No worker: the checks are made here, as the fill once made them.
    for (std::size_t index = 0; index < m_pcList.GetRecordCount(); ++index) {
        const PCFileItem* record = m_pcList.GetRecord(index);
        if (record->checkPending)
            m_pcList.ApplyMarkCheck(index, check(record->name));
    }
    m_pcList.SortAfterMarkChecks();
}

LRESULT CTransferPage::OnMarksChecked(WPARAM generation, LPARAM)
{
    bool finished = false;
    for (const MarkCheckResult& result : m_markChecks.TakeResults(static_cast<unsigned>(generation), finished))
        m_pcList.ApplyMarkCheck(result.index, result.passed);
    // Rows move only when no drag holds their numbers; the drop sorts then.
    if (finished && !IsListDragging())
        m_pcList.SortAfterMarkChecks();
    return 0;
}

bool CTransferPage::HandOverLostInstrument()
{
    CUSBPort* port = GetPort();
    if (!port || !port->IsInstrumentLost())
        return false;
    // The view says it once for everything that failed with it.
    CWnd* main = AfxGetMainWnd();
    ReportInstrumentLost(main && main->GetSafeHwnd() ? main->GetSafeHwnd() : ::GetParent(GetSafeHwnd()));
    return true;
}

void CTransferPage::RefreshDeviceList()
{
    ShowConnectionPicture();
    CUSBPort* port = GetPort();
    if (!port || !m_devList.GetSafeHwnd() || HandOverLostInstrument())
        return;
    const UINT profileSize = GetFileSizeRule(m_info.kind);
    const SlotTableRead read =
        ReadSlotTable(*port, m_info, static_cast<UINT>(m_devList.GetSlotCount()), profileSize);
    // Cleared and filled under one pause of its painting (each pause's end
    // lays the list out again); a failure shows the cleared list first.
    std::optional<CDevFileListCtrl::PaintPause> pause(std::in_place, m_devList);
    m_devList.ClearAll();
    m_slotRows = read.rows;
    if (!read.listed || !read.sizeFailures.empty()) {
        pause.reset();
        // Queries that failed because the instrument has gone are not its failures.
        if (!port->ConfirmPresence() && HandOverLostInstrument())
            return;
        if (!read.listed) {
            UpdateTitles();  // the cleared list's count
            GetTransferNotes().Show(kIconWarning, m_info.loadFailedText, MB_MODE_OK);
            return;
        }
        for (std::size_t failure = 0; failure < read.sizeFailures.size(); ++failure)
            GetTransferNotes().Show(kIconWarning, 215, MB_MODE_OK);
        pause.emplace(m_devList);
    }
    for (const SlotRow& row : read.rows) {
        if (!row.used)
            continue;
        const int listRow = m_devList.SetSlot(row.slot, row.name, row.size);
        // A size the instrument did not tell shows as an empty cell, not as 0.
        if (listRow >= 0 && !row.sizeKnown)
            m_devList.SetItemText(listRow, 2, L"");
    }
    UpdateTitles();
}

void CTransferPage::LoadSettings()
{
    if (!m_pcList.GetSafeHwnd())
        return;
    LoadListSort(m_pcList, m_info.kind, false);
    LoadListSort(m_devList, m_info.kind, true);
}

void CTransferPage::SaveSettings()
{
    if (!m_pcList.GetSafeHwnd())
        return;
    SaveListSort(m_pcList, m_info.kind, false);
    SaveListSort(m_devList, m_info.kind, true);
}

void CTransferPage::GetExcludeRects(std::vector<CRect>& rects)
{
    for (CWnd* list : {static_cast<CWnd*>(&m_devList), static_cast<CWnd*>(&m_pcList)}) {
        if (!list->GetSafeHwnd())
            continue;
        CRect rect;
        list->GetWindowRect(&rect);
        ScreenToClient(&rect);
        rects.push_back(rect);
    }
}

LRESULT CTransferPage::OnFolderChanged(WPARAM, LPARAM)
{
    FillPCList();
    return 0;
}

LRESULT CTransferPage::OnDeviceLost(WPARAM, LPARAM)
{
    m_runner.CancelAndJoin();
    CancelMarkChecks();
    m_pcList.RemoveAllFiles();
    m_devList.InitSlots(0);
    m_devList.ClearAll();
    m_slotRows.clear();
    UpdateTitles();
    ShowConnectionPicture();
    return 0;
}

LRESULT CTransferPage::OnLanguageChanged(WPARAM, LPARAM)
{
    ReloadTexts();
    Invalidate();
    return 0;
}

// ---- Transfers ----------------------------------------------------------

void CTransferPage::OnDownloadSelected()
{
    if (!GetPort() || m_pcList.GetItemCount() == 0 || m_devList.GetItemCount() == 0)
        return;
    if (m_pcList.HasInvalidSelection()) {
        GetTransferNotes().Show(kIconWarning, 241, MB_MODE_OK);
        return;
    }
    CUIntArray pcRows, devRows;
    m_pcList.GetSelectedRows(pcRows);
    m_devList.GetSelectedRows(devRows);
    if (pcRows.GetSize() == 0) {
        GetTransferNotes().Show(kIconWarning, 121, MB_MODE_OK);
        return;
    }
    if (devRows.GetSize() == 0) {
        GetTransferNotes().Show(kIconWarning, 122, MB_MODE_OK);
        return;
    }
    StartDownload(pcRows, devRows);
}

int CTransferPage::StartDownload(const CUIntArray& pcRows, const CUIntArray& devRows)
{
    if (pcRows.GetSize() == 0 || devRows.GetSize() == 0)
        return 1;
    // The names are taken before any question: the rows may be sorted again
    // (mark checks ending) while a box is up.
    std::vector<CString> names;
    for (INT_PTR i = 0; i < pcRows.GetSize(); ++i)
        names.push_back(m_pcList.GetItemText(static_cast<int>(pcRows[i]), 0));
    return StartDownloadOf(GetFolder(), std::move(names), devRows);
}

bool CTransferPage::DownloadFileToInstrument(const CString& path)
{
    CUSBPort* port = GetPort();
    if (!port || m_devList.GetItemCount() == 0)
        return false;
    if (port->IsBusyAfterKeepAlive() || m_runner.IsRunning()) {
        GetTransferNotes().Show(kIconWarning, IDS_DOWNLOAD_BUSY, MB_MODE_OK);
        return false;
    }
    CFileStatus status;
    if (!CFile::GetStatus(path, status) || !IsFileStillValid(path, static_cast<ULONGLONG>(status.m_size))) {
        GetTransferNotes().Show(kIconWarning, 241, MB_MODE_OK);
        return false;
    }
    int row = -1;
    for (int candidate = 0; candidate < m_devList.GetItemCount() && row < 0; ++candidate) {
        if (m_devList.IsSlotFree(candidate))
            row = candidate;
    }
    if (row < 0 && (row = ChooseSlotToReplace()) < 0)
        return false;
    CUIntArray devRows;
    devRows.Add(static_cast<UINT>(row));
    return StartDownloadOf(GetFolderOfPath(path), {GetFileNameOfPath(path)}, devRows) == 1;
}

int CTransferPage::ChooseSlotToReplace()
{
    std::vector<CChooseSlotDlg::Slot> slots;
    for (int row = 0; row < m_devList.GetItemCount(); ++row)
        slots.push_back({row, m_devList.GetItemText(row, 0) + L"   " + m_devList.GetItemText(row, 1)});
    CChooseSlotDlg dialog(std::move(slots), this);
    return dialog.DoModal() == IDOK ? dialog.GetChosenRow() : -1;
}

int CTransferPage::StartDownloadOf(const CString& folder, std::vector<CString> names, const CUIntArray& devRows)
{
    CUSBPort* port = GetPort();
    if (!port || port->IsBusyAfterKeepAlive() || m_runner.IsRunning())
        return 0;
    TransferDownloadJob request;
    request.names = std::move(names);
    if (!m_devList.AreSlotsFree(devRows) &&
        ShowPlainMessageBox(LoadResString(144), MB_YESNO | MB_ICONQUESTION, GetSafeHwnd()) != IDYES)
        return 0;
    if (request.names.size() != static_cast<std::size_t>(devRows.GetSize()))
        GetTransferNotes().Ask(216, FALSE, 0);

    request.kind = m_info.kind;
    request.folder = folder;
    for (INT_PTR i = 0; i < devRows.GetSize(); ++i) {
        CUIntArray one, slot;
        one.Add(devRows[i]);
        request.slots.push_back(m_devList.GetSlotNumbers(one, slot) && slot.GetSize() == 1
                                    ? static_cast<int>(slot[0])
                                    : -1);
    }
    const int kind = m_info.kind;
    const CString model = ConnectedModel();
    const TransferKindInfo& info = m_info;
    request.stillValid = [kind, model, &info](const CString& path, ULONGLONG size) {
        return FitsSizeRule(info, GetFileSizeRule(kind), size) && IsDeviceFileOfKind(kind, model, path);
    };
    return m_runner.StartDownload(*port, GetSafeHwnd(), std::move(request)) ? 1 : 0;
}

void CTransferPage::OnUploadSelected()
{
    if (!GetPort())
        return;
    CUIntArray rows;
    m_devList.GetSelectedUsedRows(rows);
    if (rows.GetSize() == 0) {
        GetTransferNotes().Show(kIconWarning, 179, MB_MODE_OK);
        return;
    }
    StartUpload(rows);
}

void CTransferPage::OnUploadAll()
{
    if (!GetPort() || m_devList.GetItemCount() == 0)
        return;
    CUIntArray rows;
    for (int row = 0; row < m_devList.GetItemCount(); ++row) {
        if (!m_devList.IsSlotFree(row))
            rows.Add(static_cast<UINT>(row));
    }
    StartUpload(rows);
}

int CTransferPage::StartUpload(const CUIntArray& devRows)
{
    CUSBPort* port = GetPort();
    if (!port || port->IsBusyAfterKeepAlive() || m_runner.IsRunning())
        return 0;
    CStringArray names;
    CUIntArray slots;
    m_devList.GetSlotNames(devRows, names);
    m_devList.GetSlotNumbers(devRows, slots);
    const CString folder = GetFolder();
    for (INT_PTR i = 0; i < names.GetSize(); ++i) {
        if (RegularFileExists(folder + names[i] + m_info.extension)) {
            if (GetTransferNotes().Show(-1, 145, MB_MODE_OKCANCEL) != IDOK)
                return 0;
            break;
        }
    }
    TransferUploadJob request;
    request.kind = m_info.kind;
    request.folder = folder;
    request.extension = m_info.extension;
    const UINT profileSize = GetFileSizeRule(m_info.kind);
    for (INT_PTR i = 0; i < names.GetSize() && i < slots.GetSize(); ++i) {
        const int slot = static_cast<int>(slots[i]);
        request.slots.push_back(slot);
        request.names.push_back(names[i]);
        const bool known = slot >= 0 && static_cast<std::size_t>(slot) < m_slotRows.size();
        request.expectedSizes.push_back(known ? ExpectedUploadSize(m_slotRows[static_cast<std::size_t>(slot)], profileSize)
                                              : profileSize);
    }
    const int kind = m_info.kind;
    request.setFolderWatch = [kind](bool on) { SetFolderWatch(kind, on); };
    return m_runner.StartUpload(*port, GetSafeHwnd(), std::move(request)) ? 1 : 0;
}

LRESULT CTransferPage::OnTransferDone(WPARAM wParam, LPARAM)
{
    if (wParam == 1) {
        FillPCList();
        GetTransferNotes().Ask(217, FALSE, 1);
        return 0;
    }
    if (HandOverLostInstrument())
        return 0;
    // A failed slot or file was reported as it happened, with its cause; only
    // a cancel has not been told yet.
    if (wParam == 2)
        GetTransferNotes().Show(kIconWarning, 126, MB_MODE_OK);
    FillPCList();
    // What the instrument holds after a failure is read again, not assumed.
    RefreshDeviceList();
    return 0;
}

LRESULT CTransferPage::OnDownloadFinished(WPARAM, LPARAM everyFileSent)
{
    RefreshDeviceList();
    if (everyFileSent == 1 && GetPort() && !GetPort()->IsInstrumentLost())
        GetTransferNotes().Ask(124, FALSE, 1);
    return 0;
}

LRESULT CTransferPage::OnWorkerFileError(WPARAM cause, LPARAM lParam)
{
    const std::unique_ptr<CString> path = TakePostedText(lParam);
    ShowPlainMessageBox(GetFileErrorSentence(static_cast<int>(cause)) + (path ? *path : CString()), MB_OK | MB_ICONWARNING,
                        GetSafeHwnd());
    return 0;
}

LRESULT CTransferPage::OnWorkerFileRejected(WPARAM, LPARAM lParam)
{
    const std::unique_ptr<CString> path = TakePostedText(lParam);
    CString text;
    text.Format(LoadResString(IDS_FILE_NO_LONGER_FITS_FMT), path ? GetFileNameOfPath(*path).GetString() : L"");
    GetTransferNotes().ShowText(kIconWarning, MB_MODE_OK, text);
    return 0;
}

LRESULT CTransferPage::OnWorkerFolderWritten(WPARAM, LPARAM)
{
    FillPCList();
    return 0;
}
