// The menu bar and the toolbars after a restart, where the layout read does
// not hold every bar's values: a bar whose values are missing (a toolbar the
// application added after the layout was saved) or damaged keeps its
// default place, and every bar that was read goes to its saved place.
#include "tests/guilib_apphost/HostFixture.h"

#include "tests/guilib_apphost/AppHostIds.h"
#include "tests/guilib_apphost/HostStoredValues.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

namespace {

class BarsRestartTest : public AppHostTest {
protected:
    static std::string DescribeReadBars(CHostMainFrame& frame)
    {
        return apphost::DescribeBars(frame, {&frame.m_wndMenuBar, &frame.m_wndToolBar}) +
               apphost::DescribePanes(frame, frame.StoredPanes());
    }
    static std::string DescribeFormatBar(CHostMainFrame& frame)
    {
        return apphost::DescribeBars(frame, {&frame.m_wndFormatBar});
    }
    // The Standard bar dragged by its gripper along its row, away from the
    // frame's edge.
    static void DragStandardBarAlongItsRow(CHostMainFrame& frame)
    {
        CKGPToolBar& standard = frame.m_wndToolBar;
        const CRect before = apphost::ScreenRect(standard);
        const CPoint gripper(before.left + 3, before.CenterPoint().y);
        ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
            user.MoveTo(gripper);
            user.Press();
            user.DragTo(gripper + CSize(120, 0));
            user.Release();
        }));
        ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(standard).left >= before.left + 100; }));
        EXPECT_EQ(before.top, apphost::ScreenRect(standard).top) << "in its row still";
    }
    static std::wstring FormatBarKeysEnding()
    {
        return L"-" + std::to_wstring(ID_BAR_FORMAT);
    }
};

TEST_F(BarsRestartTest, ABarWhoseValuesWereNotReadKeepsItsDefaultPlaceAndTheOthersTheirSavedOnes)
{
    enum class Unread { Missing, Damaged };
    for (const Unread unread : {Unread::Missing, Unread::Damaged}) {
        SCOPED_TRACE(unread == Unread::Missing ? "the format bar's values missing" : "its values damaged");
        const std::string defaultPlace = DescribeFormatBar(Frame());
        DragStandardBarAlongItsRow(Frame());
        const std::string saved = DescribeReadBars(Frame());
        ASSERT_TRUE(Close());
        const std::vector<std::wstring> keys = apphost::StoredKeysEndingWith(FormatBarKeysEnding());
        ASSERT_FALSE(keys.empty());
        for (const std::wstring& key : keys) {
            if (unread == Unread::Missing) {
                ASSERT_TRUE(apphost::DeleteStoredKey(key));
            } else if (key.find(L"KGPControlBar-") != std::wstring::npos) {
                const std::vector<BYTE> text{'2', 0, 0, 0}; // a row index of the wrong kind
                ASSERT_TRUE(apphost::WriteStoredValue(key, L"RecentRowIndex", REG_SZ, text));
            }
        }
        ASSERT_TRUE(Start());
        EXPECT_EQ(saved, DescribeReadBars(Frame()));
        EXPECT_EQ(defaultPlace, DescribeFormatBar(Frame()));
        ForgetStoredState();
        ASSERT_TRUE(Close());
        ForgetStoredState();
        ASSERT_TRUE(Start());
    }
}

} // namespace
