// The MDI client area in an MDI frame: document windows as tabs of one strip
// or of groups; groups made by dragging a tab into a group's edge, merged by
// dragging it back onto the other group's strip, tabs reordered by dragging
// along the strip; closing the last tab of a group; the arrangement saved and
// loaded, with a document that no longer opens and damaged stored states.
#include <gtest/gtest.h>

#include "guilib/core/KGPRegistry.h"
#include "guilib/frames/KGPMainClientAreaWnd.h"
#include "guilib/tabs/KGPTabGroupMessages.h"
#include "tests/support/MDITestFrame.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <algorithm>

namespace {

using keyloft_test::CMDITestChild;
using keyloft_test::CMDITestFrame;
using keyloft_test::PumpPending;

constexpr LPCTSTR kProfile = _T("Software\\Keyloft\\Tests\\MDIClientArea\\");

std::vector<CKGPTabWnd*> GroupsOf(CKGPMainClientAreaWnd& client)
{
    std::vector<CKGPTabWnd*> groups;
    const CObList& list = client.GetMDITabGroups();
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        groups.push_back(static_cast<CKGPTabWnd*>(list.GetNext(pos)));
    return groups;
}

std::vector<CString> LabelsOf(CKGPTabWnd& tabs)
{
    std::vector<CString> labels;
    for (int i = 0; i < tabs.GetTabsNum(); ++i) {
        CString label;
        tabs.GetTabLabel(i, label);
        labels.push_back(label);
    }
    return labels;
}

std::vector<std::vector<CString>> Arrangement(CKGPMainClientAreaWnd& client)
{
    std::vector<std::vector<CString>> arrangement;
    for (CKGPTabWnd* pGroup : GroupsOf(client))
        arrangement.push_back(LabelsOf(*pGroup));
    return arrangement;
}

CRect WindowIn(CWnd& wnd, CWnd& parent)
{
    CRect rect;
    wnd.GetWindowRect(rect);
    parent.ScreenToClient(rect);
    return rect;
}

// The groups split the client exactly along the alignment; each group's
// document windows fill its window area.
void ExpectGroupsFillTheClient(CKGPMainClientAreaWnd& client)
{
    CRect rectClient;
    client.GetClientRect(rectClient);
    const std::vector<CKGPTabWnd*> groups = GroupsOf(client);
    ASSERT_FALSE(groups.empty());
    const bool vertical = client.GetGroupAlignment() == 1;
    int position = vertical ? rectClient.left : rectClient.top;
    for (CKGPTabWnd* pGroup : groups) {
        const CRect rect = WindowIn(*pGroup, client);
        EXPECT_EQ(position, vertical ? rect.left : rect.top);
        EXPECT_EQ(vertical ? rectClient.Height() : rectClient.Width(), vertical ? rect.Height() : rect.Width());
        position = vertical ? rect.right : rect.bottom;
        CRect area = pGroup->GetWndArea();
        pGroup->MapWindowPoints(&client, area);
        for (int i = 0; i < pGroup->GetTabsNum(); ++i)
            EXPECT_EQ(area, WindowIn(*pGroup->GetTabWnd(i), client)) << "tab " << i;
    }
    EXPECT_EQ(vertical ? rectClient.right : rectClient.bottom, position);
}

// Drags the active tab of a group to a screen point and drops it there, as
// the mouse does: pressed on the tab, moved, released.
void DragActiveTab(CKGPTabWnd& group, CPoint screenTarget, CRect* pMarker = nullptr,
                   CKGPMainClientAreaWnd* pClient = nullptr)
{
    CRect tab;
    ASSERT_TRUE(group.GetTabRect(group.GetActiveTab(), tab));
    const CPoint start = tab.CenterPoint();
    group.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    CPoint target = screenTarget;
    group.ScreenToClient(&target);
    group.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(target.x, target.y));
    if (pMarker != nullptr && pClient != nullptr)
        *pMarker = pClient->GetNewTabGroupRect();
    group.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(target.x, target.y));
    PumpPending();
}

class MainClientAreaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.CreateFrame(CRect(40, 40, 840, 600)));
        for (LPCTSTR name : {_T("C:\\songs\\intro.kl"), _T("C:\\songs\\verse.kl"), _T("C:\\songs\\chorus.kl")})
            ASSERT_NE(nullptr, m_frame.OpenDocument(name));
    }
    void TearDown() override
    {
        CKGPRegistry reg(FALSE, FALSE);
        reg.DeleteKey(_T("Software\\Keyloft\\Tests\\MDIClientArea"), TRUE);
    }

    void EnableGroups()
    {
        m_frame.Client().EnableMDITabbedGroups(TRUE, CKGPMDITabParams());
        m_frame.RecalcLayout();
        PumpPending();
    }

    CMDITestFrame m_frame;
};

TEST_F(MainClientAreaTest, TheStripShowsEveryDocumentAndFollowsActivationAndTitles)
{
    CKGPMainClientAreaWnd& client = m_frame.Client();
    client.EnableMDITabs(TRUE, CKGPMDITabParams());
    PumpPending();
    CKGPTabWnd& strip = client.GetMDITabs();
    ASSERT_EQ(3, strip.GetTabsNum());
    EXPECT_TRUE(strip.IsWindowVisible());
    for (CMDITestChild* pChild : m_frame.Children())
        EXPECT_EQ(0u, pChild->GetStyle() & (WS_SYSMENU | WS_CAPTION)) << "a tab has no caption";
    EXPECT_EQ(0u, client.GetExStyle() & WS_EX_CLIENTEDGE);

    // The client lies under the strip; the active document fills the client.
    CRect rectStrip = WindowIn(strip, m_frame);
    CRect rectClient = WindowIn(client, m_frame);
    EXPECT_GT(rectClient.top, rectStrip.top);
    EXPECT_EQ(rectStrip.left + strip.GetWndArea().left, rectClient.left);
    EXPECT_EQ(rectStrip.top + strip.GetWndArea().bottom, rectClient.bottom);
    CRect inner;
    client.GetClientRect(inner);
    CMDITestChild* pActive = m_frame.ActiveChild();
    ASSERT_NE(nullptr, pActive);
    CRect childClient;
    pActive->GetClientRect(childClient);
    pActive->ClientToScreen(childClient);
    client.ScreenToClient(childClient);
    EXPECT_EQ(inner, childClient);

    // Activating a document selects its tab; a tab click activates its document.
    CMDITestChild* pFirst = m_frame.Children().back();
    m_frame.MDIActivate(pFirst);
    PumpPending();
    EXPECT_EQ(pFirst->GetSafeHwnd(), strip.GetActiveWnd()->GetSafeHwnd());
    const int other = (strip.GetActiveTab() + 1) % 3;
    strip.SetActiveTab(other);
    PumpPending();
    EXPECT_EQ(strip.GetTabWnd(other), m_frame.MDIGetActive());

    pFirst->SetWindowText(_T("renamed.kl"));
    client.UpdateTabs(FALSE);
    const std::vector<CString> labels = LabelsOf(strip);
    EXPECT_NE(labels.end(), std::find(labels.begin(), labels.end(), CString(_T("renamed.kl"))));

    // Next and previous go round the strip.
    const int before = strip.GetActiveTab();
    client.SendMessage(WM_MDINEXT, 0, 0);
    PumpPending();
    EXPECT_EQ((before + 1) % 3, strip.GetActiveTab());
    client.SendMessage(WM_MDINEXT, 0, 1);
    PumpPending();
    EXPECT_EQ(before, strip.GetActiveTab());

    // Closing a document removes its tab; tabs off gives the captions back.
    m_frame.MDIGetActive()->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_EQ(2, strip.GetTabsNum());
    client.EnableMDITabs(FALSE, CKGPMDITabParams());
    PumpPending();
    EXPECT_FALSE(strip.IsWindowVisible());
    for (CMDITestChild* pChild : m_frame.Children())
        EXPECT_NE(0u, pChild->GetStyle() & WS_SYSMENU);
}

