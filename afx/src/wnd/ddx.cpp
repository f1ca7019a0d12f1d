// Dialog data exchange: UpdateData and the DDX_ functions.
#include "afxstate.h"

#include <cerrno>
#include <climits>
#include <cwchar>
#include <cwctype>

namespace {

// Thrown by CDataExchange::Fail, caught by UpdateData.
struct DataExchangeFailure {};

// Sets a control's text only when it changes (no needless change notifications).
void SetWindowTextIfChanged(HWND hWnd, LPCTSTR lpszText)
{
    CString current;
    int nLength = ::GetWindowTextLengthW(hWnd);
    ::GetWindowTextW(hWnd, current.GetBuffer(nLength), nLength + 1);
    current.ReleaseBuffer();
    if (current != lpszText) {
        ::SetWindowTextW(hWnd, lpszText);
    }
}

CString WindowText(HWND hWnd)
{
    CString text;
    int nLength = ::GetWindowTextLengthW(hWnd);
    ::GetWindowTextW(hWnd, text.GetBuffer(nLength), nLength + 1);
    text.ReleaseBuffer();
    return text;
}

// Whole-text number parsing: surrounding blanks allowed, nothing else.
bool ParseSigned(const CString& text, long long& value)
{
    const wchar_t* begin = text;
    while (std::iswspace(*begin)) {
        ++begin;
    }
    if (*begin == L'\0') {
        return false;
    }
    wchar_t* end = nullptr;
    errno = 0;
    value = std::wcstoll(begin, &end, 10);
    if (errno == ERANGE || end == begin) {
        return false;
    }
    while (std::iswspace(*end)) {
        ++end;
    }
    return *end == L'\0';
}

} // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    m_idLastControl = static_cast<UINT>(nIDC);
    m_bEditLastControl = FALSE;
    if (hWndCtrl == nullptr) {
        throw DataExchangeFailure{}; // the template lacks the control
    }
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_idLastControl != 0) {
        HWND hWndLast = ::GetDlgItem(m_pDlgWnd->m_hWnd, static_cast<int>(m_idLastControl));
        if (hWndLast != nullptr) {
            ::SendMessageW(m_pDlgWnd->m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hWndLast), 1);
            if (m_bEditLastControl) {
                ::SendMessageW(hWndLast, EM_SETSEL, 0, -1);
            }
        }
    }
    throw DataExchangeFailure{};
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    afx_detail::ThreadState& state = afx_detail::GetThreadState();
    const HWND hOldLockout = state.hLockoutNotifyWindow;
    state.hLockoutNotifyWindow = m_hWnd;
    CDataExchange dx(this, bSaveAndValidate);
    BOOL bOK = TRUE;
    try {
        DoDataExchange(&dx);
    } catch (const DataExchangeFailure&) {
        bOK = FALSE;
    }
    state.hLockoutNotifyWindow = hOldLockout;
    return bOK;
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr) {
        return;
    }
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl)) {
        pDX->Fail(); // the control already has another object
    }
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0));
    } else {
        if (value < 0 || value > 2) {
            value = 0; // not a check state
        }
        ::SendMessageW(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndFirst = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = -1;
    }
    int nIndex = 0;
    for (HWND hWnd = hWndFirst; hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (hWnd != hWndFirst && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_GROUP)) {
            break; // the next group starts
        }
        if (!(::SendMessageW(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) {
            continue;
        }
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessageW(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                value = nIndex;
            }
        } else {
            ::SendMessageW(hWnd, BM_SETCHECK, nIndex == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++nIndex;
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = WindowText(hWndCtrl);
    } else {
        SetWindowTextIfChanged(hWndCtrl, value);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long parsed = 0;
        if (!ParseSigned(WindowText(hWndCtrl), parsed) || parsed < INT_MIN || parsed > INT_MAX) {
            AfxMessageBox(L"Please enter an integer.", MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = static_cast<int>(parsed);
    } else {
        CString text;
        text.Format(L"%d", value);
        SetWindowTextIfChanged(hWndCtrl, text);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long parsed = 0;
        if (!ParseSigned(WindowText(hWndCtrl), parsed) || parsed < 0 || parsed > static_cast<long long>(UINT_MAX)) {
            AfxMessageBox(L"Please enter a positive integer.", MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = static_cast<UINT>(parsed);
    } else {
        CString text;
        text.Format(L"%u", value);
        SetWindowTextIfChanged(hWndCtrl, text);
    }
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessageW(hWndCtrl, CB_GETCURSEL, 0, 0));
    } else {
        ::SendMessageW(hWndCtrl, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessageW(hWndCtrl, LB_GETCURSEL, 0, 0));
    } else {
        ::SendMessageW(hWndCtrl, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = WindowText(hWndCtrl);
    } else if (::SendMessageW(hWndCtrl, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value))) == CB_ERR) {
        SetWindowTextIfChanged(hWndCtrl, value); // an editable combo keeps any text
    }
}
