// Message maps: base-class chaining, derived entries overriding base ones,
// ranges, registered messages, notifications and reflection to the control.
#include "tests/afx_windows/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT kRegisteredMessage = ::RegisterWindowMessageW(L"WMU_RESIZESUPPORT");

class CBaseWnd : public CWnd {
public:
    std::vector<std::wstring> m_log;
    bool m_attachedAtNcCreate = false;
    bool m_attachedAtCreate = false;

protected:
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct)
    {
        m_attachedAtNcCreate = m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this;
        return CWnd::OnNcCreate(lpCreateStruct);
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        m_attachedAtCreate = FromHandlePermanent(m_hWnd) == this;
        m_log.push_back(L"create");
        return CWnd::OnCreate(lpCreateStruct);
    }
    afx_msg void OnBaseCommand() { m_log.push_back(L"base 500"); }
    afx_msg void OnOverridden() { m_log.push_back(L"base 501"); }
    afx_msg LRESULT OnAdd(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam); }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        m_log.push_back(L"ctlcolor " + std::to_wstring(nCtlColor));
        return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
    ON_WM_CTLCOLOR()
    ON_COMMAND(500, &CBaseWnd::OnBaseCommand)
    ON_COMMAND(501, &CBaseWnd::OnOverridden)
    ON_MESSAGE(WM_APP + 1, &CBaseWnd::OnAdd)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
protected:
    afx_msg void OnDerived501() { m_log.push_back(L"derived 501"); }
    afx_msg void OnRange(UINT nID) { m_log.push_back(L"range " + std::to_wstring(nID)); }
    afx_msg void OnButtons(UINT nID) { m_log.push_back(L"button " + std::to_wstring(nID)); }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam * 2); }
    afx_msg void OnClickRange(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_log.push_back(L"click " + std::to_wstring(nID) + L" code " + std::to_wstring(static_cast<int>(pNMHDR->code)));
        *pResult = 77;
    }
    afx_msg BOOL OnKeyNotifyEx(UINT nID, NMHDR*, LRESULT* pResult)
    {
        // Only even ids are handled here; odd ones go on to the plain entry below.
        if (nID % 2 != 0) {
            return FALSE;
        }
        m_log.push_back(L"ex " + std::to_wstring(nID));
        *pResult = 1;
        return TRUE;
    }
    afx_msg BOOL OnCommandEx(UINT nID)
    {
        m_log.push_back(L"command ex " + std::to_wstring(nID));
        return FALSE; // let routing go on
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_COMMAND(501, &CDerivedWnd::OnDerived501)
    ON_COMMAND_RANGE(600, 609, &CDerivedWnd::OnRange)
    ON_CONTROL_RANGE(BN_CLICKED, 800, 805, &CDerivedWnd::OnButtons)
    ON_REGISTERED_MESSAGE(kRegisteredMessage, &CDerivedWnd::OnRegistered)
    ON_NOTIFY_RANGE(NM_CLICK, 700, 710, &CDerivedWnd::OnClickRange)
    ON_NOTIFY_EX_RANGE(NM_RETURN, 700, 710, &CDerivedWnd::OnKeyNotifyEx)
    ON_COMMAND_EX(502, &CDerivedWnd::OnCommandEx)
END_MESSAGE_MAP()

LRESULT SendNotify(HWND hWnd, HWND hWndFrom, UINT_PTR id, UINT code)
{
    NMHDR hdr{hWndFrom, id, code};
    return ::SendMessageW(hWnd, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&hdr));
}

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_TRUE(m_wnd.CreateEx(0, TestWindowClass(), L"map", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    }
    void TearDown() override { m_wnd.DestroyWindow(); }
    CDerivedWnd m_wnd;
};

TEST_F(MessageMapTest, ObjectIsAttachedBeforeTheFirstMessagesOfCreation)
{
    EXPECT_TRUE(m_wnd.m_attachedAtNcCreate);
    EXPECT_TRUE(m_wnd.m_attachedAtCreate);
    ASSERT_EQ(m_wnd.m_log.size(), 1u);
    EXPECT_EQ(m_wnd.m_log[0], L"create") << "the base map's WM_CREATE entry served the derived class";
}

