// The tasks pane's readers for the mutation test: a docked pane with three
// pages, its settings (metrics, page shown, page names, caption) stored under
// a data version that keeps every part.
#include "tests/guilib_state/TasksPaneStateReaders.h"

#include <gtest/gtest.h>

#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPWorkspace.h"
#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/panes/KGPTasksPane.h"
#include "tests/support/ArchiveBytes.h"

#include <afxarch.h>

#include <iomanip>
#include <sstream>

namespace stored_state_test {

namespace {

using keyloft_test::StoredBytes;

constexpr UINT kPaneId = 0x3400;

class TasksPaneReaderBase : public StoredStateReader {
public:
    TasksPaneReaderBase()
    {
        m_store.SetDataVersion(8, 0);
        SetWorkspace(&m_store);
    }
    ~TasksPaneReaderBase() override
    {
        m_pane.DestroyWindow();
        SetWorkspace(nullptr);
    }
    void SetUp(CFrameWnd& host) override
    {
        ASSERT_TRUE(m_pane.Create(_T("Tasks"), &host, CRect(0, 0, 200, 300), TRUE, kPaneId,
                                  WS_CHILD | WS_VISIBLE | CBRS_LEFT));
        m_pane.EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_pane.DockToWindow(CBRS_ALIGN_LEFT, nullptr));
        m_pane.AddPage(_T("Songs"));
        m_pane.AddPage(_T("Styles & voices"));
    }
    std::string Snapshot() override
    {
        std::ostringstream out;
        out << "metrics:";
        for (const int metric : m_pane.GetMetrics())
            out << ' ' << metric;
        // Each load that shows a page visits it: the history is not stored.
        out << "\npage: " << m_pane.GetActivePage() << "\n~history:";
        for (const int page : m_pane.GetHistory().Entries())
            out << ' ' << page;
        out << "\nnames:";
        for (int i = 0; i < m_pane.GetPageCount(); ++i)
            out << ' ' << static_cast<const char*>(CT2A(m_pane.GetPageName(i)));
        out << "\ncaption: " << static_cast<const char*>(CT2A(m_pane.GetCaption())) << '\n';
        // The docking record as the pane would store it now.
        const std::vector<BYTE> stored = StoredBytes([this](CArchive& ar) { m_pane.CKGPDockingControlBar::Serialize(ar); });
        out << "record:";
        for (const BYTE b : stored)
            out << ' ' << std::hex << int(b);
        out << '\n';
        return out.str();
    }

protected:
    // Two states: as made, and with settings changed.
    void VaryState()
    {
        m_pane.SetMetric(kgp::tasks::kTaskSpacing, 9);
        m_pane.SetMetric(kgp::tasks::kGroupCaptionHeight, 30);
        m_pane.SetActivePage(2);
        m_pane.SetWindowText(_T("Assistant"));
    }

    CKGPAppStateStore m_store;
    CKGPTasksPane m_pane;
};

class TasksPaneRegistryReader : public TasksPaneReaderBase {
public:
    std::vector<StoredForm> Seeds() override
    {
        std::vector<StoredForm> seeds;
        DeleteProfile();
        m_pane.SaveState(kProfile, -1, 3);
        seeds.push_back(CaptureProfile());
        VaryState();
        DeleteProfile();
        m_pane.SaveState(kProfile, -1, 3);
        seeds.push_back(CaptureProfile());
        return seeds;
    }
    bool Load(const StoredForm& form) override
    {
        WriteProfile(form);
        CKGPStoredLoad load;
        m_pane.ReadState(load, kProfile, -1, 3);
        return load.Commit() != FALSE;
    }
    StoredForm Save() override
    {
        DeleteProfile();
        m_pane.SaveState(kProfile, -1, 3);
        return CaptureProfile();
    }
};

class TasksPaneArchiveReader : public TasksPaneReaderBase {
public:
    std::vector<StoredForm> Seeds() override
    {
        std::vector<StoredForm> seeds;
        seeds.push_back(ArchiveForm(StoredBytes([this](CArchive& ar) { m_pane.Serialize(ar); })));
        VaryState();
        seeds.push_back(ArchiveForm(StoredBytes([this](CArchive& ar) { m_pane.Serialize(ar); })));
        return seeds;
    }
    bool Load(const StoredForm& form) override
    {
        return LoadArchive(form, [this](CArchive& ar) { m_pane.Serialize(ar); });
    }
    StoredForm Save() override { return ArchiveForm(StoredBytes([this](CArchive& ar) { m_pane.Serialize(ar); })); }
};

} // namespace

std::unique_ptr<StoredStateReader> MakeTasksPaneRegistryReader()
{
    return std::make_unique<TasksPaneRegistryReader>();
}

std::unique_ptr<StoredStateReader> MakeTasksPaneArchiveReader()
{
    return std::make_unique<TasksPaneArchiveReader>();
}

} // namespace stored_state_test
