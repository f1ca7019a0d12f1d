// CStringT members for both character widths, and the text conversions.
#include <afxstr.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <cwctype>

namespace afx_detail {

std::wstring WidenText(const char* text, int length, UINT codePage)
{
    if (text == nullptr || length == 0)
        return {};
    if (length < 0)
        length = TextLength(text);
    if (length == 0)
        return {};
    const int needed = ::MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
    if (needed <= 0)
        return {};
    std::wstring result(static_cast<size_t>(needed), L'\0');
    ::MultiByteToWideChar(codePage, 0, text, length, result.data(), needed);
    return result;
}

std::string NarrowText(const wchar_t* text, int length, UINT codePage)
{
    if (text == nullptr || length == 0)
        return {};
    if (length < 0)
        length = TextLength(text);
    if (length == 0)
        return {};
    const int needed = ::WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return {};
    std::string result(static_cast<size_t>(needed), '\0');
    ::WideCharToMultiByte(codePage, 0, text, length, result.data(), needed, nullptr, nullptr);
    return result;
}

namespace {

// The character-width specific primitives the template is written over.
int CompareNoCaseText(const wchar_t* a, const wchar_t* b)
{
    return ::_wcsicmp(a, b);
}
int CompareNoCaseText(const char* a, const char* b)
{
    // Through UTF-16: folding bytes would also fold the trail bytes of
    // double-byte characters that happen to look like ASCII letters.
    return ::_wcsicmp(WidenText(a, -1, CP_ACP).c_str(), WidenText(b, -1, CP_ACP).c_str());
}
int CollateText(const wchar_t* a, const wchar_t* b)
{
    return ::wcscoll(a, b);
}
int CollateText(const char* a, const char* b)
{
    return ::strcoll(a, b);
}
int CollateNoCaseText(const wchar_t* a, const wchar_t* b)
{
    return ::_wcsicoll(a, b);
}
int CollateNoCaseText(const char* a, const char* b)
{
    return ::_stricoll(a, b);
}
void UpperText(wchar_t* text, size_t length)
{
    if (length > 0)
        ::CharUpperBuffW(text, static_cast<DWORD>(length));
}
void UpperText(char* text, size_t length)
{
    if (length > 0)
        ::CharUpperBuffA(text, static_cast<DWORD>(length));
}
void LowerText(wchar_t* text, size_t length)
{
    if (length > 0)
        ::CharLowerBuffW(text, static_cast<DWORD>(length));
}
void LowerText(char* text, size_t length)
{
    if (length > 0)
        ::CharLowerBuffA(text, static_cast<DWORD>(length));
}
bool IsSpaceChar(wchar_t ch)
{
    return ::iswspace(ch) != 0;
}
bool IsSpaceChar(char ch)
{
    return ::isspace(static_cast<unsigned char>(ch)) != 0;
}

// The Microsoft C library's formatting (not the C99 one): "%s" in the wide
// functions takes a wide string, as the layer's callers expect.
int FormattedLength(const wchar_t* format, va_list args)
{
    return ::_vscwprintf(format, args);
}
int FormattedLength(const char* format, va_list args)
{
    return ::_vscprintf(format, args);
}
int FormatInto(wchar_t* buffer, size_t size, const wchar_t* format, va_list args)
{
    return ::_vsnwprintf(buffer, size, format, args);
}
int FormatInto(char* buffer, size_t size, const char* format, va_list args)
{
    return ::_vsnprintf(buffer, size, format, args);
}

template <class CharT>
std::basic_string<CharT> FormatText(const CharT* format, va_list args)
{
    if (format == nullptr)
        return {};
    va_list measure;
    va_copy(measure, args);
    const int length = FormattedLength(format, measure);
    va_end(measure);
    if (length <= 0)
        return {};
    std::basic_string<CharT> result(static_cast<size_t>(length), CharT());
    va_list write;
    va_copy(write, args);
    const int written = FormatInto(result.data(), result.size() + 1, format, write);
    va_end(write);
    result.resize(written >= 0 && written <= length ? static_cast<size_t>(written) : 0);
    return result;
}

// Looks a string up in a module's string table (blocks of 16 counted UTF-16 strings).
// Length 0 means "absent": the format cannot tell an empty string from a missing one.
bool FindStringResource(HINSTANCE module, UINT id, const wchar_t*& text, int& length)
{
    if (module == nullptr)
        return false;
    HRSRC block = ::FindResourceW(module, MAKEINTRESOURCEW((id >> 4) + 1), MAKEINTRESOURCEW(6));
    if (block == nullptr)
        return false;
    HGLOBAL loaded = ::LoadResource(module, block);
    const auto* cursor = static_cast<const WCHAR*>(::LockResource(loaded));
    const DWORD bytes = ::SizeofResource(module, block);
    if (cursor == nullptr)
        return false;
    const WCHAR* end = cursor + bytes / sizeof(WCHAR);
    for (UINT index = 0; index < (id & 15); ++index) {
        if (cursor >= end)
            return false;
        const size_t skip = 1 + static_cast<size_t>(*cursor);
        if (skip > static_cast<size_t>(end - cursor))
            return false;
        cursor += skip;
    }
    if (cursor >= end || *cursor == 0 || static_cast<size_t>(*cursor) > static_cast<size_t>(end - cursor - 1))
        return false;
    length = *cursor;
    text = cursor + 1;
    return true;
}

bool LoadStringResource(HINSTANCE module, UINT id, std::wstring& out)
{
    const wchar_t* text = nullptr;
    int length = 0;
    if (!FindStringResource(module, id, text, length))
        return false;
    out.assign(text, static_cast<size_t>(length));
    return true;
}

void AssignLoaded(std::wstring& target, const std::wstring& loaded)
{
    target = loaded;
}
void AssignLoaded(std::string& target, const std::wstring& loaded)
{
    target = NarrowText(loaded.c_str(), static_cast<int>(loaded.size()), CP_ACP);
}

BSTR AllocBstr(const std::wstring& text)
{
    return ::SysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()));
}
BSTR AllocBstr(const std::string& text)
{
    const std::wstring wide = WidenText(text.c_str(), static_cast<int>(text.size()), CP_ACP);
    return ::SysAllocStringLen(wide.c_str(), static_cast<UINT>(wide.size()));
}

