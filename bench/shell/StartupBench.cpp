// Time from process start to the main window's first paint: the program against
// the simulated instrument (chooser shown, chooser gone, first paint) beside a
// bare window program started the same way, in the same run. Watched from outside,
// the same way for every window: a window has painted once it is visible and
// neither it nor any of its visible controls has an update region left. Reading a box's text
// would send the program messages, which it answers only between its own jobs:
// the time the chooser first answers one is printed apart, as information.
// Targets, as ratios to the bare window's start to first paint (medians):
//  - chooser gone to the main window's first paint, without the program's 2 s
//    pause before connecting: at most 1.0;
//  - start to the main window's first paint without that pause and without the
//    chooser's port scan (start to chooser shown, plus chooser gone to first
//    paint less the pause): at most 1.5.
// Two kinds of start are timed: the first start in a new program folder, which
// fetches the instrument's device profile over the link after the probe, and a
// later start in a folder where the program has run once (the profile is on
// disk, as on every start but the first). The targets are read on the later
// start; the first start's figures are printed beside them.
//
// Usage: bench_shell_startup.exe [rounds]   (run under the harness's Wine and Xvfb)
#include "tests/e2e/ProgramRun.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using e2e::RunningProgram;
using e2e::Workspace;

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    static const double frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return static_cast<double>(value.QuadPart);
    }();
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / frequency;
}

LARGE_INTEGER Now() {
    LARGE_INTEGER value;
    QueryPerformanceCounter(&value);
    return value;
}

bool HasPainted(HWND window) {
    return window && IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE);
}

// A window has painted once it is visible and neither it nor any of its visible
// descendants has anything left to paint: a parent paints before its controls,
// and a frame whose client area its controls cover has nothing of its own left
// to paint as soon as it shows. The descendants are listed once, when the window
// itself has painted; each poll then asks only those still owing their paint.
class PaintWatch {
public:
    bool Painted(HWND window) {
        if (window != window_) {
            window_ = window;
            listed_ = false;
            pending_.clear();
        }
        if (!HasPainted(window))
            return false;
        if (!listed_) {
            for (HWND child : e2e::DescendantsOf(window))
                if (IsWindowVisible(child))
                    pending_.push_back(child);
            listed_ = true;
        }
        pending_.erase(std::remove_if(pending_.begin(), pending_.end(),
                                      [](HWND child) { return !GetUpdateRect(child, nullptr, FALSE); }),
                       pending_.end());
        return pending_.empty();
    }

private:
    HWND window_ = nullptr;
    bool listed_ = false;
    std::vector<HWND> pending_;
};

// Polls every millisecond; returns the time or a negative number on time-out.
template <typename Condition>
double TimeUntil(const LARGE_INTEGER& start, Condition condition, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < end) {
        if (condition())
            return Milliseconds(start, Now());
        Sleep(1);
    }
    return -1.0;
}

struct ProgramTimes {
    double chooserShown = -1, chooserAnswered = -1, chooserGone = -1, painted = -1;
};

// The watcher polls every millisecond on the same cores as the program and
// Wine's server, so each poll asks the server as little as it can: windows
// are looked up by class (one request per window of that class) and, once
// found, only their own state is read. Both programs are watched alike.
HWND FindTopLevel(DWORD processId, const wchar_t* className) {
    for (HWND window = FindWindowExW(nullptr, nullptr, className, nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, className, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            return window;
    }
    return nullptr;
}

// The program's frame, shown or not: a captioned, sizable top-level window of
// its own, not a dialog.
HWND FindFrame(DWORD processId) {
    for (HWND window : e2e::TopLevelWindowsOf(processId)) {
        const LONG style = GetWindowLongW(window, GWL_STYLE);
        if ((style & WS_CAPTION) == WS_CAPTION && (style & WS_THICKFRAME) && !GetWindow(window, GW_OWNER) &&
            e2e::ClassOf(window) != L"#32770")
            return window;
    }
    return nullptr;
}

double BareWindowRound(const std::wstring& exe) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    const LARGE_INTEGER start = Now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    HWND window = nullptr;
    PaintWatch watch;
    const double painted = TimeUntil(start, [&] {
        if (window == nullptr)
            window = FindTopLevel(process.dwProcessId, L"BareBenchWindow");
        return watch.Painted(window);
    }, 20000);
    if (window)
        PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return painted;
}

