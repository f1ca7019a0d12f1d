#include "tests/guilib_state/StoredStateReaders.h"
#include "tests/guilib_state/AppBarStateReader.h"
#include "tests/guilib_state/LayoutStateReaders.h"
#include "tests/guilib_state/MDIStateReaders.h"
#include "tests/guilib_state/MenuStateReaders.h"
#include "tests/guilib_state/OutlookStateReaders.h"
#include "tests/guilib_state/PaneStateReaders.h"
#include "tests/guilib_state/TabStateReaders.h"
#include "tests/guilib_state/TasksPaneStateReaders.h"

#include <gtest/gtest.h>

#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPWorkspace.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/toolbars/KGPCommandManager.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "tests/guilib_toolbars/ToolBarTestIds.h"
#include "tests/support/ArchiveBytes.h"

#include <afxarch.h>

#include <algorithm>
#include <functional>
#include <iomanip>
#include <sstream>

namespace stored_state_test {

namespace {

using keyloft_test::StoredBytes;

constexpr UINT kToolBarId = 0xE820;
constexpr UINT kControlBarId = 0x1234;
constexpr UINT kCountedCommand = 33000;

// A button of the test's own class, counted while it lives.
class CCountedButton : public CKGPToolbarButton {
    DECLARE_SERIAL(CCountedButton)
public:
    CCountedButton() { ++s_nLive; }
    CCountedButton(UINT uiCmd, int iImage, LPCTSTR lpszText) : CKGPToolbarButton(uiCmd, iImage, lpszText) { ++s_nLive; }
    ~CCountedButton() override { --s_nLive; }
    static int s_nLive;
};
IMPLEMENT_SERIAL(CCountedButton, CKGPToolbarButton, VERSIONABLE_SCHEMA | 1)
int CCountedButton::s_nLive = 0;

std::ostream& operator<<(std::ostream& out, const CRect& rect)
{
    return out << rect.left << ',' << rect.top << ',' << rect.right << ',' << rect.bottom;
}

std::string Narrow(const CString& text)
{
    return std::string(CStringA(text).GetString());
}

std::string Hex(const std::vector<BYTE>& bytes)
{
    std::ostringstream out;
    for (const BYTE b : bytes)
        out << std::hex << std::setw(2) << std::setfill('0') << int(b);
    return out.str();
}


// LoadState as the bars run it, telling a refused load (nothing changed) from
// one that found a part of the state missing (what was there applied).
bool LoadBarState(CKGPBaseControlBar& bar, int nIndex)
{
    CKGPStoredLoad load;
    bar.ReadState(load, kProfile, -1, nIndex);
    return load.Commit() != FALSE;
}

void DescribeButtons(std::ostream& out, const char* what, const CObList& buttons)
{
    out << what << ':';
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        const auto* button = static_cast<const CKGPToolbarButton*>(buttons.GetNext(pos));
        out << ' ' << button->GetRuntimeClass()->m_lpszClassName << '/' << button->m_nCommand << '/'
            << button->m_nBits << '/' << button->m_nImage << '/' << button->m_nUserImage << '/'
            << button->m_bUserImage << button->m_bShowCaption << button->m_bShowImage << button->m_bShown
            << button->m_bRowBreak << button->m_bCaptionBelow << '/' << Narrow(button->m_strCaption) << '/'
            << button->m_rcButton << '/' << (button->GetParentWnd() != nullptr);
    }
    out << '\n';
}

void DescribeImages(std::ostream& out)
{
    out << "~images:";
    for (const UINT command : {UINT(ID_TEST_OPEN), UINT(ID_TEST_SAVE), UINT(ID_TEST_PRINT), kCountedCommand})
        out << ' ' << GetCmdMgr()->GetCmdImage(command, FALSE) << '/' << GetCmdMgr()->GetCmdImage(command, TRUE);
    out << '\n';
}

// A bar whose protected docking state the test may read.
template <class Bar>
class CInspected : public Bar {
public:
    void Describe(std::ostream& out, size_t nLayoutTail = 0) const
    {
        CRect window;
        this->GetWindowRect(window);
        out << "~window: " << window << ' ' << this->IsWindowVisible() << '\n';
        out << "bar: " << this->m_dwStyle << ' ' << this->m_bRecentVisibleState << this->m_bStateRestored << ' '
            << this->m_nID << ' ' << this->m_nMRUWidth << ' '
            << this->m_nPinState << ' ' << this->m_rectLoadedDocked << ' ' << this->m_bLoadedFloating << ' '
            << this->m_recentDockInfo.m_rectRecentFloatingRect << ' ' << this->m_recentDockInfo.m_rectRecentDockedRect << ' '
            << this->m_recentDockInfo.m_dwRecentAlignmentToFrame << ' ' << this->m_recentDockInfo.m_nRecentRowIndex << '\n';
        // What the bar would store now: for a toolbar also its buttons, captions
        // flag and text, and last its recorded length, which the layout sets.
        std::vector<BYTE> stored = StoredBytes([this](CArchive& ar) { const_cast<CInspected*>(this)->Serialize(ar); });
        const size_t layout = std::min(stored.size(), nLayoutTail);
        const std::vector<BYTE> length(stored.end() - static_cast<std::ptrdiff_t>(layout), stored.end());
        stored.resize(stored.size() - layout);
        out << "stored: " << Hex(stored) << '\n';
        out << "~layout: " << Hex(length) << '\n';
    }
};

// ---- Toolbars ----

// A toolbar docked at the top of the host, built from the test resource, with
// a counted button and a separator of its own width.
class ToolBarReaderBase : public StoredStateReader {
public:
    ~ToolBarReaderBase() override
    {
        m_bar.DestroyWindow();
        SetWorkspace(nullptr);
    }
    void SetUp(CFrameWnd& host) override
    {
        m_host = &host;
        ASSERT_TRUE(m_bar.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, kToolBarId));
        ASSERT_TRUE(m_bar.LoadToolBar(IDR_TEST_TOOLBAR));
        m_bar.InsertButtonCopy(CCountedButton(kCountedCommand, 1, L"Counted"), 1);
        CKGPToolbarButton separator;
        separator.m_nBits = TBBS_SEPARATOR;
        separator.m_nImage = 12;
        m_bar.InsertButtonCopy(separator, 2);
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        static_cast<CKGPFrameWnd&>(host).DockControlBar(&m_bar, AFX_IDW_DOCKBAR_TOP);
        m_bar.AdjustLayout();
    }
    std::string Snapshot() override
    {
        std::ostringstream out;
        m_bar.Describe(out, sizeof(int));
        CObList buttons;
        ListButtons(buttons);
        DescribeButtons(out, "buttons", buttons);
        DescribeButtons(out, "after reset", m_bar.GetAfterResetButtons());
        DescribeButtons(out, "~resource", m_bar.GetResourceButtons());
        out << "changed: " << m_bar.WasResourceChanged() << '\n';
        DescribeImages(out);
        return out.str();
    }

protected:
    void ListButtons(CObList& list) const
    {
        for (int i = 0; i < m_bar.GetCount(); ++i)
            list.AddTail(m_bar.GetButton(i));
    }
    // A second state: the counted button moved to the end, captions shown.
    void VaryBar()
    {
        CKGPToolbarButton* counted = m_bar.GetButton(1);
        counted->m_bShowCaption = TRUE;
        m_bar.InsertButtonCopy(*counted);
        CKGPToolbarButton text(ID_TEST_PRINT, -1, L"Print it");
        m_bar.InsertButtonCopy(text, 0);
    }

