#include <afx.h>

#include <cstring>
#include <limits>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {

constexpr size_t kReadChunk = 4096;

bool IsUtf16(UINT codePage) { return codePage == CStdioFile::codePageUtf16; }

// Decodes raw line bytes into text; a lone trailing byte of UTF-16 is dropped.
std::wstring DecodeLine(const std::string& bytes, UINT codePage)
{
    if (IsUtf16(codePage)) {
        std::wstring text(bytes.size() / 2, L'\0');
        if (!text.empty())
            std::memcpy(text.data(), bytes.data(), text.size() * 2);
        return text;
    }
    if (bytes.size() > static_cast<size_t>(std::numeric_limits<int>::max()))
        AfxThrowMemoryException();
    return afx_detail::WidenText(bytes.data(), static_cast<int>(bytes.size()), codePage);
}

// How many bytes the character starting with lead takes in the code page.
size_t CharacterBytes(UINT codePage, BYTE lead)
{
    if (IsUtf16(codePage))
        return 2;
    if (codePage == CP_UTF8) {
        if (lead >= 0xF0)
            return 4;
        if (lead >= 0xE0)
            return 3;
        if (lead >= 0xC0)
            return 2;
        return 1;
    }
    return ::IsDBCSLeadByteEx(codePage == CP_ACP ? ::GetACP() : codePage, lead) ? 2 : 1;
}

std::string EncodeText(const std::wstring& text, UINT codePage)
{
    if (IsUtf16(codePage)) {
        std::string bytes(text.size() * 2, '\0');
        if (!bytes.empty())
            std::memcpy(bytes.data(), text.data(), bytes.size());
        return bytes;
    }
    if (text.size() > static_cast<size_t>(std::numeric_limits<int>::max()))
        AfxThrowMemoryException();
    return afx_detail::NarrowText(text.data(), static_cast<int>(text.size()), codePage);
}

} // namespace

CStdioFile::CStdioFile() = default;

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        throw new CFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CStdioFile::~CStdioFile() = default;

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    DropReadBuffer();
    m_bTextMode = (nOpenFlags & typeBinary) == 0;
    m_bAppend = (nOpenFlags & modeCreate) && (nOpenFlags & modeNoTruncate) && (nOpenFlags & (modeWrite | modeReadWrite));
    if (!CFile::Open(lpszFileName, nOpenFlags & ~static_cast<UINT>(typeText | typeBinary), pError))
        return FALSE;
    if (m_bAppend)
        CFile::Seek(0, end);
    return TRUE;
}

void CStdioFile::DropReadBuffer()
{
    m_readBuffer.clear();
    m_readOffset = 0;
}

BOOL CStdioFile::FillReadBuffer()
{
    if (m_readOffset > 0) {
        m_readBuffer.erase(0, m_readOffset);
        m_readOffset = 0;
    }
    char chunk[kReadChunk];
    const UINT read = CFile::Read(chunk, static_cast<UINT>(sizeof(chunk)));
    m_readBuffer.append(chunk, read);
    return read > 0;
}

BOOL CStdioFile::ReadLineBytes(std::string& line)
{
    line.clear();
    const size_t unit = IsUtf16(m_codePage) ? 2 : 1;
    for (;;) {
        // Look for the end of the line among the buffered bytes.
        size_t at = m_readOffset;
        while (at + unit <= m_readBuffer.size()) {
            const bool newline = unit == 1 ? m_readBuffer[at] == '\n'
                                           : (m_readBuffer[at] == '\n' && m_readBuffer[at + 1] == '\0');
            at += unit;
            if (newline) {
                line.append(m_readBuffer, m_readOffset, at - m_readOffset);
                m_readOffset = at;
                return TRUE;
            }
        }
        // No end of line yet: keep the whole units and read on.
        const size_t whole = at - m_readOffset;
        line.append(m_readBuffer, m_readOffset, whole);
        m_readOffset += whole;
        if (!FillReadBuffer()) {
            // End of file: an odd byte left over is part of the last line.
            line.append(m_readBuffer, m_readOffset, std::string::npos);
            m_readOffset = m_readBuffer.size();
            return !line.empty();
        }
    }
}

