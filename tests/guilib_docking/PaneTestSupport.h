// What the pane tests share: panes that paint a colour of their own, a
// picture of a live split tree for the checker, and the checker run on a
// default slider's tree or a floating frame's.
#pragma once

#include <gtest/gtest.h>

#include "guilib/docking/KGPBarContainerManager.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPMultiMiniFrameWnd.h"
#include "guilib/docking/KGPSlider.h"
#include "tests/guilib_docking/SplitTreeCheck.h"
#include "tests/support/MessagePump.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace docking_test {

// A pane whose client area is one colour (by its id), for screenshots.
class CColourPane : public CKGPDockingControlBar {
protected:
    void DoPaint(CDC* pDC) override
    {
        CRect client;
        GetClientRect(client);
        static const COLORREF colours[] = {RGB(230, 240, 255), RGB(255, 240, 220), RGB(225, 250, 225),
                                           RGB(250, 230, 245), RGB(245, 245, 210)};
        pDC->FillSolidRect(client, colours[static_cast<UINT>(GetDlgCtrlID()) % 5]);
    }
};

inline std::unique_ptr<CKGPDockingControlBar> MakePane(CWnd* pParent, UINT id, LPCTSTR title, CSize size,
                                                       CSize minimum = CSize(40, 40), DWORD extraStyle = 0)
{
    auto pane = std::make_unique<CColourPane>();
    pane->SetMinSize(minimum);
    EXPECT_TRUE(pane->Create(title, pParent, CRect(CPoint(0, 0), size), TRUE, id,
                             WS_CHILD | WS_VISIBLE | CBRS_LEFT | extraStyle));
    pane->EnableDocking(CBRS_ALIGN_ANY);
    return pane;
}

// The cursor just inside the right edge of a window, half way down.
inline void CursorAtRightEdge(CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(rect);
    ::SetCursorPos(rect.right - 4, rect.CenterPoint().y);
}

