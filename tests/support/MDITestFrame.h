// An MDI frame for the tests of the MDI client area: the frame's MDI client
// subclassed by the library's client area, document windows that count as
// library document windows (a document name, a tab group, the to-be-destroyed
// mark), and the frame's hooks recorded (documents opened by name, further
// windows, the drop menu), some of them refusing on request.
#pragma once

#include <afxwin.h>

#include "guilib/frames/KGPMainClientAreaWnd.h"

#include <set>
#include <string>
#include <vector>

namespace keyloft_test {

class CMDITestChild : public CMDIChildWnd, public IKGPMDITabChild {
public:
    explicit CMDITestChild(const CString& strDocument) : m_strDocument(strDocument) {}

    BOOL CanShowOnMDITabs() override { return m_bCanShowOnTabs; }
    void GetFrameText(CString& strText) const override { GetWindowText(strText); }
    HICON GetFrameIcon() const override { return nullptr; }
    CString GetDocumentName(CObject** ppObj) override;
    CKGPTabWnd* GetRelatedTabGroup() const override { return m_pRelatedTabGroup; }
    void SetRelatedTabGroup(CKGPTabWnd* pGroup) override { m_pRelatedTabGroup = pGroup; }
    BOOL IsToBeDestroyed() const override { return m_bToBeDestroyed; }
    void SetToBeDestroyed(BOOL bToBeDestroyed) override { m_bToBeDestroyed = bToBeDestroyed; }
    int GetTabbedPaneID() const override { return -1; }

    CString m_strDocument;
    BOOL m_bCanShowOnTabs = TRUE;

protected:
    void PostNcDestroy() override { delete this; }
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    DECLARE_MESSAGE_MAP()

private:
    CKGPTabWnd* m_pRelatedTabGroup = nullptr;
    BOOL m_bToBeDestroyed = FALSE;
};

class CMDITestFrame : public CMDIFrameWnd, public IKGPMDIClientFrame {
public:
    CMDITestFrame() = default;
    ~CMDITestFrame() override;

    // A visible frame at the rectangle (screen).
    BOOL CreateFrame(const CRect& rect);
    // A document window titled by the document's name (its file name).
    CMDITestChild* OpenDocument(const CString& strDocument);
    CKGPMainClientAreaWnd& Client() { return m_wndClientArea; }
    // The document windows in the client's window order (top first).
    std::vector<CMDITestChild*> Children();
    CMDITestChild* ActiveChild();

    // ---- The client area's hooks.
    BOOL OnEraseMDIClientBackground(CDC* /*pDC*/) override { return FALSE; }
    void OnAdjustMDIClientArea(CRect& /*rectClient*/, CRect& /*rectTabs*/) override {}
    BOOL OnShowMDITabContextMenu(CPoint /*point*/, DWORD dwAllowedItems, BOOL bDrop) override;
    BOOL OnSetMenu(HMENU /*hmenu*/) override { return FALSE; }
    void OnRefreshWindowMenu() override {}
    CWnd* CreateDocumentWindow(LPCTSTR lpszDocName, CObject* pObj) override;
    CWnd* CreateNewWindow(LPCTSTR lpszDocName, CObject* pObj) override;
    CWnd* PaneToTabbedDocument(UINT /*nPaneID*/) override { return nullptr; }
    BOOL IsMDIFrameClosing() const override { return m_bClosing; }
    BOOL IsMDIFrameFullScreen() const override { return FALSE; }

    void RecalcLayout(BOOL bNotify = TRUE) override;

    // Names the document hook makes no window for.
    std::set<std::wstring> m_refusedDocuments;
    std::vector<std::wstring> m_openedDocuments;
    std::vector<std::wstring> m_newWindows;
    // The drop menu: its calls' flags, and whether it handles the drop.
    std::vector<DWORD> m_dropMenuCalls;
    BOOL m_bDropMenuHandles = FALSE;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    void PostNcDestroy() override {}
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    CKGPMainClientAreaWnd m_wndClientArea;
    BOOL m_bClosing = FALSE;
};

} // namespace keyloft_test
