// Closing a MIDI input ends its callbacks. The view's port and the chooser's
// search free their input objects right after midiInClose returns, so a
// callback the test driver still delivers after that would run on freed
// memory. Here the driver is caught in the middle of a delivery: one echo
// carries two messages, and the first callback is still running when the
// input is closed.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <atomic>
#include <vector>

#include "tests/app_view/ViewFixture.h"

namespace {

struct InputWatch {
    HANDLE firstCallback = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> longData{0};
    std::atomic<bool> closeReturned{false};
    std::atomic<int> callbacksAfterClose{0};
    ~InputWatch() { ::CloseHandle(firstCallback); }
};

void CALLBACK WatchInput(HMIDIIN, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR)
{
    auto& watch = *reinterpret_cast<InputWatch*>(instance);
    if (watch.closeReturned.load())
        ++watch.callbacksAfterClose;
    if (message != MIM_LONGDATA)
        return;
    if (++watch.longData == 1) {
        ::SetEvent(watch.firstCallback);
        ::Sleep(300);  // the input is closed meanwhile
    }
}

class InputClose : public ::testing::Test {
protected:
    void SetUp() override
    {
        linktest::SetLoopBehaviour(L"echo");
        m_pair = linktest::LoopPorts();
        ASSERT_TRUE(m_pair) << "the test MIDI driver is missing";
    }
    std::optional<linktest::PortPair> m_pair;
};

} // namespace

TEST_F(InputClose, NoCallbackArrivesAfterTheInputIsClosed)
{
    InputWatch watch;
    HMIDIIN in = nullptr;
    ASSERT_EQ(midiInOpen(&in, m_pair->in, reinterpret_cast<DWORD_PTR>(&WatchInput),
                         reinterpret_cast<DWORD_PTR>(&watch), CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    std::array<std::array<char, 64>, 2> buffers{};
    std::array<MIDIHDR, 2> headers{};
    for (size_t i = 0; i < headers.size(); ++i) {
        headers[i].lpData = buffers[i].data();
        headers[i].dwBufferLength = static_cast<DWORD>(buffers[i].size());
        ASSERT_EQ(midiInPrepareHeader(in, &headers[i], sizeof(MIDIHDR)), MMSYSERR_NOERROR);
        ASSERT_EQ(midiInAddBuffer(in, &headers[i], sizeof(MIDIHDR)), MMSYSERR_NOERROR);
    }
    ASSERT_EQ(midiInStart(in), MMSYSERR_NOERROR);

    HMIDIOUT out = nullptr;
    ASSERT_EQ(midiOutOpen(&out, m_pair->out, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    char twoMessages[] = {'\xF0', '\x01', '\xF7', '\xF0', '\x02', '\xF7'};
    MIDIHDR sent{};
    sent.lpData = twoMessages;
    sent.dwBufferLength = sizeof twoMessages;
    ASSERT_EQ(midiOutPrepareHeader(out, &sent, sizeof sent), MMSYSERR_NOERROR);
    ASSERT_EQ(midiOutLongMsg(out, &sent, sizeof sent), MMSYSERR_NOERROR);

    ASSERT_EQ(::WaitForSingleObject(watch.firstCallback, 5000), WAIT_OBJECT_0);
    midiInStop(in);
    midiInReset(in);
    for (MIDIHDR& header : headers) {
        for (int attempt = 0; attempt < 1000; ++attempt) {
            if (midiInUnprepareHeader(in, &header, sizeof header) != MIDIERR_STILLPLAYING)
                break;
            ::Sleep(1);
        }
    }
    midiInClose(in);
    watch.closeReturned = true;

    ::Sleep(600);  // long past the first callback's end
    EXPECT_EQ(watch.callbacksAfterClose.load(), 0);
    EXPECT_EQ(watch.longData.load(), 2) << "both echoed messages came back before the close";

    midiOutUnprepareHeader(out, &sent, sizeof sent);
    midiOutClose(out);
}
