// A small wizard frame that lives inside another window: CNewWizDialog keeps an
// ordered list of page dialogs and switches among them with its Back, Next and
// Finish buttons; CNewWizPage is the base of every page.
//
// A page refuses to move on by showing its own message and returning
// kStayOnPage from OnWizardNext/OnWizardBack (or FALSE from OnKillActive).
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include <vector>

#include "widgets/TranDlg.h"
#include "widgets/WidgetLook.h"

class CNewWizDialog;
class CSliderDlg;
class IPageHost;

class CNewWizPage : public CTranDlg {
public:
    // What OnWizardBack/OnWizardNext return to stay on the page.
    static constexpr LRESULT kStayOnPage = -1;

    // stepCaptionId: the page's "Step n / 3" caption, drawn in red and bold.
    CNewWizPage(UINT dialogId, UINT stepCaptionId);
    ~CNewWizPage() override;

    UINT GetDialogId() const { return m_dialogId; }
    CNewWizDialog* GetFrame() const { return m_frame; }
    bool IsCreated() const { return m_created; }
    bool IsActive() const { return m_active; }

    // Hooks, with neutral defaults.
    virtual BOOL OnCreatePage() { return TRUE; }          // FALSE: the page is not shown
    virtual void OnDestroyPage() {}
    virtual BOOL OnKillActive() { return TRUE; }          // FALSE keeps the page
    virtual void OnSetActive() {}
    virtual BOOL OnQueryCancel() { return TRUE; }
    virtual LRESULT OnWizardBack() { return 0; }          // 0 previous, -1 stay, else a dialog id
    virtual LRESULT OnWizardNext() { return 0; }          // 0 next, -1 stay, else a dialog id
    virtual BOOL OnWizardFinish() { return TRUE; }

    // Relays to the tool tips and swallows Enter and Escape: the page never closes.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnInitDialog() override;
    // Green texts on white; the step caption red.
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    // The program's hand cursor over the page's buttons.
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    // Popup menus the page tracks are shown see-through (see SetMenuAlpha).
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg LRESULT OnMenuShown(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The opacity (0-255) of the popup menus the page tracks without
    // TPM_NONOTIFY; 255, the default, leaves them opaque.
    void SetMenuAlpha(BYTE alpha) { m_menuAlpha = alpha; }

    // A tool tip from the string table.
    void AddToolTip(CWnd* control, UINT stringId);
    // Hides a popup slider on any click outside it or on Escape.
    void HideSliderOnClick(CSliderDlg& slider, const MSG* pMsg);

    CFont m_titleFont;
    CGdiHandle<HBRUSH> m_whiteBrush;
    CToolTipCtrl m_toolTip;

private:
    friend class CNewWizDialog;
    CNewWizDialog* m_frame = nullptr;
    bool m_created = false;
    bool m_active = false;
    UINT m_dialogId = 0;
    UINT m_stepCaptionId = 0;
    BYTE m_menuAlpha = 255;
};

class CNewWizDialog : public CDialog {
public:
    explicit CNewWizDialog(UINT dialogId, CWnd* pParent = nullptr);
    ~CNewWizDialog() override;

    void AddPage(CNewWizPage* page) { m_pages.push_back(page); }
    // Creates the page on first use, asks the current page to let go, and
    // shows the page over the placeholder control. FALSE when it did not happen.
    BOOL SetActivePage(CNewWizPage* page);
    CNewWizPage* GetActivePage() const;
    const std::vector<CNewWizPage*>& GetPages() const { return m_pages; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The view the wizard's page is attached to (null until then): what the
    // steps ask of the view goes through it.
    void SetHost(IPageHost* host) { m_host = host; }
    IPageHost* GetHost() const { return m_host; }

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnOK() override {}
    afx_msg void OnWizardBack();
    afx_msg void OnWizardNext();
    afx_msg void OnWizardFinish();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    // Shows the first page with the buttons of the first step.
    void ShowFirstPage();
    void ShowButton(UINT id, bool shown);
    void EnableButton(UINT id, bool enabled);

    int m_placeholderId = 0;

private:
    // The page a hook's answer names: 0 the neighbour in the list, -1 none,
    // else the page with that dialog id.
    CNewWizPage* PageForAnswer(LRESULT answer, int step) const;
    int IndexOf(const CNewWizPage* page) const;

    std::vector<CNewWizPage*> m_pages;
    IPageHost* m_host = nullptr;
};
