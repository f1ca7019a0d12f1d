#include "tests/guilib_core/ListTestSupport.h"

namespace list_test {

int CRowList::CompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn)
{
    ++compared;
    const Row& a = rows.at(static_cast<size_t>(lParam1));
    const Row& b = rows.at(static_cast<size_t>(lParam2));
    if (iColumn == 0) {
        return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
    }
    return a.name.Compare(b.name);
}

CListHost::CListHost() = default;

CListHost::~CListHost()
{
    if (m_list.m_hWnd != nullptr) {
        m_list.DestroyWindow();
    }
    if (m_host.m_hWnd != nullptr) {
        m_host.DestroyWindow();
    }
}

BOOL CListHost::Create()
{
    LPCTSTR windowClass = AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (!m_host.CreateEx(0, windowClass, L"list host", WS_POPUP | WS_VISIBLE, 40, 40, 420, 300, nullptr, nullptr)) {
        return FALSE;
    }
    if (!m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 280), &m_host, 1001)) {
        return FALSE;
    }
    m_list.InsertColumn(0, L"Number", LVCFMT_LEFT, 150);
    m_list.InsertColumn(1, L"Name", LVCFMT_LEFT, 200);
    Pump(20);
    return TRUE;
}

void CListHost::AddRow(int number, const wchar_t* name)
{
    const int row = m_list.GetItemCount();
    m_list.rows.push_back(Row{number, name});
    CString text;
    text.Format(L"%d", number);
    m_list.InsertItem(row, text);
    m_list.SetItemText(row, 1, name);
    m_list.SetItemData(row, static_cast<DWORD_PTR>(m_list.rows.size() - 1));
}

std::vector<CString> CListHost::Names() const
{
    std::vector<CString> names;
    for (int i = 0; i < m_list.GetItemCount(); ++i) {
        names.push_back(m_list.GetItemText(i, 1));
    }
    return names;
}

int CListHost::HeaderWidth() const
{
    CRect client;
    ::GetClientRect(const_cast<CRowList&>(m_list).GetHeaderCtrl().m_hWnd, &client);
    return client.Width();
}

} // namespace list_test
