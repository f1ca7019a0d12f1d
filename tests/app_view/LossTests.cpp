// The instrument going away while the program runs: the user's disconnect
// command and the removal of the instrument from the system.
#include <gtest/gtest.h>

#include <afxcmdui.h>

#include "core/profile/DevProfile.h"
#include "core/profile/DeviceNames.h"
#include "tests/app_view/ViewFixture.h"

namespace {

constexpr UINT kCmdConnectDevice = 32787;
constexpr UINT kCmdDisconnectDevice = 32914;

CString NotConnectedCaption()
{
    return viewtest::LoadedText(57344) + L" - " + viewtest::LoadedText(228);
}

class ViewLoss : public ::testing::Test, public viewtest::ViewFixture {
protected:
    void SetUp() override { ASSERT_TRUE(linktest::InstrumentPorts()) << "the test MIDI driver is missing"; }

    // A view connected to the simulated instrument with its six pages; the
    // test keeps the page objects so that it can read them after a release.
    viewtest::TestView& ConnectedView(DWORD keepAlivePeriodMs = 60000)
    {
        viewtest::TestView& view = MakeView();
        view.m_keepAlivePeriodMs = keepAlivePeriodMs;
        viewtest::AnswerWithInstrument(view);
        view.OnInitialUpdate();
        EXPECT_FALSE(view.IsProgramEnding());
        EXPECT_TRUE(PumpUntilPagesMade(6));
        for (const auto& page : pagesMade)
            m_pages.push_back(page.lock());
        EXPECT_EQ(m_pages.size(), 6u);
        EXPECT_TRUE(view.GetPort().GetMidiLink().IsOutOpen());
        return view;
    }

    bool DisconnectEnabled(viewtest::TestView& view)
    {
        CTestCmdUI state;
        state.m_nID = kCmdDisconnectDevice;
        state.DoUpdate(&view, TRUE);
        return state.m_bEnabled != FALSE;
    }

    void ExpectInstrumentForgotten(viewtest::TestView& view)
    {
        EXPECT_FALSE(view.GetPort().GetMidiLink().IsOutOpen());
        EXPECT_FALSE(view.GetPort().GetMidiLink().IsInOpen());
        EXPECT_TRUE(GetDeviceNames().m_deviceName.IsEmpty());
        EXPECT_TRUE(GetDeviceNames().m_midiPortName.IsEmpty());
        EXPECT_FALSE(CUSBPort::s_connected.load());
        EXPECT_TRUE(GetDevProfile().GetPath().IsEmpty());
        EXPECT_EQ(FrameCaption(), NotConnectedCaption());
    }

    std::vector<boost::shared_ptr<viewtest::RecordingPage>> m_pages;
};

} // namespace

TEST_F(ViewLoss, DisconnectAsksFirstThenDetachesThePagesAndOffersTheChooser)
{
    viewtest::TestView& view = ConnectedView();
    EXPECT_TRUE(DisconnectEnabled(view));

    // "No" to the question: nothing changes.
    view.answerDisconnect = false;
    view.SendMessage(WM_COMMAND, kCmdDisconnectDevice);
    EXPECT_EQ(view.disconnectQuestions, 1);
    EXPECT_TRUE(view.GetPort().GetMidiLink().IsOutOpen());
    EXPECT_TRUE(CUSBPort::s_connected.load());
    EXPECT_EQ(GetDeviceNames().m_deviceName, CString(L"DEVICE 1"));

    // "Yes": the link closes at once and the pages lose their port; the loss
    // itself is handled once the posted messages arrive.
    view.answerDisconnect = true;
    view.chooser = [](bool, UINT&, UINT&) -> INT_PTR { return IDCANCEL; };
    view.SendMessage(WM_COMMAND, kCmdDisconnectDevice);
    ExpectInstrumentForgotten(view);
    EXPECT_FALSE(DisconnectEnabled(view));
    for (const auto& page : m_pages) {
        EXPECT_EQ(page->attaches, 2) << page->m_slot;
        EXPECT_EQ(page->lastPort, nullptr) << page->m_slot;
    }
    EXPECT_EQ(view.deviceLostNotes, 0);

    ASSERT_TRUE(viewtest::PumpUntil([&] { return view.deviceLostNotes > 0; }, 5000));
    for (const auto& page : m_pages)
        EXPECT_EQ(page->deviceLostMessages, 1) << page->m_slot;
    EXPECT_EQ(view.deviceLostNotes, 1);
    EXPECT_EQ(view.chooserModes, (std::vector<bool>{true, false}));
    for (int slot = 0; slot < PageSlot::Count; ++slot)
        EXPECT_FALSE(view.GetPage(slot)) << slot;
    EXPECT_FALSE(view.IsDeviceRemoved());
}

TEST_F(ViewLoss, ARemovedInstrumentIsForgottenReportedAsLostAndNotPolledAgain)
{
    viewtest::TestView& view = ConnectedView(100);
    view.chooser = [](bool, UINT&, UINT&) -> INT_PTR { return IDCANCEL; };
    view.SendMessage(AppMsg::DeviceRemoved);

    EXPECT_TRUE(view.IsDeviceRemoved());
    ExpectInstrumentForgotten(view);
    // Each page was told before the chooser ran, and keeps no port.
    for (const auto& page : m_pages) {
        EXPECT_EQ(page->deviceLostMessages, 1) << page->m_slot;
        EXPECT_EQ(page->lastPort, nullptr) << page->m_slot;
    }
    EXPECT_TRUE(view.GetPage(0)) << "the chooser was cancelled: the pages stay";
    // The loss message, not a success message, and then the chooser.
    EXPECT_EQ(view.deviceLostNotes, 1);
    EXPECT_TRUE(Shell().messages.empty());
    EXPECT_EQ(view.chooserModes, (std::vector<bool>{true, false}));

    // The keep-alive leaves the removed instrument alone: no second loss.
    viewtest::PumpUntil([] { return false; }, 600);
    EXPECT_EQ(view.deviceLostNotes, 1);

    // No firmware page exists: its message reaches nobody.
    EXPECT_EQ(view.SendMessage(AppMsg::FirmwarePage, 1, 2), 0);

    // Connecting again builds new pages and ends the removed state.
    viewtest::AnswerWithInstrument(view);
    view.SendMessage(WM_COMMAND, kCmdConnectDevice);
    EXPECT_FALSE(view.IsDeviceRemoved());
    EXPECT_TRUE(CUSBPort::s_connected.load());
    EXPECT_TRUE(view.GetPort().GetMidiLink().IsOutOpen());
    EXPECT_TRUE(PumpUntilPagesMade(12));
    EXPECT_EQ(slotsMade.size(), 12u);
    auto fresh = boost::dynamic_pointer_cast<viewtest::RecordingPage>(view.GetPage(0));
    ASSERT_TRUE(fresh);
    EXPECT_NE(fresh, m_pages[0]);
    EXPECT_EQ(fresh->lastPort, &view.GetPort());
}
