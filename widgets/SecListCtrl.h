// CSecListCtrl: the wizard's section list (section name, state). Rows whose
// state column reads "N" (a section the source lacks) are drawn in red.
#pragma once

#include <afxcmn.h>

class CSecListCtrl : public CListCtrl {
    DECLARE_DYNCREATE(CSecListCtrl)
public:
    CSecListCtrl() = default;
    ~CSecListCtrl() override = default;

    static constexpr int kStateColumn = 1;
    static constexpr COLORREF kMissingColour = RGB(255, 0, 0);
    // Whether the row's state reads "N".
    bool IsMissingRow(int row) const;

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
