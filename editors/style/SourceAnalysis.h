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

// Why a source is not usable (mode None).
enum class SourceFault {
    None,
    Missing,           // no such file
    UnknownKind,       // neither ".mid" nor ".sty"
    NotMidi,           // a ".mid" the MIDI reader refuses
    NoSectionMarkers,  // a MIDI file whose markers name no part of a style
    NotStyle,          // a ".sty" without the style mark or with a damaged head
    SectionsMissing,   // sections the model needs are not in the source (see `missing`)
};

struct SourceReport {
    CString path;
    bool exists = false;
    SourceMode mode = SourceMode::None;
    SourceFault fault = SourceFault::Missing;
    std::vector<CString> missing;   // upper-case names of the essential sections not found
    std::vector<CString> present;   // upper-case names of the essential sections found
    // A style source's name block: full, short, third and fourth name.
    bool hasNames = false;
    CString names[4];
};

// The source's mode by its extension (".mid", ".sty", any case); other paths
// and missing files are reported with mode None and nothing present. Nothing
// is thrown: a source that cannot be read is reported as not usable.
SourceReport AnalyseSource(const CString& path, const std::vector<CString>& essentials);

// What the user is told of a source that is not usable, in the current language:
// which sections it lacks, that it has no section markers, that it is no MIDI
// file or no style of the model.
CString DescribeSourceFault(const SourceReport& report);

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
