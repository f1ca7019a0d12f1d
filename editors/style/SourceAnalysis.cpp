#include "editors/style/SourceAnalysis.h"

#include <memory>
#include <string>

#include "core/convert/MidiMarkers.h"
#include "core/files/Folders.h"
#include "core/portable/marks/ByteSource.h"
#include "core/portable/style/StyleSource.h"
#include "editors/style/WizardFiles.h"

namespace {

bool EndsWithNoCase(const CString& text, LPCTSTR ending)
{
    const int length = static_cast<int>(wcslen(ending));
    return text.GetLength() >= length && text.Right(length).CompareNoCase(ending) == 0;
}

// Notes the essential sections named in `found`; true when every one is there.
bool CheckSections(const std::vector<std::string>& found, const std::vector<CString>& essentials,
                   std::vector<CString>& present)
{
    std::vector<std::string> required;
    for (const CString& name : essentials)
        required.push_back(ToAnsiText(name));
    const keyloft::style::CodePage codePage(::GetACP());
    const keyloft::style::EssentialCheck check = keyloft::style::CheckEssentialSections(required, found, codePage);
    for (const keyloft::style::EssentialRow& row : check.rows)
        if (row.present)
            present.push_back(FromAnsiText(row.name));
    return check.passes;
}

} // namespace

SourceReport AnalyseSource(const CString& path, const std::vector<CString>& essentials)
{
    SourceReport report;
    report.path = path;
    report.exists = !path.IsEmpty() && RegularFileExists(path);
    if (!report.exists)
        return report;
    if (EndsWithNoCase(path, L".mid")) {
        std::vector<std::string> markers;
        if (ReadMidiMarkers(path, markers) && CheckSections(markers, essentials, report.present))
            report.mode = SourceMode::Midi;
    } else if (EndsWithNoCase(path, L".sty")) {
        keyloft::marks::FileByteSource file{std::filesystem::path(path.GetString())};
        if (!file.IsOpen())
            return report;
        const keyloft::style::StyleSourceInfo style = keyloft::style::AnalyseStyleSource(file);
        // Only a marked, sound style can be rewritten, whatever the model requires.
        if (style.isStyle && CheckSections(style.segmentNames, essentials, report.present)) {
            report.mode = SourceMode::Style;
            if (style.names) {
                report.hasNames = true;
                for (int i = 0; i < 4; ++i)
                    report.names[i] = FromAnsiText((*style.names)[static_cast<size_t>(i)]);
            }
        }
    }
    return report;
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