    CFrameWnd* m_host = nullptr;
    CInspected<CKGPToolBar> m_bar;
};

// LoadState: "Buttons", "OrigResetItems", "OriginalItems" and the control
// bar's values, with a workspace that tracks resources at version 6.41.
class ToolBarRegistryReader : public ToolBarReaderBase {
public:
    void SetUp(CFrameWnd& host) override
    {
        m_workspace.m_bResourceSmartUpdate = TRUE;
        m_workspace.SetDataVersion(6, 41);
        SetWorkspace(&m_workspace);
        ToolBarReaderBase::SetUp(host);
    }
    std::vector<StoredForm> Seeds() override
    {
        std::vector<StoredForm> seeds;
        DeleteProfile();
        m_bar.SaveState(kProfile);
        seeds.push_back(CaptureProfile());
        VaryBar();
        DeleteProfile();
        m_bar.SaveState(kProfile);
        seeds.push_back(CaptureProfile());
        return seeds;
    }
    bool Load(const StoredForm& form) override
    {
        WriteProfile(form);
        return LoadBarState(m_bar, -1);
    }
    StoredForm Save() override
    {
        DeleteProfile();
        m_bar.SaveState(kProfile);
        return CaptureProfile();
    }

private:
    CKGPWorkspace m_workspace;
};

