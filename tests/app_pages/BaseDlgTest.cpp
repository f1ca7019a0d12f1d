// The page base: keys a page must not lose to the dialog manager, its
// accelerators, tooltip and status texts, dropped paths of any length and the
// background buffer.
#include <gtest/gtest.h>

#include <filesystem>

#include "pages/BaseDlg.h"
#include "widgets/StatusText.h"
#include "tests/app_pages/PagesTestIds.h"
#include "tests/app_pages/PagesTestSupport.h"
#include "tests/profiles/RecordingShell.h"

namespace {

using pagestest::Pump;

class CTestPage : public CBaseDlg {
public:
    CTestPage() : CBaseDlg(IDD_TEST_PAGE) {}

    void OnDropFiles(const CStringArray& files) override
    {
        calls.push_back(L"files");
        dropped.Copy(files);
    }
    void OnDropFolders(const CStringArray& folders) override
    {
        calls.push_back(L"folders");
        droppedFolders.Copy(folders);
    }
    CString GetFolder() const override { return folder; }

    std::vector<CString> calls;
    CStringArray dropped;
    CStringArray droppedFolders;
    std::vector<UINT> commands;
    CString folder;
    int okOrCancel = 0;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return CBaseDlg::OnCommand(wParam, lParam);
    }
    void OnOK() override { ++okOrCancel; }
    void OnCancel() override { ++okOrCancel; }
};

// A frame-like top window with a status bar (id 59393) that the page lives in.
class BaseDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(700, 500));
        m_status = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 440, 600, 20, m_host.m_hWnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)), nullptr, nullptr);
        m_previousMain = AfxGetApp() != nullptr ? AfxGetApp()->m_pMainWnd : nullptr;
        if (AfxGetApp() != nullptr) {
            AfxGetApp()->m_pMainWnd = &m_host;
        }
        ASSERT_TRUE(m_page.Create(IDD_TEST_PAGE, &m_host));
        ::SetWindowPos(m_page.m_hWnd, nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_SHOWWINDOW);
        Pump(20);
    }
    void TearDown() override
    {
        m_page.DestroyWindow();
        if (AfxGetApp() != nullptr) {
            AfxGetApp()->m_pMainWnd = m_previousMain;
        }
    }

    CString StatusText() const
    {
        wchar_t text[256] = {};
        ::GetWindowTextW(m_status, text, 256);
        return text;
    }

    pagestest::CHostWindow m_host;
    HWND m_status = nullptr;
    CWnd* m_previousMain = nullptr;
    CTestPage m_page;
};

