// Cost of the protocol and the device port over a raw exchange of the same
// system-exclusive sizes through the same MIDI driver.
//
// Run under the test harness, whose prefix has the test driver installed:
//   tools/harness/start.sh <build>/harness <build>
//   tools/harness/wine-run.sh <build>/harness <build>/bench/link/bench_link.exe
// It prints the best of several runs of each and the ratio raw time / port time
// for each direction; the target is at least 0.9 in both (the port costs at most
// about 10% over raw). A per-packet trace then shows where the time of one
// exchange goes: building the frame, sending it (the driver hands it to the
// instrument, which answers, before the send returns), waiting for the reply
// (the driver's thread delivers it, the input callback queues it, the waiting
// thread wakes) and reading it; the same for the raw exchange.
#include <afx.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bench/vmidi/RawPingPong.h"
#include "core/link/USBPort.h"
#include "core/portable/protocol/Messages.h"
#include "core/portable/protocol/SysEx.h"

namespace {

constexpr std::size_t kItemSize = 1 << 20;
constexpr int kRuns = 15;

std::optional<UINT> FindMidiOut(const std::wstring& name)
{
    for (UINT id = 0; id < midiOutGetNumDevs(); ++id) {
        MIDIOUTCAPSW caps = {};
        if (midiOutGetDevCapsW(id, &caps, sizeof caps) == MMSYSERR_NOERROR && name == caps.szPname)
            return id;
    }
    return std::nullopt;
}

std::optional<UINT> FindMidiIn(const std::wstring& name)
{
    for (UINT id = 0; id < midiInGetNumDevs(); ++id) {
        MIDIINCAPSW caps = {};
        if (midiInGetDevCapsW(id, &caps, sizeof caps) == MMSYSERR_NOERROR && name == caps.szPname)
            return id;
    }
    return std::nullopt;
}

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <class Work>
double TimeOnce(Work&& work)
{
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    const bool ok = work();
    QueryPerformanceCounter(&end);
    return ok ? Seconds(start, end) : -1.0;
}

// The best of several runs; any failed run makes the whole measurement fail.
struct BestTime {
    double seconds = 0.0;
    bool failed = false;
    bool any = false;

    void Add(double run)
    {
        failed = failed || run < 0;
        seconds = failed ? -1.0 : (any ? std::min(seconds, run) : run);
        any = true;
    }
};

namespace protocol = keyloft::protocol;

// Every request frame of one download or upload, built beforehand: sending them
// straight through the link, each waiting for one reply, is the instrument's and
// the driver's share of the work without the port's and the codec's.
std::vector<protocol::Bytes> DownloadFrames(const std::vector<BYTE>& item)
{
    std::vector<protocol::Bytes> frames{protocol::WrapPacket(protocol::MakeClearState())};
    for (std::size_t offset = 0; offset < item.size(); offset += protocol::kMaxChunk) {
        const std::size_t size = std::min(protocol::kMaxChunk, item.size() - offset);
        frames.push_back(protocol::WrapPacket(protocol::MakeData(0, 0, protocol::ByteView(item).subspan(offset, size))));
    }
    frames.push_back(protocol::WrapPacket(protocol::MakeEnd(0, 0, static_cast<std::uint32_t>(item.size()))));
    return frames;
}

std::vector<protocol::Bytes> UploadFrames(std::size_t size)
{
    std::vector<protocol::Bytes> frames{protocol::WrapPacket(protocol::MakeUploadRequest(0, 0))};
    for (std::size_t offset = 0; offset < size; offset += protocol::kMaxChunk)
        frames.push_back(protocol::WrapPacket(protocol::MakeUploadRead(0, 0, static_cast<std::uint32_t>(offset))));
    frames.push_back(protocol::WrapPacket(protocol::MakeUploadEnd(0, 0)));
    return frames;
}

bool SendFrames(CMidiLink& link, const std::vector<protocol::Bytes>& frames)
{
    for (const protocol::Bytes& frame : frames) {
        link.DiscardInput();
        if (!link.SendSysEx(frame) || !link.Receive(std::chrono::milliseconds(5000)))
            return false;
    }
    return true;
}

// Microseconds of each step of every exchange, for the per-packet trace.
enum Step { kBuild, kSend, kWait, kRead, kStepCount };
using StepTimes = std::array<std::vector<double>, kStepCount>;

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    return Seconds(from, to) * 1e6;
}

LARGE_INTEGER Stamp()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

