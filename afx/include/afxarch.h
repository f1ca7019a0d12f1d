// CArchive: a binary stream of values, strings and objects over a CFile, in the
// framework's stored form (little-endian values; strings with an escalating
// length prefix and a marker for UTF-16 text; objects as class records plus
// object and class back references).
//
// Stored form of an object (one index space for classes and objects, starting at 1):
//   null object              WORD 0x0000
//   object seen before       WORD index (< 0x7FFF), or WORD 0x7FFF + DWORD index
//   object of a known class  WORD 0x8000 | class index (< 0x7FFF), or
//                            WORD 0x7FFF + DWORD 0x80000000 | class index; then its data
//   object of a new class    WORD 0xFFFF, WORD schema, WORD name length, the ANSI
//                            name; then its data
//
// Loading trusts nothing in the stream: every length and count is checked against
// the bytes the file still holds before anything is allocated; a class named in
// the stream must be registered, creatable and derived from the class asked for;
// indices must refer to classes or objects already read. Any violation throws
// CArchiveException* (endOfFile, badClass, badIndex, badSchema, genericException).
#pragma once

#include <windows.h>

#include <cstring>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "afxexcept.h"
#include "afxfile.h"
#include "afxobj.h"
#include "afxstr.h"

#ifndef VERSIONABLE_SCHEMA
#define VERSIONABLE_SCHEMA (0x80000000)
#endif

class CDocument;

class CArchive {
public:
    enum Mode : UINT { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    // Nesting of objects inside objects deeper than this is refused on loading
    // (hostile data could otherwise exhaust the stack).
    static constexpr int kMaxLoadDepth = 256;
    // Longest class name accepted in a class record.
    static constexpr UINT kMaxClassNameLength = 64;

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Stores what is still buffered (unless bNoFlushOnDelete); errors are dropped
    // here, so call Close() to see them.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    // Loading: no bytes are waiting in the buffer.
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }

    // The schema of the object being loaded, once; afterwards (UINT)-1.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Raw bytes. Read answers how many it got (fewer at the end of the file).
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Reads exactly nCount bytes or throws CArchiveException::endOfFile.
    void ReadExact(void* lpBuf, UINT nCount);

    void Flush();
    void Close();
    // Detaches from the file without writing anything more; never throws.
    void Abort();

    // Lines of text (characters as they are in memory, no length prefix).
    void WriteString(LPCTSTR lpsz);
    // Up to nMax - 1 characters of the next line, with its "\n"; nullptr at the end.
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    // The next line without "\r\n"; FALSE at the end.
    BOOL ReadString(CString& rString);

    // Objects.
    CObject* ReadObject(const CRuntimeClass* pClass);
    // Whether the last ReadObject answered an object this archive had read
    // before (a back reference) rather than a new object or null. A list that
    // owns what it reads refuses such objects: they have an owner already.
    BOOL WasLastObjectReadBefore() const { return m_bLastObjectReadBefore; }
    void WriteObject(const CObject* pOb);
    // Gives an object an index without storing it (both sides must map the same
    // objects in the same order).
    void MapObject(const CObject* pOb);

    void WriteClass(const CRuntimeClass* pClassRef);
    // Reads a class record or class reference. With pClassRefRequested the class
    // must derive from it. When pSchema is null the schema goes to GetObjectSchema.
    // When pObTag is given an object tag is accepted too: the answer is then null
    // and *pObTag holds the tag.
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                             DWORD* pObTag = nullptr);
    void SerializeClass(const CRuntimeClass* pClassRef);

    // Sizing hints of the object maps; accepted for compatibility.
    void SetStoreParams(UINT /*nHashSize*/ = 2053, UINT /*nBlockSize*/ = 128) {}
    void SetLoadParams(UINT /*nGrowBy*/ = 1024) {}

    // Element counts: WORD, or 0xFFFF + DWORD, or 0xFFFF + 0xFFFFFFFF + QWORD.
    void WriteCount(DWORD_PTR dwCount);
    // Every element takes at least one byte, so a count larger than the bytes left
    // throws CArchiveException::endOfFile.
    DWORD_PTR ReadCount();

    // Throws CArchiveException::endOfFile unless nBytes more can be read. Callers
    // check a count times the stored size of one element before sizing anything.
    void EnsureAvailable(ULONGLONG nBytes);
    // Bytes still readable (buffered plus left in the file); ~0 when the file
    // cannot tell.
    ULONGLONG GetBytesLeft() const;

    // Values.
    CArchive& operator<<(BYTE by) { return WriteValue(by); }
    CArchive& operator<<(WORD w) { return WriteValue(w); }
    CArchive& operator<<(LONG l) { return WriteValue(l); }
    CArchive& operator<<(DWORD dw) { return WriteValue(dw); }
    CArchive& operator<<(float f) { return WriteValue(f); }
    CArchive& operator<<(double d) { return WriteValue(d); }
    CArchive& operator<<(LONGLONG ll) { return WriteValue(ll); }
    CArchive& operator<<(ULONGLONG ull) { return WriteValue(ull); }
    CArchive& operator<<(int i) { return WriteValue(i); }
    CArchive& operator<<(short s) { return WriteValue(s); }
    CArchive& operator<<(char ch) { return WriteValue(ch); }
    CArchive& operator<<(wchar_t ch) { return WriteValue(ch); }
    CArchive& operator<<(unsigned u) { return WriteValue(u); }
    CArchive& operator<<(bool b) { return WriteValue(static_cast<BYTE>(b ? 1 : 0)); }
    // Text given as a pointer is stored as a string.
    CArchive& operator<<(LPCWSTR lpsz);
    CArchive& operator<<(LPCSTR lpsz);
    // Any other pointer would silently turn into a bool.
    CArchive& operator<<(const void*) = delete;

    CArchive& operator>>(BYTE& by) { return ReadValue(by); }
    CArchive& operator>>(WORD& w) { return ReadValue(w); }
    CArchive& operator>>(LONG& l) { return ReadValue(l); }
    CArchive& operator>>(DWORD& dw) { return ReadValue(dw); }
    CArchive& operator>>(float& f) { return ReadValue(f); }
    CArchive& operator>>(double& d) { return ReadValue(d); }
    CArchive& operator>>(LONGLONG& ll) { return ReadValue(ll); }
    CArchive& operator>>(ULONGLONG& ull) { return ReadValue(ull); }
    CArchive& operator>>(int& i) { return ReadValue(i); }
    CArchive& operator>>(short& s) { return ReadValue(s); }
    CArchive& operator>>(char& ch) { return ReadValue(ch); }
    CArchive& operator>>(wchar_t& ch) { return ReadValue(ch); }
    CArchive& operator>>(unsigned& u) { return ReadValue(u); }
    CArchive& operator>>(bool& b)
    {
        BYTE value = 0;
        ReadValue(value);
        b = value != 0;
        return *this;
    }

    // Strings in the stored form (see the top of this file).
    void WriteCString(const CStringW& text);
    void WriteCString(const CStringA& text);
    void ReadCString(CStringW& text);
    void ReadCString(CStringA& text);

    CDocument* m_pDocument = nullptr;