TEST_F(MainClientAreaTest, GroupsAreMadeMergedAndReorderedByDragging)
{
    CKGPMainClientAreaWnd& client = m_frame.Client();
    EnableGroups();
    ASSERT_EQ(1u, GroupsOf(client).size());
    CKGPTabWnd* pFirst = GroupsOf(client).front();
    EXPECT_EQ(3, pFirst->GetTabsNum());
    EXPECT_EQ(0, client.GetGroupAlignment());
    EXPECT_EQ(CKGPMainClientAreaWnd::NEW_VERTICAL_GROUP | CKGPMainClientAreaWnd::NEW_HORZ_GROUP,
              client.GetMDITabsContextMenuAllowedItems());
    ExpectGroupsFillTheClient(client);

    // Reordered along the strip: the dragged tab takes the other's place.
    const std::vector<CString> before = LabelsOf(*pFirst);
    pFirst->SetActiveTab(0);
    CRect last;
    pFirst->GetTabRect(2, last);
    CPoint onLast = last.CenterPoint();
    pFirst->ClientToScreen(&onLast);
    DragActiveTab(*pFirst, onLast);
    std::vector<CString> after = LabelsOf(*pFirst);
    EXPECT_EQ(before[0], after[2]);
    EXPECT_NE(before, after);

    // Dropped in the right edge of the group: a new vertical group holds it.
    CRect rectGroup;
    pFirst->GetWindowRect(rectGroup);
    const CString moved = pFirst->GetActiveTab() >= 0 ? LabelsOf(*pFirst)[static_cast<size_t>(pFirst->GetActiveTab())]
                                                      : CString();
    CRect marker;
    DragActiveTab(*pFirst, CPoint(rectGroup.right - 10, rectGroup.CenterPoint().y), &marker, &client);
    EXPECT_EQ(CRect(rectGroup.left + rectGroup.Width() / 2, rectGroup.top, rectGroup.right, rectGroup.bottom), marker)
        << "the marker proposed the group's right half";
    EXPECT_TRUE(client.GetNewTabGroupRect().IsRectEmpty()) << "the drop takes the marker away";
    std::vector<CKGPTabWnd*> groups = GroupsOf(client);
    ASSERT_EQ(2u, groups.size());
    EXPECT_EQ(1, client.GetGroupAlignment());
    EXPECT_EQ(2, groups[0]->GetTabsNum());
    ASSERT_EQ(1, groups[1]->GetTabsNum());
    EXPECT_EQ(moved, LabelsOf(*groups[1])[0]);
    EXPECT_EQ(1, groups[0]->GetGroupSplitterMode());
    EXPECT_EQ(0, groups[1]->GetGroupSplitterMode());
    EXPECT_EQ(groups[1]->GetTabWnd(0), m_frame.MDIGetActive());
    EXPECT_TRUE(groups[1]->IsActiveInMDITabGroup());
    EXPECT_FALSE(groups[0]->IsActiveInMDITabGroup());
    m_frame.RecalcLayout();
    ExpectGroupsFillTheClient(client);
    EXPECT_EQ(CKGPMainClientAreaWnd::MOVE_TO_PREV_GROUP, client.GetMDITabsContextMenuAllowedItems());
    EXPECT_TRUE(keyloft_test::SaveScreenshot(m_frame.GetSafeHwnd(), L"guilib_frames_tab_groups.bmp"));

    // The group border dragged: the first group widens, the second follows.
    CRect bounds;
    ASSERT_TRUE(KGPTabGroupMessages::SendGetDragBounds(&client, groups[0], bounds));
    CRect wider;
    groups[0]->GetWindowRect(wider);
    wider.right += 50;
    KGPTabGroupMessages::SendDragComplete(&client, groups[0], wider);
    EXPECT_EQ(WindowIn(*groups[0], client).right, WindowIn(*groups[1], client).left);
    EXPECT_EQ(wider.right, [&] { CRect r; groups[0]->GetWindowRect(r); return r.right; }());
    m_frame.RecalcLayout();
    ExpectGroupsFillTheClient(client);

    // A lone tab dragged inside its own group's edge proposes nothing.
    CRect second;
    groups[1]->GetWindowRect(second);
    DragActiveTab(*groups[1], CPoint(second.CenterPoint().x, second.CenterPoint().y), &marker, &client);
    EXPECT_TRUE(marker.IsRectEmpty());
    EXPECT_EQ(2u, GroupsOf(client).size());
    EXPECT_EQ(std::vector<DWORD>{CKGPMainClientAreaWnd::MOVE_TO_PREV_GROUP}, m_frame.m_dropMenuCalls)
        << "the drop menu was offered the group's commands";
    m_frame.m_dropMenuCalls.clear();

    // Dragged back onto the first group's strip: the groups merge.
    CRect strip;
    groups[0]->GetTabsRect(strip);
    groups[0]->ClientToScreen(strip);
    DragActiveTab(*groups[1], CPoint(strip.right - 5, strip.CenterPoint().y), &marker, &client);
    EXPECT_EQ(strip, marker) << "another group's strip is the proposal";
    groups = GroupsOf(client);
    ASSERT_EQ(1u, groups.size());
    EXPECT_EQ(3, groups[0]->GetTabsNum());
    EXPECT_EQ(0, client.GetGroupAlignment());
    EXPECT_EQ(0, groups[0]->GetGroupSplitterMode());
    m_frame.RecalcLayout();
    ExpectGroupsFillTheClient(client);

    // Dropped in its own group away from the edge: the frame's drop menu is
    // offered; when it declines, the group is split in half.
    CRect whole;
    groups[0]->GetWindowRect(whole);
    DragActiveTab(*groups[0], whole.CenterPoint());
    ASSERT_EQ(1u, m_frame.m_dropMenuCalls.size());
    EXPECT_EQ(3u, m_frame.m_dropMenuCalls[0]);
    EXPECT_EQ(2u, GroupsOf(client).size());
}