double MedianOf(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// The steps the port takes for one exchange, each timed: the packet made and
// wrapped, sent, its reply awaited, then unwrapped and read.
template <class MakePacket>
bool TracedExchanges(CMidiLink& link, std::size_t count, MakePacket&& makePacket, StepTimes& times)
{
    for (std::size_t index = 0; index < count; ++index) {
        const LARGE_INTEGER start = Stamp();
        const protocol::Bytes frame = protocol::WrapPacket(makePacket(index));
        const LARGE_INTEGER built = Stamp();
        link.DiscardInput();
        if (!link.SendSysEx(frame))
            return false;
        const LARGE_INTEGER sent = Stamp();
        const std::optional<std::vector<std::uint8_t>> reply = link.Receive(std::chrono::milliseconds(5000));
        const LARGE_INTEGER arrived = Stamp();
        if (!reply)
            return false;
        const protocol::PacketFrame read = protocol::ReadPacketFrame(*reply);
        const LARGE_INTEGER done = Stamp();
        if (!read.Ok())
            return false;
        times[kBuild].push_back(Microseconds(start, built));
        times[kSend].push_back(Microseconds(built, sent));
        times[kWait].push_back(Microseconds(sent, arrived));
        times[kRead].push_back(Microseconds(arrived, done));
    }
    return true;
}

void PrintTrace(const char* what, const StepTimes& port, const std::vector<double>& raw)
{
    std::printf("  %-8s per packet (medians, us): port build %6.1f, send %6.1f, wait %6.1f, read %6.1f = %6.1f;"
                "   raw exchange %6.1f\n",
                what, MedianOf(port[kBuild]), MedianOf(port[kSend]), MedianOf(port[kWait]), MedianOf(port[kRead]),
                MedianOf(port[kBuild]) + MedianOf(port[kSend]) + MedianOf(port[kWait]) + MedianOf(port[kRead]),
                MedianOf(raw));
}

// A memory folder of its own for the simulated instrument, with no pacing. On
// a memory file system when there is one (Wine shows the Linux root as Z:), so
// that the instrument's own file writes weigh as little as possible.
std::filesystem::path PrepareInstrumentMemory()
{
    const std::wstring name = L"keyloft-bench-link-" + std::to_wstring(GetCurrentProcessId());
    std::error_code error;
    const std::filesystem::path memoryFs = L"Z:\\dev\\shm";
    const std::filesystem::path folder = std::filesystem::is_directory(memoryFs, error)
                                             ? memoryFs / name
                                             : std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    SetEnvironmentVariableW(L"KEYLOFT_SIM_DIR", folder.wstring().c_str());
    SetEnvironmentVariableW(L"KEYLOFT_SIM_FAULT", L"");
    SetEnvironmentVariableW(L"KEYLOFT_SIM_PACE", L"0");
    return folder;
}

}  // namespace