BOOL CStdioFile::ReadString(CString& rString)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    std::string bytes;
    if (!ReadLineBytes(bytes)) {
        rString.Empty();
        return FALSE;
    }
    std::wstring text = DecodeLine(bytes, m_codePage);
    if (!text.empty() && text.back() == L'\n') {
        text.pop_back();
        if (m_bTextMode && !text.empty() && text.back() == L'\r')
            text.pop_back();
    }
    rString = CString(text.c_str(), static_cast<int>(text.size()));
    return TRUE;
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (lpsz == nullptr || nMax == 0)
        AfxThrowInvalidArgException();
    if (nMax == 1) {
        lpsz[0] = L'\0';
        return lpsz;
    }
    // Gather characters until a line end or until nMax - 1 are had; the rest of a
    // long line stays for the next call.
    std::wstring text;
    const size_t unit = IsUtf16(m_codePage) ? 2 : 1;
    for (;;) {
        if (m_readOffset + unit > m_readBuffer.size() && !FillReadBuffer())
            break;
        if (m_readOffset + unit > m_readBuffer.size())
            continue;
        // Take one character's bytes (several in a multi-byte code page).
        size_t length = CharacterBytes(m_codePage, static_cast<BYTE>(m_readBuffer[m_readOffset]));
        while (m_readOffset + length > m_readBuffer.size() && FillReadBuffer()) {
        }
        if (m_readOffset + length > m_readBuffer.size())
            length = m_readBuffer.size() - m_readOffset;
        const std::wstring decoded = DecodeLine(m_readBuffer.substr(m_readOffset, length), m_codePage);
        if (text.size() + decoded.size() > nMax - 1)
            break;
        m_readOffset += length;
        text += decoded;
        if (!decoded.empty() && decoded.back() == L'\n')
            break;
    }
    if (text.empty())
        return nullptr;
    if (m_bTextMode && text.size() >= 2 && text[text.size() - 1] == L'\n' && text[text.size() - 2] == L'\r')
        text.erase(text.size() - 2, 1);
    std::wmemcpy(lpsz, text.data(), text.size());
    lpsz[text.size()] = L'\0';
    return lpsz;
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (lpsz == nullptr)
        AfxThrowInvalidArgException();
    std::wstring text = lpsz;
    if (m_bTextMode) {
        std::wstring translated;
        translated.reserve(text.size() + 16);
        for (wchar_t ch : text) {
            if (ch == L'\n')
                translated += L'\r';
            translated += ch;
        }
        text.swap(translated);
    }
    const std::string bytes = EncodeText(text, m_codePage);
    Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

ULONGLONG CStdioFile::GetPosition() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return CFile::GetPosition() - (m_readBuffer.size() - m_readOffset);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (nFrom == current)
        lOff -= static_cast<LONGLONG>(m_readBuffer.size() - m_readOffset);
    DropReadBuffer();
    return CFile::Seek(lOff, nFrom);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (nCount == 0)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    // Bytes read ahead for lines come first.
    const size_t buffered = m_readBuffer.size() - m_readOffset;
    const UINT fromBuffer = buffered < nCount ? static_cast<UINT>(buffered) : nCount;
    std::memcpy(lpBuf, m_readBuffer.data() + m_readOffset, fromBuffer);
    m_readOffset += fromBuffer;
    if (fromBuffer == nCount)
        return nCount;
    return fromBuffer + CFile::Read(static_cast<BYTE*>(lpBuf) + fromBuffer, nCount - fromBuffer);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (m_bAppend) {
        DropReadBuffer();
        CFile::Seek(0, end);
    } else if (m_readOffset < m_readBuffer.size()) {
        // Write where the reader stands, not where the read-ahead left the handle.
        Seek(0, current);
    }
    CFile::Write(lpBuf, nCount);
}

void CStdioFile::SetLength(ULONGLONG dwNewLen)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    Seek(0, current);
    CFile::SetLength(dwNewLen);
}

void CStdioFile::Abort()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    DropReadBuffer();
    CFile::Abort();
}

void CStdioFile::Close()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    DropReadBuffer();
    CFile::Close();
}
