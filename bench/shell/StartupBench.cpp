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
// The floor (bench_floor_window.exe) is timed in the same run: the program's
// libraries, the calls its start-up order puts before any window, a hidden main
// window, a small window with stock controls in place of the chooser and then the
// main window shown, with nothing of the program's own. Its ratio is what the
// start-up order and Wine allow at best on this machine.
// Each start's steps are printed too: its first line (a named mutex appears: the
// program's instance lock, the floor's mark), the chooser made (its window
// exists, not shown yet), the chooser shown and painted.
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
    double processMade = -1, firstLine = -1, chooserMade = -1, chooserShown = -1, chooserAnswered = -1;
    double chooserGone = -1, painted = -1;
};

// A named mutex marks a process's first line: the program's instance lock, the
// floor's own mark. Opened and closed at once: a handle kept open would keep the
// lock alive after the program ends, and the next start would take itself for
// a second copy.
bool MutexExists(const wchar_t* name) {
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, name);
    if (mutex == nullptr)
        return false;
    CloseHandle(mutex);
    return true;
}

constexpr wchar_t kProgramFirstLine[] = L"KELVOR-KEYLOFT";
constexpr wchar_t kFloorFirstLine[] = L"KeyloftFloorBenchFirstLine";

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

// A benchmarked program started with no arguments; when it goes, the program
// is given 5 s to end (its main window was asked to close), then ended, and
// its handles are closed.
class StartedProgram {
public:
    explicit StartedProgram(const std::wstring& exe) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + exe + L"\"";
        m_started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &m_process) != FALSE;
    }
    ~StartedProgram() {
        if (!m_started)
            return;
        if (WaitForSingleObject(m_process.hProcess, 5000) != WAIT_OBJECT_0)
            TerminateProcess(m_process.hProcess, 1);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;
    bool Started() const { return m_started; }
    const PROCESS_INFORMATION& Process() const { return m_process; }

private:
    PROCESS_INFORMATION m_process{};
    bool m_started = false;
};

// The floor's start: first line, chooser shown (closed by the watcher as soon
// as it has painted, as the program's chooser closes itself), chooser gone,
// main window painted.
ProgramTimes FloorRound(const std::wstring& exe) {
    ProgramTimes times;
    const LARGE_INTEGER start = Now();
    const StartedProgram program(exe);
    if (!program.Started())
        return times;
    const PROCESS_INFORMATION& process = program.Process();
    times.processMade = Milliseconds(start, Now());
    HWND chooser = nullptr;
    HWND main = nullptr;
    PaintWatch chooserWatch, mainWatch;
    times.painted = TimeUntil(start, [&] {
        if (times.firstLine < 0) {
            if (!MutexExists(kFloorFirstLine))
                return false;
            times.firstLine = Milliseconds(start, Now());
        }
        if (chooser == nullptr) {
            chooser = FindTopLevel(process.dwProcessId, L"FloorBenchChooser");
            if (chooser == nullptr)
                return false;
            times.chooserMade = Milliseconds(start, Now());
        }
        if (times.chooserShown < 0) {
            if (!chooserWatch.Painted(chooser))
                return false;
            times.chooserShown = Milliseconds(start, Now());
            PostMessageW(chooser, WM_CLOSE, 0, 0);
        }
        if (times.chooserGone < 0) {
            if (IsWindow(chooser) && IsWindowVisible(chooser))
                return false;
            times.chooserGone = Milliseconds(start, Now());
        }
        if (main == nullptr)
            main = FindTopLevel(process.dwProcessId, L"FloorBenchMain");
        return mainWatch.Painted(main);
    }, 20000);
    if (main)
        PostMessageW(main, WM_CLOSE, 0, 0);
    return times;
}

struct BareTimes {
    double processMade = -1, made = -1, painted = -1;
};

BareTimes BareWindowRound(const std::wstring& exe) {
    BareTimes times;
    const LARGE_INTEGER start = Now();
    const StartedProgram program(exe);
    if (!program.Started())
        return times;
    const PROCESS_INFORMATION& process = program.Process();
    times.processMade = Milliseconds(start, Now());
    HWND window = nullptr;
    PaintWatch watch;
    times.painted = TimeUntil(start, [&] {
        if (window == nullptr) {
            window = FindTopLevel(process.dwProcessId, L"BareBenchWindow");
            if (window != nullptr)
                times.made = Milliseconds(start, Now());
        }
        return watch.Painted(window);
    }, 20000);
    if (window)
        PostMessageW(window, WM_CLOSE, 0, 0);
    return times;
}