protected:
    template <class T>
    CArchive& WriteValue(T value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        if (m_lpBufMax - m_lpBufCur >= static_cast<ptrdiff_t>(sizeof(T)) && IsStoring()) {
            std::memcpy(m_lpBufCur, &value, sizeof(T));
            m_lpBufCur += sizeof(T);
        } else {
            Write(&value, sizeof(T));
        }
        return *this;
    }
    template <class T>
    CArchive& ReadValue(T& value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        if (m_lpBufMax - m_lpBufCur >= static_cast<ptrdiff_t>(sizeof(T)) && IsLoading()) {
            std::memcpy(&value, m_lpBufCur, sizeof(T));
            m_lpBufCur += sizeof(T);
        } else {
            ReadExact(&value, sizeof(T));
        }
        return *this;
    }

    void RequireLoading() const;
    void RequireStoring() const;
    [[noreturn]] void ThrowArchive(int cause) const;
    void FillBuffer();
    void FlushBuffer();
    void WriteObjectIndex(DWORD nIndex);
    void WriteStringLength(ULONGLONG nLength, bool wide);
    ULONGLONG ReadStringLength(bool& wide);
    // A stored string of either width into a CStringW or a CStringA.
    template <class Text>
    void ReadStoredString(Text& text);
    // Reads nBytes in steps, so that memory grows only with bytes actually read.
    void ReadBytesInSteps(void* target, ULONGLONG nBytes);
    DWORD NextMapIndex();

    // What an index of the load map names.
    struct LoadEntry {
        CObject* object = nullptr;
        const CRuntimeClass* klass = nullptr;
        UINT schema = 0;
        bool isClass = false;
        bool dead = false; // an object whose loading failed
        bool loading = false; // an object whose Serialize is still running
    };

    CFile* m_pFile = nullptr;
    UINT m_nMode = store;
    UINT m_nObjectSchema = static_cast<UINT>(-1);
    int m_nLoadDepth = 0;
    BOOL m_bLastObjectReadBefore = FALSE;

    std::vector<BYTE> m_ownBuffer;
    BYTE* m_lpBufStart = nullptr;
    BYTE* m_lpBufCur = nullptr;
    BYTE* m_lpBufMax = nullptr;
    UINT m_nBufSize = 0;

    DWORD m_nMapCount = 1; // index 0 is the null object
    std::unordered_map<const void*, DWORD> m_storeMap;
    std::vector<LoadEntry> m_loadArray;
};

// Objects.
CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);
CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb);

// Strings.
CArchive& AFXAPI operator<<(CArchive& ar, const CStringW& text);
CArchive& AFXAPI operator<<(CArchive& ar, const CStringA& text);
CArchive& AFXAPI operator>>(CArchive& ar, CStringW& text);
CArchive& AFXAPI operator>>(CArchive& ar, CStringA& text);

// Plain Win32 structures, field by field; a short read throws endOfFile.
CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect);
CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect);
CArchive& AFXAPI operator<<(CArchive& ar, const POINT& point);
CArchive& AFXAPI operator>>(CArchive& ar, POINT& point);
CArchive& AFXAPI operator<<(CArchive& ar, const SIZE& size);
CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size);
