// The tasks pane docked in a library frame: a task's click posts its command
// to the owner (a label posts nothing), a group collapses step by step on the
// animation timer (at once in a remote session), the idle update disables a
// task and its hosted window, pages are navigated with the history and the
// caption buttons follow; floating, the pane sits in its own frame with the
// navigation buttons; its settings go to the registry and come back, and a
// damaged value changes nothing. Screenshots of the docked pane.
#include <gtest/gtest.h>

#include <oleacc.h>

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPWorkspace.h"
#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/panes/KGPTaskPaneMiniFrameWnd.h"
#include "guilib/panes/KGPTasksPane.h"
#include "guilib/panes/KGPTasksPaneToolBar.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr UINT kPaneId = 0x3300;
constexpr UINT kOpenCommand = 33100;
constexpr UINT kSaveCommand = 33101;
constexpr LPCTSTR kProfile = _T("Software\\KeyloftTests\\TasksPane\\");

// A frame that records the commands its children post, and answers one.
class CCommandFrame : public docking_test::CTestFrame {
public:
    std::vector<UINT> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return CKGPFrameWnd::OnCommand(wParam, lParam);
    }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override
    {
        // The open command has a handler: its task stays enabled at idle time.
        if (nID == kOpenCommand && nCode == static_cast<int>(CN_UPDATE_COMMAND_UI)) {
            static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
            return TRUE;
        }
        return CKGPFrameWnd::OnCmdMsg(nID, nCode, pExtra, pInfo);
    }
};

// A clock the animation reads, moved by the test.
long g_now = 0;
long TestClock()
{
    return g_now;
}

class TasksPaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open());
        frame.SetForegroundWindow();
        ASSERT_TRUE(pane.Create(_T("Tasks"), &frame, CRect(0, 0, 220, 400), TRUE, kPaneId,
                                WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_HIDE_INPLACE));
        pane.EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(pane.DockToWindow(CBRS_ALIGN_LEFT, nullptr));
        frame.RecalcLayout();
        pane.SetAnimationClock(&TestClock);
        group = pane.AddGroup(_T("File"));
        pane.AddTask(group, _T("Open a file"), -1, kOpenCommand);
        pane.AddTask(group, _T("Save the file"), -1, kSaveCommand);
        pane.AddLabel(group, _T("A label"));
        keyloft_test::Pump(30);
    }
    void TearDown() override
    {
        pane.DestroyWindow();
        frame.DestroyWindow();
        keyloft_test::Pump(30);
    }
    void MouseAt(CPoint point, UINT message)
    {
        pane.SendMessage(message, message == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(point.x, point.y));
    }
    void Click(CPoint point)
    {
        MouseAt(point, WM_MOUSEMOVE);
        MouseAt(point, WM_LBUTTONDOWN);
        MouseAt(point, WM_LBUTTONUP);
        MouseAt(CPoint(-5, -5), WM_MOUSEMOVE);
        keyloft_test::Pump(30);
    }

    CCommandFrame frame;
    CKGPTasksPane pane;
    int group = -1;
};

TEST_F(TasksPaneTest, ClickingATaskPostsItsCommandAndALabelPostsNothing)
{
    const CRect open = pane.GetTask(group, 0)->m_rect;
    const CRect label = pane.GetTask(group, 2)->m_rect;
    ASSERT_FALSE(open.IsRectEmpty());
    ASSERT_GT(label.top, open.bottom);

    Click(open.CenterPoint());
    EXPECT_EQ(std::vector<UINT>{kOpenCommand}, frame.commands);

    frame.commands.clear();
    MouseAt(label.CenterPoint(), WM_MOUSEMOVE);
    EXPECT_EQ(nullptr, pane.GetHotTask()); // a label is never hot
    Click(label.CenterPoint());
    EXPECT_TRUE(frame.commands.empty());

    // A hidden task takes no room: the label moves up to where it was.
    ASSERT_TRUE(pane.ShowTask(group, 1, FALSE));
    EXPECT_TRUE(pane.GetTask(group, 1)->m_rect.IsRectEmpty());
    EXPECT_LT(pane.GetTask(group, 2)->m_rect.top, label.top);
}

