// Dialogs: a modal dialog from a resource template with a DDX round trip ended
// by a scripted answer from another thread (on the GUI thread and on a worker
// with a GUI-thread owner), and a modeless child page's keyboard handling.
#include "tests/afx_windows/WindowTestSupport.h"
#include "tests/afx_windows/resource.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

class CDdxDialog : public CDialog {
public:
    explicit CDdxDialog(CWnd* pParent = nullptr) : CDialog(IDD_DDX, pParent) {}
    CString m_name = L"initial";
    int m_count = 7;
    int m_flag = 1;
    int m_radio = 2;
    int m_choice = 1;
    CWnd m_okButton;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDOK, m_okButton);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDX_Text(pDX, IDC_COUNT, m_count);
        DDX_Check(pDX, IDC_FLAG, m_flag);
        DDX_Radio(pDX, IDC_RADIO1, m_radio);
        DDX_CBIndex(pDX, IDC_COMBO, m_choice);
    }
    BOOL OnInitDialog() override
    {
        for (const wchar_t* item : {L"zero", L"one", L"two"}) {
            SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        return CDialog::OnInitDialog();
    }
};

HWND FindDialog(const wchar_t* title)
{
    return ::FindWindowW(L"#32770", title);
}

std::wstring ItemText(HWND hDlg, int nID)
{
    wchar_t text[64] = {};
    ::GetDlgItemTextW(hDlg, nID, text, 64);
    return text;
}

struct ScriptResult {
    std::wstring name, count;
    LRESULT flag = -1, radio3 = -1, choice = -1;
    bool ownerDisabled = false;
    HWND owner = nullptr;
    std::atomic<bool> done{false};
};

std::atomic<int> g_boxes{0};
int CALLBACK CountBox(HWND, LPCTSTR, LPCTSTR, UINT, LPVOID)
{
    ++g_boxes;
    return IDOK;
}

// Reads what DDX put into the dialog, then answers it like a user would.
// On failure the dialog's thread gets WM_QUIT, which ends its modal loop.
void ScriptDialog(ScriptResult& result, HWND hOwner, bool tryBadNumberFirst, DWORD dialogThread)
{
    HWND hDlg = nullptr;
    if (!WaitUntil([&] { return (hDlg = FindDialog(L"DDX Test")) != nullptr && ::IsWindowVisible(hDlg); })) {
        ::PostThreadMessageW(dialogThread, WM_QUIT, 0, 0);
        result.done = true;
        return;
    }
    result.name = ItemText(hDlg, IDC_NAME);
    result.count = ItemText(hDlg, IDC_COUNT);
    result.flag = ::SendDlgItemMessageW(hDlg, IDC_FLAG, BM_GETCHECK, 0, 0);
    result.radio3 = ::SendDlgItemMessageW(hDlg, IDC_RADIO3, BM_GETCHECK, 0, 0);
    result.choice = ::SendDlgItemMessageW(hDlg, IDC_COMBO, CB_GETCURSEL, 0, 0);
    result.owner = ::GetWindow(hDlg, GW_OWNER);
    result.ownerDisabled = hOwner != nullptr && !::IsWindowEnabled(hOwner);

    ::SetDlgItemTextW(hDlg, IDC_NAME, L"changed");
    ::SendDlgItemMessageW(hDlg, IDC_FLAG, BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendDlgItemMessageW(hDlg, IDC_RADIO3, BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendDlgItemMessageW(hDlg, IDC_RADIO1, BM_SETCHECK, BST_CHECKED, 0);
    ::SendDlgItemMessageW(hDlg, IDC_COMBO, CB_SETCURSEL, 2, 0);
    if (tryBadNumberFirst) {
        ::SetDlgItemTextW(hDlg, IDC_COUNT, L"12x");
        ::PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
        WaitUntil([] { return g_boxes.load() > 0; });
    }
    ::SetDlgItemTextW(hDlg, IDC_COUNT, L" -42 ");
    ::PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
    result.done = true;
}

TEST(DialogTest, ModalDialogExchangesDataBothWaysAndRefusesABadNumber)
{
    TestApp();
    g_boxes = 0;
    AfxSetMessageBoxHook(&CountBox);
    CDdxDialog dialog;
    ScriptResult result;
    const DWORD thisThread = ::GetCurrentThreadId();
    std::thread script([&] { ScriptDialog(result, nullptr, true, thisThread); });
    INT_PTR answer = dialog.DoModal();
    script.join();
    AfxSetMessageBoxHook(nullptr);

    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(result.name, L"initial");
    EXPECT_EQ(result.count, L"7");
    EXPECT_EQ(result.flag, BST_CHECKED);
    EXPECT_EQ(result.radio3, BST_CHECKED);
    EXPECT_EQ(result.choice, 1);
    EXPECT_EQ(g_boxes.load(), 1) << "\"12x\" is not a number: one complaint, dialog stays";
    EXPECT_EQ(dialog.m_name, CString(L"changed"));
    EXPECT_EQ(dialog.m_count, -42);
    EXPECT_EQ(dialog.m_flag, 0);
    EXPECT_EQ(dialog.m_radio, 0);
    EXPECT_EQ(dialog.m_choice, 2);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_okButton.m_hWnd, nullptr) << "the bound control went with the dialog";
}

TEST(DialogTest, WorkerThreadRunsAModalDialogOwnedByAGuiThreadWindow)
{
    TestApp();
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, TestWindowClass(), L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                               nullptr, nullptr));
    struct Shared {
        CWnd* pOwner = nullptr;
        INT_PTR answer = 0;
        CString name;
        std::atomic<bool> finished{false};
    } shared;
    shared.pOwner = &owner;
    CWinThread* pWorker = AfxBeginThread(
        [](LPVOID pParam) -> UINT {
            auto* pShared = static_cast<Shared*>(pParam);
            CDdxDialog dialog(pShared->pOwner);
            pShared->answer = dialog.DoModal();
            pShared->name = dialog.m_name;
            pShared->finished = true;
            return 0;
        },
        &shared, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pWorker, nullptr);
    const DWORD workerThread = pWorker->m_nThreadID; // read before the thread may end and delete it
    pWorker->ResumeThread();
    ScriptResult result;
    std::thread script([&] { ScriptDialog(result, owner.m_hWnd, false, workerThread); });
    // The GUI thread keeps pumping: disabling the owner needs it.
    EXPECT_TRUE(PumpUntil([&] { return shared.finished.load(); }, 10000));
    script.join();

    EXPECT_EQ(shared.answer, IDOK);
    EXPECT_EQ(shared.name, CString(L"changed"));
    EXPECT_EQ(result.owner, owner.m_hWnd);
    EXPECT_TRUE(result.ownerDisabled);
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd)) << "enabled again afterwards";
    owner.DestroyWindow();
}

