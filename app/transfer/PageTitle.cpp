#include "app/transfer/PageTitle.h"

#include <algorithm>
#include <cwchar>

BEGIN_MESSAGE_MAP(CPageTitle, CStatic)
    ON_WM_PAINT()
    ON_MESSAGE(WM_SETTEXT, &CPageTitle::OnSetText)
    ON_MESSAGE(WM_GETTEXT, &CPageTitle::OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, &CPageTitle::OnGetTextLength)
END_MESSAGE_MAP()

void CPageTitle::SetTitle(const CString& text)
{
    if (m_hWnd == nullptr)
        return;
    if (!m_textKnown) {
        GetWindowText(m_text);
        m_textKnown = true;
    }
    if (m_text == text)
        return;
    m_text = text;
    // While a text is pending its repaint is still owed: a paint would have written it.
    if (!m_pending) {
        m_pending = true;
        Invalidate();
    }
}

void CPageTitle::CommitText()
{
    if (!m_pending)
        return;
    m_pending = false;
    ::DefWindowProcW(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_text.GetString()));
}

void CPageTitle::OnPaint()
{
    CommitText();
    Default();
}

LRESULT CPageTitle::OnSetText(WPARAM, LPARAM)
{
    // A text set from elsewhere replaces one still waiting; it is read again
    // when needed (the control may refuse or change it).
    m_pending = false;
    m_textKnown = false;
    return Default();
}

LRESULT CPageTitle::OnGetText(WPARAM wParam, LPARAM lParam)
{
    if (!m_pending)
        return Default();
    auto* buffer = reinterpret_cast<wchar_t*>(lParam);
    const auto room = static_cast<std::size_t>(wParam);
    if (buffer == nullptr || room == 0)
        return 0;
    const std::size_t length = std::min(room - 1, static_cast<std::size_t>(m_text.GetLength()));
    std::wmemcpy(buffer, m_text.GetString(), length);
    buffer[length] = L'\0';
    return static_cast<LRESULT>(length);
}

LRESULT CPageTitle::OnGetTextLength(WPARAM, LPARAM)
{
    return m_pending ? m_text.GetLength() : Default();
}