// A window of its own over a group (a floating pane, say): a tab dragged over
// it proposes nothing there, and let go over it goes nowhere.
TEST_F(MainClientAreaTest, ATabLetGoOverAnotherWindowLyingOnTheGroupGoesNowhere)
{
    CKGPMainClientAreaWnd& client = m_frame.Client();
    EnableGroups();
    CKGPTabWnd* pGroup = GroupsOf(client).front();
    CRect rectGroup;
    pGroup->GetWindowRect(rectGroup);
    // Over the lower half of the group's right edge, where a new group is proposed.
    const CRect over(rectGroup.right - 30, rectGroup.CenterPoint().y, rectGroup.right + 10, rectGroup.bottom);
    CWnd cover;
    ASSERT_TRUE(cover.CreateEx(0, AfxRegisterWndClass(0), _T("cover"), WS_POPUP | WS_VISIBLE, over, &m_frame, 0));
    PumpPending();
    const CWnd* pActive = m_frame.MDIGetActive();

    CRect tab;
    ASSERT_TRUE(pGroup->GetTabRect(pGroup->GetActiveTab(), tab));
    const CPoint start = tab.CenterPoint();
    auto toClient = [&](CPoint screen) {
        pGroup->ScreenToClient(&screen);
        return MAKELPARAM(screen.x, screen.y);
    };
    pGroup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    pGroup->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, toClient(CPoint(rectGroup.right - 10, rectGroup.top + 60)));
    EXPECT_FALSE(client.GetNewTabGroupRect().IsRectEmpty()) << "the edge clear of the window proposes a group";
    const LPARAM underCover = toClient(over.CenterPoint());
    pGroup->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, underCover);
    EXPECT_TRUE(client.GetNewTabGroupRect().IsRectEmpty()) << "over the window the proposal goes";
    pGroup->SendMessage(WM_LBUTTONUP, 0, underCover);
    PumpPending();
    EXPECT_EQ(1u, GroupsOf(client).size()) << "no group made under the window";
    EXPECT_EQ(3, pGroup->GetTabsNum());
    EXPECT_EQ(pActive, m_frame.MDIGetActive());
    EXPECT_TRUE(m_frame.m_dropMenuCalls.empty()) << "no drop offered either";
    cover.DestroyWindow();
}