template <class CharT>
bool InSet(CharT ch, const CharT* set)
{
    if (set == nullptr)
        return false;
    for (; *set != 0; ++set) {
        if (*set == ch)
            return true;
    }
    return false;
}

// The trims: drop the characters at one end for which drop(ch) holds.
template <class CharT, class Drop>
void DropLeading(std::basic_string<CharT>& text, Drop drop)
{
    size_t first = 0;
    while (first < text.size() && drop(text[first]))
        ++first;
    text.erase(0, first);
}

template <class CharT, class Drop>
void DropTrailing(std::basic_string<CharT>& text, Drop drop)
{
    size_t end = text.size();
    while (end > 0 && drop(text[end - 1]))
        --end;
    text.resize(end);
}

} // namespace

} // namespace afx_detail

using namespace afx_detail;

template <class CharT>
void CStringT<CharT>::AssignOrLoad(PCXSTR text)
{
    if (text != nullptr && IS_INTRESOURCE(text)) {
        m_text.clear();
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text)));
    } else if (text != nullptr) {
        m_text = text;
    } else {
        m_text.clear();
    }
}

template <class CharT>
void CStringT<CharT>::AssignOrLoad(PCYSTR text)
{
    if (text != nullptr && IS_INTRESOURCE(text)) {
        m_text.clear();
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text)));
    } else {
        ConvertText(m_text, text, -1, CP_ACP);
    }
}

template <class CharT>
typename CStringT<CharT>::PXSTR CStringT<CharT>::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(static_cast<size_t>(minLength));
    return m_text.data();
}

template <class CharT>
typename CStringT<CharT>::PXSTR CStringT<CharT>::GetBufferSetLength(int length)
{
    m_text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return m_text.data();
}

template <class CharT>
void CStringT<CharT>::ReleaseBuffer(int newLength)
{
    const size_t size = m_text.size();
    size_t length = 0;
    if (newLength < 0) {
        // The text ends at the first zero the caller wrote, within the buffer.
        const CharT* data = m_text.data();
        while (length < size && data[length] != 0)
            ++length;
    } else {
        length = static_cast<size_t>(newLength) < size ? static_cast<size_t>(newLength) : size;
    }
    m_text.resize(length);
}

template <class CharT>
int CStringT<CharT>::CompareNoCase(PCXSTR text) const
{
    return CompareNoCaseText(GetString(), TextOrEmpty(text));
}

template <class CharT>
int CStringT<CharT>::Collate(PCXSTR text) const
{
    return CollateText(GetString(), TextOrEmpty(text));
}

template <class CharT>
int CStringT<CharT>::CollateNoCase(PCXSTR text) const
{
    return CollateNoCaseText(GetString(), TextOrEmpty(text));
}

template <class CharT>
int CStringT<CharT>::Find(XCHAR ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    const size_t found = m_text.find(ch, static_cast<size_t>(start));
    return found == std::basic_string<CharT>::npos ? -1 : static_cast<int>(found);
}