TEST_F(TasksPaneTest, ACaptionClickCollapsesTheGroupStepByStep)
{
    CKGPTasksPaneTaskGroup* pGroup = pane.GetTaskGroup(group);
    const int full = pGroup->m_rectGroup.Height();
    ASSERT_GT(full, 0);
    GetKGPGlobalData().m_bIsRemoteSession = FALSE;
    g_now = 1000;
    Click(pGroup->m_rect.CenterPoint());

    EXPECT_TRUE(pGroup->m_bIsCollapsed);
    ASSERT_EQ(pGroup, pane.GetAnimatedGroup());
    EXPECT_EQ(full, pGroup->m_rectGroup.Height()); // no time has passed
    g_now += 30;
    pane.SendMessage(WM_TIMER, kgp::tasks::kTimerAnimation);
    const int step = pGroup->m_rectGroup.Height();
    EXPECT_LT(step, full);
    EXPECT_GT(step, 0);
    g_now += 3000;
    pane.SendMessage(WM_TIMER, kgp::tasks::kTimerAnimation);
    pane.SendMessage(WM_TIMER, kgp::tasks::kTimerAnimation);
    EXPECT_EQ(nullptr, pane.GetAnimatedGroup());
    EXPECT_EQ(0, pGroup->m_rectGroup.Height());
    EXPECT_TRUE(pane.GetTask(group, 0)->m_rect.IsRectEmpty());

    // In a remote session the group comes back at once.
    GetKGPGlobalData().m_bIsRemoteSession = TRUE;
    Click(pGroup->m_rect.CenterPoint());
    GetKGPGlobalData().m_bIsRemoteSession = FALSE;
    EXPECT_FALSE(pGroup->m_bIsCollapsed);
    EXPECT_EQ(nullptr, pane.GetAnimatedGroup());
    EXPECT_EQ(full, pGroup->m_rectGroup.Height());
}

TEST_F(TasksPaneTest, IdleUpdateDisablesTasksAndTheirWindowsWithoutHandlers)
{
    CWnd edit;
    ASSERT_TRUE(edit.CreateEx(0, _T("EDIT"), _T(""), WS_CHILD | WS_BORDER, CRect(0, 0, 10, 10), &pane, 1234));
    const int window = pane.AddWindow(group, edit.m_hWnd, 22);
    pane.GetTask(group, window)->m_uiCommandID = kSaveCommand + 1;
    pane.OnUpdateCmdUI(&frame, TRUE);
    EXPECT_TRUE(pane.GetTask(group, 0)->m_bEnabled);  // handled by the frame
    EXPECT_FALSE(pane.GetTask(group, 1)->m_bEnabled); // no handler
    EXPECT_FALSE(edit.IsWindowEnabled());
    EXPECT_EQ(22, pane.GetTask(group, window)->m_rect.Height());

    // A disabled task is not clicked.
    Click(pane.GetTask(group, 1)->m_rect.CenterPoint());
    EXPECT_TRUE(frame.commands.empty());
    edit.DestroyWindow();
}

