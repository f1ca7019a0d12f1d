#include "core/files/TextHelpers.h"

#include "core/files/Folders.h"

CString LoadResString(UINT id)
{
    CString text;
    if (!text.LoadString(id))
        text.Empty();
    return text;
}

CString UpperKey(LPCTSTR text)
{
    CString key(text != nullptr ? text : L"");
    key.MakeUpper();
    return key;
}

std::vector<CString> SplitLines(LPCTSTR text)
{
    std::vector<CString> lines;
    const CString all(text != nullptr ? text : L"");
    int start = 0;
    while (start < all.GetLength()) {
        int end = all.Find(L'\n', start);
        const bool last = end < 0;
        if (last)
            end = all.GetLength();
        CString line = all.Mid(start, end - start);
        if (!line.IsEmpty() && line[line.GetLength() - 1] == L'\r')
            line = line.Left(line.GetLength() - 1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

CString GetSoundFilePath(int sound)
{
    switch (sound) {
    case 0: return GetProgramFolder() + L"wav\\msgBox.wav";
    case 1: return GetProgramFolder() + L"wav\\finish.wav";
    default: return CString();
    }
}

void SplitLines(LPCTSTR text, CStringArray& lines)
{
    lines.RemoveAll();
    for (const CString& line : SplitLines(text))
        lines.Add(line);
}