// Serialize: the archive of one toolbar (no workspace: older data).
class ToolBarArchiveReader : public ToolBarReaderBase {
public:
    std::vector<StoredForm> Seeds() override
    {
        std::vector<StoredForm> seeds;
        seeds.push_back(ArchiveForm(StoredBytes([this](CArchive& ar) { m_bar.Serialize(ar); })));
        VaryBar();
        seeds.push_back(ArchiveForm(StoredBytes([this](CArchive& ar) { m_bar.Serialize(ar); })));
        return seeds;
    }
    bool Load(const StoredForm& form) override
    {
        return LoadArchive(form, [this](CArchive& ar) { m_bar.Serialize(ar); });
    }
    StoredForm Save() override { return ArchiveForm(StoredBytes([this](CArchive& ar) { m_bar.Serialize(ar); })); }
};

// ---- Control bars ----

class ControlBarReaderBase : public StoredStateReader {
public:
    ~ControlBarReaderBase() override { m_bar.DestroyWindow(); }
    void SetUp(CFrameWnd& host) override
    {
        m_bar.SetFixedSize(CSize(120, 24));
        ASSERT_TRUE(m_bar.Create(nullptr, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(0, 0, 120, 24), &host,
                                 kControlBarId));
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        static_cast<CKGPFrameWnd&>(host).DockControlBar(&m_bar, AFX_IDW_DOCKBAR_LEFT);
    }
    std::string Snapshot() override
    {
        std::ostringstream out;
        m_bar.Describe(out);
        return out.str();
    }

protected:
    CInspected<CKGPControlBar> m_bar;
};

class ControlBarRegistryReader : public ControlBarReaderBase {
public:
    std::vector<StoredForm> Seeds() override
    {
        DeleteProfile();
        m_bar.SaveState(kProfile, -1, 7);
        return {CaptureProfile()};
    }
    bool Load(const StoredForm& form) override
    {
        WriteProfile(form);
        return LoadBarState(m_bar, 7);
    }
    StoredForm Save() override
    {
        DeleteProfile();
        m_bar.SaveState(kProfile, -1, 7);
        return CaptureProfile();
    }
};

class ControlBarArchiveReader : public ControlBarReaderBase {
public:
    std::vector<StoredForm> Seeds() override
    {
        return {ArchiveForm(StoredBytes([this](CArchive& ar) { m_bar.Serialize(ar); }))};
    }
    bool Load(const StoredForm& form) override
    {
        return LoadArchive(form, [this](CArchive& ar) { m_bar.Serialize(ar); });
    }
    StoredForm Save() override { return ArchiveForm(StoredBytes([this](CArchive& ar) { m_bar.Serialize(ar); })); }
};

// ---- Floating frames ----