TEST_F(TasksPaneTest, PagesAreNavigatedWithTheHistoryAndTheCaptionButtonsFollow)
{
    // One page: no navigation buttons, the window text is the page's name.
    EXPECT_TRUE(pane.FindCaptionButton(KGP_TASKS_HIT_BACK)->m_bHidden);
    EXPECT_TRUE(pane.FindCaptionButton(KGP_TASKS_HIT_PAGES)->m_bHidden);

    const int songs = pane.AddPage(_T("Songs"));
    const int styles = pane.AddPage(_T("Styles"));
    pane.AddTask(pane.AddGroup(songs, _T("Song tasks")), _T("Play"), -1, kOpenCommand);
    frame.RecalcLayout();
    keyloft_test::Pump(20);
    EXPECT_FALSE(pane.FindCaptionButton(KGP_TASKS_HIT_BACK)->m_bHidden);
    EXPECT_FALSE(pane.FindCaptionButton(KGP_TASKS_HIT_BACK)->m_bEnabled);

    pane.SetActivePage(songs);
    pane.SetActivePage(styles);
    EXPECT_EQ(styles, pane.GetActivePage());
    EXPECT_TRUE(pane.FindCaptionButton(KGP_TASKS_HIT_BACK)->m_bEnabled);
    // The file group belongs to page 0: out of view now.
    EXPECT_TRUE(pane.GetTaskGroup(group)->m_rect.IsRectEmpty() || pane.GetActivePage() != 0);

    // A menu closed without a choice (-1) and a page past the end change nothing.
    pane.SetActivePage(-1);
    pane.SetActivePage(7);
    EXPECT_EQ(styles, pane.GetActivePage());
    EXPECT_EQ(3u, pane.GetHistory().Entries().size());

    pane.SendMessage(WM_COMMAND, KGP_TASKS_PANE_BACK);
    EXPECT_EQ(songs, pane.GetActivePage());
    // The pages menu checks the page shown.
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED),
              ::GetMenuState(pane.GetPagesMenu(), static_cast<UINT>(songs), MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ(0u, ::GetMenuState(pane.GetPagesMenu(), 0, MF_BYPOSITION) & MF_CHECKED);
    pane.SendMessage(WM_COMMAND, KGP_TASKS_PANE_FORWARD);
    EXPECT_EQ(styles, pane.GetActivePage());
    pane.SendMessage(WM_COMMAND, KGP_TASKS_PANE_HOME);
    EXPECT_EQ(0, pane.GetActivePage());
    EXPECT_FALSE(pane.IsForwardButtonEnabled());

    // With the toolbar the caption buttons hide and the bar shows.
    pane.EnableNavigationToolbar(TRUE);
    keyloft_test::Pump(20);
    EXPECT_TRUE(pane.FindCaptionButton(KGP_TASKS_HIT_FORWARD)->m_bHidden);
    EXPECT_TRUE(pane.GetNavigationToolbar().IsWindowVisible());
    CString text;
    pane.GetWindowText(text);
    EXPECT_EQ(CString(_T("Tasks")), text);
    // Page 0 is named after the caption; the pages button shows the page shown.
    EXPECT_EQ(CString(_T("Tasks")), pane.GetPageName(0));
    ASSERT_NE(nullptr, pane.GetNavigationToolbar().GetMenuButton());
    EXPECT_STREQ(pane.GetPageName(0).GetString(), pane.GetNavigationToolbar().GetMenuButton()->m_strCaption.GetString());
    keyloft_test::SaveScreenshot(frame.m_hWnd, L"tasks_pane_toolbar.bmp");
}

// How many pixels of the bar's capture inside the rectangle are mostly of
// the one channel (0 red, 1 green, 2 blue): menu glyphs are black or grey.
int TintedPixels(const std::vector<DWORD>& pixels, int width, CRect rect, int channel)
{
    rect.IntersectRect(rect, CRect(0, 0, width, static_cast<int>(pixels.size()) / width));
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const DWORD p = pixels[static_cast<size_t>(y) * width + x];
            const int rgb[3] = {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                                static_cast<int>(p & 0xFF)};
            if (rgb[channel] > rgb[(channel + 1) % 3] + 60 && rgb[channel] > rgb[(channel + 2) % 3] + 60)
                ++count;
        }
    }
    return count;
}