inline kgp::split::Box BoxOf(const CRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

inline int AddNode(split_check::TreeView& tree, const CKGPBarContainer* pNode)
{
    const int index = static_cast<int>(tree.nodes.size());
    tree.nodes.emplace_back();
    split_check::NodeView view;
    if (CKGPSlider* pSlider = pNode->GetSlider(); pSlider != nullptr && pSlider->GetSafeHwnd() != nullptr) {
        view.hasSlider = true;
        view.sliderVisible = (pSlider->GetStyle() & WS_VISIBLE) != 0;
        view.horizontalSlider = pSlider->IsHorizontal() != FALSE;
        CRect rect;
        pSlider->GetWindowRect(rect);
        view.slider = BoxOf(rect);
    }
    view.share = pNode->GetSizeShare();
    for (int side = 0; side < 2; ++side) {
        if (CKGPDockingControlBar* pPane = side == 0 ? pNode->GetLeftBar() : pNode->GetRightBar()) {
            split_check::PaneView pane;
            pane.id = pPane->GetDlgCtrlID();
            CRect rect;
            pPane->GetWindowRect(rect);
            pane.rect = BoxOf(rect);
            CSize minimum;
            pPane->GetMinSize(minimum);
            pane.minimum = {minimum.cx, minimum.cy};
            pane.visible = (pPane->GetStyle() & WS_VISIBLE) != 0;
            pane.share = pPane->GetSizeShare();
            view.pane[side] = pane;
        }
        if (const CKGPBarContainer* pChild = side == 0 ? pNode->GetLeftContainer() : pNode->GetRightContainer())
            view.child[side] = AddNode(tree, pChild);
    }
    tree.nodes[static_cast<size_t>(index)] = view;
    return index;
}

// The tree as ids and orientations: "(V 2001 (H 2002 2003))".
inline std::string Shape(const CKGPBarContainer* pNode)
{
    if (pNode == nullptr)
        return "-";
    std::ostringstream out;
    out << '(' << (pNode->GetSlider() == nullptr ? "0" : (pNode->IsSliderHorizontal() ? "H" : "V"));
    for (int side = 0; side < 2; ++side) {
        out << ' ';
        if (CKGPDockingControlBar* pPane = side == 0 ? pNode->GetLeftBar() : pNode->GetRightBar())
            out << pPane->GetDlgCtrlID();
        else if (const CKGPBarContainer* pChild = side == 0 ? pNode->GetLeftContainer() : pNode->GetRightContainer())
            out << Shape(pChild);
        else
            out << '.';
    }
    out << ')';
    return out.str();
}

inline std::string Listed(const CKGPBarContainerManager& manager)
{
    std::ostringstream out;
    for (POSITION pos = manager.GetPanes().GetHeadPosition(); pos != nullptr;)
        out << static_cast<CWnd*>(manager.GetPanes().GetNext(pos))->GetDlgCtrlID() << ' ';
    return out.str();
}

// The live tree as the checker sees it.
inline split_check::TreeView SnapshotOf(const CKGPBarContainerManager& manager)
{
    split_check::TreeView tree;
    if (const CKGPBarContainer* pRoot = manager.GetRootContainer())
        AddNode(tree, pRoot);
    for (POSITION pos = manager.GetPanes().GetHeadPosition(); pos != nullptr;)
        tree.listedPanes.push_back(static_cast<CWnd*>(manager.GetPanes().GetNext(pos))->GetDlgCtrlID());
    return tree;
}

inline std::string Faults(const std::vector<std::string>& faults)
{
    std::string text;
    for (const std::string& fault : faults)
        text += "\n  " + fault;
    return text;
}

// A default slider's tree: laid out in the room beside the slider, which
// stands across the panes' whole extent on the side away from the edge.
inline void ExpectSoundTree(CKGPSlider* pSlider, const char* step)
{
    ASSERT_NE(nullptr, pSlider) << step;
    CKGPBarContainerManager* pManager = pSlider->GetContainerManager();
    ASSERT_NE(nullptr, pManager) << step;
    CRect room;
    pManager->GetWindowRect(room);
    if (pManager->HasVisiblePane()) {
        CRect slider;
        pSlider->GetWindowRect(slider);
        EXPECT_TRUE(pSlider->IsWindowVisible()) << step;
        switch (pSlider->GetCurrentAlignment()) {
        case CBRS_ALIGN_LEFT:
            EXPECT_EQ(room.right, slider.left) << step;
            break;
        case CBRS_ALIGN_RIGHT:
            EXPECT_EQ(room.left, slider.right) << step;
            break;
        case CBRS_ALIGN_TOP:
            EXPECT_EQ(room.bottom, slider.top) << step;
            break;
        default:
            EXPECT_EQ(room.top, slider.bottom) << step;
            break;
        }
        if (pSlider->IsHorizontal())
            EXPECT_TRUE(slider.left == room.left && slider.right == room.right) << step;
        else
            EXPECT_TRUE(slider.top == room.top && slider.bottom == room.bottom) << step;
    }
    EXPECT_EQ("", Faults(split_check::CheckSplitTree(SnapshotOf(*pManager), BoxOf(room)))) << step;
}

// A floating frame's tree: laid out in the frame's client area.
inline void ExpectSoundTree(CKGPMultiMiniFrameWnd* pFrame, const char* step)
{
    ASSERT_NE(nullptr, pFrame) << step;
    CRect client;
    pFrame->GetClientRect(client);
    pFrame->ClientToScreen(client);
    EXPECT_EQ("", Faults(split_check::CheckSplitTree(SnapshotOf(pFrame->GetContainerManager()), BoxOf(client))))
        << step;
}

// A test frame with docking panes of the test's own, gone with the frame.
template <class Frame>
class PaneFrameFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open());
        frame.SetForegroundWindow();
    }
    void TearDown() override
    {
        panes.clear();
        frame.DestroyWindow();
        keyloft_test::Pump(30);
    }
    CKGPDockingControlBar* Add(UINT id, LPCTSTR title, CSize size = CSize(160, 200), CSize minimum = CSize(40, 40),
                               DWORD extraStyle = 0)
    {
        panes.push_back(MakePane(&frame, id, title, size, minimum, extraStyle));
        return panes.back().get();
    }
    static int Width(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(rect);
        return rect.Width();
    }
    static int Height(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(rect);
        return rect.Height();
    }
    // The mouse at a screen point: a non-client move is sent in screen
    // coordinates, the others in the window's client coordinates.
    static void MouseAt(CWnd* pWnd, UINT message, CPoint screen, WPARAM keys = MK_LBUTTON)
    {
        ::SetCursorPos(screen.x, screen.y);
        CPoint point = screen;
        if (message == WM_NCMOUSEMOVE) {
            pWnd->SendMessage(message, HTCLIENT, keyloft_test::PointParam(point.x, point.y));
            return;
        }
        pWnd->ScreenToClient(&point);
        pWnd->SendMessage(message, keys, keyloft_test::PointParam(point.x, point.y));
    }

    Frame frame;
    std::vector<std::unique_ptr<CKGPDockingControlBar>> panes;
};

} // namespace docking_test
