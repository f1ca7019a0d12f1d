// The toolbar's layout in a frame: the size asked for by orientation and
// length, buttons with no room listed under the customise button, a bar in a
// rebar band, the window it is created as and the toolbar-control messages.
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPVisualManager2003.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "tests/guilib_toolbars/ToolBarTestFrame.h"

#include <cwchar>

namespace {

using namespace toolbar_test;

// Open, Save, |, Print: 22 + 22 + 8 + 22 wide, 21 high, in a margin of 1; the
// window adds the bar's borders (its non-client area) around them.
TEST_F(ToolBarTest, SizesForEachOrientationAndLength)
{
    EXPECT_EQ(CSize(76, 23) + bar.CalcNonClientSize(TRUE), bar.CalcFixedLayout(FALSE, TRUE));
    EXPECT_EQ(CSize(24, 23 + 21 + 8 + 21) + bar.CalcNonClientSize(FALSE), bar.CalcFixedLayout(FALSE, FALSE))
        << "one column";

    bar.SetBarStyleWord(bar.GetBarStyleWord() | CBRS_SIZE_DYNAMIC);
    const CSize wrapped = bar.CalcDynamicLayout(50, LM_HORZ);
    EXPECT_EQ(CSize(46, 23 + 21 + 5), wrapped) << "Open and Save, then Print in a row 21 + 5 lower";
    EXPECT_FALSE(bar.GetButton(1)->m_bRowBreak);
    EXPECT_TRUE(bar.GetButton(2)->m_bRowBreak) << "the separator breaks the row";
    EXPECT_EQ(CSize(76, 23), bar.CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK)) << "docked along the top: one row";

    bar.SetBarStyleWord(bar.GetBarStyleWord() | CBRS_SIZE_FIXED);
    bar.GetButton(0)->m_bRowBreak = TRUE;
    bar.CalcDynamicLayout(200, LM_HORZ);
    EXPECT_TRUE(bar.GetButton(0)->m_bRowBreak) << "a fixed bar keeps its rows";
}

// The library's minimum row height of an orientation raises the bar's rows
// (and so its buttons) on bars of that orientation only.
TEST_F(ToolBarTest, RowsAreRaisedToTheLibrarysMinimumRowHeightOfTheOrientation)
{
    CKGPGlobalData& global = GetKGPGlobalData();
    const int plain = bar.RowHeight();
    ASSERT_LT(plain, 30);
    global.m_nMinRowHeightVert = 30;
    const int withVertical = bar.RowHeight();
    global.m_nMinRowHeightVert = 0;
    global.m_nMinRowHeightHorz = 30;
    bar.SetBarStyleWord(bar.GetBarStyleWord() | CBRS_SIZE_DYNAMIC);
    const int withHorizontal = bar.RowHeight();
    const CSize wrapped = bar.CalcDynamicLayout(50, LM_HORZ);
    global.m_nMinRowHeightHorz = 0;
    EXPECT_EQ(plain, withVertical) << "a horizontal bar, the vertical minimum is not its";
    EXPECT_EQ(30, withHorizontal);
    EXPECT_EQ(CSize(46, 2 + 30 + 5 + 30), wrapped) << "two rows of 30, 5 apart";
    EXPECT_EQ(plain, bar.RowHeight()) << "the buttons' height again";
}

TEST_F(ToolBarTest, ButtonsWithoutRoomAreListedUnderTheCustomiseButton)
{
    bar.EnableCustomizeButton(TRUE, 0, CString());
    bar.AdjustLayout();
    CCustomizeButton* chevron = bar.GetCustomizeButton();
    ASSERT_NE(nullptr, chevron);
    EXPECT_FALSE(chevron->m_bShown) << "everything fits and it has no customise entry";
    const CSize frame = bar.CalcNonClientSize(TRUE);
    EXPECT_EQ(CSize(76, 23) + frame, bar.CalcFixedLayout(FALSE, TRUE));

    // The row gives the bar less than its buttons need.
    bar.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, 60, 23, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(chevron->m_bShown);
    EXPECT_EQ(2, chevron->GetHiddenButtons().GetCount()) << "the separator and Print";
    EXPECT_TRUE(bar.GetButton(3)->m_bOverflowed);
    EXPECT_FALSE(bar.GetButton(1)->m_bOverflowed);
    EXPECT_EQ(60 - frame.cx, chevron->m_rcButton.right) << "at the end of the bar's client area";
    EXPECT_LE(bar.GetButton(1)->m_rcButton.right, chevron->m_rcButton.left);
    EXPECT_EQ(-1, bar.HitTest(bar.GetButton(3)->m_rcButton.CenterPoint())) << "an overflowed button is not hit";
    EXPECT_EQ(CSize(76 + chevron->m_rcButton.Width(), 23) + frame, bar.CalcFixedLayout(FALSE, TRUE))
        << "the size asked for makes room for the customise button";

    bar.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, 200, 23, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_FALSE(chevron->m_bShown) << "room again";
    EXPECT_FALSE(bar.GetButton(3)->m_bOverflowed);

    chevron->SetCustomizeCommand(ID_TEST_PRINT + 10, _T("Add or remove"));
    bar.AdjustLocations();
    EXPECT_TRUE(chevron->m_bShown) << "a customise entry shows it with nothing hidden";
    EXPECT_FALSE(chevron->HasHiddenButtons());
}

