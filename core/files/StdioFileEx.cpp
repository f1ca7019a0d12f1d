#include "core/files/StdioFileEx.h"

BOOL CStdioFileEx::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_encoding = Encoding::Ansi;
    SetCodePage(CP_ACP);
    if (!CStdioFile::Open(lpszFileName, nOpenFlags, pError))
        return FALSE;
    const bool writeOnly = (nOpenFlags & (CFile::modeWrite | CFile::modeReadWrite)) == CFile::modeWrite;
    const bool truncated = (nOpenFlags & CFile::modeCreate) && !(nOpenFlags & CFile::modeNoTruncate);
    if (writeOnly || truncated)
        return TRUE;

    BYTE head[3] = {};
    UINT got = 0;
    try {
        got = CFile::Read(head, sizeof(head));
    } catch (CFileException* error) {
        error->Delete();
        got = 0;
    }
    ULONGLONG start = 0;
    if (got >= 2 && head[0] == 0xFF && head[1] == 0xFE) {
        m_encoding = Encoding::Utf16;
        SetCodePage(codePageUtf16);
        start = 2;
    } else if (got >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) {
        m_encoding = Encoding::Utf8;
        SetCodePage(CP_UTF8);
        start = 3;
    }
    Seek(static_cast<LONGLONG>(start), CFile::begin);
    return TRUE;
}