template <class CharT>
int CStringT<CharT>::Find(PCXSTR sub, int start) const
{
    if (sub == nullptr || start < 0 || start > GetLength())
        return -1;
    const size_t found = m_text.find(sub, static_cast<size_t>(start));
    return found == std::basic_string<CharT>::npos ? -1 : static_cast<int>(found);
}

template <class CharT>
int CStringT<CharT>::ReverseFind(XCHAR ch) const
{
    const size_t found = m_text.rfind(ch);
    return found == std::basic_string<CharT>::npos ? -1 : static_cast<int>(found);
}

template <class CharT>
int CStringT<CharT>::FindOneOf(PCXSTR charSet) const
{
    if (charSet == nullptr || *charSet == 0)
        return -1;
    const size_t found = m_text.find_first_of(charSet);
    return found == std::basic_string<CharT>::npos ? -1 : static_cast<int>(found);
}

template <class CharT>
CStringT<CharT> CStringT<CharT>::Left(int count) const
{
    if (count <= 0)
        return CStringT();
    return CStringT(m_text.substr(0, static_cast<size_t>(count)));
}

template <class CharT>
CStringT<CharT> CStringT<CharT>::Right(int count) const
{
    if (count <= 0)
        return CStringT();
    if (count >= GetLength())
        return *this;
    return CStringT(m_text.substr(m_text.size() - static_cast<size_t>(count)));
}

template <class CharT>
CStringT<CharT> CStringT<CharT>::Mid(int first) const
{
    return Mid(first, INT_MAX);
}

