// A text file read line by line whose encoding is detected when it is opened:
// UTF-16 little-endian or UTF-8 after their byte-order marks, the ANSI code page
// otherwise. Lines are delivered as wide text.
#pragma once

#include <afx.h>

class CStdioFileEx : public CStdioFile {
public:
    enum class Encoding { Ansi, Utf16, Utf8 };

    CStdioFileEx() = default;

    // Opens like CStdioFile; when reading, looks at the first bytes for a
    // byte-order mark and reads past it.
    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;

    Encoding GetEncoding() const { return m_encoding; }

private:
    Encoding m_encoding = Encoding::Ansi;
};
