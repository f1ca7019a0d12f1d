// The menu bar and the toolbars after a restart, where the layout read does
// not hold every bar's values: a bar whose values are missing (a toolbar the
// application added after the layout was saved) or damaged keeps its
// default place, and every bar that was read goes to its saved place.
#include "tests/guilib_apphost/HostFixture.h"

#include "tests/guilib_apphost/AppHostIds.h"
#include "tests/guilib_apphost/HostStoredValues.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

#include <map>
#include <sstream>

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

namespace {

// The application's Format bar with its alignment buttons behind one
// drop-down button.
class DropDownRestartTest : public BarsRestartTest {
protected:
    void SetUp() override
    {
        HostApp().m_bAlignDropDown = TRUE;
        BarsRestartTest::SetUp();
    }
    void TearDown() override
    {
        BarsRestartTest::TearDown();
        HostApp().m_bAlignDropDown = FALSE;
    }
    static CKGPDropDownToolbarButton* AlignButton(CHostMainFrame& frame)
    {
        for (int i = 0; i < frame.m_wndFormatBar.GetCount(); ++i) {
            if (auto* button = DYNAMIC_DOWNCAST(CKGPDropDownToolbarButton, frame.m_wndFormatBar.GetButton(i)))
                return button;
        }
        return nullptr;
    }
    static std::string DescribeAlignButton(CHostMainFrame& frame)
    {
        CKGPDropDownToolbarButton* button = AlignButton(frame);
        if (button == nullptr)
            return "no drop-down button";
        std::ostringstream out;
        out << "command " << button->m_nCommand << " image " << button->GetCurrentImage() << " of "
            << (button->GetDropDownToolBar() == &frame.m_wndAlignBar ? "the align bar" : "no bar") << " caption \""
            << CStringA(button->m_strCaption).GetString() << "\" shown " << button->m_bShowCaption << " width "
            << button->m_rcButton.Width();
        return out.str();
    }
};

// The drop-down button shows the image of its command, with room for it,
// and comes back so after restarts: its caption did not show until the
// first load, then showed in place of the image and the bar grew.
TEST_F(DropDownRestartTest, TheDropDownButtonComesBackShowingItsImageAtItsWidthAndSavesTheSameBytes)
{
    CKGPDropDownToolbarButton* button = AlignButton(Frame());
    ASSERT_NE(nullptr, button);
    EXPECT_FALSE(button->m_bShowCaption);
    EXPECT_GT(button->m_rcButton.Width(), Frame().m_wndFormatBar.GetCurrentButtonSize().cx) << "room for its image";
    const std::string shown = DescribeAlignButton(Frame()) + "\n" + DescribeFormatBar(Frame());
    std::map<std::wstring, std::vector<BYTE>> saved;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(Close());
        const auto bytes = apphost::StoredValues();
        if (round > 0) {
            EXPECT_TRUE(bytes == saved) << "saved again otherwise";
        }
        saved = bytes;
        ASSERT_TRUE(Start());
        EXPECT_TRUE(HostApp().StateStore().m_bLayoutLoaded);
        EXPECT_EQ(shown, DescribeAlignButton(Frame()) + "\n" + DescribeFormatBar(Frame()));
    }
}

} // namespace
