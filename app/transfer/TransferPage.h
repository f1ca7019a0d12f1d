// A transfer page: the PC files of one data folder beside the instrument's slots
// of the same kind, with toolbars, menus, keys and drag and drop between them.
// One class serves the four kinds; the four page classes only pick the kind.
#pragma once

#include <afxext.h>

#include <vector>

#include "app/lists/DevFileListCtrl.h"
#include "app/lists/PCFileListCtrl.h"
#include "app/transfer/MarkCheckRunner.h"
#include "app/transfer/PageTitle.h"
#include "app/transfer/PCFolderListing.h"
#include "app/transfer/SlotTable.h"
#include "app/transfer/TransferKindInfo.h"
#include "app/transfer/TransferRunner.h"
#include "pages/BaseDlg.h"
#include "widgets/ImageStatic.h"
#include "widgets/PngButton.h"

class CTransferPage : public CBaseDlg {
public:
    explicit CTransferPage(int kind, CWnd* pParent = nullptr);
    ~CTransferPage() override;

    int GetKind() const { return m_info.kind; }
    const TransferKindInfo& GetKindInfo() const { return m_info; }

    // CBaseDlg hooks.
    void Attach(IPageHost* pView, CUSBPort* pPort) override;
    CString GetFolder() const override;
    void RefreshDeviceList() override;
    void LoadSettings() override;
    void SaveSettings() override;
    void ReloadTexts() override;
    void OnDropFiles(const CStringArray& files) override;
    void OnDropFolders(const CStringArray& folders) override;
    void GetExcludeRects(std::vector<CRect>& rects) override;
    LRESULT OnFolderChanged(WPARAM fileKind, LPARAM lParam) override;
    LRESULT OnDeviceLost(WPARAM wParam, LPARAM lParam) override;

    // Shows the data folder's files at once; their marks are checked after, off
    // the GUI thread, from the moment the new rows are on screen
    // (IsCheckingMarks until every row is judged).
    void FillPCList();
    // The same with the folder's listing in hand (ListPCFolder of GetFolder).
    void ShowPCFiles(std::vector<PCFolderEntry> entries);
    bool IsCheckingMarks() const { return m_owedMarkCheck != nullptr || m_markChecks.IsChecking(); }
    // Rows of the two lists, ascending. 1 when started or nothing to do, 0 refused.
    int StartDownload(const CUIntArray& pcRows, const CUIntArray& devRows);
    int StartUpload(const CUIntArray& devRows);
    // A drag between the two lists (a record of WM_USER+11): the drop marker
    // follows it, and a drop downloads or uploads the dragged rows.
    void OnDragDrop(const DragNotifyRecord& record);
    // Downloads one file from anywhere (a song just converted, say) with the
    // page's checks, questions, progress and failure handling: into the first
    // empty slot, or the slot the user chooses to replace when none is empty.
    // False when no download was started.
    bool DownloadFileToInstrument(const CString& path);

    // The running job, for the view's shutdown and for tests.
    bool IsTransferRunning() const { return m_runner.IsRunning(); }
    void StopTransfer() { m_runner.CancelAndJoin(); }

    CPCFileListCtrl& GetPCList() { return m_pcList; }
    CDevFileListCtrl& GetDevList() { return m_devList; }
    CString GetPCTitle() const;
    CString GetDeviceTitle() const;
    // What the device list read last: rows with known or unknown sizes.
    const std::vector<SlotRow>& GetSlotRows() const { return m_slotRows; }

    // Command handlers (public so that tests can drive them).
    afx_msg void OnDownloadSelected();
    afx_msg void OnUploadSelected();
    afx_msg void OnUploadAll();
    afx_msg void OnDeleteSelected();
    afx_msg void OnDeleteAll();
    afx_msg void OnAddFiles();
    afx_msg void OnAddFolder();
    afx_msg void OnRemoveSelected();
    afx_msg void OnRemoveAll();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPCListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDevListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnPCListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnToolBarDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnDragNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLanguageChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTransferDone(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDownloadFinished(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWorkerFileError(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWorkerFileRejected(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWorkerFolderWritten(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMarksChecked(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void UpdateTitles();
    // When the port found the instrument gone, hands the loss to the view
    // (once) and returns true: the page then reports nothing of its own.
    bool HandOverLostInstrument();
    void PlaceToolBars();
    // Checks the marks of the rows the fill left pending, on the mark-check worker.
    void StartMarkChecks(const CPCFileListCtrl::MarkCheck& check);
    // The same once the list has painted its new rows (at once when the list
    // is not on screen): the worker reads every file, and on a busy machine it
    // would hold the rows back from the screen.
    void StartMarkChecksOnceShown(CPCFileListCtrl::MarkCheck check);
    // Stops the checks running or owed; their results are dropped.
    void CancelMarkChecks();
    // The download of named files of a folder into the slots of device rows.
    int StartDownloadOf(const CString& folder, std::vector<CString> names, const CUIntArray& devRows);
    // The slot a file replaces when none is empty: the user's choice, -1 for none.
    virtual int ChooseSlotToReplace();
    void CopyIntoFolder(const std::vector<CString>& sources);
    bool IsFileStillValid(const CString& path, ULONGLONG size) const;
    CString ConnectedModel() const;
    void ShowConnectionPicture();

    const TransferKindInfo& m_info;
    CPCFileListCtrl m_pcList;
    CDevFileListCtrl m_devList;
    CPageTitle m_pcTitle;
    CString m_pcTitleFormat;  // the PC title's format in the current language
    CPageTitle m_devTitle;
    CPngButton m_uploadButton;
    CPngButton m_downloadButton;
    CImageList m_pcImages;
    CToolBar m_pcBar;
    CToolBar m_devBar;
    CImageStatic m_pcPicture;
    CImageStatic m_devPicture;
    std::vector<SlotRow> m_slotRows;
    CTransferRunner m_runner;
    CMarkCheckRunner m_markChecks;
    CPCFileListCtrl::MarkCheck m_owedMarkCheck;  // to start after the list's next paint
};

class CDownSongDlg1 : public CTransferPage {
public:
    explicit CDownSongDlg1(CWnd* pParent = nullptr) : CTransferPage(0, pParent) {}
};
class CDownStyleDlg1 : public CTransferPage {
public:
    explicit CDownStyleDlg1(CWnd* pParent = nullptr) : CTransferPage(1, pParent) {}
};
class CDownVoiceDlg1 : public CTransferPage {
public:
    explicit CDownVoiceDlg1(CWnd* pParent = nullptr) : CTransferPage(2, pParent) {}
};
class CDownMemoryDlg1 : public CTransferPage {
public:
    explicit CDownMemoryDlg1(CWnd* pParent = nullptr) : CTransferPage(3, pParent) {}
};