// The floating state of a frame holding a bar, read into a frame of its own
// (made only by an accepted load) for the host frame.
class FloatingFrameArchiveReader : public StoredStateReader {
public:
    ~FloatingFrameArchiveReader() override
    {
        ForgetLoaded();
        m_bar.DestroyWindow();
    }
    void SetUp(CFrameWnd& host) override
    {
        m_pHost = &host;
        m_bar.SetFixedSize(CSize(120, 24));
        ASSERT_TRUE(m_bar.Create(nullptr, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(0, 0, 120, 24), &host,
                                 kControlBarId, KGP_BARSTYLE_FLOAT | KGP_BARSTYLE_CLOSE));
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        static_cast<CKGPFrameWnd&>(host).DockControlBar(&m_bar, AFX_IDW_DOCKBAR_LEFT);
        ASSERT_TRUE(m_bar.FloatBar(CRect(200, 150, 320, 174), KGP_DM_UNKNOWN, true));
        m_bar.GetParentMiniFrame()->SetCaptionButtons(KGP_CAPTION_BTN_CLOSE | KGP_CAPTION_BTN_PIN);
    }
    std::vector<StoredForm> Seeds() override
    {
        return {ArchiveForm(StoredBytes([this](CArchive& ar) { m_bar.GetParentMiniFrame()->Serialize(ar); }))};
    }
    bool Load(const StoredForm& form) override
    {
        CKGPDockManager::s_pLoadingFrame = m_pHost;
        auto* pFrame = new CKGPMiniFrameWnd; // deletes itself with its window
        const bool accepted = LoadArchive(form, [pFrame](CArchive& ar) { pFrame->Serialize(ar); });
        CKGPDockManager::s_pLoadingFrame = nullptr;
        if (pFrame->GetSafeHwnd() == nullptr) {
            delete pFrame;
            return false;
        }
        ForgetLoaded();
        m_hLoaded = pFrame->m_hWnd;
        return accepted;
    }
    StoredForm Save() override
    {
        auto* pFrame = static_cast<CKGPMiniFrameWnd*>(CWnd::FromHandlePermanent(m_hLoaded));
        if (pFrame == nullptr)
            return {};
        return ArchiveForm(StoredBytes([pFrame](CArchive& ar) { pFrame->Serialize(ar); }));
    }
    std::string Snapshot() override
    {
        std::ostringstream out;
        auto* pFrame = static_cast<CKGPMiniFrameWnd*>(CWnd::FromHandlePermanent(m_hLoaded));
        if (pFrame == nullptr) {
            out << "loaded: none\n";
            return out.str();
        }
        CRect rect;
        pFrame->GetWindowRect(rect);
        out << "loaded: " << rect << ' ' << pFrame->GetSavedBarID() << ' ' << pFrame->GetCaptionButtonFlags() << ' '
            << pFrame->IsPinned() << ' ' << (pFrame->GetStyle() & ~WS_VISIBLE) << '\n';
        return out.str();
    }

private:
    void ForgetLoaded()
    {
        if (m_hLoaded != nullptr && ::IsWindow(m_hLoaded))
            ::DestroyWindow(m_hLoaded);
        m_hLoaded = nullptr;
    }

    CFrameWnd* m_pHost = nullptr;
    CKGPControlBar m_bar;
    HWND m_hLoaded = nullptr;
};

// ---- Buttons, usage counts, parameters, object lists ----

// One button read by itself: nothing but the button is made, and only an
// accepted one tells the command manager its image.
class ButtonArchiveReader : public StoredStateReader {
public:
    std::vector<StoredForm> Seeds() override
    {
        CCountedButton counted(kCountedCommand, 4, L"&Counted");
        counted.m_bShowCaption = TRUE;
        CKGPToolbarButton user(ID_TEST_SAVE, 3, L"Save", TRUE);
        CKGPToolbarButton separator;
        separator.m_nBits = TBBS_SEPARATOR;
        std::vector<StoredForm> seeds;
        for (const CObject* button : {static_cast<CObject*>(&counted), static_cast<CObject*>(&user),
                                      static_cast<CObject*>(&separator)})
            seeds.push_back(ArchiveForm(StoredBytes([button](CArchive& ar) { ar << button; })));
        return seeds;
    }
    bool Load(const StoredForm& form) override
    {
        std::unique_ptr<CKGPToolbarButton> read;
        if (!LoadArchive(form, [&read](CArchive& ar) { read.reset(CKGPToolbarButton::ReadFrom(ar)); }))
            return false;
        m_last = std::move(read);
        return true;
    }
    StoredForm Save() override
    {
        return ArchiveForm(StoredBytes([this](CArchive& ar) { ar << static_cast<CObject*>(m_last.get()); }));
    }
    std::string Snapshot() override
    {
        std::ostringstream out;
        DescribeImages(out);
        out << "counted: " << LiveCountedButtons() << '\n';
        return out.str();
    }

private:
    std::unique_ptr<CKGPToolbarButton> m_last; // the last button read
};