TEST_F(TasksPaneTest, TheNavigationBarShowsTheLibrarysImages)
{
    pane.AddPage(_T("Songs"));
    pane.EnableNavigationToolbar(TRUE);
    pane.SetActivePage(1); // back enabled: its arrow in colour
    keyloft_test::Pump(30);
    CTasksPaneToolBar& bar = pane.GetNavigationToolbar();
    ASSERT_TRUE(bar.IsWindowVisible());
    // Back, forward, home and close come from the library's strip.
    EXPECT_EQ(4, bar.GetImages().GetCount());
    EXPECT_EQ(CSize(16, 15), bar.GetImages().GetImageSize());

    int width = 0;
    int height = 0;
    const std::vector<DWORD> pixels = keyloft_test::CaptureWindow(bar.m_hWnd, width, height);
    ASSERT_FALSE(pixels.empty());
    const int back = bar.CommandToIndex(KGP_TASKS_PANE_BACK);
    const int home = bar.CommandToIndex(KGP_TASKS_PANE_HOME);
    const int close = bar.CommandToIndex(KGP_TASKS_PANE_CLOSE);
    ASSERT_GE(back, 0);
    ASSERT_GE(home, 0);
    ASSERT_GE(close, 0);
    EXPECT_GT(TintedPixels(pixels, width, bar.GetButton(back)->m_rcButton, 1), 30);  // the green arrow
    EXPECT_GT(TintedPixels(pixels, width, bar.GetButton(home)->m_rcButton, 0), 10);  // the red roof
    EXPECT_GT(TintedPixels(pixels, width, bar.GetButton(home)->m_rcButton, 2), 1);   // the blue window
    EXPECT_GT(TintedPixels(pixels, width, bar.GetButton(close)->m_rcButton, 0), 10); // the red cross
    // No image of the bar lands on the pages button, which shows its text.
    EXPECT_EQ(0, TintedPixels(pixels, width, bar.GetMenuButton()->m_rcButton, 1));
    keyloft_test::SaveScreenshot(bar.m_hWnd, L"tasks_pane_navigation_bar.bmp");
}

TEST_F(TasksPaneTest, ThePagesMenuKeepsThePanesMarksAndShowsThePageChosen)
{
    pane.AddPage(_T("Songs"));
    pane.AddPage(_T("Styles"));
    pane.EnableNavigationToolbar(TRUE);
    pane.SetActivePage(1);
    keyloft_test::Pump(30);
    CTasksPaneMenuButton* button = pane.GetNavigationToolbar().GetMenuButton();
    ASSERT_NE(nullptr, button);
    ASSERT_TRUE(button->OpenPopupMenu());
    keyloft_test::Pump(30);
    auto* popup = dynamic_cast<CKGPPopupMenu*>(button->GetPopupMenu());
    ASSERT_NE(nullptr, popup);
    EXPECT_TRUE(popup->IsTasksPaneMenu());

    // The frame has no handler for the pages' command: an idle update would
    // disable them all. They stay as the pane made them, the page shown checked.
    CKGPPopupMenuBar* items = popup->GetMenuBar();
    items->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    ASSERT_EQ(3, items->GetCount());
    for (int i = 0; i < items->GetCount(); ++i) {
        EXPECT_EQ(0u, items->GetButton(i)->m_nBits & TBBS_DISABLED) << i;
        EXPECT_EQ(i == 1, (items->GetButton(i)->m_nBits & TBBS_CHECKED) != 0) << i;
    }

    // The third item chosen: the pane shows its page, the frame hears nothing.
    EXPECT_TRUE(items->ClickItem(items->GetButton(2)));
    keyloft_test::Pump(30);
    EXPECT_EQ(2, pane.GetActivePage());
    EXPECT_EQ(nullptr, CKGPPopupMenu::GetActiveMenu());
    EXPECT_EQ(frame.commands.end(), std::find(frame.commands.begin(), frame.commands.end(), KGP_TASKS_PANE_PAGES));
    EXPECT_STREQ(_T("Styles"), button->m_strCaption.GetString());
}

