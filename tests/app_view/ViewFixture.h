// What the view tests share: a program folder and an instrument memory folder
// per test, a recording shell, a frame holding a view
// whose chooser, messages and pages the test controls, and a message pump.
#pragma once

#include <afxwin.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include "pages/BaseDlg.h"
#include "app/view/KeyloftView.h"
#include "core/files/ShellSeam.h"
#include "tests/link/LinkTestSupport.h"
#include "tests/profiles/RecordingShell.h"
#include "tests/support/WholeFile.h"

namespace viewtest {

// A page that only records what the view asks of it.
class RecordingPage : public CBaseDlg {
public:
    explicit RecordingPage(int slot) : CBaseDlg(142), m_slot(slot) {}
    void Attach(IPageHost* view, CUSBPort* port) override
    {
        CBaseDlg::Attach(view, port);
        ++attaches;
        lastPort = port;
    }
    void RefreshDeviceList() override { ++refreshes; }
    void LoadSettings() override { ++settingsLoads; }
    bool CanClose() override { return allowClose; }
    LRESULT OnDeviceLost(WPARAM, LPARAM) override
    {
        ++deviceLostMessages;
        return 1;
    }
    int m_slot = 0;
    int attaches = 0;
    int refreshes = 0;
    int settingsLoads = 0;
    int deviceLostMessages = 0;
    CUSBPort* lastPort = nullptr;
    bool allowClose = true;
};

// The view with its user-facing questions answered by the test.
class TestView : public CKeyloftView {
public:
    // Empty: the real chooser runs.
    std::function<INT_PTR(bool startupMode, UINT& outId, UINT& inId)> chooser;
    std::vector<bool> chooserModes;
    int deviceLostNotes = 0;

    INT_PTR RunChooser(bool startupMode, UINT& outId, UINT& inId) override
    {
        chooserModes.push_back(startupMode);
        if (chooser)
            return chooser(startupMode, outId, inId);
        return CKeyloftView::RunChooser(startupMode, outId, inId);
    }
    void NotifyDeviceLost() override { ++deviceLostNotes; }
    bool AskDisconnect() override
    {
        ++disconnectQuestions;
        return answerDisconnect;
    }
    bool answerDisconnect = true;
    int disconnectQuestions = 0;
};

// The view's frame: counts the view's requests to build its bars, and
// answers them with failBars (nonzero: the bars could not be made).
class TestFrame : public CFrameWnd {
public:
    int completions = 0;
    LRESULT failBars = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == AppMsg::CompleteFrame) {
            ++completions;
            return failBars;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

class ViewFixture {
public:
    ViewFixture();
    ~ViewFixture();

    // A frame with a TestView filling it (not yet updated).
    TestView& MakeView();
    // Pages made by the view are RecordingPages; their objects, as made.
    std::vector<boost::weak_ptr<RecordingPage>> pagesMade;
    std::vector<int> slotsMade;
    // The view's port mode as each page was made: closed before the link opens.
    std::vector<LONG> portModesAtMake;
    // Lets the view make the pages it left for after the window is up, until
    // pages have been made in all; true when they were.
    bool PumpUntilPagesMade(std::size_t pages);
    // Destroys the frame and with it the view.
    void DestroyFrame();
    TestFrame* Frame() const { return m_frame; }
    CString FrameCaption() const;

    const std::filesystem::path& ProgramFolder() const { return m_programFolder; }
    linktest::SimulatedMemory& Memory() { return *m_memory; }
    RecordingShell& Shell() { return m_shell; }

    // Writes DevProfile\<model>.ini in the program folder.
    void WriteDevProfile(const CString& model, const char* text) const;

private:
    std::filesystem::path m_programFolder;
    std::unique_ptr<linktest::SimulatedMemory> m_memory;
    linktest::MessageRecorder m_linkMessages;
    RecordingShell m_shell;
    CScopedShellOperations m_shellScope{m_shell};
    TestFrame* m_frame = nullptr;  // deletes itself when destroyed
};

// A string of the program's table.
CString LoadedText(UINT id);
// A whole file as bytes (empty when missing).
inline std::string ReadText(const std::filesystem::path& path) { return keyloft_test::ReadWholeFile(path); }
// Answers the view's chooser with the simulated instrument's pair, as if the
// user had chosen it under label and it had reported model.
void AnswerWithInstrument(TestView& view, const CString& label = L"DEVICE 1", const CString& model = L"RX470");
// The same, and the model's device profile selected as the real chooser does
// when the file is there already.
void AnswerWithInstrumentAndItsProfile(TestView& view);

// Cancels every dialog of this thread still open when the time runs out, so
// that a modal dialog that never ends fails its test instead of hanging the
// suite. Works from inside any modal loop of the thread.
class DialogWatchdog {
public:
    explicit DialogWatchdog(UINT timeoutMs);
    ~DialogWatchdog();
    DialogWatchdog(const DialogWatchdog&) = delete;
    DialogWatchdog& operator=(const DialogWatchdog&) = delete;
    // True when it had to cancel a dialog.
    bool Fired() const;

private:
    UINT_PTR m_timer = 0;
};

// Dispatches messages until done() or the time-out; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Threads of this process right now.
int ProcessThreadCount();

} // namespace viewtest