TEST_F(MainClientAreaTest, ClosingTheLastTabOfTheActiveGroupActivatesTheNextGroup)
{
    CKGPMainClientAreaWnd& client = m_frame.Client();
    EnableGroups();
    CKGPTabWnd* pFirst = GroupsOf(client).front();
    CRect rect;
    pFirst->GetWindowRect(rect);
    CKGPTabWnd* pSecond = client.CreateNewTabGroup(pFirst, CRect(rect.CenterPoint().x, rect.top, rect.right, rect.bottom), TRUE);
    ASSERT_NE(nullptr, pSecond);
    ASSERT_TRUE(client.MoveWindowToTabGroup(pFirst, pSecond));
    ASSERT_TRUE(client.MoveWindowToTabGroup(pSecond, pFirst)) << "the emptied group goes";
    ASSERT_EQ(1u, GroupsOf(client).size());
    pSecond = client.CreateNewTabGroup(pFirst, CRect(rect.CenterPoint().x, rect.top, rect.right, rect.bottom), TRUE);
    ASSERT_TRUE(client.MoveWindowToTabGroup(pFirst, pSecond));
    EXPECT_TRUE(pSecond->IsActiveInMDITabGroup());
    const CWnd* pExpected = pFirst->GetActiveWnd();

    pSecond->GetTabWnd(0)->SendMessage(WM_CLOSE);
    PumpPending();
    const std::vector<CKGPTabWnd*> groups = GroupsOf(client);
    ASSERT_EQ(1u, groups.size());
    EXPECT_EQ(pFirst, groups[0]);
    EXPECT_EQ(0, client.GetGroupAlignment());
    EXPECT_EQ(0, pFirst->GetGroupSplitterMode());
    EXPECT_EQ(pExpected, m_frame.MDIGetActive());
    m_frame.RecalcLayout();
    ExpectGroupsFillTheClient(client);

    // Groups off: every document gets its caption back and leaves its group.
    client.EnableMDITabbedGroups(FALSE, CKGPMDITabParams());
    for (CMDITestChild* pChild : m_frame.Children()) {
        EXPECT_NE(0u, pChild->GetStyle() & WS_SYSMENU);
        EXPECT_EQ(nullptr, pChild->GetRelatedTabGroup());
    }
}