TEST_F(ToolBarTest, ABarInARebarBandSizesTheBand)
{
    CWnd rebar;
    ASSERT_TRUE(rebar.CreateEx(0, REBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | RBS_VARHEIGHT,
                               CRect(0, 0, 380, 40), &frame, 0xE900));
    bar.SetParent(&rebar);
    REBARBANDINFOW band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE;
    band.hwndChild = bar.m_hWnd;
    band.cxMinChild = 10;
    band.cyMinChild = 10;
    ASSERT_TRUE(rebar.SendMessage(RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band)));

    bar.GetButton(3)->m_strCaption = _T("Print");
    bar.EnableTextLabels(TRUE);
    band.fMask = RBBIM_CHILDSIZE;
    ASSERT_TRUE(rebar.SendMessage(RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&band)));
    EXPECT_EQ(UINT(bar.CalcFixedLayout(FALSE, TRUE).cx), band.cxMinChild);
    EXPECT_EQ(UINT(21), band.cyMinChild) << "the default button height";
    EXPECT_GT(bar.RowHeight(), 21) << "the row is as high as the captions under the images";
    EXPECT_EQ(bar.MeasureRowHeight(), bar.RowHeight());
    bar.SetParent(&frame);
    rebar.DestroyWindow();
}

TEST_F(ToolBarTest, SiblingsDoNotShareARow)
{
    frame.EnableDocking(CBRS_ALIGN_ANY);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    frame.DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    CKGPToolBar sibling;
    ASSERT_TRUE(sibling.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, kBarId + 1));
    ASSERT_TRUE(sibling.LoadToolBar(IDR_TEST_TOOLBAR));
    sibling.AdjustLayout();
    sibling.EnableDocking(CBRS_ALIGN_ANY);
    CRect beside;
    bar.GetWindowRect(beside);
    beside.OffsetRect(beside.Width() + 20, 0);
    frame.DockControlBar(&sibling, AFX_IDW_DOCKBAR_TOP, beside);
    ASSERT_NE(nullptr, bar.GetDockBarRow());
    ASSERT_EQ(bar.GetDockBarRow(), sibling.GetDockBarRow()) << "side by side";

    bar.SetSiblingToolBar(&sibling, FALSE);
    EXPECT_EQ(&bar, sibling.GetSiblingToolBar()) << "linked both ways";
    bar.AdjustLayout();
    ASSERT_NE(nullptr, sibling.GetDockBarRow());
    EXPECT_NE(bar.GetDockBarRow(), sibling.GetDockBarRow()) << "the sibling took a row of its own";
    CRect first;
    CRect second;
    bar.GetWindowRect(first);
    sibling.GetWindowRect(second);
    EXPECT_GE(second.top, first.bottom) << "below the bar";
    EXPECT_FALSE(bar.SeparateFromSibling()) << "apart already";

    sibling.DestroyWindow();
    EXPECT_EQ(nullptr, bar.GetSiblingToolBar()) << "a destroyed sibling is forgotten";
}

TEST_F(ToolBarTest, TheWindowAndTheToolbarControlMessages)
{
    EXPECT_EQ(DWORD(CBRS_TOP), bar.GetBarStyleWord() & 0xFFFF) << "the bar keeps the control-bar bits";
    const DWORD style = bar.GetStyle();
    EXPECT_EQ(DWORD(CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE | TBSTYLE_FLAT),
              style & (CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE | TBSTYLE_FLAT | CCS_NOMOVEY));
    WCHAR className[64] = {};
    ::GetClassNameW(bar.m_hWnd, className, 64);
    EXPECT_EQ(0, std::wcsncmp(className, L"KGPToolBar", 10)) << className;

    CKGPToolBar standard;
    ASSERT_TRUE(standard.Create(&frame, WS_CHILD | CBRS_TOP, 0xE800));
    EXPECT_NE(0u, standard.GetBarStyleWord() & CBRS_HIDE_INPLACE) << "the standard toolbar hides in place";
    standard.DestroyWindow();

    EXPECT_EQ(4, bar.SendMessage(TB_BUTTONCOUNT));
    CRect rect;
    EXPECT_TRUE(bar.SendMessage(TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(bar.GetButton(1)->m_rcButton, rect);
    bar.SetButtonStyle(1, TBBS_CHECKED | TBBS_CHECKBOX);
    TBBUTTON info{};
    EXPECT_TRUE(bar.SendMessage(TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(ID_TEST_SAVE, info.idCommand);
    EXPECT_EQ(BYTE(TBBS_CHECKED >> 16), info.fsState);
    EXPECT_EQ(BYTE(TBBS_CHECKBOX), info.fsStyle);
    EXPECT_FALSE(bar.SendMessage(TB_GETBUTTON, 9, reinterpret_cast<LPARAM>(&info)));
    bar.SetButtonText(1, _T("Save"));
    WCHAR text[16] = {};
    EXPECT_EQ(4, bar.SendMessage(TB_GETBUTTONTEXTW, ID_TEST_SAVE, reinterpret_cast<LPARAM>(text)));
    EXPECT_STREQ(L"Save", text);
    EXPECT_EQ(4, bar.SendMessage(TB_GETBUTTONTEXTW, ID_TEST_SAVE, 0)) << "the length alone";
}

TEST_F(ToolBarTest, TheLookGivesRoundedCornersAndTheBarFollowsIt)
{
    EXPECT_EQ(ERROR, ::GetWindowRgn(bar.m_hWnd, ::CreateRectRgn(0, 0, 0, 0))) << "the base look: no region";
    CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKGPVisualManager2003));
    bar.SendMessage(KGM_CHANGEVISUALMANAGER);
    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    const int kind = ::GetWindowRgn(bar.m_hWnd, static_cast<HRGN>(region.GetSafeHandle()));
    CKGPVisualManager::SetDefaultManager(nullptr);
    bar.SendMessage(KGM_CHANGEVISUALMANAGER);
    EXPECT_EQ(COMPLEXREGION, kind) << "rounded corners";
    EXPECT_FALSE(region.PtInRegion(0, 0)) << "the corner pixel is cut";
}

}  // namespace
