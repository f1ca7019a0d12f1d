// CString (UTF-16) and CStringA (bytes in a Windows code page): one template over
// the character type. Narrow text converts through the ANSI code page (CP_ACP)
// unless a code page is given explicitly.
#pragma once

#include "afxbase.h"

#include <compare>
#include <string>
#include <utility>

template <class CharT>
class CStringT;
using CStringW = CStringT<wchar_t>;
using CStringA = CStringT<char>;
using CString = CStringW;

// The module string resources come from (the program until set otherwise).
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE module);

namespace afx_detail {

template <class CharT>
struct OtherCharOf;
template <>
struct OtherCharOf<wchar_t> {
    using type = char;
};
template <>
struct OtherCharOf<char> {
    using type = wchar_t;
};

// Conversions between UTF-16 and a code page; a negative length means "up to the
// terminating zero". A null text gives an empty result.
std::wstring WidenText(const char* text, int length, UINT codePage);
std::string NarrowText(const wchar_t* text, int length, UINT codePage);

inline void ConvertText(std::wstring& out, const char* text, int length, UINT codePage)
{
    out = WidenText(text, length, codePage);
}
inline void ConvertText(std::string& out, const wchar_t* text, int length, UINT codePage)
{
    out = NarrowText(text, length, codePage);
}

inline int TextLength(const wchar_t* text)
{
    return text != nullptr ? static_cast<int>(::wcslen(text)) : 0;
}
inline int TextLength(const char* text)
{
    return text != nullptr ? static_cast<int>(::strlen(text)) : 0;
}

// A string's text as it is read by a printf-style "%s".
template <class CharT>
inline const CharT* TextOrEmpty(const CharT* text)
{
    static constexpr CharT empty[1] = {};
    return text != nullptr ? text : empty;
}

} // namespace afx_detail

template <class CharT>
class CStringT {
public:
    using XCHAR = CharT;
    using PXSTR = CharT*;
    using PCXSTR = const CharT*;
    using YCHAR = typename afx_detail::OtherCharOf<CharT>::type;
    using PYSTR = YCHAR*;
    using PCYSTR = const YCHAR*;

    CStringT() = default;
    CStringT(const CStringT&) = default;
    CStringT(CStringT&&) noexcept = default;
    CStringT& operator=(const CStringT&) = default;
    CStringT& operator=(CStringT&&) noexcept = default;
    ~CStringT() = default;

    // A pointer made with MAKEINTRESOURCE loads that string resource.
    CStringT(PCXSTR text) { AssignOrLoad(text); }
    CStringT(PCYSTR text) { AssignOrLoad(text); }
    CStringT(PCXSTR text, int length) : m_text(text != nullptr && length > 0 ? text : empty(), ClampLength(text, length)) {}
    CStringT(PCYSTR text, int length) { afx_detail::ConvertText(m_text, text, length > 0 ? length : 0, CP_ACP); }
    CStringT(const unsigned char* text) : CStringT(reinterpret_cast<const char*>(text)) {}
    CStringT(XCHAR ch, int repeat = 1) : m_text(repeat > 0 ? static_cast<size_t>(repeat) : 0, ch) {}
    CStringT(const CStringT<YCHAR>& other) { afx_detail::ConvertText(m_text, other.GetString(), other.GetLength(), CP_ACP); }

    CStringT& operator=(PCXSTR text)
    {
        AssignOrLoad(text);
        return *this;
    }
    CStringT& operator=(PCYSTR text)
    {
        AssignOrLoad(text);
        return *this;
    }
    CStringT& operator=(const unsigned char* text) { return *this = reinterpret_cast<const char*>(text); }
    CStringT& operator=(XCHAR ch)
    {
        m_text.assign(1, ch);
        return *this;
    }
    CStringT& operator=(const CStringT<YCHAR>& other)
    {
        afx_detail::ConvertText(m_text, other.GetString(), other.GetLength(), CP_ACP);
        return *this;
    }