// A start in the workspace given: a new one is a first start, one where the
// program has run before a later start.
ProgramTimes ProgramRound(const Workspace& workspace) {
    ProgramTimes times;
    const LARGE_INTEGER start = Now();
    RunningProgram program(workspace);
    times.processMade = Milliseconds(start, Now());
    HWND chooser = nullptr;
    HWND frame = nullptr;
    PaintWatch chooserWatch, frameWatch;
    const double painted = TimeUntil(start, [&] {
        if (times.firstLine < 0) {
            if (!MutexExists(kProgramFirstLine))
                return false;
            times.firstLine = Milliseconds(start, Now());
        }
        if (chooser == nullptr) {
            // The first dialog shown is the chooser; its kind is read once.
            HWND dialog = FindTopLevel(program.ProcessId(), L"#32770");
            if (dialog != nullptr && times.chooserMade < 0)
                times.chooserMade = Milliseconds(start, Now());
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

// Each timed start waits this long first: the process before it (above all the
// program started once and closed to prepare a later start) has ended, but Wine's
// desktop, its server and the display are still taking its windows down on the
// same two cores.
constexpr DWORD kSettleMs = 500;

// The spans of one kind of start over the rounds.
struct StartSpans {
    double pauseMs = kPauseMs;
    std::vector<double> processMade, firstLine, made, shown, answered, scan, afterChooser, painted, withoutPauseAndScan;

    void Add(const ProgramTimes& times) {
        painted.push_back(times.painted);
        if (times.chooserShown < 0 || times.chooserGone < 0)
            return;
        processMade.push_back(times.processMade);
        firstLine.push_back(times.firstLine);
        made.push_back(times.chooserMade);
        shown.push_back(times.chooserShown);
        answered.push_back(times.chooserAnswered);
        scan.push_back(times.chooserGone - times.chooserShown);
        afterChooser.push_back(times.painted - times.chooserGone - pauseMs);
        withoutPauseAndScan.push_back(times.chooserShown + afterChooser.back());
    }
};

double Median(std::vector<double> values) {
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::wstring BesideThis(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
    const std::wstring bare = BesideThis(L"bench_bare_window.exe");
    const std::wstring floorExe = BesideThis(L"bench_floor_window.exe");

    std::vector<double> bareProcess, bareMade, bareTimes;
    StartSpans floorSpans, first, later;
    floorSpans.pauseMs = 0;
    for (int round = 0; round < rounds; ++round) {
        Sleep(kSettleMs);
        const BareTimes bareTime = BareWindowRound(bare);
        bareProcess.push_back(bareTime.processMade);
        bareMade.push_back(bareTime.made);
        bareTimes.push_back(bareTime.painted);
        Sleep(kSettleMs);
        const ProgramTimes floorTimes = FloorRound(floorExe);
        floorSpans.Add(floorTimes);
        const Workspace firstWorkspace; // new program folder, empty instrument memory
        Sleep(kSettleMs);
        const ProgramTimes firstTimes = ProgramRound(firstWorkspace);
        first.Add(firstTimes);
        const Workspace laterWorkspace;
        ProgramTimes laterTimes;
        if (RunOnce(laterWorkspace)) {
            Sleep(kSettleMs);
            laterTimes = ProgramRound(laterWorkspace);
            later.Add(laterTimes);
        }
        const auto print = [](const char* kind, const ProgramTimes& times) {
            std::printf(" | %s: process made %.1f, first line %.1f, chooser made %.1f, shown %.1f (answering %.1f), "
                        "gone %.1f, main window painted %.1f ms",
                        kind, times.processMade, times.firstLine, times.chooserMade, times.chooserShown,
                        times.chooserAnswered, times.chooserGone, times.painted);
        };
        std::printf("round %d: bare window process made %.1f, window made %.1f, painted %.1f ms", round + 1,
                    bareTime.processMade, bareTime.made, bareTime.painted);
        print("floor", floorTimes);
        print("first start", firstTimes);
        print("later start", laterTimes);
        std::printf("\n");
        std::fflush(stdout);
    }
    const double bareMedian = Median(bareTimes);
    std::printf("\nmedians over %d rounds (ms):\n", rounds);
    std::printf("  bare window, start to process made:          %8.1f\n", Median(bareProcess));
    std::printf("  bare window, start to window made:           %8.1f\n", Median(bareMade));
    std::printf("  bare window, start to first paint:           %8.1f\n", bareMedian);
    const auto verdict = [](double ratio, double target) { return ratio >= 0 && ratio <= target ? "met" : "NOT met"; };
    const auto steps = [](const StartSpans& spans) {
        std::printf("    start to process made:                     %8.1f\n", Median(spans.processMade));
        std::printf("    start to first line:                       %8.1f\n", Median(spans.firstLine));
        std::printf("    start to chooser made:                     %8.1f\n", Median(spans.made));
        std::printf("    start to chooser shown:                    %8.1f\n", Median(spans.shown));
    };
    const double floorWhole = Median(floorSpans.withoutPauseAndScan);
    std::printf("  floor (the program's libraries and windows, nothing of its own)\n");
    steps(floorSpans);
    std::printf("    chooser gone to first paint:               %8.1f\n", Median(floorSpans.afterChooser));
    std::printf("    start to first paint without the chooser's stay: %6.1f\n", floorWhole);
    // What Wine and the start-up order cost at least here: above 1.5 the
    // target cannot be met on this machine, whatever the program does.
    std::printf("    ratio floor / bare window: %.2f (%s)\n", floorWhole / bareMedian,
                floorWhole / bareMedian <= 1.5 ? "the floor leaves room under the target 1.5"
                                               : "the target 1.5 is out of reach on this machine");
    const auto report = [&](const char* kind, const StartSpans& spans, bool target) {
        std::printf("  %s\n", kind);
        std::printf("    start to first paint:                      %8.1f\n", Median(spans.painted));
        steps(spans);
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
        std::printf("    ratio of the same to the floor: %.2f\n", Median(spans.withoutPauseAndScan) / floorWhole);
        std::printf("    beyond the floor (ms): process made %+.1f, first line %+.1f, chooser made %+.1f, "
                    "chooser shown %+.1f, chooser gone to first paint %+.1f\n",
                    Median(spans.processMade) - Median(floorSpans.processMade),
                    Median(spans.firstLine) - Median(floorSpans.firstLine),
                    Median(spans.made) - Median(floorSpans.made), Median(spans.shown) - Median(floorSpans.shown),
                    Median(spans.afterChooser) - Median(floorSpans.afterChooser));
    };
    report("first start (new program folder: the device profile is fetched after the probe)", first, false);
    report("later start (the program has run in its folder before; the targets are read here)", later, true);
    return 0;
}