class UsageCountReader : public StoredStateReader {
public:
    void SetUp(CFrameWnd&) override
    {
        for (int i = 0; i < 7; ++i)
            m_usage.AddCmd(ID_TEST_OPEN);
        m_usage.AddCmd(ID_TEST_SAVE);
    }
    std::vector<StoredForm> Seeds() override
    {
        return {ArchiveForm(StoredBytes([this](CArchive& ar) { m_usage.Serialize(ar); }))};
    }
    bool Load(const StoredForm& form) override
    {
        return LoadArchive(form, [this](CArchive& ar) { m_usage.Serialize(ar); });
    }
    StoredForm Save() override { return ArchiveForm(StoredBytes([this](CArchive& ar) { m_usage.Serialize(ar); })); }
    std::string Snapshot() override
    {
        return Hex(StoredBytes([this](CArchive& ar) { m_usage.Serialize(ar); }));
    }

private:
    CCmdUsageCount m_usage;
};

// LoadParameters: "LargeIcons" under "<profile>KGToolbarParameters".
class ToolBarParametersReader : public StoredStateReader {
public:
    ~ToolBarParametersReader() override { CKGPToolBar::s_bLargeIconMode = FALSE; }
    std::vector<StoredForm> Seeds() override { return {Stored(TRUE)}; }
    // (The library leaves writing the parameters to the program.)
    StoredForm Save() override { return Stored(CKGPToolBar::s_bLargeIconMode); }
    bool Load(const StoredForm& form) override
    {
        WriteProfile(form);
        return CKGPToolBar::LoadParameters(kProfile) != FALSE;
    }
    std::string Snapshot() override { return std::to_string(CKGPToolBar::s_bLargeIconMode); }

private:
    static StoredForm Stored(DWORD largeIcons)
    {
        const BYTE* bytes = reinterpret_cast<const BYTE*>(&largeIcons);
        return {StoredValue{L"KGToolbarParameters", L"LargeIcons", REG_DWORD, std::vector<BYTE>(bytes, bytes + 4)}};
    }
};

// The registry's own object-list read, asked for buttons.
class RegistryObjectListReader : public StoredStateReader {
public:
    RegistryObjectListReader() { m_list.AddTail(new CCountedButton(kCountedCommand, 0, L"Held")); }
    ~RegistryObjectListReader() override
    {
        while (!m_list.IsEmpty())
            delete m_list.RemoveHead();
    }
    std::vector<StoredForm> Seeds() override
    {
        CCountedButton counted(kCountedCommand, 2, L"Counted");
        CKGPToolbarButton open(ID_TEST_OPEN, 0, L"Open");
        CKGPToolbarButton separator;
        separator.m_nBits = TBBS_SEPARATOR;
        CObList list;
        list.AddTail(&counted);
        list.AddTail(&open);
        list.AddTail(&separator);
        CKGPRegistryHandle reg(FALSE, FALSE);
        DeleteProfile();
        reg->CreateKey(CString(kProfile) + _T("Lists"));
        reg->Write(_T("Items"), list);
        return {CaptureProfile()};
    }
    bool Load(const StoredForm& form) override
    {
        WriteProfile(form);
        CKGPRegistryHandle reg(FALSE, TRUE);
        if (!reg->Open(CString(kProfile) + _T("Lists")))
            return false;
        const INT_PTR held = m_list.GetCount();
        const BOOL read = reg->Read(_T("Items"), m_list, RUNTIME_CLASS(CKGPToolbarButton));
        if (read) {
            // What an accepted list read is set aside, for saving again.
            m_last.DeleteAll();
            while (m_list.GetCount() > held)
                m_last.AddHead(m_list.RemoveTail());
        }
        return read != FALSE;
    }
    StoredForm Save() override
    {
        CKGPRegistryHandle reg(FALSE, FALSE);
        DeleteProfile();
        reg->CreateKey(CString(kProfile) + _T("Lists"));
        reg->Write(_T("Items"), m_last);
        return CaptureProfile();
    }
    std::string Snapshot() override
    {
        std::ostringstream out;
        DescribeButtons(out, "held", m_list);
        DescribeImages(out);
        return out.str();
    }

private:
    CObList m_list;
    COwningPtrList<CObList, CObject*> m_last; // the objects the last accepted load read
};