    // Size and access.
    int GetLength() const { return static_cast<int>(m_text.size()); }
    int GetAllocLength() const { return static_cast<int>(m_text.capacity()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    PCXSTR GetString() const { return m_text.c_str(); }
    operator PCXSTR() const { return m_text.c_str(); }
    XCHAR GetAt(int index) const
    {
        CheckIndex(index);
        return m_text[static_cast<size_t>(index)];
    }
    XCHAR operator[](int index) const { return GetAt(index); }
    void SetAt(int index, XCHAR ch)
    {
        CheckIndex(index);
        m_text[static_cast<size_t>(index)] = ch;
    }
    void Preallocate(int length)
    {
        if (length > 0)
            m_text.reserve(static_cast<size_t>(length));
    }
    void FreeExtra() { m_text.shrink_to_fit(); }
    void SetString(PCXSTR text) { *this = text; }
    void SetString(PCXSTR text, int length) { *this = CStringT(text, length); }

    // Writing into the buffer directly: GetBuffer(n) gives room for n characters and
    // a terminating zero; ReleaseBuffer(-1) takes the length up to the first zero.
    PXSTR GetBuffer() { return m_text.data(); }
    PXSTR GetBuffer(int minLength);
    PXSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);
    void ReleaseBufferSetLength(int newLength) { ReleaseBuffer(newLength); }

    // Concatenation.
    CStringT& operator+=(const CStringT& other)
    {
        m_text += other.m_text;
        return *this;
    }
    CStringT& operator+=(PCXSTR text)
    {
        if (text != nullptr)
            m_text += text;
        return *this;
    }
    CStringT& operator+=(PCYSTR text) { return *this += CStringT(text); }
    CStringT& operator+=(const CStringT<YCHAR>& other) { return *this += CStringT(other); }
    CStringT& operator+=(XCHAR ch)
    {
        m_text += ch;
        return *this;
    }
    CStringT& operator+=(YCHAR ch)
    {
        const YCHAR text[2] = {ch, 0};
        return *this += CStringT(text);
    }
    void Append(PCXSTR text) { *this += text; }
    void Append(PCXSTR text, int length) { *this += CStringT(text, length); }
    void Append(const CStringT& other) { *this += other; }
    void AppendChar(XCHAR ch) { m_text += ch; }

    friend CStringT operator+(const CStringT& a, const CStringT& b) { return CStringT(a.m_text + b.m_text); }
    friend CStringT operator+(const CStringT& a, PCXSTR b) { return CStringT(a.m_text + afx_detail::TextOrEmpty(b)); }
    friend CStringT operator+(PCXSTR a, const CStringT& b) { return CStringT(afx_detail::TextOrEmpty(a) + b.m_text); }
    friend CStringT operator+(const CStringT& a, XCHAR b) { return CStringT(a.m_text + b); }
    friend CStringT operator+(XCHAR a, const CStringT& b) { return CStringT(a + b.m_text); }

    // Comparison: ordinal by code unit; CompareNoCase and Collate follow the locale.
    int Compare(PCXSTR text) const { return m_text.compare(afx_detail::TextOrEmpty(text)); }
    int CompareNoCase(PCXSTR text) const;
    int Collate(PCXSTR text) const;
    int CollateNoCase(PCXSTR text) const;

    friend bool operator==(const CStringT& a, const CStringT& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CStringT& a, PCXSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(const CStringT& a, XCHAR b) { return a.m_text.size() == 1 && a.m_text[0] == b; }
    friend std::strong_ordering operator<=>(const CStringT& a, const CStringT& b) { return a.Compare(b.GetString()) <=> 0; }
    friend std::strong_ordering operator<=>(const CStringT& a, PCXSTR b) { return a.Compare(b) <=> 0; }

    // Searching. Start positions outside the string find nothing.
    int Find(XCHAR ch, int start = 0) const;
    int Find(PCXSTR sub, int start = 0) const;
    int ReverseFind(XCHAR ch) const;
    int FindOneOf(PCXSTR charSet) const;

    // Extraction; counts and positions are clamped to the string.
    CStringT Left(int count) const;
    CStringT Right(int count) const;
    CStringT Mid(int first) const;
    CStringT Mid(int first, int count) const;
    CStringT SpanIncluding(PCXSTR charSet) const;
    CStringT SpanExcluding(PCXSTR charSet) const;
    // The next token at or after start; start moves past it, or becomes -1 (with an
    // empty result) when no token is left.
    CStringT Tokenize(PCXSTR delimiters, int& start) const;

    // Changing in place.
    CStringT& MakeUpper();
    CStringT& MakeLower();
    CStringT& MakeReverse();
    CStringT& Trim();
    CStringT& Trim(XCHAR ch);
    CStringT& Trim(PCXSTR charSet);
    CStringT& TrimLeft();
    CStringT& TrimLeft(XCHAR ch);
    CStringT& TrimLeft(PCXSTR charSet);
    CStringT& TrimRight();
    CStringT& TrimRight(XCHAR ch);
    CStringT& TrimRight(PCXSTR charSet);
    int Replace(XCHAR oldChar, XCHAR newChar);
    int Replace(PCXSTR oldText, PCXSTR newText);
    int Remove(XCHAR ch);
    int Insert(int index, XCHAR ch);
    int Insert(int index, PCXSTR text);
    int Delete(int index, int count = 1);

    // printf-style formatting with the Microsoft C library's rules: in CString "%s"
    // takes a wide string, in CStringA a narrow one. Strings may be passed as they are.
    template <class... Args>
    void Format(PCXSTR format, const Args&... args)
    {
        FormatRaw(format, AfxVarArg(args)...);
    }
    template <class... Args>
    void Format(UINT formatId, const Args&... args)
    {
        CStringT format;
        format.LoadString(formatId);
        FormatRaw(format.GetString(), AfxVarArg(args)...);
    }
    template <class... Args>
    void AppendFormat(PCXSTR format, const Args&... args)
    {
        AppendFormatRaw(format, AfxVarArg(args)...);
    }
    void FormatV(PCXSTR format, va_list args);
    void AppendFormatV(PCXSTR format, va_list args);

    // String resources: from AfxGetResourceHandle(), then from the program itself.
    BOOL LoadString(UINT id);
    BOOL LoadString(HINSTANCE module, UINT id);

    // A BSTR copy of the text the caller frees with SysFreeString.
    BSTR AllocSysString() const;

private:
    template <class C>
    friend class CStringT;

    explicit CStringT(std::basic_string<CharT>&& text) : m_text(std::move(text)) {}
    static PCXSTR empty() { return afx_detail::TextOrEmpty<CharT>(nullptr); }
    static size_t ClampLength(PCXSTR text, int length) { return text != nullptr && length > 0 ? static_cast<size_t>(length) : 0; }
    void CheckIndex(int index) const
    {
        if (index < 0 || static_cast<size_t>(index) >= m_text.size())
            afx_detail::ThrowInvalidArgException();
    }
    void AssignOrLoad(PCXSTR text);
    void AssignOrLoad(PCYSTR text);
    void FormatRaw(PCXSTR format, ...);
    void AppendFormatRaw(PCXSTR format, ...);

    std::basic_string<CharT> m_text;
};

extern template class CStringT<wchar_t>;
extern template class CStringT<char>;

// A string travels through printf-style "..." as its characters.
template <class CharT>
inline const CharT* AfxVarArg(const CStringT<CharT>& text)
{
    return text.GetString();
}

// The subString-th field (from 0) of a text whose fields are separated by
// separator, as in "status prompt\ntooltip". FALSE (and an empty result) when the
// text has fewer fields.
BOOL AFXAPI AfxExtractSubString(CString& result, LPCTSTR fullString, int subString, TCHAR separator = L'\n');
// The text with every "%1" (and "%2") replaced by the given strings; a "%" before
// any other character stays as it is.
void AFXAPI AfxFormatStrings(CString& result, LPCTSTR format, LPCTSTR const* strings, int count);
void AFXAPI AfxFormatString1(CString& result, UINT formatId, LPCTSTR string1);
void AFXAPI AfxFormatString2(CString& result, UINT formatId, LPCTSTR string1, LPCTSTR string2);

// Hash values for map keys (see afxtempl.h).
UINT AFXAPI HashKey(LPCWSTR key);
UINT AFXAPI HashKey(LPCSTR key);
inline UINT AFXAPI HashKey(const CStringW& key)
{
    return HashKey(key.GetString());
}
inline UINT AFXAPI HashKey(const CStringA& key)
{
    return HashKey(key.GetString());
}

// Conversion helpers: temporaries that hold the converted text for the rest of the
// expression (or as long as a named object lives). A null input gives a null result.
template <class FromChar, class ToChar>
class CTextConversion {
public:
    explicit CTextConversion(const FromChar* text, UINT codePage = CP_ACP) : m_null(text == nullptr)
    {
        if (text != nullptr)
            afx_detail::ConvertText(m_text, text, -1, codePage);
    }
    CTextConversion(const CTextConversion&) = delete;
    CTextConversion& operator=(const CTextConversion&) = delete;

    operator ToChar*() { return m_null ? nullptr : m_text.data(); }
    operator const ToChar*() const { return m_null ? nullptr : m_text.c_str(); }
    int GetLength() const { return static_cast<int>(m_text.size()); }

private:
    std::basic_string<ToChar> m_text;
    bool m_null = true;
};

// Same-width "conversion": passes the text through unchanged.
template <class CharT>
class CTextPassThrough {
public:
    explicit CTextPassThrough(const CharT* text, UINT = CP_ACP) : m_text(text) {}
    operator CharT*() const { return const_cast<CharT*>(m_text); }

private:
    const CharT* m_text = nullptr;
};

using CW2A = CTextConversion<wchar_t, char>;
using CA2W = CTextConversion<char, wchar_t>;
using CT2A = CW2A;
using CT2CA = CW2A;
using CW2CA = CW2A;
using CA2T = CA2W;
using CA2CT = CA2W;
using CA2CW = CA2W;
using CT2W = CTextPassThrough<wchar_t>;
using CT2CW = CTextPassThrough<wchar_t>;
using CW2T = CTextPassThrough<wchar_t>;
using CW2CT = CTextPassThrough<wchar_t>;
using CA2A = CTextPassThrough<char>;
using CA2CA = CTextPassThrough<char>;