template <class CharT>
CStringT<CharT> CStringT<CharT>::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (count <= 0 || first >= GetLength())
        return CStringT();
    return CStringT(m_text.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

template <class CharT>
CStringT<CharT> CStringT<CharT>::SpanIncluding(PCXSTR charSet) const
{
    size_t length = 0;
    while (length < m_text.size() && InSet(m_text[length], charSet))
        ++length;
    return CStringT(m_text.substr(0, length));
}

template <class CharT>
CStringT<CharT> CStringT<CharT>::SpanExcluding(PCXSTR charSet) const
{
    size_t length = 0;
    while (length < m_text.size() && !InSet(m_text[length], charSet))
        ++length;
    return CStringT(m_text.substr(0, length));
}

template <class CharT>
CStringT<CharT> CStringT<CharT>::Tokenize(PCXSTR delimiters, int& start) const
{
    const size_t size = m_text.size();
    if (start < 0 || static_cast<size_t>(start) >= size) {
        start = -1;
        return CStringT();
    }
    size_t first = static_cast<size_t>(start);
    while (first < size && InSet(m_text[first], delimiters))
        ++first;
    if (first >= size) {
        start = -1;
        return CStringT();
    }
    size_t end = first;
    while (end < size && !InSet(m_text[end], delimiters))
        ++end;
    start = static_cast<int>(end + 1);
    return CStringT(m_text.substr(first, end - first));
}

template <class CharT>
CStringT<CharT>& CStringT<CharT>::MakeUpper()
{
    UpperText(m_text.data(), m_text.size());
    return *this;
}

template <class CharT>
CStringT<CharT>& CStringT<CharT>::MakeLower()
{
    LowerText(m_text.data(), m_text.size());
    return *this;
}

template <class CharT>
CStringT<CharT>& CStringT<CharT>::MakeReverse()
{
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

template <class CharT>
CStringT<CharT>& CStringT<CharT>::Trim()
{
    return TrimRight().TrimLeft();
}

template <class CharT>
CStringT<CharT>& CStringT<CharT>::Trim(XCHAR ch)
{
    return TrimRight(ch).TrimLeft(ch);
}

template <class CharT>
CStringT<CharT>& CStringT<CharT>::Trim(PCXSTR charSet)
{
    return TrimRight(charSet).TrimLeft(charSet);
}

template <class CharT>
CStringT<CharT>& CStringT<CharT>::TrimLeft()
{
    DropLeading(m_text, [](CharT ch) { return IsSpaceChar(ch); });
    return *this;
}

template <class CharT>
CStringT<CharT>& CStringT<CharT>::TrimLeft(XCHAR ch)
{
    DropLeading(m_text, [ch](CharT c) { return c == ch; });
    return *this;
}

template <class CharT>
CStringT<CharT>& CStringT<CharT>::TrimLeft(PCXSTR charSet)
{
    DropLeading(m_text, [charSet](CharT c) { return InSet(c, charSet); });
    return *this;
}

template <class CharT>
CStringT<CharT>& CStringT<CharT>::TrimRight()
{
    DropTrailing(m_text, [](CharT ch) { return IsSpaceChar(ch); });
    return *this;
}

template <class CharT>
CStringT<CharT>& CStringT<CharT>::TrimRight(XCHAR ch)
{
    DropTrailing(m_text, [ch](CharT c) { return c == ch; });
    return *this;
}

template <class CharT>
CStringT<CharT>& CStringT<CharT>::TrimRight(PCXSTR charSet)
{
    DropTrailing(m_text, [charSet](CharT c) { return InSet(c, charSet); });
    return *this;
}

template <class CharT>
int CStringT<CharT>::Replace(XCHAR oldChar, XCHAR newChar)
{
    int count = 0;
    if (oldChar == newChar)
        return 0;
    for (CharT& ch : m_text) {
        if (ch == oldChar) {
            ch = newChar;
            ++count;
        }
    }
    return count;
}

template <class CharT>
int CStringT<CharT>::Replace(PCXSTR oldText, PCXSTR newText)
{
    const size_t oldLength = static_cast<size_t>(TextLength(oldText));
    if (oldLength == 0)
        return 0;
    const std::basic_string<CharT> replacement = TextOrEmpty(newText);
    std::basic_string<CharT> result;
    int count = 0;
    size_t from = 0;
    for (;;) {
        const size_t found = m_text.find(oldText, from, oldLength);
        if (found == std::basic_string<CharT>::npos)
            break;
        result.append(m_text, from, found - from);
        result += replacement;
        from = found + oldLength;
        ++count;
    }
    if (count > 0) {
        result.append(m_text, from, std::basic_string<CharT>::npos);
        m_text = std::move(result);
    }
    return count;
}

template <class CharT>
int CStringT<CharT>::Remove(XCHAR ch)
{
    const size_t before = m_text.size();
    std::erase(m_text, ch);
    return static_cast<int>(before - m_text.size());
}

template <class CharT>
int CStringT<CharT>::Insert(int index, XCHAR ch)
{
    const size_t at = index < 0 ? 0 : (std::min)(static_cast<size_t>(index), m_text.size());
    m_text.insert(at, 1, ch);
    return GetLength();
}

template <class CharT>
int CStringT<CharT>::Insert(int index, PCXSTR text)
{
    const size_t at = index < 0 ? 0 : (std::min)(static_cast<size_t>(index), m_text.size());
    m_text.insert(at, TextOrEmpty(text));
    return GetLength();
}

template <class CharT>
int CStringT<CharT>::Delete(int index, int count)
{
    if (index < 0)
        index = 0;
    if (count > 0 && static_cast<size_t>(index) < m_text.size())
        m_text.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

template <class CharT>
void CStringT<CharT>::FormatV(PCXSTR format, va_list args)
{
    m_text = FormatText(format, args);
}

template <class CharT>
void CStringT<CharT>::AppendFormatV(PCXSTR format, va_list args)
{
    m_text += FormatText(format, args);
}

template <class CharT>
void CStringT<CharT>::FormatRaw(PCXSTR format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

template <class CharT>
void CStringT<CharT>::AppendFormatRaw(PCXSTR format, ...)
{
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
}

template <class CharT>
BOOL CStringT<CharT>::LoadString(UINT id)
{
    std::wstring loaded;
    HINSTANCE resources = AfxGetResourceHandle();
    HINSTANCE program = ::GetModuleHandleW(nullptr);
    bool found = LoadStringResource(resources, id, loaded);
    if (!found && resources != program)
        found = LoadStringResource(program, id, loaded);
    if (!found)
        return FALSE;
    AssignLoaded(m_text, loaded);
    return TRUE;
}

template <class CharT>
BOOL CStringT<CharT>::LoadString(HINSTANCE module, UINT id)
{
    std::wstring loaded;
    if (!LoadStringResource(module, id, loaded))
        return FALSE;
    AssignLoaded(m_text, loaded);
    return TRUE;
}

template <class CharT>
BSTR CStringT<CharT>::AllocSysString() const
{
    BSTR result = AllocBstr(m_text);
    if (result == nullptr)
        ThrowMemoryException();
    return result;
}

template class CStringT<wchar_t>;
template class CStringT<char>;

namespace {

// Hash of a text's code units (each taken as unsigned).
template <class Unit, class CharT>
UINT HashText(const CharT* key)
{
    UINT hash = 0;
    if (key != nullptr) {
        for (; *key != 0; ++key)
            hash = (hash << 5) + hash + static_cast<Unit>(*key);
    }
    return hash;
}

} // namespace

UINT AFXAPI HashKey(LPCWSTR key)
{
    return HashText<UINT>(key);
}

UINT AFXAPI HashKey(LPCSTR key)
{
    return HashText<unsigned char>(key);
}