int main()
{
    const std::filesystem::path memory = PrepareInstrumentMemory();
    const std::optional<UINT> out = FindMidiOut(L"RX470 MIDI Out");
    const std::optional<UINT> in = FindMidiIn(L"RX470 MIDI In");
    if (!out || !in) {
        std::fprintf(stderr, "the test MIDI driver is not installed in this prefix\n");
        return 1;
    }

    std::vector<BYTE> item(kItemSize);
    for (std::size_t index = 0; index < item.size(); ++index)
        item[index] = static_cast<BYTE>(index * 7 + index / 251);

    CUSBPort port;
    if (!port.GetMidiLink().Open(*out, *in)) {
        std::fprintf(stderr, "the instrument's ports do not open\n");
        return 1;
    }
    port.SetMode(CUSBPort::kModeMidi);
    vmidi_bench::RawPingPong raw;
    if (!raw.Open()) {
        std::fprintf(stderr, "the driver's loop pair is not available\n");
        return 1;
    }
    const vmidi_bench::Shape downloadShape = vmidi_bench::DownloadShape(kItemSize);
    const vmidi_bench::Shape uploadShape = vmidi_bench::UploadShape(kItemSize);

    // Warm-up: the first exchanges pay for thread start-up in the driver.
    port.Download(0, 0, item.data(), 64 * 1024);
    raw.Run(vmidi_bench::DownloadShape(64 * 1024));

    const std::vector<protocol::Bytes> downloadFrames = DownloadFrames(item);
    const std::vector<protocol::Bytes> uploadFrames = UploadFrames(item.size());

    // The runs alternate, so that a busy machine slows every kind alike.
    BestTime download, upload, rawDownload, rawUpload, directDownload, directUpload;
    for (int run = 0; run < kRuns; ++run) {
        directDownload.Add(TimeOnce([&] { return SendFrames(port.GetMidiLink(), downloadFrames); }));
        directUpload.Add(TimeOnce([&] { return SendFrames(port.GetMidiLink(), uploadFrames); }));
        download.Add(TimeOnce([&] { return port.Download(0, 0, item.data(), static_cast<DWORD>(item.size())) == 1; }));
        rawDownload.Add(TimeOnce([&] { return raw.Run(downloadShape) >= 0; }));
        upload.Add(TimeOnce([&] {
            CMemFile target(1024);  // as the program's callers make it
            return port.Upload(0, 0, static_cast<DWORD>(item.size()), target) == 1 && target.GetLength() == item.size();
        }));
        rawUpload.Add(TimeOnce([&] { return raw.Run(uploadShape) >= 0; }));
    }
    // The per-packet trace: one download and one upload made step by step.
    StepTimes downloadSteps, uploadSteps;
    std::vector<double> rawDownloadSteps, rawUploadSteps;
    const std::size_t chunks = (item.size() + protocol::kMaxChunk - 1) / protocol::kMaxChunk;
    CMidiLink& link = port.GetMidiLink();
    bool traced = TracedExchanges(link, 1, [](std::size_t) { return protocol::MakeClearState(); }, downloadSteps) &&
                  TracedExchanges(link, chunks, [&](std::size_t index) {
                      const std::size_t offset = index * protocol::kMaxChunk;
                      return protocol::MakeData(0, 0, protocol::ByteView(item).subspan(
                                                          offset, std::min(protocol::kMaxChunk, item.size() - offset)));
                  }, downloadSteps) &&
                  TracedExchanges(link, 1, [&](std::size_t) {
                      return protocol::MakeEnd(0, 0, static_cast<std::uint32_t>(item.size()));
                  }, downloadSteps) &&
                  TracedExchanges(link, 1, [](std::size_t) { return protocol::MakeUploadRequest(0, 0); }, uploadSteps) &&
                  TracedExchanges(link, chunks, [](std::size_t index) {
                      return protocol::MakeUploadRead(0, 0, static_cast<std::uint32_t>(index * protocol::kMaxChunk));
                  }, uploadSteps) &&
                  TracedExchanges(link, 1, [](std::size_t) { return protocol::MakeUploadEnd(0, 0); }, uploadSteps);
    for (const auto& [shape, steps] : {std::pair{&downloadShape, &rawDownloadSteps}, std::pair{&uploadShape, &rawUploadSteps}}) {
        for (const auto& [request, reply] : *shape) {
            const LARGE_INTEGER start = Stamp();
            traced = traced && raw.Exchange(request, reply);
            steps->push_back(Microseconds(start, Stamp()));
        }
    }
    port.CloseDevice();
    raw.Close();
    std::error_code ignored;
    std::filesystem::remove_all(memory, ignored);
    const double downloadSeconds = download.seconds;
    const double uploadSeconds = upload.seconds;
    const double rawDownloadSeconds = rawDownload.seconds;
    const double rawUploadSeconds = rawUpload.seconds;

    if (downloadSeconds < 0 || uploadSeconds < 0 || rawDownloadSeconds < 0 || rawUploadSeconds < 0) {
        std::fprintf(stderr, "a transfer failed (port %.3f/%.3f s, raw %.3f/%.3f s)\n", downloadSeconds,
                     uploadSeconds, rawDownloadSeconds, rawUploadSeconds);
        return 1;
    }
    constexpr double kTarget = 0.9;
    const auto report = [](const char* what, std::size_t exchanges, double port, double raw) {
        const double ratio = raw / port;
        std::printf("%-8s 1 MiB, %4zu exchanges: port %7.3f s (%7.1f KiB/s)   raw %7.3f s   ratio raw/port %.2f "
                    "(target >= %.1f): %s\n",
                    what, exchanges, port, kItemSize / 1024.0 / port, raw, ratio, kTarget,
                    ratio >= kTarget ? "met" : "NOT met");
    };
    std::printf("best of %d runs each, no pacing\n", kRuns);
    report("download", downloadShape.size(), downloadSeconds, rawDownloadSeconds);
    report("upload", uploadShape.size(), uploadSeconds, rawUploadSeconds);
    if (traced) {
        PrintTrace("download", downloadSteps, rawDownloadSteps);
        PrintTrace("upload", uploadSteps, rawUploadSteps);
    } else {
        std::printf("  the per-packet trace failed\n");
    }
    std::printf("for comparison, the same request frames built beforehand and sent straight to the instrument\n"
                "(its own and the driver's work, without the port and the codec): download %.3f s, upload %.3f s;\n"
                "ratio prebuilt/port %.2f\n",
                directDownload.seconds, directUpload.seconds,
                (directDownload.seconds + directUpload.seconds) / (downloadSeconds + uploadSeconds));
    return 0;
}