struct ReleaseAccessible {
    void operator()(IAccessible* pObject) const { pObject->Release(); }
};
using AccessiblePtr = std::unique_ptr<IAccessible, ReleaseAccessible>;

VARIANT Child(long nChild)
{
    VARIANT child;
    ::VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = nChild;
    return child;
}

CString NameOf(IAccessible& object, long nChild)
{
    BSTR name = nullptr;
    if (object.get_accName(Child(nChild), &name) != S_OK)
        return _T("(none)");
    CString text(name);
    ::SysFreeString(name);
    return text;
}

long LongAnswer(HRESULT (IAccessible::*get)(VARIANT, VARIANT*), IAccessible& object, long nChild)
{
    VARIANT answer;
    ::VariantInit(&answer);
    return (object.*get)(Child(nChild), &answer) == S_OK && answer.vt == VT_I4 ? answer.lVal : -1;
}

class AccessibilityOn {
public:
    AccessibilityOn() { GetKGPGlobalData().m_bEnableAccessibility = TRUE; }
    ~AccessibilityOn() { GetKGPGlobalData().m_bEnableAccessibility = FALSE; }
};

TEST_F(TasksPaneTest, TheAccessibleObjectNamesThePagesTasksAndFollowsTheClick)
{
    // Accessibility off: the system's own answer.
    ASSERT_FALSE(GetKGPGlobalData().m_bEnableAccessibility);
    EXPECT_EQ(0, pane.SendMessage(WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)));
    const AccessibilityOn on;
    EXPECT_EQ(0, pane.SendMessage(WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_WINDOW)));
    const LRESULT result = pane.SendMessage(WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
    ASSERT_GT(result, 0);
    IAccessible* pRaw = nullptr;
    ASSERT_EQ(S_OK, ::ObjectFromLresult(result, __uuidof(IAccessible), 0, reinterpret_cast<void**>(&pRaw)));
    const AccessiblePtr object(pRaw);

    // Another page's tasks are no children; nor is a task hosting a window.
    pane.AddTask(pane.AddGroup(pane.AddPage(_T("Songs")), _T("Song tasks")), _T("Play"), -1, kOpenCommand);
    CListBox hosted;
    ASSERT_TRUE(hosted.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &pane, 77));
    pane.AddWindow(group, hosted.m_hWnd, 40);
    long count = 0;
    ASSERT_EQ(S_OK, object->get_accChildCount(&count));
    EXPECT_EQ(3, count);
    EXPECT_EQ(CString(_T("Tasks")), NameOf(*object, CHILDID_SELF));
    EXPECT_EQ(CString(_T("Save the file")), NameOf(*object, 2));
    EXPECT_EQ(ROLE_SYSTEM_CLIENT, LongAnswer(&IAccessible::get_accRole, *object, CHILDID_SELF));
    EXPECT_EQ(ROLE_SYSTEM_LINK, LongAnswer(&IAccessible::get_accRole, *object, 1));
    EXPECT_EQ(ROLE_SYSTEM_STATICTEXT, LongAnswer(&IAccessible::get_accRole, *object, 3));
    BSTR name = nullptr;
    EXPECT_EQ(E_INVALIDARG, object->get_accName(Child(4), &name));
    EXPECT_EQ(E_INVALIDARG, object->get_accName(Child(-1), &name));

    // Nothing clicked yet: no task has the focus.
    VARIANT focus;
    EXPECT_EQ(S_FALSE, object->get_accFocus(&focus));
    EXPECT_EQ(VT_EMPTY, focus.vt);
    // The second task clicked: it has the focus, where the pane shows it.
    const CRect save = pane.GetTask(group, 1)->m_rect;
    Click(save.CenterPoint());
    ASSERT_EQ(S_OK, object->get_accFocus(&focus));
    EXPECT_EQ(2, focus.lVal);
    EXPECT_NE(0, LongAnswer(&IAccessible::get_accState, *object, 2) & STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(0, LongAnswer(&IAccessible::get_accState, *object, 1) & STATE_SYSTEM_FOCUSED);
    long x = 0, y = 0, cx = 0, cy = 0;
    ASSERT_EQ(S_OK, object->accLocation(&x, &y, &cx, &cy, Child(2)));
    CRect screen = save;
    pane.ClientToScreen(screen);
    EXPECT_EQ(screen, CRect(CPoint(x, y), CSize(cx, cy)));
    VARIANT hit;
    ASSERT_EQ(S_OK, object->accHitTest(screen.CenterPoint().x, screen.CenterPoint().y, &hit));
    EXPECT_EQ(2, hit.lVal);

    // On another page the clicked task is not shown: no focus.
    pane.SetActivePage(1);
    ASSERT_EQ(S_OK, object->get_accChildCount(&count));
    EXPECT_EQ(1, count);
    EXPECT_EQ(S_FALSE, object->get_accFocus(&focus));

    // A client keeping the object past the pane is told it is gone.
    pane.DestroyWindow();
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, object->get_accChildCount(&count));
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, object->get_accName(Child(1), &name));
}

