// The program's main frame: menu, status bar with the transfer progress bar and
// its cancel button, and the docked workspace bar. It relays the program's own
// messages (pages/AppMessages.h) to the view and the workspace bar.
#pragma once

#include <afxext.h>
#include <afxwin.h>

#include <memory>

#include "app/shell/FrameProgress.h"
#include "widgets/CylinderProgressCtrl.h"
#include "widgets/MenuEx.h"
#include "widgets/MyButton.h"
#include "widgets/SkinMenuRender.h"

class CWorkspaceBar;
class CKeyloftView;
class CUSBPort;

class CMainFrame : public CFrameWnd, public ISkinMenuRender {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) override;
    // Builds the bars before the frame is first shown.
    void ActivateFrame(int nCmdShow = -1) override;

    // Builds what the frame shows around its view: the status bar with the
    // progress bar and its cancel button, the docked workspace bar, the menu
    // and the visual manager. The frame is created without them, as they are
    // not needed while it is hidden: start-up builds them once the chooser has
    // closed, and the first showing at the latest. Builds once; false when a bar
    // could not be made.
    bool CompleteFrame();

    // The caption when no instrument is connected: program name, " - ",
    // "not connected", all in the current language.
    static CString NotConnectedCaption();

    CStatusBar& GetStatusBar() { return m_statusBar; }
    CCylinderProgressCtrl& GetProgressBar() { return m_progress; }
    CMyButton& GetCancelButton() { return m_cancelButton; }
    CMenuEx& GetSkinnedMenu() { return m_menu; }
    // Null when the workspace bar could not be made.
    CWorkspaceBar* GetWorkspaceBar() const;
    CKeyloftView* GetKeyloftView() const;

    // The Window popup's items that the device profile's page switches hide.
    static void RemoveHiddenWindowItems(CMenu& windowPopup);
    // True for the Window popup of menu 128, whatever it has lost already.
    static bool IsWindowPopup(CMenu& popup);

    // ---- Seams (the program keeps the defaults).
    // The port whose cancel request command 1226 sets: the view's.
    virtual CUSBPort* GetActivePort() const;
    // The restore-defaults question; IDOK to go on.
    virtual int AskRestoreDefaults();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);

    afx_msg void OnToggleFunctionBar();
    afx_msg void OnUpdateToggleFunctionBar(CCmdUI* pCmdUI);
    afx_msg void OnWindowPage(UINT nID);
    afx_msg void OnMinimize();
    afx_msg void OnHelp();
    afx_msg void OnCancelTransfer();
    afx_msg void OnRestoreDefaults();
    afx_msg void OnPageCommand(UINT nID);

    afx_msg LRESULT OnSelectPage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnBringPageForward(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDevProfileLoaded(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnProgressBegin(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnProgressStep(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnProgressEnd(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeviceRemoved(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFirmwarePage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLanguageChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeviceLost(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCompleteFrame(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateBars();
    void SetupStatusBar();
    void LoadMainMenu();
    void ApplyProgress(const FrameProgress& progress);
    LRESULT SendToView(UINT message, WPARAM wParam, LPARAM lParam) const;
    void PostToView(UINT message, WPARAM wParam, LPARAM lParam) const;

    CStatusBar m_statusBar;
    CCylinderProgressCtrl m_progress;
    CMyButton m_cancelButton;
    std::unique_ptr<CControlBar> m_workspaceBar;
    CMenuEx m_menu;
    FrameProgress m_progressState;
    // The Window popup has lost items since the menu was loaded.
    bool m_menuTrimmed = false;
    bool m_completed = false;
    bool m_completeFailed = false;
};
