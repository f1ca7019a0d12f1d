// The toolbox docked in a library frame. Tasks-pane form: each group holds a
// page as tall as its tools need, a click on a tool posts the pane's id to the
// owner and clears the other pages' selection, tooltips exist in grid mode
// only, and a page scrolls by whole rows. Outlook form: pages under page
// buttons, a click posts the pane's id, the scroll arrows follow the page.
// Either form deleted before its window takes its pages' tooltips with it.
#include <gtest/gtest.h>

#include "guilib/controls/KGPToolTipFactory.h"
#include "guilib/panes/KGPOutlookWnd.h"
#include "guilib/panes/KGPToolBox.h"
#include "guilib/panes/KGPToolBoxEx.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <memory>
#include <vector>

namespace {

constexpr UINT kToolBoxId = 0x3500;

class CCommandFrame : public docking_test::CTestFrame {
public:
    std::vector<std::pair<UINT, HWND>> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.emplace_back(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        return TRUE;
    }
};

// A strip of coloured 16 x 16 images.
HBITMAP MakeImages(int count)
{
    const HDC screen = ::GetDC(nullptr);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16 * count, 16);
    const HDC dc = ::CreateCompatibleDC(screen);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    for (int i = 0; i < count; ++i) {
        const RECT cell{i * 16 + 2, 2, i * 16 + 14, 14};
        const HBRUSH brush = ::CreateSolidBrush(RGB(40 * i, 120, 200 - 30 * i));
        ::FillRect(dc, &cell, brush);
        ::DeleteObject(brush);
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

// A toolbox of either form docked at the frame's left, with pages of tools
// named "Tool 1", "Tool 2", ...
template <class ToolBox>
class ToolBoxFixture : public ::testing::Test {
protected:
    void Open(UINT id, int nTools)
    {
        ASSERT_TRUE(frame.Open());
        frame.SetForegroundWindow();
        ASSERT_TRUE(toolbox.Create(_T("Toolbox"), &frame, CRect(0, 0, 200, 400), TRUE, id,
                                   WS_CHILD | WS_VISIBLE | CBRS_LEFT));
        toolbox.EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(toolbox.DockToWindow(CBRS_ALIGN_LEFT, nullptr));
        frame.RecalcLayout();
        for (int i = 0; i < nTools; ++i) {
            CString label;
            label.Format(_T("Tool %d"), i + 1);
            labels.Add(label);
        }
        images = MakeImages(nTools);
    }
    CKGPToolBoxPage* AddPage(LPCTSTR title, int nMode)
    {
        CKGPToolBoxPage* pPage = toolbox.AddToolsPage(title, images, CSize(16, 16), labels, nMode);
        EXPECT_NE(nullptr, pPage);
        return pPage;
    }
    void TearDown() override
    {
        toolbox.DestroyWindow();
        frame.DestroyWindow();
        ::DeleteObject(images);
        keyloft_test::Pump(30);
    }
    static void ClickTool(CKGPToolBoxPage* pPage, int nTool)
    {
        const CPoint point = pPage->GetTool(nTool)->m_Rect.CenterPoint();
        pPage->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        pPage->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        keyloft_test::Pump(20);
    }

    CCommandFrame frame;
    ToolBox toolbox;
    CStringArray labels;
    HBITMAP images = nullptr;
};

class ToolBoxExTest : public ToolBoxFixture<CKGPToolBoxEx> {
protected:
    void SetUp() override
    {
        Open(kToolBoxId, 5);
        list = AddPage(_T("Notes"), kgp::toolbox::kListMode);
        grid = AddPage(_T("Marks"), kgp::toolbox::kGridMode);
        ASSERT_NE(nullptr, grid);
        keyloft_test::Pump(30);
    }

    CKGPToolBoxPage* list = nullptr;
    CKGPToolBoxPage* grid = nullptr;
};

TEST_F(ToolBoxExTest, GroupsAreAsTallAsTheirPagesAndAClickClearsTheOtherPage)
{
    EXPECT_EQ(2, toolbox.GetPageCount());
    EXPECT_EQ(grid, toolbox.GetPage(1));
    EXPECT_EQ(1, toolbox.FindPageIndex(grid));
    CRect window;
    list->GetWindowRect(window);
    CRect client;
    list->GetClientRect(client);
    EXPECT_EQ(list->GetRequiredHeight(client.Width()), window.Height());
    EXPECT_FALSE(list->GetTool(4)->m_Rect.IsRectEmpty()); // all five fit

    ClickTool(list, 1);
    EXPECT_EQ(1, list->GetSelected());
    ASSERT_EQ(1u, frame.commands.size());
    EXPECT_EQ(kToolBoxId, frame.commands[0].first);
    EXPECT_EQ(toolbox.m_hWnd, frame.commands[0].second);

    ClickTool(grid, 3);
    EXPECT_EQ(3, grid->GetSelected());
    EXPECT_EQ(-1, list->GetSelected()); // the other page lost its selection
    EXPECT_FALSE(list->GetTool(1)->m_bIsChecked);

    EXPECT_FALSE(grid->SelectTool(5)); // past the count: refused
    EXPECT_EQ(3, grid->GetSelected());
    EXPECT_TRUE(grid->SelectTool(3));
    EXPECT_EQ(CString(_T("Tool 4")), grid->FindToolById(4)->m_strText);
    EXPECT_TRUE(keyloft_test::SaveScreenshot(frame.m_hWnd, L"toolbox_tasks_form.bmp"));
}

TEST_F(ToolBoxExTest, TooltipsInGridModeOnlyAndScrollingByRows)
{
    ASSERT_NE(nullptr, grid->GetToolTip());
    EXPECT_EQ(5, grid->GetToolTip()->GetToolCount());
    EXPECT_EQ(nullptr, list->GetToolTip());
    list->SetMode(kgp::toolbox::kGridMode);
    EXPECT_NE(nullptr, list->GetToolTip());
    list->SetMode(kgp::toolbox::kListMode);
    EXPECT_EQ(nullptr, list->GetToolTip());

    // A page shorter than its tools: rows below, scrolled by whole rows.
    list->SetWindowPos(HWND{}, 0, 0, 150, 50, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    list->AdjustLayout();
    EXPECT_GT(list->GetRowsBelow(), 0);
    EXPECT_TRUE(list->GetTool(4)->m_Rect.IsRectEmpty());
    const CRect second = list->GetTool(1)->m_Rect;
    toolbox.OnPageScroll(list, 1);
    EXPECT_EQ(1, list->GetFirstVisibleRow());
    EXPECT_TRUE(list->GetTool(0)->m_Rect.IsRectEmpty());
    EXPECT_LT(list->GetTool(1)->m_Rect.top, second.top);
}

// A toolbox of the form deleted while its window stands: the windows of the
// pane and its pages go as theirs, and the grid page's tooltip with them.
template <class ToolBox>
void DeleteBeforeItsWindow(UINT id)
{
    CCommandFrame frame;
    ASSERT_TRUE(frame.Open());
    auto toolbox = std::make_unique<ToolBox>();
    ASSERT_TRUE(toolbox->Create(_T("Toolbox"), &frame, CRect(0, 0, 200, 400), TRUE, id,
                                WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    toolbox->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(toolbox->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CStringArray labels;
    labels.Add(_T("Tool 1"));
    labels.Add(_T("Tool 2"));
    const HBITMAP images = MakeImages(2);
    CKGPToolBoxPage* grid = toolbox->AddToolsPage(_T("Marks"), images, CSize(16, 16), labels, kgp::toolbox::kGridMode);
    ASSERT_NE(nullptr, grid);
    const CToolTipCtrl* tip = grid->GetToolTip();
    ASSERT_NE(nullptr, tip);
    ASSERT_EQ(UINT(KGP_TOOLTIP_TOOLBOX), CKGPToolTipFactory::GetKind(tip));
    const HWND pane = toolbox->GetSafeHwnd();
    const HWND page = grid->GetSafeHwnd();

    toolbox.reset();
    EXPECT_FALSE(::IsWindow(pane));
    EXPECT_FALSE(::IsWindow(page));
    EXPECT_EQ(0u, CKGPToolTipFactory::GetKind(tip)) << "the page's tooltip went with it";
    frame.DestroyWindow();
    ::DeleteObject(images);
    keyloft_test::Pump(30);
}

TEST(ToolBoxLifetimeTest, AToolBoxDeletedBeforeItsWindowTakesItsPagesAndTheirTooltipsWithIt)
{
    DeleteBeforeItsWindow<CKGPToolBoxEx>(kToolBoxId + 2);
    DeleteBeforeItsWindow<CKGPToolBox>(kToolBoxId + 3);
}

class ToolBoxTest : public ToolBoxFixture<CKGPToolBox> {
protected:
    void SetUp() override
    {
        Open(kToolBoxId + 1, 30);
        first = AddPage(_T("Notes"), kgp::toolbox::kListMode);
        second = AddPage(_T("Marks"), kgp::toolbox::kGridMode);
        ASSERT_NE(nullptr, second);
        toolbox.GetToolBoxBar().GetOutlookWnd()->SetActiveTab(0);
        keyloft_test::Pump(30);
    }

    CKGPToolBoxPage* first = nullptr;
    CKGPToolBoxPage* second = nullptr;
};

TEST_F(ToolBoxTest, PagesUnderPageButtonsPostThePanesIdAndScrollByTheArrows)
{
    EXPECT_EQ(2, toolbox.GetPageCount());
    EXPECT_EQ(0, toolbox.GetActivePage());
    // The pane stands at the frame's left edge: the bar inside it takes no place of its own.
    EXPECT_EQ(0, docking_test::ClientRectIn(&toolbox, &frame).left);
    EXPECT_EQ(1, toolbox.FindPageIndex(second));
    ASSERT_TRUE(first->IsWindowVisible());

    ClickTool(first, 2);
    EXPECT_EQ(2, first->GetSelected());
    ASSERT_EQ(1u, frame.commands.size());
    EXPECT_EQ(kToolBoxId + 1, frame.commands[0].first);

    // Thirty tools in list mode do not fit: scrolling down is possible while rows are below.
    ASSERT_GT(first->GetRowsBelow(), 0);
    toolbox.OnScroll(TRUE); // up at the first row: nothing
    EXPECT_EQ(0, first->GetFirstVisibleRow());
    int downs = 0;
    while (first->GetRowsBelow() > 0 && downs < 40) {
        toolbox.OnScroll(FALSE);
        ++downs;
    }
    EXPECT_LT(downs, 40);
    const int last = first->GetFirstVisibleRow();
    toolbox.OnScroll(FALSE); // nothing below: it stays
    EXPECT_EQ(last, first->GetFirstVisibleRow());
    EXPECT_FALSE(first->GetTool(29)->m_Rect.IsRectEmpty());
    EXPECT_TRUE(keyloft_test::SaveScreenshot(frame.m_hWnd, L"toolbox_outlook_form.bmp"));
    toolbox.OnScroll(TRUE);
    EXPECT_EQ(last - 1, first->GetFirstVisibleRow());
}

} // namespace