TEST_F(MessageMapTest, DerivedEntriesOverrideBaseEntriesAndRangesPassTheId)
{
    m_wnd.m_log.clear();
    m_wnd.SendMessage(WM_COMMAND, 500);
    m_wnd.SendMessage(WM_COMMAND, 501);
    m_wnd.SendMessage(WM_COMMAND, 600);
    m_wnd.SendMessage(WM_COMMAND, 609);
    m_wnd.SendMessage(WM_COMMAND, 610); // outside the range: nobody
    m_wnd.SendMessage(WM_COMMAND, 599);
    std::vector<std::wstring> expected = {L"base 500", L"derived 501", L"range 600", L"range 609"};
    EXPECT_EQ(m_wnd.m_log, expected);
    EXPECT_EQ(m_wnd.SendMessage(WM_APP + 1, 2, 3), 5);
    EXPECT_EQ(m_wnd.SendMessage(kRegisteredMessage, 21, 0), 42);
}

TEST_F(MessageMapTest, NotificationsAndControlRangesReachTheirHandlers)
{
    m_wnd.m_log.clear();
    HWND hFrom = m_wnd.m_hWnd; // any window: no object handles reflection here
    EXPECT_EQ(SendNotify(m_wnd.m_hWnd, hFrom, 705, NM_CLICK), 77);
    EXPECT_EQ(SendNotify(m_wnd.m_hWnd, hFrom, 711, NM_CLICK), 0);
    EXPECT_EQ(SendNotify(m_wnd.m_hWnd, hFrom, 704, NM_RETURN), 1);
    EXPECT_EQ(SendNotify(m_wnd.m_hWnd, hFrom, 703, NM_RETURN), 0) << "the _EX handler declined";
    m_wnd.SendMessage(WM_COMMAND, 502);

    CWnd button;
    ASSERT_TRUE(button.Create(L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &m_wnd, 803));
    button.SendMessage(BM_CLICK);
    std::vector<std::wstring> expected = {L"click 705 code " + std::to_wstring(static_cast<int>(NM_CLICK)), L"ex 704",
                                          L"command ex 502", L"button 803"};
    EXPECT_EQ(m_wnd.m_log, expected);
}

TEST_F(MessageMapTest, UnifiedColourHandlerGetsTheKindOfControl)
{
    m_wnd.m_log.clear();
    HWND hEdit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, m_wnd.m_hWnd, nullptr, nullptr, nullptr);
    HDC hdc = ::GetDC(hEdit);
    m_wnd.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hEdit));
    m_wnd.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hEdit));
    ::ReleaseDC(hEdit, hdc);
    ASSERT_GE(m_wnd.m_log.size(), 2u);
    EXPECT_EQ(m_wnd.m_log[m_wnd.m_log.size() - 2], L"ctlcolor " + std::to_wstring(CTLCOLOR_EDIT));
    EXPECT_EQ(m_wnd.m_log.back(), L"ctlcolor " + std::to_wstring(CTLCOLOR_STATIC));
}

