// The mouse page of the customisation sheet: the command a double click runs
// in each view the mouse manager knows.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class CKGPMousePage : public CPropertyPage {
    DECLARE_DYNCREATE(CKGPMousePage)
public:
    CKGPMousePage();
    // The view at the index of the list becomes current: its command shown.
    void SelectView(int nIndex);
    // No action for the current view, or its command (from the list).
    void SetNoAction();
    BOOL SetCommand(int nCommandIndex);
    int GetCurrentViewId() const { return m_iCurrViewId; }
    CListBox& GetCommands() { return m_wndCommands; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    CListCtrl m_wndViews;
    CListBox m_wndCommands;
    CImageList m_icons;
    int m_iCurrViewId = -1;
};
