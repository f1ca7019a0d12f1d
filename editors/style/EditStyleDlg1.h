// The style editor page of the view: it holds nothing but the style-conversion
// wizard, which fills its whole client area.
#pragma once

#include <boost/shared_ptr.hpp>

#include "editors/style/PropSheet.h"
#include "pages/BaseDlg.h"

class CEditStyleDlg1 : public CBaseDlg {
public:
    explicit CEditStyleDlg1(CWnd* pParent = nullptr);
    ~CEditStyleDlg1() override;

    CPropSheet& GetSheet() { return m_sheet; }

    void Attach(IPageHost* pView, CUSBPort* pPort) override;
    bool CanClose() override;
    LRESULT OnDeviceLost(WPARAM wParam, LPARAM lParam) override;
    void GetExcludeRects(std::vector<CRect>& rects) override;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSelectPage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLanguageChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void FitSheet(bool repaint);

    CPropSheet m_sheet;
};

// The page of the view's style editor slot, created hidden as a child of parent;
// empty when its dialog cannot be created.
boost::shared_ptr<CBaseDlg> CreateStyleEditorPage(CWnd* parent);