TEST_F(MainClientAreaTest, TheGroupsAreSavedAndLoadedAndADocumentThatDoesNotOpenIsSkipped)
{
    CKGPMainClientAreaWnd& client = m_frame.Client();
    EnableGroups();
    CKGPTabWnd* pFirst = GroupsOf(client).front();
    CRect rect;
    pFirst->GetWindowRect(rect);
    CKGPTabWnd* pSecond =
        client.CreateNewTabGroup(pFirst, CRect(rect.left, rect.CenterPoint().y, rect.right, rect.bottom), FALSE);
    ASSERT_NE(nullptr, pSecond);
    pFirst->SetActiveTab(1);
    ASSERT_TRUE(client.MoveWindowToTabGroup(pFirst, pSecond));
    m_frame.RecalcLayout();
    PumpPending();
    const auto saved = Arrangement(client);
    ASSERT_EQ(2u, saved.size());
    const CRect firstBefore = WindowIn(*GroupsOf(client)[0], client);
    ASSERT_TRUE(client.SaveState(kProfile, 3));

    // A damaged state is refused and nothing changes.
    {
        CKGPRegistry reg(FALSE, FALSE);
        CString key;
        key.Format(_T("%sMDIClientArea-%d"), kProfile, 4);
        ASSERT_TRUE(reg.CreateKey(key));
        const BYTE bytes[] = {1, 0, 0, 0, 9, 0, 0, 0};
        ASSERT_TRUE(reg.Write(_T("MDITabsState"), bytes, sizeof(bytes)));
    }
    EXPECT_FALSE(client.LoadState(kProfile, 4));
    EXPECT_EQ(saved, Arrangement(client));
    EXPECT_EQ(3u, m_frame.Children().size());
    EXPECT_FALSE(client.LoadState(kProfile, 5)) << "nothing stored";

    // Everything closed, loaded back: the same groups, tabs and places.
    client.EnableMDITabbedGroups(FALSE, CKGPMDITabParams());
    client.CloseAllWindows(nullptr);
    PumpPending();
    ASSERT_TRUE(m_frame.Children().empty());
    ASSERT_TRUE(client.LoadState(kProfile, 3));
    PumpPending();
    EXPECT_TRUE(client.IsMDITabbedGroup());
    EXPECT_EQ(saved, Arrangement(client));
    EXPECT_EQ(2, client.GetGroupAlignment());
    EXPECT_EQ(3u, m_frame.m_openedDocuments.size());
    EXPECT_EQ(firstBefore, WindowIn(*GroupsOf(client)[0], client));
    EXPECT_TRUE(GroupsOf(client)[1]->IsActiveInMDITabGroup());
    EXPECT_EQ(GroupsOf(client)[1]->GetActiveWnd(), m_frame.MDIGetActive());
    EXPECT_TRUE(keyloft_test::SaveScreenshot(m_frame.GetSafeHwnd(), L"guilib_frames_loaded_groups.bmp"));

    // The stored active document no longer opens: its tab is skipped and the
    // group's active tab is one that exists; its lone group is not made.
    const std::vector<CString> second = saved[1];
    m_frame.m_refusedDocuments.insert(L"C:\\songs\\verse.kl");
    m_frame.m_refusedDocuments.insert(L"C:\\songs\\chorus.kl");
    m_frame.m_refusedDocuments.insert(L"C:\\songs\\intro.kl");
    m_frame.m_refusedDocuments.erase(std::wstring(L"C:\\songs\\") + static_cast<LPCTSTR>(saved[0][0]));
    ASSERT_TRUE(client.LoadState(kProfile, 3));
    PumpPending();
    const auto partial = Arrangement(client);
    ASSERT_EQ(1u, partial.size());
    EXPECT_EQ(std::vector<CString>{saved[0][0]}, partial[0]);
    EXPECT_EQ(0, GroupsOf(client)[0]->GetActiveTab());
    EXPECT_EQ(0, client.GetGroupAlignment());
    EXPECT_EQ(1u, m_frame.Children().size());
}

TEST_F(MainClientAreaTest, WithoutTabsEachWindowsPlacementIsSavedAndADocumentOpensOnceForTwoWindows)
{
    CKGPMainClientAreaWnd& client = m_frame.Client();
    std::vector<CMDITestChild*> children = m_frame.Children();
    children[0]->m_strDocument = children[1]->m_strDocument;
    children[2]->MoveWindow(10, 20, 300, 200);
    m_frame.MDIActivate(children[2]);
    PumpPending();
    ASSERT_TRUE(client.SaveState(kProfile, 1));
    client.CloseAllWindows(nullptr);
    PumpPending();
    ASSERT_TRUE(client.LoadState(kProfile, 1));
    PumpPending();
    EXPECT_EQ(3u, m_frame.Children().size());
    EXPECT_EQ(2u, m_frame.m_openedDocuments.size());
    EXPECT_EQ(1u, m_frame.m_newWindows.size()) << "the second window of a document";
    CMDITestChild* pActive = m_frame.ActiveChild();
    ASSERT_NE(nullptr, pActive);
    EXPECT_EQ(CRect(10, 20, 310, 220), WindowIn(*pActive, client));
}

