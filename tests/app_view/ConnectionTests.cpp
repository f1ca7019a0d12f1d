// The view's connection at its first update, the keep-alive, the loss of the
// instrument and the end of the background threads, against the simulated
// instrument through the test MIDI driver.
#include <gtest/gtest.h>

#include <fstream>

#include "core/files/Folders.h"
#include "core/profile/AppProfile.h"
#include "core/profile/DevProfile.h"
#include "core/profile/DeviceNames.h"
#include "core/profile/Ini.h"
#include "tests/app_view/ViewFixture.h"

using viewtest::AnswerWithInstrument;
using viewtest::ReadText;
using viewtest::ViewFixture;

namespace {

CString Text(UINT id) { return viewtest::LoadedText(id); }

class ViewConnection : public ::testing::Test, public ViewFixture {
protected:
    void SetUp() override { ASSERT_TRUE(linktest::InstrumentPorts()) << "the test MIDI driver is missing"; }
};

} // namespace

TEST_F(ViewConnection, StartUpConnectsTheOnlyInstrumentAndFetchesItsProfile)
{
    Memory().SetControl("name=XK900");
    viewtest::TestView& view = MakeView();
    {
        // The real chooser runs: it must connect the only instrument by itself.
        viewtest::DialogWatchdog watchdog(15000);
        view.OnInitialUpdate();
        ASSERT_FALSE(watchdog.Fired()) << "the chooser did not connect on its own";
    }

    ASSERT_FALSE(view.IsProgramEnding());
    ASSERT_EQ(view.chooserModes, std::vector<bool>{true});
    EXPECT_EQ(GetDeviceNames().m_deviceName, CString(L"DEVICE 1"));
    EXPECT_EQ(GetInterName(L"DEVICE 1"), CString(L"XK900"));
    EXPECT_FALSE(GetDeviceNames().m_midiPortName.IsEmpty());
    EXPECT_EQ(view.GetPort().GetMode(), CUSBPort::kModeMidi);
    EXPECT_TRUE(CUSBPort::s_connected.load());

    // The series entry and the device profile named after the reported model.
    const std::string appProfile = ReadText(ProgramFolder() / "AppProfile.ini");
    EXPECT_NE(appProfile.find("[SEC_DEV_2_SERIAL]"), std::string::npos);
    EXPECT_NE(appProfile.find("XK900=RX470"), std::string::npos);
    EXPECT_EQ(GetDeviceSeries(L"XK900"), CString(L"RX470"));
    const std::string profile = ReadText(ProgramFolder() / "DevProfile" / "XK900.ini");
    EXPECT_NE(profile.find("DLG_VISIBLE"), std::string::npos);

    EXPECT_EQ(FrameCaption(), Text(57344) + L" - DEVICE 1");
    // The built-in profile switches every page on: the shown one is made at
    // once, the other five in order once the window is up.
    EXPECT_EQ(slotsMade, (std::vector<int>{0}));
    EXPECT_EQ(portModesAtMake[0], CUSBPort::kModeMidi) << "the profile was only known after the probe";
    ASSERT_TRUE(PumpUntilPagesMade(6));
    EXPECT_EQ(slotsMade, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(view.GetCurrentPageSlot(), 0);
    for (int slot = 0; slot < 6; ++slot) {
        auto page = boost::dynamic_pointer_cast<viewtest::RecordingPage>(view.GetPage(slot));
        ASSERT_TRUE(page) << slot;
        EXPECT_EQ(page->attaches, 1);
        EXPECT_EQ(page->refreshes, 1);
        EXPECT_EQ(page->settingsLoads, 1) << "a page made later loads its settings too";
        EXPECT_EQ(page->lastPort, &view.GetPort());
        EXPECT_EQ(page->IsWindowVisible() != FALSE, slot == 0);
    }
    EXPECT_FALSE(view.GetPage(6));

    // The voice-name list is fetched on request.
    EXPECT_TRUE(view.FetchInsFile());
    EXPECT_TRUE(std::filesystem::exists(ProgramFolder() / "INS" / "XK900.ins"));
}

TEST_F(ViewConnection, AnExistingProfileIsNotFetchedAgain)
{
    WriteDevProfile(L"RX470", "[DLG_VISIBLE]\r\nDLG_DOWN_SONG=0\r\n");
    viewtest::TestView& view = MakeView();
    AnswerWithInstrument(view);
    view.OnInitialUpdate();

    ASSERT_FALSE(view.IsProgramEnding());
    EXPECT_EQ(ReadText(ProgramFolder() / "DevProfile" / "RX470.ini"), "[DLG_VISIBLE]\r\nDLG_DOWN_SONG=0\r\n");
    // Song switched off: slot 0 stays empty, nothing is shown, page 0 is current.
    EXPECT_TRUE(slotsMade.empty()) << "no page is shown: every one waits for the window";
    ASSERT_TRUE(PumpUntilPagesMade(3));
    EXPECT_EQ(slotsMade, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(view.GetPage(0));
    EXPECT_EQ(view.GetCurrentPageSlot(), 0);
    for (int slot = 1; slot < 4; ++slot) {
        ASSERT_TRUE(view.GetPage(slot)) << slot;
        EXPECT_FALSE(view.GetPage(slot)->IsWindowVisible()) << slot;
    }
}

TEST_F(ViewConnection, AKnownProfileLetsTheShownPageBeMadeDuringThePauseAndTheBuildTakesIt)
{
    // What the first start left: the profile and the model's series.
    WriteDevProfile(L"RX470", "[DLG_VISIBLE]\r\nDLG_DOWN_VOICE=0\r\n");
    GetAppProfile().SetDeviceSeries(L"RX470", CAppProfile::kSeriesOfConnectedModels);
    viewtest::TestView& view = MakeView();
    AnswerWithInstrumentAndItsProfile(view);
    view.OnInitialUpdate();

    ASSERT_FALSE(view.IsProgramEnding());
    // Made before the link opened, once, and then attached and filled like a
    // page made by the build.
    ASSERT_EQ(slotsMade, (std::vector<int>{0}));
    EXPECT_NE(portModesAtMake[0], CUSBPort::kModeMidi);
    auto song = boost::dynamic_pointer_cast<viewtest::RecordingPage>(view.GetPage(0));
    ASSERT_TRUE(song);
    EXPECT_EQ(song, pagesMade[0].lock());
    EXPECT_EQ(song->attaches, 1);
    EXPECT_EQ(song->refreshes, 1);
    EXPECT_EQ(song->settingsLoads, 1);
    EXPECT_EQ(song->lastPort, &view.GetPort());
    EXPECT_TRUE(song->IsWindowVisible());

    // The others follow once the window is up, the switched-off one not at all.
    ASSERT_TRUE(PumpUntilPagesMade(3));
    EXPECT_EQ(slotsMade, (std::vector<int>{0, 1, 3}));
    for (std::size_t made = 1; made < portModesAtMake.size(); ++made)
        EXPECT_EQ(portModesAtMake[made], CUSBPort::kModeMidi) << made;
    EXPECT_EQ(view.GetPage(0), song);
}

TEST_F(ViewConnection, APageMadeDuringThePauseUnderAnotherSeriesIsMadeAgain)
{
    // The profile is there, the series entry is not (yet): the marks of the
    // page made ahead were checked against no series.
    WriteDevProfile(L"RX470", "[DLG_VISIBLE]\r\n");
    viewtest::TestView& view = MakeView();
    AnswerWithInstrumentAndItsProfile(view);
    view.OnInitialUpdate();

    ASSERT_FALSE(view.IsProgramEnding());
    ASSERT_EQ(slotsMade, (std::vector<int>{0, 0}));
    EXPECT_EQ(portModesAtMake[1], CUSBPort::kModeMidi);
    EXPECT_TRUE(pagesMade[0].expired());
    EXPECT_EQ(view.GetPage(0), pagesMade[1].lock());
}

TEST_F(ViewConnection, APageMadeDuringThePauseGoesWhenTheInstrumentDoesNotAnswer)
{
    WriteDevProfile(L"RX470", "[DLG_VISIBLE]\r\n");
    Memory().SetControl("fault=silent");
    viewtest::TestView& view = MakeView();
    AnswerWithInstrumentAndItsProfile(view);
    view.OnInitialUpdate();

    EXPECT_TRUE(view.IsProgramEnding());
    ASSERT_EQ(slotsMade, (std::vector<int>{0}));
    EXPECT_TRUE(pagesMade[0].expired()) << "the page made ahead is destroyed with the start-up";
    EXPECT_FALSE(view.GetPage(0));
    EXPECT_EQ(::GetWindow(view.GetSafeHwnd(), GW_CHILD), nullptr);
}

TEST_F(ViewConnection, AProfileThatCannotBeWrittenEndsTheStartUp)
{
    // A file where the profile folder should be: the fetched profile has nowhere to go.
    std::ofstream(ProgramFolder() / "DevProfile") << "not a folder";
    viewtest::TestView& view = MakeView();
    AnswerWithInstrument(view);
    view.OnInitialUpdate();

    EXPECT_TRUE(view.IsProgramEnding());
    EXPECT_FALSE(view.EnsureDevProfile());
    EXPECT_TRUE(slotsMade.empty());
    EXPECT_TRUE(GetDeviceNames().m_deviceName.IsEmpty());
    EXPECT_FALSE(CUSBPort::s_connected.load());
    EXPECT_FALSE(Shell().messages.empty()) << "the write failure is reported";
}

TEST_F(ViewConnection, FiveUnansweredProbesReportTheTimeOutAndEnd)
{
    Memory().SetControl("fault=silent");
    viewtest::TestView& view = MakeView();
    AnswerWithInstrument(view);
    view.OnInitialUpdate();

    EXPECT_TRUE(view.IsProgramEnding());
    ASSERT_EQ(Shell().messages.size(), 1u);
    EXPECT_EQ(Shell().messages[0].text, Text(243));
    EXPECT_TRUE(slotsMade.empty());
    EXPECT_FALSE(std::filesystem::exists(ProgramFolder() / "DevProfile" / "RX470.ini"));
    EXPECT_FALSE(CUSBPort::s_connected.load());
}

TEST_F(ViewConnection, TheFrameBuildsItsBarsAndTheThreadsStartAfterTheChooserAndTheBarsFailureEndsTheStartUp)
{
    for (const LRESULT failBars : {LRESULT(1), LRESULT(0)}) {
        viewtest::TestView& view = MakeView();
        Frame()->failBars = failBars;
        AnswerWithInstrument(view);
        const auto answer = view.chooser;
        int completionsWhileChoosing = -1;
        int threadsWhileChoosing = -1;
        view.chooser = [&](bool startupMode, UINT& outId, UINT& inId) {
            completionsWhileChoosing = Frame()->completions;
            threadsWhileChoosing = view.GetRunningThreadCount();
            return answer(startupMode, outId, inId);
        };
        view.OnInitialUpdate();
        EXPECT_EQ(completionsWhileChoosing, 0);
        EXPECT_EQ(threadsWhileChoosing, 0);
        EXPECT_EQ(view.GetRunningThreadCount(), 5) << "the four folder watches and the keep-alive";
        EXPECT_EQ(Frame()->completions, 1);
        EXPECT_EQ(view.IsProgramEnding(), failBars != 0);
        EXPECT_EQ(view.GetPort().GetMode() == CUSBPort::kModeMidi, failBars == 0);
        DestroyFrame();
    }
}

TEST_F(ViewConnection, CancelledChooserEndsTheStartUp)
{
    viewtest::TestView& view = MakeView();
    view.chooser = [](bool, UINT&, UINT&) -> INT_PTR { return IDCANCEL; };
    view.OnInitialUpdate();
    EXPECT_TRUE(view.IsProgramEnding());
    EXPECT_EQ(Frame()->completions, 0) << "a program that ends builds no bars";
    EXPECT_EQ(view.GetRunningThreadCount(), 0) << "nor starts its threads";
    EXPECT_EQ(view.GetPort().GetMode(), CUSBPort::kModeClosed);
    EXPECT_TRUE(slotsMade.empty());
}

TEST_F(ViewConnection, KeepAliveNoticesASilentInstrumentAndTheViewOffersTheChooser)
{
    viewtest::TestView& view = MakeView();
    view.m_keepAlivePeriodMs = 100;
    AnswerWithInstrument(view);
    view.OnInitialUpdate();
    ASSERT_FALSE(view.IsProgramEnding());
    ASSERT_TRUE(PumpUntilPagesMade(6));
    ASSERT_EQ(slotsMade.size(), 6u);

    // The reconnect's chooser is cancelled by the user.
    view.chooser = [](bool, UINT&, UINT&) -> INT_PTR { return IDCANCEL; };
    Memory().SetControl("fault=silent");
    ASSERT_TRUE(viewtest::PumpUntil([&] { return view.deviceLostNotes > 0; }, 15000));

    EXPECT_EQ(view.deviceLostNotes, 1);
    EXPECT_EQ(view.chooserModes, (std::vector<bool>{true, false}));
    for (int slot = 0; slot < PageSlot::Count; ++slot)
        EXPECT_FALSE(view.GetPage(slot)) << slot;
    for (const auto& page : pagesMade)
        EXPECT_TRUE(page.expired()) << "a page outlived the loss";
    EXPECT_TRUE(GetDeviceNames().m_deviceName.IsEmpty());
    EXPECT_FALSE(CUSBPort::s_connected.load());
    EXPECT_TRUE(GetDevProfile().GetPath().IsEmpty());
    EXPECT_EQ(FrameCaption(), Text(57344) + L" - " + Text(228));
}

TEST_F(ViewConnection, ReconnectRunsTheSamePostConnectionSteps)
{
    viewtest::TestView& view = MakeView();
    view.chooser = [](bool, UINT&, UINT&) -> INT_PTR { return IDCANCEL; };
    // Start-up is skipped: the program is running unconnected; the connect
    // command then meets a model for the first time.
    Memory().SetControl("name=XK700");
    AnswerWithInstrument(view, L"DEVICE 1", L"XK700");
    view.SendMessage(WM_COMMAND, 32787);

    EXPECT_TRUE(std::filesystem::exists(ProgramFolder() / "DevProfile" / "XK700.ini"));
    EXPECT_NE(ReadText(ProgramFolder() / "AppProfile.ini").find("XK700=RX470"), std::string::npos);
    EXPECT_TRUE(PumpUntilPagesMade(6));
    EXPECT_EQ(slotsMade.size(), 6u);
    EXPECT_TRUE(CUSBPort::s_connected.load());
    EXPECT_EQ(FrameCaption(), Text(57344) + L" - DEVICE 1");
}

TEST_F(ViewConnection, ThreadsEndWithTheView)
{
    const int before = viewtest::ProcessThreadCount();
    viewtest::TestView& view = MakeView();
    view.m_keepAlivePeriodMs = 50;
    view.StartThreads();
    EXPECT_EQ(view.GetRunningThreadCount(), 5);
    EXPECT_GE(viewtest::ProcessThreadCount(), before + 5);
    DestroyFrame();
    EXPECT_EQ(viewtest::ProcessThreadCount(), before);
}

TEST_F(ViewConnection, FolderWatchPostsOnlyWhileItsFlagIsSet)
{
    viewtest::TestView& view = MakeView();
    view.StartThreads();
    const CString voiceFolder = GetDataFolder(2);

    // With the voice watch off, a new file posts nothing.
    int posted = 0;
    {
        CFolderWatchPause pause(2);
        std::ofstream(std::filesystem::path(std::wstring(voiceFolder) + L"a.voc")) << "x";
        ::Sleep(500);
    }
    // What the watch posted is still in the view's queue.
    MSG msg;
    while (::PeekMessageW(&msg, view.GetSafeHwnd(), AppMsg::FolderChanged, AppMsg::FolderChanged, PM_REMOVE))
        ++posted;
    EXPECT_EQ(posted, 0);

    std::ofstream(std::filesystem::path(std::wstring(voiceFolder) + L"b.voc")) << "x";
    const DWORD start = ::GetTickCount();
    while (posted == 0 && ::GetTickCount() - start < 5000) {
        while (::PeekMessageW(&msg, view.GetSafeHwnd(), AppMsg::FolderChanged, AppMsg::FolderChanged, PM_REMOVE)) {
            EXPECT_EQ(msg.wParam, 2u);
            ++posted;
        }
        ::Sleep(10);
    }
    EXPECT_GT(posted, 0);
    // Kinds above 3 are ignored.
    EXPECT_EQ(view.SendMessage(AppMsg::FolderChanged, 4), 0);
}