TEST_F(BaseDlgTest, EnterAndEscapeNeverEndThePage)
{
    for (WPARAM key : {WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}}) {
        MSG msg{m_page.GetDlgItem(IDC_TEST_BUTTON)->m_hWnd, WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(m_page.PreTranslateMessage(&msg)) << "key " << key;
    }
    // Through the thread's own pre-translation too, as the message loop does it.
    ::PostMessageW(m_page.GetDlgItem(IDOK)->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    ::PostMessageW(m_page.GetDlgItem(IDOK)->m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!m_page.PreTranslateMessage(&msg) && !::IsDialogMessageW(m_page.m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    EXPECT_EQ(0, m_page.okOrCancel);
    EXPECT_TRUE(::IsWindowVisible(m_page.m_hWnd));

    // Other keys are left to the dialog's own handling (and, outside the page, to
    // nobody).
    MSG other{m_host.m_hWnd, WM_KEYDOWN, 'A', 0, 0, {}};
    EXPECT_FALSE(m_page.PreTranslateMessage(&other));
}

TEST_F(BaseDlgTest, AcceleratorsReachThePage)
{
    // A key outside the page's controls: the dialog manager leaves it alone, so
    // only the page's table can take it.
    MSG key{m_host.m_hWnd, WM_KEYDOWN, VK_F6, 0, 0, {}};
    EXPECT_FALSE(m_page.PreTranslateMessage(&key)) << "no table loaded yet";
    EXPECT_TRUE(m_page.commands.empty());

    m_page.LoadPageAccelerators(IDR_TEST_ACCEL);
    ASSERT_NE(nullptr, m_page.GetPageAccelerators());
    EXPECT_TRUE(m_page.PreTranslateMessage(&key));
    ASSERT_EQ(1u, m_page.commands.size());
    EXPECT_EQ(static_cast<UINT>(ID_TEST_ACCEL_COMMAND), m_page.commands[0]);
}

// Sends the tooltip request the tooltip control would send for a control id.
template <typename Info>
Info AskToolTip(CWnd& page, UINT code, UINT_PTR id, UINT flags)
{
    Info info{};
    info.hdr.hwndFrom = page.m_hWnd;
    info.hdr.idFrom = id;
    info.hdr.code = code;
    info.uFlags = flags;
    page.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

TEST_F(BaseDlgTest, ToolTipTextAndStatusTextComeFromOneString)
{
    const auto wide = AskToolTip<NMTTDISPINFOW>(m_page, TTN_NEEDTEXTW, IDS_TEST_TIP_TWO_PARTS, 0);
    EXPECT_STREQ(L"Add files", wide.lpszText);
    EXPECT_EQ(CString(L"Add"), StatusText());

    ::SetWindowTextW(m_status, L"");
    const auto narrow = AskToolTip<NMTTDISPINFOA>(m_page, TTN_NEEDTEXTA, IDS_TEST_TIP_TWO_PARTS, 0);
    EXPECT_STREQ("Add files", narrow.lpszText);
    EXPECT_EQ(CString(L"Add"), StatusText());

    const auto single = AskToolTip<NMTTDISPINFOW>(m_page, TTN_NEEDTEXTW, IDS_TEST_TIP_ONE_PART, 0);
    EXPECT_STREQ(L"", single.lpszText) << "no second part: no tooltip";
    EXPECT_EQ(CString(L"Only status"), StatusText());

    // A tooltip that names its tool by window: the string of the window's id.
    HWND button = m_page.GetDlgItem(IDC_TEST_BUTTON)->m_hWnd;
    ::SetWindowLongPtrW(button, GWLP_ID, IDS_TEST_TIP_TWO_PARTS);
    const auto byWindow =
        AskToolTip<NMTTDISPINFOW>(m_page, TTN_NEEDTEXTW, reinterpret_cast<UINT_PTR>(button), TTF_IDISHWND);
    EXPECT_STREQ(L"Add files", byWindow.lpszText);
    ::SetWindowLongPtrW(button, GWLP_ID, IDC_TEST_BUTTON);
}

TEST_F(BaseDlgTest, DroppedPathsOfAnyLengthAreSortedIntoFilesAndFolders)
{
    pagestest::CScopedProgramFolder scratch;
    const std::filesystem::path folder = scratch.Path() / L"dropped folder";
    std::filesystem::create_directories(folder);

    std::vector<std::wstring> paths;
    const std::wstring longName(300, L'x');  // past MAX_PATH on its own
    paths.push_back(L"C:\\music\\" + longName + L".mid");
    for (int i = 0; i < 400; ++i) {
        paths.push_back(L"C:\\songs\\song" + std::to_wstring(i) + L".mid");
    }
    paths.push_back(folder.wstring());
    paths.push_back(L"D:\\" + std::wstring(5000, L'y') + L".sty");

    m_page.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(pagestest::MakeDropHandle(paths)), 0);

    ASSERT_EQ((std::vector<CString>{L"files", L"folders"}), m_page.calls) << "files first, then folders";
    ASSERT_EQ(402, m_page.dropped.GetSize());
    EXPECT_EQ(CString(paths[0].c_str()), m_page.dropped[0]);
    EXPECT_EQ(313, m_page.dropped[0].GetLength());
    EXPECT_EQ(CString(L"C:\\songs\\song399.mid"), m_page.dropped[400]);
    EXPECT_EQ(5007, m_page.dropped[401].GetLength());
    ASSERT_EQ(1, m_page.droppedFolders.GetSize());
    EXPECT_EQ(CString(folder.wstring().c_str()), m_page.droppedFolders[0]);

    m_page.calls.clear();
    m_page.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(pagestest::MakeDropHandle({folder.wstring()})), 0);
    EXPECT_EQ((std::vector<CString>{L"folders"}), m_page.calls) << "folders only: only the folder hook";
}

TEST_F(BaseDlgTest, AcceptsDroppedFilesAndThePictureOpensTheFolder)
{
    EXPECT_NE(0u, m_page.GetExStyle() & WS_EX_ACCEPTFILES) << "the shell may drop on a page";
    RecordingShell shell;
    CScopedShellOperations scoped(shell);
    m_page.folder = L"C:\\Keyloft\\Songs\\";
    EXPECT_EQ(1, m_page.SendMessage(WM_PAGE_PICTURE_CLICKED, 1012, 0));
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_EQ(1, m_page.SendMessage(WM_PAGE_PICTURE_CLICKED, IDC_PAGE_FOLDER_PICTURE, 0));
    EXPECT_EQ((std::vector<CString>{L"C:\\Keyloft\\Songs\\"}), shell.opened);
}

}  // namespace