TEST_F(TasksPaneTest, FloatingThePaneGivesItsOwnFrameWithTheNavigation)
{
    pane.AddPage(_T("Songs"));
    ASSERT_TRUE(pane.FloatBar(CRect(300, 120, 520, 420), KGP_DM_UNKNOWN, true));
    auto* pFrame = DYNAMIC_DOWNCAST(CKGPTaskPaneMiniFrameWnd, pane.GetParentMiniFrame(TRUE));
    ASSERT_NE(nullptr, pFrame);
    CRect border;
    pFrame->CalcBorderSize(border);
    EXPECT_EQ(CRect(3, 3, 3, 3), border);
    pFrame->SetCaptionButtons(KGP_CAPTION_BTN_CLOSE);
    // Each new button went to the head: pages, forward, back, close.
    std::vector<UINT> hits;
    for (POSITION pos = pFrame->GetCaptionButtons().GetHeadPosition(); pos != nullptr;)
        hits.push_back(static_cast<CKGPCaptionButton*>(pFrame->GetCaptionButtons().GetNext(pos))->GetHit());
    EXPECT_EQ((std::vector<UINT>{KGP_TASKS_HIT_PAGES, KGP_TASKS_HIT_FORWARD, KGP_TASKS_HIT_BACK, HTCLOSE}), hits);
    EXPECT_EQ(KGP_CAPTION_BTN_CLOSE | 0x70, pFrame->GetCaptionButtonFlags());
    EXPECT_FALSE(pFrame->FindCaptionButton(KGP_TASKS_HIT_BACK)->m_bHidden);
    EXPECT_FALSE(pFrame->FindCaptionButton(KGP_TASKS_HIT_BACK)->m_bEnabled);

    pane.SetActivePage(1);
    pFrame->UpdateNavigationButtons();
    EXPECT_TRUE(pFrame->FindCaptionButton(KGP_TASKS_HIT_BACK)->m_bEnabled);
    EXPECT_FALSE(pFrame->FindCaptionButton(KGP_TASKS_HIT_FORWARD)->m_bEnabled);
    pFrame->OnPressCaptionButton(KGP_TASKS_HIT_BACK);
    EXPECT_EQ(0, pane.GetActivePage());
}

class TasksPaneStateTest : public TasksPaneTest {
protected:
    void SetUp() override
    {
        TasksPaneTest::SetUp();
        store.SetDataVersion(8, 0); // a version that stored every part
        SetWorkspace(&store);
        CKGPRegistryHandle reg(FALSE, FALSE);
        reg->DeleteKey(BuildLibraryRegistryPath(_T("KGPTasksPanes"), kProfile), TRUE);
    }
    void TearDown() override
    {
        SetWorkspace(nullptr);
        TasksPaneTest::TearDown();
    }
    CKGPAppStateStore store;
};

