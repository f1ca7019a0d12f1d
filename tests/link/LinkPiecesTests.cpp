// The small pieces of the link: its message path and the USB transport.
#include <gtest/gtest.h>

#include "core/link/LinkMessages.h"
#include "core/link/cnComm.h"
#include "tests/link/LinkTestSupport.h"

namespace {

TEST(LinkMessages, TheHookSeesEveryIdAndTheTraceLineOfIt)
{
    std::vector<std::wstring> trace;
    LinkTraceHook previousTrace = SetLinkTraceHook([&trace](const std::wstring& line) { trace.push_back(line); });
    {
        linktest::MessageRecorder messages;
        ShowLinkMessage(243);
        ShowLinkMessage(IDS_LINK_OPEN_MIDI_IN_FAILED);
        EXPECT_EQ(messages.Ids(), (std::vector<UINT>{243, IDS_LINK_OPEN_MIDI_IN_FAILED}));
    }
    SetLinkTraceHook(std::move(previousTrace));
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(trace[0], L"Link: message 243\n");
}

TEST(LinkMessages, TextsOfItsOwnWhenTheResourcesLackThem)
{
    EXPECT_FALSE(LoadLinkString(IDS_LINK_OPEN_MIDI_OUT_FAILED).empty());
    EXPECT_FALSE(LoadLinkString(IDS_LINK_OPEN_MIDI_IN_FAILED).empty());
    EXPECT_EQ(LoadLinkString(64999), L"#64999");
}

TEST(UsbTransport, AFailedOpenLeavesItClosed)
{
    cnComm comm;
    comm.Close();  // closing a closed transport is harmless
    EXPECT_FALSE(comm.Open(L"\\\\?\\usb#no-such-device"));
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_EQ(comm.GetHandle(), INVALID_HANDLE_VALUE);
}

}  // namespace
