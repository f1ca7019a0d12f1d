// The base of every page the main view shows: a resizable dialog with a painted
// background, string-table tooltips, an optional accelerator table, file and
// folder drop, and the hooks through which the view drives the page.
#pragma once

#include <afxwin.h>

#include <vector>

#include "widgets/ResizableDialog.h"

class CUSBPort;
class IPageHost;

// Messages the view and the page's own controls send to a page.
constexpr UINT WM_PAGE_SELECTED = WM_USER + 1;  // the view tells every page which one shows
constexpr UINT WM_PAGE_PICTURE_CLICKED = WM_USER + 9;
constexpr UINT WM_PAGE_FOLDER_CHANGED = WM_USER + 10;
constexpr UINT WM_PAGE_DEVICE_LOST = WM_USER + 28;

// Posted by a page to itself when it is shown: it then takes the focus.
constexpr UINT WM_PAGE_TAKE_FOCUS = WM_APP + 60;

// The picture control whose click opens the page's folder.
constexpr UINT IDC_PAGE_FOLDER_PICTURE = 1036;

class CBaseDlg : public CResizableDialog {
public:
    explicit CBaseDlg(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CBaseDlg() override;

    CBaseDlg(const CBaseDlg&) = delete;
    CBaseDlg& operator=(const CBaseDlg&) = delete;

    // Hooks, in the order the view uses them; each default is neutral.
    // The view, seen through what it offers its pages (pages/PageHost.h).
    virtual void Attach(IPageHost* pView, CUSBPort* pPort);
    virtual IPageHost* GetView() const;
    virtual CUSBPort* GetPort() const;
    virtual CString GetFolder() const;
    virtual void RefreshDeviceList();
    virtual bool CanClose();
    virtual void LoadSettings();
    virtual void SaveSettings();
    virtual void ReloadTexts();
    virtual void OnDropFiles(const CStringArray& files);
    virtual void OnDropFolders(const CStringArray& folders);
    // Client rectangles that paint themselves and are left out of the background.
    virtual void GetExcludeRects(std::vector<CRect>& rects);
    virtual LRESULT OnPictureClicked(WPARAM controlId, LPARAM lParam);
    virtual LRESULT OnFolderChanged(WPARAM fileKind, LPARAM lParam);
    virtual LRESULT OnDeviceLost(WPARAM wParam, LPARAM lParam);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Loads an accelerator table the page translates its keys through (0 drops it).
    void LoadPageAccelerators(UINT acceleratorId);
    HACCEL GetPageAccelerators() const { return m_hAccel.Get(); }

    // The background brush for transparent control backgrounds.
    CBrush& GetNullBrush() { return m_nullBrush; }
    const CRect& GetStoredClientRect() const { return m_clientRect; }
    // The background buffer's size (0, 0 before the first paint); tests read it.
    CSize GetBackBufferSize() const { return m_backBufferSize; }
    // Counts how often the background buffer was drawn anew.
    int GetBackBufferBuilds() const { return m_backBufferBuilds; }

    // Sorts dropped paths into files and folders, in drop order. A path that
    // names neither counts as a file: the page decides.
    static void SplitDroppedPaths(HDROP hDrop, CStringArray& files, CStringArray& folders);
    // The status part and the tooltip part of a "status text\ntooltip" string.
    static bool ReadToolTipString(UINT stringId, CString& status, CString& tip);

protected:
    BOOL OnInitDialog() override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnToolTipText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnPictureClickedMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFolderChangedMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPageSelectedMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeviceLostMsg(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg LRESULT OnTakeFocusMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void UpdateBackBuffer(CDC* pDC, const CRect& client);

    IPageHost* m_pView = nullptr;
    CUSBPort* m_pPort = nullptr;
    CBrush m_nullBrush;
    CRect m_clientRect;
    CAcceleratorHandle m_hAccel;
    CBitmap m_backBuffer;
    CSize m_backBufferSize{0, 0};
    int m_backBufferBuilds = 0;
    COLORREF m_backColor = RGB(255, 255, 255);
    bool m_altChordTaken = false;  // an accelerator took an Alt chord; Alt is still down
};