// One map written for every instance of a class template, chained to the
// instance's own base.
template <class TBase>
class CLayeredWnd : public TBase {
public:
    int m_templateCommands = 0;

protected:
    afx_msg void OnTemplateCommand() { ++m_templateCommands; }
    afx_msg LRESULT OnTemplateMessage(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam + 100); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_TEMPLATE_MESSAGE_MAP(CLayeredWnd, TBase, TBase)
    ON_COMMAND(900, &ThisClass::OnTemplateCommand)
    ON_MESSAGE(WM_APP + 2, &ThisClass::OnTemplateMessage)
END_MESSAGE_MAP()

TEST_F(MessageMapTest, TemplateMapServesEveryInstanceOverItsOwnBase)
{
    CLayeredWnd<CBaseWnd> overMapped;
    ASSERT_TRUE(overMapped.CreateEx(0, TestWindowClass(), L"t1", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80, nullptr, nullptr));
    CLayeredWnd<CWnd> overPlain;
    ASSERT_TRUE(overPlain.CreateEx(0, TestWindowClass(), L"t2", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80, nullptr, nullptr));

    overMapped.SendMessage(WM_COMMAND, 900);
    overPlain.SendMessage(WM_COMMAND, 900);
    EXPECT_EQ(overMapped.m_templateCommands, 1);
    EXPECT_EQ(overPlain.m_templateCommands, 1);
    EXPECT_EQ(overMapped.SendMessage(WM_APP + 2, 5, 0), 105);
    EXPECT_EQ(overPlain.SendMessage(WM_APP + 2, 5, 0), 105);
    EXPECT_EQ(overMapped.SendMessage(WM_APP + 1, 2, 3), 5) << "the base's map follows the template's";
    EXPECT_EQ(overPlain.SendMessage(WM_APP + 1, 2, 3), 0) << "a plain window has no such entry";
    overMapped.SendMessage(WM_COMMAND, 500);
    ASSERT_FALSE(overMapped.m_log.empty());
    EXPECT_EQ(overMapped.m_log.back(), L"base 500");
    overMapped.DestroyWindow();
    overPlain.DestroyWindow();
}

// A control handling its own notifications.
class CSelfHandlingButton : public CWnd {
public:
    int m_clicks = 0;
    int m_drawn = 0;
    int m_notified = 0;
    bool m_passOn = false;
    CBrush* m_pBrush = nullptr;

protected:
    afx_msg BOOL OnReflectedClick()
    {
        ++m_clicks;
        return m_passOn ? FALSE : TRUE;
    }
    afx_msg void DrawItem(LPDRAWITEMSTRUCT) { ++m_drawn; }
    afx_msg HBRUSH CtlColor(CDC*, UINT) { return m_pBrush != nullptr ? static_cast<HBRUSH>(m_pBrush->GetSafeHandle()) : nullptr; }
    afx_msg void OnReflectedNotify(NMHDR*, LRESULT* pResult)
    {
        ++m_notified;
        *pResult = 5;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfHandlingButton, CWnd)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, &CSelfHandlingButton::OnReflectedClick)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_CTLCOLOR_REFLECT()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CSelfHandlingButton::OnReflectedNotify)
END_MESSAGE_MAP()

TEST_F(MessageMapTest, ReflectedMessagesAreHandledByTheControlFirst)
{
    CSelfHandlingButton button;
    ASSERT_TRUE(button.Create(L"BUTTON", L"o", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 60, 20), &m_wnd, 801));
    m_wnd.m_log.clear();
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(button.m_clicks, 1);
    EXPECT_TRUE(m_wnd.m_log.empty()) << "the control took the click";
    button.m_passOn = true;
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(button.m_clicks, 2);
    ASSERT_EQ(m_wnd.m_log.size(), 1u);
    EXPECT_EQ(m_wnd.m_log[0], L"button 801") << "an _EX reflection that declines lets the parent see it";

    m_wnd.ShowWindow(SW_SHOWNA);
    button.RedrawWindow();
    EXPECT_GE(button.m_drawn, 1) << "owner draw reflected to the button";

    EXPECT_EQ(SendNotify(m_wnd.m_hWnd, button.m_hWnd, 801, NM_CUSTOMDRAW), 5);
    EXPECT_EQ(button.m_notified, 1);

    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(1, 2, 3)));
    button.m_pBrush = &brush;
    HDC hdc = ::GetDC(button.m_hWnd);
    LRESULT result = m_wnd.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(button.m_hWnd));
    ::ReleaseDC(button.m_hWnd, hdc);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(result), static_cast<HBRUSH>(brush.GetSafeHandle()));
    button.DestroyWindow();
}

} // namespace