// A start in the workspace given: a new one is a first start, one where the
// program has run before a later start.
ProgramTimes ProgramRound(const Workspace& workspace) {
    ProgramTimes times;
    const LARGE_INTEGER start = Now();
    RunningProgram program(workspace);
    HWND chooser = nullptr;
    HWND frame = nullptr;
    PaintWatch chooserWatch, frameWatch;
    const double painted = TimeUntil(start, [&] {
        if (chooser == nullptr) {
            // The first dialog shown is the chooser; its kind is read once.
            HWND dialog = FindTopLevel(program.ProcessId(), L"#32770");
            if (dialog != nullptr && IsWindowVisible(dialog)) {
                const e2e::BoxView box = program.FindBoxWindow();
                if (box.kind == e2e::BoxKind::Chooser)
                    chooser = box.window;
            }
        }
        if (chooser == nullptr)
            return false;
        if (frame == nullptr)
            frame = FindFrame(program.ProcessId());
        if (times.chooserShown < 0) {
            if (chooserWatch.Painted(chooser))
                times.chooserShown = Milliseconds(start, Now());
        } else if (times.chooserAnswered < 0) {
            if (!program.FindBox().text.empty())
                times.chooserAnswered = Milliseconds(start, Now());
        } else if (times.chooserGone < 0) {
            if (!IsWindow(chooser) || !IsWindowVisible(chooser))
                times.chooserGone = Milliseconds(start, Now());
        }
        return times.chooserGone >= 0 && frameWatch.Painted(frame);
    }, 60000);
    times.painted = painted;
    return times;
}

// Runs the program once to its first paint, untimed, and closes it: the
// workspace then holds what a first start leaves (the device profile).
bool RunOnce(const Workspace& workspace) {
    RunningProgram program(workspace);
    const bool shown = program.WaitForMainFrame(60000) != nullptr;
    program.Stop();
    return shown;
}

constexpr double kPauseMs = 2000.0;

// The spans of one kind of start over the rounds.
struct StartSpans {
    std::vector<double> shown, answered, scan, afterChooser, painted, withoutPauseAndScan;

    void Add(const ProgramTimes& times) {
        painted.push_back(times.painted);
        if (times.chooserShown < 0 || times.chooserGone < 0)
            return;
        shown.push_back(times.chooserShown);
        answered.push_back(times.chooserAnswered);
        scan.push_back(times.chooserGone - times.chooserShown);
        afterChooser.push_back(times.painted - times.chooserGone - kPauseMs);
        withoutPauseAndScan.push_back(times.chooserShown + afterChooser.back());
    }
};

double Median(std::vector<double> values) {
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring bare(self);
    bare = bare.substr(0, bare.find_last_of(L"\\/") + 1) + L"bench_bare_window.exe";

    std::vector<double> bareTimes;
    StartSpans first, later;
    for (int round = 0; round < rounds; ++round) {
        const double bareTime = BareWindowRound(bare);
        bareTimes.push_back(bareTime);
        const Workspace firstWorkspace; // new program folder, empty instrument memory
        const ProgramTimes firstTimes = ProgramRound(firstWorkspace);
        first.Add(firstTimes);
        const Workspace laterWorkspace;
        ProgramTimes laterTimes;
        if (RunOnce(laterWorkspace)) {
            laterTimes = ProgramRound(laterWorkspace);
            later.Add(laterTimes);
        }
        const auto print = [](const char* kind, const ProgramTimes& times) {
            std::printf(" | %s: chooser shown %.1f (answering %.1f), chooser gone %.1f, main window painted %.1f ms",
                        kind, times.chooserShown, times.chooserAnswered, times.chooserGone, times.painted);
        };
        std::printf("round %d: bare window painted %.1f ms", round + 1, bareTime);
        print("first start", firstTimes);
        print("later start", laterTimes);
        std::printf("\n");
        std::fflush(stdout);
    }
    const double bareMedian = Median(bareTimes);
    std::printf("\nmedians over %d rounds (ms):\n", rounds);
    std::printf("  bare window, start to first paint:           %8.1f\n", bareMedian);
    const auto verdict = [](double ratio, double target) { return ratio >= 0 && ratio <= target ? "met" : "NOT met"; };
    const auto report = [&](const char* kind, const StartSpans& spans, bool target) {
        std::printf("  %s\n", kind);
        std::printf("    start to first paint:                      %8.1f\n", Median(spans.painted));
        std::printf("    start to chooser shown:                    %8.1f\n", Median(spans.shown));
        std::printf("    start to chooser first answering a message: %7.1f\n", Median(spans.answered));
        std::printf("    chooser's scan and connection check:       %8.1f\n", Median(spans.scan));
        std::printf("    chooser gone to first paint, without the 2 s pause: %5.1f\n", Median(spans.afterChooser));
        std::printf("    start to first paint without the pause and the scan: %4.1f\n",
                    Median(spans.withoutPauseAndScan));
        const double afterRatio = Median(spans.afterChooser) / bareMedian;
        const double wholeRatio = Median(spans.withoutPauseAndScan) / bareMedian;
        const char* suffix = target ? "" : " [beside the target]";
        std::printf("    ratio chooser gone to first paint / bare window: %.2f (target <= 1.0): %s%s\n", afterRatio,
                    verdict(afterRatio, 1.0), suffix);
        std::printf("    ratio start to first paint without pause and scan / bare window: %.2f (target <= 1.5): %s%s\n",
                    wholeRatio, verdict(wholeRatio, 1.5), suffix);
    };
    report("first start (new program folder: the device profile is fetched after the probe)", first, false);
    report("later start (the program has run in its folder before; the targets are read here)", later, true);
    return 0;
}
