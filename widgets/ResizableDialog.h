// A dialog whose controls follow anchors (percentages of the client size) when
// it is resized. The size the dialog had when it was initialised is the
// minimum: below it the controls stay where the template put them.
#pragma once

#include <afxwin.h>

#include <vector>

#include "widgets/ResizeLayout.h"

// Registered once at start-up. The layout sends it to every anchored control
// before moving it, with wParam RESIZESUPPORT_QUERY_NOREPAINT; a control that
// answers non-zero repaints itself after a move and is not invalidated.
extern const UINT WMU_RESIZESUPPORT;
constexpr WPARAM RESIZESUPPORT_QUERY_NOREPAINT = 1;

class CResizableDialog : public CDialog {
public:
    CResizableDialog();
    explicit CResizableDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CResizableDialog() override;

    // Anchors a child by id (or window) at its current place and size.
    void AddAnchor(UINT nID, ResizeAnchor topLeft, ResizeAnchor bottomRight = ANCHOR_NONE);
    void AddAnchor(HWND hWndChild, ResizeAnchor topLeft, ResizeAnchor bottomRight = ANCHOR_NONE);
    void RemoveAnchor(UINT nID);
    void RemoveAllAnchors();
    int GetAnchorCount() const { return static_cast<int>(m_anchors.size()); }

    // The client size below which the layout does not go (and, for a top-level
    // dialog, the smallest size the user can drag it to).
    void SetMinClientSize(SIZE size) { m_minClient = size; }
    SIZE GetMinClientSize() const { return m_minClient; }

    // Lays the anchored controls out for the current client size.
    void ArrangeLayout();

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    DECLARE_MESSAGE_MAP()

private:
    struct Anchor {
        HWND hWnd = nullptr;
        RECT original{};
        SIZE originalClient{};
        ResizeAnchor topLeft{};
        ResizeAnchor bottomRight{};
    };
    SIZE CurrentClientSize() const;

    std::vector<Anchor> m_anchors;
    SIZE m_minClient{0, 0};
};
