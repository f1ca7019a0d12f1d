// Dialog data exchange: UpdateData and the DDX_ functions.
#include "afxstate.h"

#include <cerrno>
#include <cwchar>
#include <cwctype>
#include <limits>
#include <string>

namespace {

// Thrown by CDataExchange::Fail, caught by UpdateData.
struct DataExchangeFailure {};

CString WindowText(HWND hWnd)
{
    CString text;
    int nLength = ::GetWindowTextLengthW(hWnd);
    ::GetWindowTextW(hWnd, text.GetBuffer(nLength), nLength + 1);
    text.ReleaseBuffer();
    return text;
}

// Sets a control's text only when it changes (no needless change notifications).
void SetWindowTextIfChanged(HWND hWnd, LPCTSTR lpszText)
{
    if (WindowText(hWnd) != lpszText) {
        ::SetWindowTextW(hWnd, lpszText);
    }
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

// A whole number in an edit control; text that is not one in Number's range
// fails the exchange after telling the user what is wanted.
template <class Number>
void ExchangeWholeNumber(CDataExchange* pDX, int nIDC, Number& value, LPCTSTR prompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        SetWindowTextIfChanged(hWndCtrl, std::to_wstring(value).c_str());
        return;
    }
    long long parsed = 0;
    if (!ParseSigned(WindowText(hWndCtrl), parsed) ||
        parsed < static_cast<long long>(std::numeric_limits<Number>::min()) ||
        parsed > static_cast<long long>(std::numeric_limits<Number>::max())) {
        AfxMessageBox(prompt, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    value = static_cast<Number>(parsed);
}

// The selected index of a combo or list box (-1: none).
void ExchangeSelection(CDataExchange* pDX, int nIDC, int& index, UINT getMessage, UINT setMessage)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessageW(hWndCtrl, getMessage, 0, 0));
    } else {
        ::SendMessageW(hWndCtrl, setMessage, static_cast<WPARAM>(index), 0);
    }
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
    ExchangeWholeNumber(pDX, nIDC, value, L"Please enter an integer.");
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeWholeNumber(pDX, nIDC, value, L"Please enter a positive integer.");
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    ExchangeSelection(pDX, nIDC, index, CB_GETCURSEL, CB_SETCURSEL);
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    ExchangeSelection(pDX, nIDC, index, LB_GETCURSEL, LB_SETCURSEL);
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