template <class Reader>
std::unique_ptr<StoredStateReader> Make()
{
    return std::make_unique<Reader>();
}

} // namespace

// One line per reader of stored state in the library.
const std::vector<StoredStateReaderEntry> kStoredStateReaders = {
    {"toolbar: registry state", &Make<ToolBarRegistryReader>},
    {"toolbar: archive", &Make<ToolBarArchiveReader>},
    {"control bar: registry state", &Make<ControlBarRegistryReader>},
    {"control bar: archive", &Make<ControlBarArchiveReader>},
    {"floating frame: archive", &Make<FloatingFrameArchiveReader>},
    {"toolbar button: archive", &Make<ButtonArchiveReader>},
    {"command usage: archive", &Make<UsageCountReader>},
    {"toolbar parameters: registry", &Make<ToolBarParametersReader>},
    {"registry: object list", &Make<RegistryObjectListReader>},
    {"menu button: archive", &MakeMenuButtonReader},
    {"combo, edit, help-combo and drop-down buttons: archive", &MakeComboAndEditReader},
    {"mouse manager: archive", &MakeMouseManagerReader},
    {"user tools: registry", &MakeUserToolsReader},
    {"docking pane: archive", &MakePaneArchiveReader},
    {"slider and split tree: archive", &MakeSliderTreeArchiveReader},
    {"floating frame of panes: archive", &MakeMultiFrameArchiveReader},
    {"tab window: archive", &MakeTabWindowArchiveReader},
    {"tabbed pane: archive", &MakeTabbedPaneArchiveReader},
    {"application bar: registry", &MakeAppBarReader},
    {"outlook bar custom pages: registry", &MakeOutlookCustomPagesReader},
    {"tasks pane: registry state", &MakeTasksPaneRegistryReader},
    {"tasks pane: archive", &MakeTasksPaneArchiveReader},
    {"docking layout: registry", &MakeDockLayoutReader},
    {"docking layout: archive", &MakeDockLayoutArchiveReader},
    {"MDI windows: registry", &MakeMDIWindowsReader},
    {"MDI tab strip: registry", &MakeMDIStripReader},
    {"MDI tab groups: registry", &MakeMDIGroupsReader},
};

bool LoadArchive(const StoredForm& form, const std::function<void(CArchive&)>& load)
{
    std::vector<BYTE> bytes = form.empty() ? std::vector<BYTE>() : form.front().bytes;
    try {
        keyloft_test::LoadBytes(std::move(bytes), load);
    } catch (CException* e) {
        e->Delete();
        return false;
    }
    return true;
}

std::string LoadedPart(const std::string& snapshot)
{
    std::istringstream lines(snapshot);
    std::string part;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] != '~')
            part += line + '\n';
    }
    return part;
}

int LiveCountedButtons()
{
    return CCountedButton::s_nLive;
}

} // namespace stored_state_test
