// The outlook window's options: the pages in their order, checked when shown;
// Up and Down move the selected page, Reset brings back the bar's first
// order, OK shows, hides and reorders the pages (the active one stays).
#pragma once

#include <afxdlg.h>

#include "guilib/controls/KGPExCheckList.h"
#include "guilib/panes/KGPOutlookMath.h"

#include <vector>

class CKGPOutlookWnd;

class CKGPOutlookOptionsDlg : public CDialog {
public:
    explicit CKGPOutlookOptionsDlg(CKGPOutlookWnd& parentBar);

    // The list as it stands.
    const std::vector<kgp::outlook::OptionItem>& GetItems() const { return m_items; }
    // The pages in the order they were first added (their tab ids rise with
    // each page added), as Reset lists them.
    static std::vector<int> DefaultOrder(const CKGPOutlookWnd& wnd);
    // What OK does with a list: pages shown or hidden, then put in its order.
    static void ApplyItems(CKGPOutlookWnd& wnd, const std::vector<kgp::outlook::OptionItem>& items);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    void FillList();
    void UpdateButtons();
    void ReadChecks();
    void Move(bool up);

    CKGPOutlookWnd& m_parentBar;
    CKGPExCheckList m_wndList;
    std::vector<kgp::outlook::OptionItem> m_items;
};