// A minimised window comes back where it lay, and saves the same bytes
// again; a stored minimised place that is to be set but lies before the
// client's corner ("none" included) is refused.
TEST_F(MainClientAreaTest, AMinimisedWindowsPlaceComesBackAndAnImpossibleOneIsRefused)
{
    CKGPMainClientAreaWnd& client = m_frame.Client();
    CMDITestChild* pChild = m_frame.Children().back();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ASSERT_TRUE(pChild->GetWindowPlacement(&placement));
    placement.flags = WPF_SETMINPOSITION;
    placement.ptMinPosition = CPoint(37, 41);
    placement.showCmd = SW_SHOWMINNOACTIVE;
    ASSERT_TRUE(pChild->SetWindowPlacement(&placement));
    PumpPending();
    ASSERT_TRUE(pChild->IsIconic());
    const CPoint minimised = WindowIn(*pChild, client).TopLeft();
    ASSERT_EQ(CPoint(37, 41), minimised);
    ASSERT_TRUE(client.SaveState(kProfile, 1));
    auto stored = [] {
        CKGPRegistry reg(FALSE, TRUE);
        CString key;
        key.Format(_T("%sMDIClientArea-%d"), kProfile, 1);
        std::vector<BYTE> bytes;
        BYTE* data = nullptr;
        UINT size = 0;
        if (reg.Open(key) && reg.Read(_T("MDITabsState"), &data, &size))
            bytes.assign(data, data + size);
        delete[] data;
        return bytes;
    };

    // Loaded, saved, loaded and saved again: the same bytes, the window
    // minimised where it lay each time.
    auto iconic = [this] {
        std::vector<CMDITestChild*> found;
        for (CMDITestChild* pWnd : m_frame.Children()) {
            if (pWnd->IsIconic())
                found.push_back(pWnd);
        }
        return found;
    };
    std::vector<BYTE> saved = stored();
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(client.LoadState(kProfile, 1));
        PumpPending();
        ASSERT_EQ(1u, iconic().size());
        EXPECT_EQ(minimised, WindowIn(*iconic().front(), client).TopLeft()) << "where it lay";
        ASSERT_TRUE(client.SaveState(kProfile, 1));
        if (round == 1) {
            EXPECT_EQ(saved, stored()) << "saved, loaded and saved again";
        }
        saved = stored();
    }

    // The same state with its minimised place made "none": refused whole.
    const BYTE place[] = {37, 0, 0, 0, 41, 0, 0, 0};
    std::vector<BYTE> damaged = saved;
    const auto at = std::search(damaged.begin(), damaged.end(), std::begin(place), std::end(place));
    ASSERT_NE(damaged.end(), at);
    std::fill(at, at + sizeof(place), BYTE{0xFF});
    {
        CKGPRegistry reg(FALSE, FALSE);
        CString key;
        key.Format(_T("%sMDIClientArea-%d"), kProfile, 2);
        ASSERT_TRUE(reg.CreateKey(key));
        ASSERT_TRUE(reg.Write(_T("MDITabsState"), damaged.data(), static_cast<UINT>(damaged.size())));
    }
    const std::vector<CMDITestChild*> before = m_frame.Children();
    EXPECT_FALSE(client.LoadState(kProfile, 2));
    PumpPending();
    EXPECT_EQ(before, m_frame.Children()) << "nothing closed or made";
}

namespace {

// The stored arrangement as bytes.
std::vector<BYTE> StoredArrangement(int nFrameID)
{
    CKGPRegistry reg(FALSE, TRUE);
    CString key;
    key.Format(_T("%sMDIClientArea-%d"), kProfile, nFrameID);
    std::vector<BYTE> bytes;
    BYTE* data = nullptr;
    UINT size = 0;
    if (reg.Open(key) && reg.Read(_T("MDITabsState"), &data, &size))
        bytes.assign(data, data + size);
    delete[] data;
    return bytes;
}

void WriteArrangement(int nFrameID, const std::vector<BYTE>& bytes)
{
    CKGPRegistry reg(FALSE, FALSE);
    CString key;
    key.Format(_T("%sMDIClientArea-%d"), kProfile, nFrameID);
    ASSERT_TRUE(reg.CreateKey(key));
    ASSERT_TRUE(reg.Write(_T("MDITabsState"), bytes.data(), static_cast<UINT>(bytes.size())));
}

} // namespace

