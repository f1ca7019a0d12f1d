// What step 1 of the wizard learns about a source file: whether it exists,
// which of the model's essential sections it provides, and so whether it is a
// usable MIDI source or style. The work runs on a worker thread while the user
// types, so that no keystroke waits for a large file.
#pragma once

#include <afxwin.h>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// How the wizard can use its source.
enum class SourceMode : int {
    Midi = 0,   // a MIDI file whose markers name every essential section
    Style = 1,  // a marked style whose segment table holds every essential section
    None = 5,   // nothing usable
};

struct SourceReport {
    CString path;
    bool exists = false;
    SourceMode mode = SourceMode::None;
    std::vector<CString> present;   // upper-case names of the essential sections found
    // A style source's name block: full, short, third and fourth name.
    bool hasNames = false;
    CString names[4];
};

// The source's mode by its extension (".mid", ".sty", any case); other paths
// and missing files are reported with mode None and nothing present.
SourceReport AnalyseSource(const CString& path, const std::vector<CString>& essentials);

// One worker thread that analyses the latest requested path and posts the
// report to a window: message(generation, SourceReport*), the receiver owning
// the report. A request made while one runs replaces any still waiting.
class CSourceAnalysisWorker {
public:
    CSourceAnalysisWorker(HWND target, UINT message);
    ~CSourceAnalysisWorker();
    CSourceAnalysisWorker(const CSourceAnalysisWorker&) = delete;
    CSourceAnalysisWorker& operator=(const CSourceAnalysisWorker&) = delete;

    void Request(unsigned generation, const CString& path, const std::vector<CString>& essentials);

private:
    struct Job {
        unsigned generation = 0;
        CString path;
        std::vector<CString> essentials;
    };
    void Run();

    HWND m_target;
    UINT m_message;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::optional<Job> m_pending;
    bool m_stopping = false;
    std::thread m_thread;
};