TEST_F(TasksPaneStateTest, SettingsComeBackAndADamagedValueChangesNothing)
{
    pane.AddPage(_T("Songs"));
    pane.AddPage(_T("Styles"));
    pane.SetMetric(kgp::tasks::kGroupSpacing, 30);
    pane.SetActivePage(2);
    ASSERT_TRUE(pane.SaveState(kProfile));

    pane.SetMetric(kgp::tasks::kGroupSpacing, -1);
    pane.SetActivePage(0);
    ASSERT_TRUE(pane.LoadState(kProfile));
    EXPECT_EQ(30, pane.GetMetrics()[kgp::tasks::kGroupSpacing]);
    EXPECT_EQ(2, pane.GetActivePage());
    EXPECT_EQ(CString(_T("Styles")), pane.GetPageName(2));

    // The value cut short: refused whole, the live settings as they were.
    CKGPRegistryHandle reg(FALSE, FALSE);
    const CString key = BuildLibraryRegistryPath(_T("KGPTasksPanes"), kProfile) + _T("KGPTasksPane-13056");
    ASSERT_TRUE(reg->Open(key));
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    ASSERT_TRUE(reg->Read(_T("Settings"), &pData, &nBytes));
    std::vector<BYTE> bytes(pData, pData + nBytes);
    delete[] pData;
    pane.SetMetric(kgp::tasks::kGroupSpacing, 5);
    pane.SetActivePage(1);
    ASSERT_TRUE(reg->Write(_T("Settings"), bytes.data(), static_cast<UINT>(bytes.size() - 3)));
    EXPECT_FALSE(pane.LoadState(kProfile));
    EXPECT_EQ(5, pane.GetMetrics()[kgp::tasks::kGroupSpacing]);
    EXPECT_EQ(1, pane.GetActivePage());

    // A hostile page-name count (far past the data) is refused, nothing changed.
    const std::vector<BYTE> hostile = keyloft_test::StoredBytes([this](CArchive& ar) {
        pane.CKGPDockingControlBar::Serialize(ar);
        for (int i = 0; i < kgp::tasks::kMetricCount; ++i)
            ar << 2;
        ar << 0;
        ar.WriteCount(0x7FFFFFFF);
        ar << CString(_T("One name only"));
    });
    ASSERT_TRUE(reg->Write(_T("Settings"), hostile.data(), static_cast<UINT>(hostile.size())));
    EXPECT_FALSE(pane.LoadState(kProfile));
    EXPECT_EQ(5, pane.GetMetrics()[kgp::tasks::kGroupSpacing]);
    EXPECT_EQ(1, pane.GetActivePage());
    EXPECT_EQ(CString(_T("Songs")), pane.GetPageName(1));
    reg->DeleteKey(BuildLibraryRegistryPath(_T("KGPTasksPanes"), kProfile), TRUE);
}

// The settings hold the pane's docked place as its own values do: saved,
// loaded and saved again, they are the same bytes.
TEST_F(TasksPaneStateTest, SavedLoadedAndSavedAgainTheSettingsAreTheSame)
{
    const auto settings = [] {
        CKGPRegistryHandle reg(FALSE, TRUE);
        std::vector<BYTE> bytes;
        if (!reg->Open(BuildLibraryRegistryPath(_T("KGPTasksPanes"), kProfile) + _T("KGPTasksPane-13056")))
            return bytes;
        BYTE* pData = nullptr;
        UINT nBytes = 0;
        if (reg->Read(_T("Settings"), &pData, &nBytes))
            bytes.assign(pData, pData + nBytes);
        delete[] pData;
        return bytes;
    };
    // Docked at the right edge at another size than it was made with.
    ASSERT_TRUE(pane.DockToWindow(CBRS_ALIGN_RIGHT, CRect(0, 0, 260, 300)));
    frame.RecalcLayout();
    ASSERT_TRUE(pane.SaveState(kProfile));
    const std::vector<BYTE> first = settings();
    ASSERT_FALSE(first.empty());
    ASSERT_TRUE(pane.LoadState(kProfile));
    ASSERT_TRUE(pane.SaveState(kProfile));
    EXPECT_EQ(first, settings());
    CKGPRegistryHandle reg(FALSE, FALSE);
    reg->DeleteKey(BuildLibraryRegistryPath(_T("KGPTasksPanes"), kProfile), TRUE);
}