// The windows come back in the order they lay, front to back, with the
// active one in front, also when one of them lies minimised between the
// others (a minimised window went to the back as it was placed, and the
// order changed at every load); loaded and saved again, the bytes settle.
// (The first save may differ from the next in the places the system
// reports for windows never maximised.)
TEST_F(MainClientAreaTest, WithoutTabsTheWindowsComeBackInTheirOrderAndTheBytesSettle)
{
    CKGPMainClientAreaWnd& client = m_frame.Client();
    const auto order = [this] {
        std::vector<CString> names;
        for (CMDITestChild* pChild : m_frame.Children())
            names.push_back(pChild->m_strDocument);
        return names;
    };
    m_frame.Children()[1]->ShowWindow(SW_SHOWMINNOACTIVE);
    PumpPending();
    const std::vector<CString> saved = order();
    CMDITestChild* pActive = m_frame.ActiveChild();
    ASSERT_NE(nullptr, pActive);
    const CString active = pActive->m_strDocument;
    ASSERT_TRUE(client.SaveState(kProfile, 1));
    std::vector<BYTE> bytes;
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(client.LoadState(kProfile, 1));
        PumpPending();
        EXPECT_EQ(saved, order());
        ASSERT_NE(nullptr, m_frame.ActiveChild());
        EXPECT_EQ(active, m_frame.ActiveChild()->m_strDocument);
        ASSERT_TRUE(client.SaveState(kProfile, 1));
        if (round > 0) {
            EXPECT_EQ(bytes, StoredArrangement(1)) << "loaded and saved again";
        }
        bytes = StoredArrangement(1);
    }
}

// A save stores each window shown (normal, minimised or maximised): a window
// stored hidden, or with any other way of showing, is no saved state and is
// refused whole (it was taken and hidden, and the next save stored it shown).
TEST_F(MainClientAreaTest, WithoutTabsAWindowStoredHiddenIsRefused)
{
    CKGPMainClientAreaWnd& client = m_frame.Client();
    ASSERT_TRUE(client.SaveState(kProfile, 1));
    const std::vector<BYTE> bytes = StoredArrangement(1);
    // Each window's record ends with its placement's normal rectangle, its
    // way of showing and its active flag: find the rectangles where they lie.
    std::vector<size_t> shows;
    for (CMDITestChild* pChild : m_frame.Children()) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        ASSERT_TRUE(pChild->GetWindowPlacement(&placement));
        const auto* rect = reinterpret_cast<const BYTE*>(&placement.rcNormalPosition);
        const auto at = std::search(bytes.begin(), bytes.end(), rect, rect + sizeof(RECT));
        ASSERT_NE(bytes.end(), at);
        shows.push_back(static_cast<size_t>(at - bytes.begin()) + sizeof(RECT));
        ASSERT_EQ(static_cast<BYTE>(SW_SHOWNORMAL), bytes[shows.back()]);
    }
    for (const BYTE show : {BYTE{SW_HIDE}, BYTE{SW_SHOWNA}, BYTE{SW_RESTORE}}) {
        SCOPED_TRACE(static_cast<int>(show));
        std::vector<BYTE> damaged = bytes;
        damaged[shows.front()] = show;
        WriteArrangement(2, damaged);
        const std::vector<CMDITestChild*> before = m_frame.Children();
        EXPECT_FALSE(client.LoadState(kProfile, 2));
        PumpPending();
        EXPECT_EQ(before, m_frame.Children()) << "nothing closed or made";
        for (CMDITestChild* pChild : m_frame.Children())
            EXPECT_TRUE(pChild->IsWindowVisible());
    }
}

} // namespace