class CPage : public CDialog {
public:
    int m_cancels = 0;

protected:
    void OnCancel() override
    {
        ++m_cancels;
        CDialog::OnCancel();
    }
};

TEST(DialogTest, ModelessChildPageGetsTabAndSwallowsEscThroughPreTranslation)
{
    TestApp();
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(WS_EX_CONTROLPARENT, TestWindowClass(), L"frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                               0, 400, 300, nullptr, nullptr));
    CPage page;
    ASSERT_TRUE(page.Create(IDD_PAGE, &frame));
    EXPECT_NE(page.GetStyle() & WS_CHILD, 0u);
    frame.SetForegroundWindow();
    HWND hFirst = ::GetDlgItem(page.m_hWnd, IDC_PAGE_FIRST);
    HWND hSecond = ::GetDlgItem(page.m_hWnd, IDC_PAGE_SECOND);
    ::SetFocus(hFirst);
    PumpPending();
    ASSERT_EQ(::GetFocus(), hFirst);

    // Dispatched without pre-translation, Tab is just a key for the edit.
    MSG raw{hFirst, WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {}};
    ::DispatchMessageW(&raw);
    EXPECT_EQ(::GetFocus(), hFirst);

    // Through the thread's pump the page's pre-translation moves the focus.
    ::PostMessageW(hFirst, WM_KEYDOWN, VK_TAB, 0x000F0001);
    PumpPending();
    EXPECT_EQ(::GetFocus(), hSecond);

    ::PostMessageW(hSecond, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    ::PostMessageW(hSecond, WM_CHAR, VK_ESCAPE, 0x00010001);
    PumpPending();
    EXPECT_EQ(page.m_cancels, 0);
    EXPECT_TRUE(::IsWindowVisible(page.m_hWnd));
    EXPECT_EQ(::GetFocus(), hSecond);

    // OK/Cancel commands never hide a page.
    page.SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_EQ(page.m_cancels, 1);
    EXPECT_TRUE(::IsWindowVisible(page.m_hWnd));
    frame.DestroyWindow();
    EXPECT_EQ(page.m_hWnd, nullptr);
}

} // namespace
