// The program's one view: owns the device port for the whole run and the page
// table of the seven page slots, runs the instrument connection (chooser,
// probes, device profile, pages), the keep-alive and folder-watch threads, the
// connect/disconnect commands, the loss of the instrument and the close query.
#pragma once

#include <afxwin.h>

#include <boost/shared_ptr.hpp>

#include <array>
#include <functional>
#include <memory>

#include "pages/AppMessages.h"
#include "app/view/ViewGlobals.h"
#include "core/link/USBPort.h"
#include "pages/PageHost.h"

class CBaseDlg;  // pages/BaseDlg.h
class CViewThreads;

// Dialog ids of the page slots (0 for the firmware slot, which has no page).
UINT PageDialogId(int slot);

// Sets the connected device name (the chooser's label, empty when none) and
// writes "set_connected_system:<name>" to the trace log.
void SetConnectedSystem(LPCTSTR deviceName);

class CKeyloftView : public CView, public IPageHost {
    DECLARE_DYNCREATE(CKeyloftView)

public:
    using PagePtr = boost::shared_ptr<CBaseDlg>;
    // Makes the page of a slot as a hidden child window of parent; empty when
    // the slot has no page in this build.
    using PageFactory = std::function<PagePtr(int slot, CWnd* parent)>;

    CKeyloftView();
    ~CKeyloftView() override;

    // The one device port.
    CUSBPort& GetPort() { return m_port; }
    // The port handed to pages: null until the first connection.
    CUSBPort* GetPortForPages() { return m_port.GetMode() == CUSBPort::kModeClosed ? nullptr : &m_port; }

    // The page of a slot when the slot is below 7 and its page has a live
    // window; else empty.
    PagePtr GetPage(int slot) const;
    PagePtr GetCurrentPage() const { return GetPage(m_currentPage); }
    int GetCurrentPageSlot() const { return m_currentPage; }

    void FitCurrentPage();
    void LoadPageSettings();
    void SavePageSettings();

    // The close query: every page may refuse; then the instrument is closed.
    // True when it was closed.
    virtual BOOL CloseDevice();
    // Closes the instrument and forgets its names and device profile.
    void Disconnect();
    // True when the model's device profile exists or was fetched and written.
    BOOL EnsureDevProfile();
    // Fetches the instrument's voice-name list into "INS\<model>.ins".
    BOOL FetchInsFile() override;
    // Rebuilds the pages the device profile switches on (running jobs are
    // stopped first). The shown page is made at once, the others in slot order
    // once the window is up, or earlier when GetPage asks for one.
    void BuildPages();
    // Stops every page's running job, then releases every page.
    void ReleasePages();

    // ---- Seams (the program keeps the defaults).
    // The pause between the chooser and opening the MIDI pair at start-up.
    DWORD m_connectPauseMs = 2000;
    // The keep-alive's period.
    DWORD m_keepAlivePeriodMs = 3000;
    // Probes tried at start-up before giving up with string 243.
    int m_startupProbeCount = 5;
    // The pause before probing again an instrument that answered "busy".
    DWORD m_busyProbePauseMs = 500;
    // Where page objects come from (default: the program's own pages).
    void SetPageFactory(PageFactory factory) { m_pageFactory = std::move(factory); }
    // Stops and joins the keep-alive and folder-watch threads (also done at
    // destruction, before the port goes).
    void StopThreads();
    // Number of background threads still running.
    int GetRunningThreadCount() const;
    // Starts the background threads (the first update does it).
    void StartThreads();

    // The chooser: returns IDOK with the MIDI pair to open, or IDCANCEL.
    // Virtual so that a test can answer it.
    virtual INT_PTR RunChooser(bool startupMode, UINT& outId, UINT& inId);
    // The program's message box for a lost instrument (string 235).
    virtual void NotifyDeviceLost();
    // The disconnect question (string 240); true for OK.
    virtual bool AskDisconnect();
    // Where the keep-alive posts a lost instrument: the main window by default
    // (which hands it back to this view); set before the first update.
    void SetDeviceLostTarget(HWND target) { m_deviceLostTarget = target; }
    // True once the start-up asked the program to end.
    bool IsProgramEnding() const { return m_programEnding; }
    // True after the instrument was removed and until the next connection.
    bool IsDeviceRemoved() const { return m_deviceRemoved; }
    // The caption the frame shows: program name, " - ", device or "not connected".
    static CString MakeCaption();

    // What the pages ask of the view (ViewPageHost.cpp).
    void SetFolderWatch(int fileKind, bool on) override;
    void NotifyFolderChanged(int fileKind) override;
    bool DownloadSongFile(const CString& path) override;

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg LRESULT OnSelectPage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnBuildPendingPages(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFolderChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLanguageChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeviceLost(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeviceRemoved(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFirmwarePageMsg(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnConnectDevice();
    afx_msg void OnDisconnectDevice();
    afx_msg void OnUpdateDisconnectDevice(CCmdUI* pCmdUI);
    afx_msg void OnUpdateWindowPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdateWindowFirmware(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    // Tree, caption, connected flag, pages and their settings.
    void FinishConnection();
    // Opens the chosen pair and switches the port to the MIDI path.
    bool OpenMidiPair(UINT outId, UINT inId);
    void CloseMidiPair();
    void SetCaption();
    void EndProgram();
    // The start-up's pause between the chooser and opening the pair
    // (m_connectPauseMs), during which the frame builds its bars; false when
    // the frame could not build them.
    bool PauseBeforeConnecting();
    // The connect command's body; true when an instrument is now connected.
    bool ConnectFromChooser();
    // Clears everything of a gone instrument (port, names, profile, pages).
    void ForgetInstrument();
    // Stops the page jobs, says goodbye to the instrument when asked (the
    // close packet), closes the link and forgets the instrument's names and
    // device profile. The pages stay.
    void DropInstrumentLink(bool sendClosePacket);
    // Trace line, series entry, device profile (fetched when missing) and its
    // selection: the steps after every successful connection.
    bool PrepareConnectedModel();
    // Asks each page's running job to stop and waits for it.
    void StopPageJobs();
    CWnd* MainWindow() const;

    // Makes, attaches, shows or hides and fills the page of a pending slot.
    void BuildPage(int slot);
    // The page a build shows first, made during the pause before connecting
    // when the chooser has already selected the model's device profile: the
    // build then takes it instead of making it anew.
    void MakeShownPageAhead();
    // The page made ahead for a slot when it was made under the device profile,
    // for the device and with the model's series as they are now, else a newly
    // made one.
    PagePtr MakePage(int slot);
    void DiscardPageMadeAhead();

    std::array<PagePtr, PageSlot::Count> m_pages{};
    struct PageMadeAhead {
        int slot = -1;
        PagePtr page;
        CString profilePath;
        CString deviceName;
        CString series;
    };
    PageMadeAhead m_pageMadeAhead;
    // Slots of the last build whose page is still to be made.
    std::array<bool, PageSlot::Count> m_pagePending{};
    bool m_pageSettingsLoaded = false;
    int m_currentPage = -1;
    CUSBPort m_port;
    bool m_deviceRemoved = false;
    bool m_programEnding = false;
    HWND m_deviceLostTarget = nullptr;
    PageFactory m_pageFactory;
    std::unique_ptr<CViewThreads> m_threads;
};

// The active view of the main frame, or null.
CKeyloftView* GetActiveKeyloftView();