// A floating tasks pane's frame stores its navigation's caption buttons with
// its own: the layout holding it is read back, the pane floating where it was.
TEST_F(TasksPaneStateTest, ALayoutWithTheTasksPaneFloatingLoadsBack)
{
    pane.AddPage(_T("Songs"));
    ASSERT_TRUE(pane.FloatBar(CRect(240, 180, 470, 420), KGP_DM_UNKNOWN, true));
    frame.RecalcLayout();
    CKGPMiniFrameWnd* floating = pane.GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    CRect before;
    floating->GetWindowRect(before);
    CKGPDockManager& manager = *frame.GetDockManager();
    ASSERT_TRUE(manager.SaveState(kProfile, 5));
    ASSERT_TRUE(pane.DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    frame.RecalcLayout();
    ASSERT_TRUE(manager.LoadState(kProfile, 5)) << "the layout is read back";
    manager.ApplyLoadedState();
    frame.RecalcLayout();
    floating = pane.GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    CRect after;
    floating->GetWindowRect(after);
    EXPECT_EQ(before, after);
    CKGPRegistryHandle reg(FALSE, FALSE);
    reg->DeleteKey(BuildLibraryRegistryPath(_T("KGPDockManagers"), kProfile), TRUE);
}

TEST_F(TasksPaneTest, TheWheelScrollsByRowsAndTheAreasFollow)
{
    for (int i = 0; i < 40; ++i)
        pane.AddTask(group, _T("One more task"), -1, kSaveCommand);
    ASSERT_GT(pane.GetScrollMetrics().maximum, 0);
    const int top = pane.GetTaskGroup(group)->m_rect.top;
    CPoint screen(20, 100);
    pane.ClientToScreen(&screen);
    pane.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-360)), MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(3, pane.GetScrollPosition());
    EXPECT_LT(pane.GetTaskGroup(group)->m_rect.top, top);
    pane.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120 * 10), MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(0, pane.GetScrollPosition()); // held at the top
    EXPECT_EQ(top, pane.GetTaskGroup(group)->m_rect.top);
}

TEST_F(TasksPaneTest, RecentFileNamesAreTheirTitles)
{
    CStringArray files;
    files.Add(_T("C:\\Songs\\Autumn leaves.mid"));
    files.Add(_T(""));
    pane.SetRecentFiles(&files);
    CString name;
    ASSERT_TRUE(pane.GetMRUFileName(0, name));
    EXPECT_EQ(0, name.Find(_T("Autumn leaves")));
    EXPECT_FALSE(pane.GetMRUFileName(1, name)); // an empty entry
    EXPECT_FALSE(pane.GetMRUFileName(2, name));
    EXPECT_FALSE(pane.GetMRUFileName(-1, name));
}

TEST_F(TasksPaneTest, ScreenshotOfTheDockedPane)
{
    const int view = pane.AddGroup(_T("View"), TRUE);
    pane.AddTask(view, _T("Show the keyboard"), -1, kSaveCommand);
    pane.CollapseGroup(view, FALSE);
    keyloft_test::Pump(30);
    EXPECT_TRUE(keyloft_test::SaveScreenshot(frame.m_hWnd, L"tasks_pane_docked.bmp"));
    EXPECT_GT(pane.GetTaskGroup(view)->m_rect.top, pane.GetTaskGroup(group)->m_rectGroup.bottom);
}

} // namespace
