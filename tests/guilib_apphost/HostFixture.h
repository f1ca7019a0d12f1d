// The fixture of the host's scenarios: each test starts the application with
// no stored state (its default layout) and closes it at the end if it still
// runs; a test may close and start it again to see what a restart brings
// back. Helpers give the points a user aims at.
#pragma once

#include <afxwin.h>

#include <gtest/gtest.h>

#include "tests/guilib_apphost/HostApp.h"
#include "tests/guilib_apphost/HostDriver.h"
#include "tests/guilib_apphost/HostMainFrame.h"

#include <initializer_list>
#include <ostream>

class CKGPToolbarCustomize;

// Rectangles and points in a failure read as the user's coordinates.
inline void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << ", " << rect.top << ")-(" << rect.right << ", " << rect.bottom << ")";
}
inline void PrintTo(const CPoint& point, std::ostream* os)
{
    *os << "(" << point.x << ", " << point.y << ")";
}

class AppHostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the application as its program start does; whether its main
    // frame shows.
    static bool Start();
    // Closes the main frame as its close button does; whether it went.
    static bool Close();
    static bool IsRunning();
    // The stored state (layout, placement) goes: the next start is a first one.
    static void ForgetStoredState();
    static CHostMainFrame& Frame();

public:
    // ---- Where a user aims (the monkey aims so too).
    // A point of the pane's caption (its floating frame's when it floats
    // alone), left of its buttons.
    static CPoint CaptionPoint(CKGPDockingControlBar& pane);
    // The middle of the toolbar's button for the command (of the first one
    // when there are several); (-1, -1) when the bar has none.
    static CPoint ButtonPoint(const CKGPToolBar& bar, UINT nCommand);
    // The middle of the menu bar's item with this text ("&File").
    static CPoint MenuItemPoint(const CKGPMenuBar& bar, LPCTSTR lpszText);
    // The middle of the item with this text ("&About") in the library popup
    // menu open on the screen (the last one opened).
    static CPoint PopupItemPoint(LPCTSTR lpszText);
    // How many document windows the popup open now lists by name (the Window
    // menu's list of windows); 0 when none is open.
    static int ListedWindows();
    static CPoint Middle(HWND hWnd) { return apphost::ScreenRect(hWnd).CenterPoint(); }
    // Tears the docked toolbar off by its gripper and lets it go above the
    // notes' middle; whether it floats and shows.
    static bool TearOffOverTheNotes(CHostMainFrame& frame, CKGPToolBar& bar);

    // View > Toolbars and Panes > the bar's or pane's entry, by the mouse
    // (behind the show-all item when not used yet); whether the menus closed.
    static bool ChooseFromViewBarsList(CHostMainFrame& frame, LPCTSTR lpszEntry);

    // The bar's customise button > Add or Remove Buttons > the bar's name,
    // then each command's entry: the buttons stay on the bar, hidden. Whether
    // they hid and the menus closed.
    static bool HideFromCustomiseMenu(CKGPToolBar& bar, std::initializer_list<UINT> commands);

    // ---- The customisation sheet.
    // Opens it from View > Customize... and moves it by its caption to the
    // screen's bottom right corner, its Close button clear of the frame (it
    // opens over the bars). Null when it did not open.
    static CKGPToolbarCustomize* OpenCustomizeSheetAside(CHostMainFrame& frame);
    // Closes it by its Close button; whether it went.
    static bool CloseCustomizeSheet(CKGPToolbarCustomize* sheet);
    // Shows its page by a click on the page's tab; whether it shows.
    static bool ShowSheetPage(CKGPToolbarCustomize* sheet, CPropertyPage* page);
    // The same place give or take a few pixels on each edge (a pane docked
    // back takes its share of the split again, rounded anew).
    static ::testing::AssertionResult NearlyAt(const CRect& expected, const CRect& actual, int tolerance = 8);
};
