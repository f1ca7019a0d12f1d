// Free helpers over strings: field extraction and "%1" insertion.
#include <afxstr.h>

BOOL AFXAPI AfxExtractSubString(CString& result, LPCTSTR fullString, int subString, TCHAR separator)
{
    result.Empty();
    if (fullString == nullptr || subString < 0)
        return FALSE;
    const wchar_t* field = fullString;
    for (; subString > 0; --subString) {
        field = ::wcschr(field, separator);
        if (field == nullptr)
            return FALSE;
        ++field;
    }
    const wchar_t* end = ::wcschr(field, separator);
    const size_t length = end != nullptr ? static_cast<size_t>(end - field) : ::wcslen(field);
    result = CString(field, static_cast<int>(length));
    return TRUE;
}

void AFXAPI AfxFormatStrings(CString& result, LPCTSTR format, LPCTSTR const* strings, int count)
{
    CString text;
    if (format != nullptr) {
        for (const wchar_t* cursor = format; *cursor != 0; ++cursor) {
            const int index = cursor[0] == L'%' && cursor[1] >= L'1' && cursor[1] <= L'9' ? cursor[1] - L'1' : -1;
            if (index >= 0 && index < count) {
                text += strings[index];
                ++cursor;
            } else {
                text += *cursor;
            }
        }
    }
    result = text;
}

void AFXAPI AfxFormatString1(CString& result, UINT formatId, LPCTSTR string1)
{
    CString format;
    format.LoadString(formatId);
    AfxFormatStrings(result, format, &string1, 1);
}

void AFXAPI AfxFormatString2(CString& result, UINT formatId, LPCTSTR string1, LPCTSTR string2)
{
    CString format;
    format.LoadString(formatId);
    const LPCTSTR strings[2] = {string1, string2};
    AfxFormatStrings(result, format, strings, 2);
}
