#include "editors/style/SourceAnalysis.h"

#include <memory>
#include <string>

#include "core/convert/MidiMarkers.h"
#include "core/files/TextHelpers.h"
#include "core/files/Folders.h"
#include "core/portable/marks/ByteSource.h"
#include "core/portable/style/StyleSource.h"
#include "editors/style/WizardFiles.h"
#include "res/resource.h"

namespace {

bool EndsWithNoCase(const CString& text, LPCTSTR ending)
{
    const int length = static_cast<int>(wcslen(ending));
    return text.GetLength() >= length && text.Right(length).CompareNoCase(ending) == 0;
}

// Notes which essential sections `found` names and which it lacks; the mode
// when every one is there.
void CheckSections(const std::vector<std::string>& found, const std::vector<CString>& essentials,
                   SourceMode usable, SourceReport& report)
{
    std::vector<std::string> required;
    for (const CString& name : essentials)
        required.push_back(ToAnsiText(name));
    const keyloft::style::CodePage codePage(::GetACP());
    const keyloft::style::EssentialCheck check = keyloft::style::CheckEssentialSections(required, found, codePage);
    for (const keyloft::style::EssentialRow& row : check.rows)
        (row.present ? report.present : report.missing).push_back(FromAnsiText(row.name));
    report.fault = check.passes ? SourceFault::None : SourceFault::SectionsMissing;
    if (check.passes)
        report.mode = usable;
}

void AnalyseMidi(const CString& path, const std::vector<CString>& essentials, SourceReport& report)
{
    std::vector<std::string> markers;
    if (!ReadMidiMarkers(path, markers)) {
        report.fault = SourceFault::NotMidi;
        return;
    }
    // A file without a part marker can never become a style, whatever the model requires.
    if (!keyloft::style::NamesAnyPart(markers, keyloft::style::CodePage(::GetACP()))) {
        report.fault = SourceFault::NoSectionMarkers;
        return;
    }
    CheckSections(markers, essentials, SourceMode::Midi, report);
}

void AnalyseStyle(const CString& path, const std::vector<CString>& essentials, SourceReport& report)
{
    report.fault = SourceFault::NotStyle;
    keyloft::marks::FileByteSource file{std::filesystem::path(path.GetString())};
    if (!file.IsOpen())
        return;
    const keyloft::style::StyleSourceInfo style = keyloft::style::AnalyseStyleSource(file);
    // Only a marked, sound style can be rewritten, whatever the model requires.
    if (!style.isStyle)
        return;
    CheckSections(style.segmentNames, essentials, SourceMode::Style, report);
    if (report.mode == SourceMode::Style && style.names) {
        report.hasNames = true;
        for (int i = 0; i < 4; ++i)
            report.names[i] = FromAnsiText((*style.names)[static_cast<size_t>(i)]);
    }
}

} // namespace

SourceReport AnalyseSource(const CString& path, const std::vector<CString>& essentials)
{
    SourceReport report;
    report.path = path;
    report.exists = !path.IsEmpty() && RegularFileExists(path);
    if (!report.exists)
        return report;
    report.fault = SourceFault::UnknownKind;
    try {
        if (EndsWithNoCase(path, L".mid"))
            AnalyseMidi(path, essentials, report);
        else if (EndsWithNoCase(path, L".sty"))
            AnalyseStyle(path, essentials, report);
    } catch (const std::exception&) {
        // Runs on the analysis thread: nothing may leave it.
        const bool midi = EndsWithNoCase(path, L".mid");
        report = SourceReport{};
        report.path = path;
        report.exists = true;
        report.fault = midi ? SourceFault::NotMidi : SourceFault::NotStyle;
    }
    return report;
}

CString DescribeSourceFault(const SourceReport& report)
{
    switch (report.fault) {
    case SourceFault::Missing: return LoadResString(IDS_FILE_MISSING);
    case SourceFault::NotMidi: return LoadResString(IDS_NOT_A_MIDI_FILE);
    case SourceFault::NoSectionMarkers: return LoadResString(IDS_NO_SECTION_MARKERS);
    case SourceFault::NotStyle: return LoadResString(IDS_NOT_A_STYLE_FILE);
    case SourceFault::SectionsMissing: {
        CString names;
        for (const CString& name : report.missing)
            names += (names.IsEmpty() ? L"" : L", ") + name;
        CString text;
        text.Format(LoadResString(IDS_SECTIONS_MISSING_FMT), names.GetString());
        return text;
    }
    case SourceFault::None:
    case SourceFault::UnknownKind: break;
    }
    return LoadResString(IDS_UNKNOWN_FILE_FORMAT);
}

CSourceAnalysisWorker::CSourceAnalysisWorker(HWND target, UINT message)
    : m_target(target), m_message(message), m_thread([this] { Run(); })
{
}

CSourceAnalysisWorker::~CSourceAnalysisWorker()
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_stopping = true;
        m_pending.reset();
    }
    m_wake.notify_one();
    m_thread.join();
}

void CSourceAnalysisWorker::Request(unsigned generation, const CString& path, const std::vector<CString>& essentials)
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_pending = Job{generation, path, essentials};
    }
    m_wake.notify_one();
}

void CSourceAnalysisWorker::Run()
{
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> hold(m_lock);
            m_wake.wait(hold, [this] { return m_stopping || m_pending.has_value(); });
            if (m_stopping)
                return;
            job = std::move(*m_pending);
            m_pending.reset();
        }
        auto report = std::make_unique<SourceReport>(AnalyseSource(job.path, job.essentials));
        if (::PostMessageW(m_target, m_message, job.generation, reinterpret_cast<LPARAM>(report.get())))
            report.release();
    }
}
