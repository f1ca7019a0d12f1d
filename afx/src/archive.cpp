#include <afx.h>

#include <algorithm>
#include <limits>
#include <string>

namespace {

constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000;
// Largest index the stored form can carry.
constexpr DWORD kMaxMapIndex = 0x7FFFFFFE;

constexpr UINT kMinBufferSize = 128;
constexpr UINT kReadStep = 64 * 1024;

constexpr WORD kUnicodeMarker = 0xFFFE;

bool IsSerializable(const CRuntimeClass* pClass)
{
    return pClass != nullptr && pClass->m_wSchema != 0xFFFF;
}

// Raises the load depth for the lifetime of one ReadObject.
class LoadDepthGuard {
public:
    explicit LoadDepthGuard(int& depth) : m_depth(depth) { ++m_depth; }
    ~LoadDepthGuard() { --m_depth; }
    LoadDepthGuard(const LoadDepthGuard&) = delete;
    LoadDepthGuard& operator=(const LoadDepthGuard&) = delete;

private:
    int& m_depth;
};

// Restores the object schema of an outer object after an inner one was loaded.
class SchemaRestore {
public:
    explicit SchemaRestore(UINT& schema) : m_schema(schema), m_saved(schema) {}
    ~SchemaRestore() { m_schema = m_saved; }
    SchemaRestore(const SchemaRestore&) = delete;
    SchemaRestore& operator=(const SchemaRestore&) = delete;

private:
    UINT& m_schema;
    UINT m_saved;
};

} // namespace

// --- Construction, buffer ----------------------------------------------------

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf) : m_pFile(pFile), m_nMode(nMode)
{
    if (pFile == nullptr)
        AfxThrowInvalidArgException();
    if (lpBuf != nullptr) {
        if (nBufSize <= 0)
            AfxThrowInvalidArgException();
        m_nBufSize = static_cast<UINT>(nBufSize);
        m_lpBufStart = static_cast<BYTE*>(lpBuf);
    } else {
        m_nBufSize = std::max(kMinBufferSize, nBufSize > 0 ? static_cast<UINT>(nBufSize) : 0U);
        m_ownBuffer.resize(m_nBufSize);
        m_lpBufStart = m_ownBuffer.data();
    }
    m_lpBufCur = m_lpBufStart;
    // Loading starts with an empty buffer; storing with all of it free.
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
    if (IsLoading())
        m_loadArray.emplace_back(); // index 0: the null object
}

CArchive::~CArchive()
{
    if (m_pFile == nullptr)
        return;
    if (!(m_nMode & bNoFlushOnDelete)) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
            // A destructor must not throw; Close() reports failures to those who call it.
        }
    }
    Abort();
}

void CArchive::ThrowArchive(int cause) const
{
    AfxThrowArchiveException(cause, m_pFile != nullptr ? static_cast<LPCTSTR>(m_pFile->GetFilePath()) : nullptr);
}

void CArchive::RequireLoading() const
{
    if (!IsLoading())
        ThrowArchive(CArchiveException::writeOnly);
    if (m_pFile == nullptr)
        ThrowArchive(CArchiveException::genericException);
}

void CArchive::RequireStoring() const
{
    if (!IsStoring())
        ThrowArchive(CArchiveException::readOnly);
    if (m_pFile == nullptr)
        ThrowArchive(CArchiveException::genericException);
}

void CArchive::FillBuffer()
{
    // Keep unread bytes, then top the buffer up from the file.
    const size_t unread = static_cast<size_t>(m_lpBufMax - m_lpBufCur);
    if (unread > 0 && m_lpBufCur != m_lpBufStart)
        std::memmove(m_lpBufStart, m_lpBufCur, unread);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + unread;
    const UINT room = m_nBufSize - static_cast<UINT>(unread);
    if (room > 0)
        m_lpBufMax += m_pFile->Read(m_lpBufMax, room);
}

void CArchive::FlushBuffer()
{
    if (m_lpBufCur != m_lpBufStart)
        m_pFile->Write(m_lpBufStart, static_cast<UINT>(m_lpBufCur - m_lpBufStart));
    m_lpBufCur = m_lpBufStart;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    RequireLoading();
    if (nMax == 0)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    BYTE* target = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        if (m_lpBufCur == m_lpBufMax) {
            const UINT wanted = nMax - done;
            if (wanted >= m_nBufSize) {
                // Large reads bypass the buffer (a stream may deliver them in parts).
                const UINT got = m_pFile->Read(target + done, wanted);
                if (got == 0)
                    break;
                done += got;
                continue;
            }
            FillBuffer();
            if (m_lpBufCur == m_lpBufMax)
                break; // end of file
        }
        const UINT available = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
        const UINT take = std::min(available, nMax - done);
        std::memcpy(target + done, m_lpBufCur, take);
        m_lpBufCur += take;
        done += take;
    }
    return done;
}

void CArchive::ReadExact(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        ThrowArchive(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    RequireStoring();
    if (nMax == 0)
        return;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    const BYTE* source = static_cast<const BYTE*>(lpBuf);
    const UINT room = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    if (nMax <= room) {
        std::memcpy(m_lpBufCur, source, nMax);
        m_lpBufCur += nMax;
        return;
    }
    FlushBuffer();
    if (nMax >= m_nBufSize) {
        m_pFile->Write(source, nMax);
        return;
    }
    std::memcpy(m_lpBufCur, source, nMax);
    m_lpBufCur += nMax;
}

void CArchive::Flush()
{
    if (m_pFile == nullptr)
        return;
    if (IsLoading()) {
        // Give the read-ahead back to the file, so its position is where reading stopped.
        const LONGLONG unread = m_lpBufMax - m_lpBufCur;
        if (unread > 0)
            m_pFile->Seek(-unread, CFile::current);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
    } else {
        FlushBuffer();
    }
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_pFile = nullptr;
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

ULONGLONG CArchive::GetBytesLeft() const
{
    ULONGLONG buffered = IsLoading() ? static_cast<ULONGLONG>(m_lpBufMax - m_lpBufCur) : 0;
    if (m_pFile == nullptr)
        return buffered;
    try {
        const ULONGLONG length = m_pFile->GetLength();
        const ULONGLONG position = m_pFile->GetPosition();
        return buffered + (length > position ? length - position : 0);
    } catch (CException* e) {
        // A stream that cannot tell its length: the reads themselves stay bounded.
        e->Delete();
        return std::numeric_limits<ULONGLONG>::max();
    }
}

void CArchive::EnsureAvailable(ULONGLONG nBytes)
{
    if (nBytes == 0)
        return;
    if (IsLoading() && static_cast<ULONGLONG>(m_lpBufMax - m_lpBufCur) >= nBytes)
        return;
    if (GetBytesLeft() < nBytes)
        ThrowArchive(CArchiveException::endOfFile);
}

void CArchive::ReadBytesInSteps(void* target, ULONGLONG nBytes)
{
    BYTE* out = static_cast<BYTE*>(target);
    while (nBytes > 0) {
        const UINT step = static_cast<UINT>(std::min<ULONGLONG>(nBytes, kReadStep));
        ReadExact(out, step);
        out += step;
        nBytes -= step;
    }
}

UINT CArchive::GetObjectSchema()
{
    const UINT schema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return schema;
}

// --- Counts ------------------------------------------------------------------

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
    if (dwCount < 0xFFFFFFFF) {
        *this << static_cast<DWORD>(dwCount);
        return;
    }
    *this << static_cast<DWORD>(0xFFFFFFFF);
    *this << static_cast<ULONGLONG>(dwCount);
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount = 0;
    *this >> wCount;
    ULONGLONG count = wCount;
    if (wCount == 0xFFFF) {
        DWORD dwCount = 0;
        *this >> dwCount;
        count = dwCount;
        if (dwCount == 0xFFFFFFFF) {
            ULONGLONG qwCount = 0;
            *this >> qwCount;
            count = qwCount;
        }
    }
    if (count > std::numeric_limits<DWORD_PTR>::max())
        ThrowArchive(CArchiveException::badIndex);
    EnsureAvailable(count);
    return static_cast<DWORD_PTR>(count);
}

// --- Strings -----------------------------------------------------------------

void CArchive::WriteStringLength(ULONGLONG nLength, bool wide)
{
    if (wide) {
        *this << static_cast<BYTE>(0xFF);
        *this << kUnicodeMarker;
    }
    if (nLength < 0xFF) {
        *this << static_cast<BYTE>(nLength);
        return;
    }
    *this << static_cast<BYTE>(0xFF);
    // 0xFFFE is the marker, so a WORD length stops below it.
    if (nLength < 0xFFFE) {
        *this << static_cast<WORD>(nLength);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
    if (nLength < 0xFFFFFFFF) {
        *this << static_cast<DWORD>(nLength);
        return;
    }
    *this << static_cast<DWORD>(0xFFFFFFFF);
    *this << nLength;
}

ULONGLONG CArchive::ReadStringLength(bool& wide)
{
    wide = false;
    for (;;) {
        BYTE bLength = 0;
        *this >> bLength;
        if (bLength < 0xFF)
            return bLength;
        WORD wLength = 0;
        *this >> wLength;
        if (wLength == kUnicodeMarker) {
            if (wide)
                ThrowArchive(CArchiveException::genericException); // two markers
            wide = true;
            continue;
        }
        if (wLength < 0xFFFF)
            return wLength;
        DWORD dwLength = 0;
        *this >> dwLength;
        if (dwLength < 0xFFFFFFFF)
            return dwLength;
        ULONGLONG qwLength = 0;
        *this >> qwLength;
        return qwLength;
    }
}

void CArchive::WriteCString(const CStringW& text)
{
    const UINT length = static_cast<UINT>(text.GetLength());
    WriteStringLength(length, true);
    Write(text.GetString(), length * static_cast<UINT>(sizeof(wchar_t)));
}

void CArchive::WriteCString(const CStringA& text)
{
    const UINT length = static_cast<UINT>(text.GetLength());
    WriteStringLength(length, false);
    Write(text.GetString(), length);
}

template <class Text>
void CArchive::ReadStoredString(Text& text)
{
    bool wide = false;
    const ULONGLONG length = ReadStringLength(wide);
    const ULONGLONG unit = wide ? sizeof(wchar_t) : 1;
    if (length > static_cast<ULONGLONG>(std::numeric_limits<int>::max()) / unit)
        ThrowArchive(CArchiveException::endOfFile); // no file holds it, and no string could
    EnsureAvailable(length * unit);
    if (wide) {
        std::wstring chars(static_cast<size_t>(length), L'\0');
        ReadBytesInSteps(chars.data(), length * unit);
        text = CStringW(chars.data(), static_cast<int>(chars.size()));
    } else {
        std::string bytes(static_cast<size_t>(length), '\0');
        ReadBytesInSteps(bytes.data(), length);
        text = CStringA(bytes.data(), static_cast<int>(bytes.size()));
    }
}

void CArchive::ReadCString(CStringW& text)
{
    ReadStoredString(text);
}

void CArchive::ReadCString(CStringA& text)
{
    ReadStoredString(text);
}

CArchive& CArchive::operator<<(LPCWSTR lpsz)
{
    WriteCString(CStringW(lpsz != nullptr ? lpsz : L""));
    return *this;
}

CArchive& CArchive::operator<<(LPCSTR lpsz)
{
    WriteCString(CStringA(lpsz != nullptr ? lpsz : ""));
    return *this;
}

void CArchive::WriteString(LPCTSTR lpsz)
{
    if (lpsz == nullptr)
        AfxThrowInvalidArgException();
    Write(lpsz, static_cast<UINT>(std::wcslen(lpsz) * sizeof(wchar_t)));
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax == 0)
        AfxThrowInvalidArgException();
    RequireLoading();
    UINT count = 0;
    bool any = false;
    while (count + 1 < nMax) {
        wchar_t ch = 0;
        if (Read(&ch, sizeof(ch)) != sizeof(ch))
            break;
        any = true;
        if (ch == L'\n') {
            if (count > 0 && lpsz[count - 1] == L'\r')
                --count;
            lpsz[count++] = L'\n';
            break;
        }
        lpsz[count++] = ch;
    }
    lpsz[count] = L'\0';
    return any ? lpsz : nullptr;
}

BOOL CArchive::ReadString(CString& rString)
{
    RequireLoading();
    std::wstring line;
    bool any = false;
    for (;;) {
        wchar_t ch = 0;
        if (Read(&ch, sizeof(ch)) != sizeof(ch))
            break;
        any = true;
        if (ch == L'\n')
            break;
        line += ch;
    }
    if (!line.empty() && line.back() == L'\r')
        line.pop_back();
    rString = CStringW(line.data(), static_cast<int>(line.size()));
    return any;
}

// --- Objects: storing --------------------------------------------------------

DWORD CArchive::NextMapIndex()
{
    if (m_nMapCount > kMaxMapIndex)
        ThrowArchive(CArchiveException::badIndex);
    return m_nMapCount++;
}

void CArchive::WriteObjectIndex(DWORD nIndex)
{
    if (nIndex < kBigObjectTag) {
        *this << static_cast<WORD>(nIndex);
    } else {
        *this << kBigObjectTag;
        *this << nIndex;
    }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    RequireStoring();
    if (!IsSerializable(pClassRef))
        ThrowArchive(CArchiveException::badClass);

    const auto known = m_storeMap.find(pClassRef);
    if (known != m_storeMap.end()) {
        const DWORD index = known->second;
        if (index < kBigObjectTag) {
            *this << static_cast<WORD>(kClassTag | index);
        } else {
            *this << kBigObjectTag;
            *this << static_cast<DWORD>(kBigClassTag | index);
        }
        return;
    }

    const char* name = pClassRef->m_lpszClassName;
    const size_t nameLength = std::strlen(name);
    if (nameLength == 0 || nameLength > kMaxClassNameLength)
        ThrowArchive(CArchiveException::badClass);
    *this << kNewClassTag;
    *this << static_cast<WORD>(pClassRef->m_wSchema);
    *this << static_cast<WORD>(nameLength);
    Write(name, static_cast<UINT>(nameLength));
    m_storeMap.emplace(pClassRef, NextMapIndex());
}

void CArchive::WriteObject(const CObject* pOb)
{
    RequireStoring();
    if (pOb == nullptr) {
        *this << kNullTag;
        return;
    }
    const auto known = m_storeMap.find(pOb);
    if (known != m_storeMap.end()) {
        WriteObjectIndex(known->second);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    // Indexed before its data, so that the object's members may refer back to it.
    m_storeMap.emplace(pOb, NextMapIndex());
    const_cast<CObject*>(pOb)->Serialize(*this);
}

void CArchive::MapObject(const CObject* pOb)
{
    if (m_pFile == nullptr)
        return;
    if (IsStoring()) {
        if (pOb != nullptr && m_storeMap.find(pOb) == m_storeMap.end())
            m_storeMap.emplace(pOb, NextMapIndex());
        return;
    }
    LoadEntry entry;
    entry.object = const_cast<CObject*>(pOb);
    if (m_loadArray.size() > kMaxMapIndex)
        ThrowArchive(CArchiveException::badIndex);
    m_loadArray.push_back(entry);
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef);
}

// --- Objects: loading --------------------------------------------------------

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    RequireLoading();
    WORD wTag = 0;
    *this >> wTag;
    DWORD obTag = 0;
    if (wTag == kBigObjectTag) {
        *this >> obTag;
    } else {
        obTag = (static_cast<DWORD>(wTag & kClassTag) << 16) | (wTag & ~kClassTag);
    }

    const CRuntimeClass* pClass = nullptr;
    UINT schema = 0;
    if (wTag == kNewClassTag) {
        WORD storedSchema = 0;
        WORD nameLength = 0;
        *this >> storedSchema >> nameLength;
        if (nameLength == 0 || nameLength > kMaxClassNameLength)
            ThrowArchive(CArchiveException::badClass);
        char name[kMaxClassNameLength + 1] = {};
        ReadExact(name, nameLength);
        if (std::memchr(name, '\0', nameLength) != nullptr)
            ThrowArchive(CArchiveException::badClass);

        pClass = CRuntimeClass::FromName(name);
        if (pClass == nullptr || !IsSerializable(pClass) || pClass->m_pfnCreateObject == nullptr)
            ThrowArchive(CArchiveException::badClass);
        if ((pClass->m_wSchema & VERSIONABLE_SCHEMA) == 0 && pClass->m_wSchema != storedSchema)
            ThrowArchive(CArchiveException::badSchema);
        schema = storedSchema;

        if (m_loadArray.size() > kMaxMapIndex)
            ThrowArchive(CArchiveException::badIndex);
        LoadEntry entry;
        entry.klass = pClass;
        entry.schema = schema;
        entry.isClass = true;
        m_loadArray.push_back(entry);
    } else if ((obTag & kBigClassTag) == 0) {
        // An object tag, not a class.
        if (pObTag == nullptr)
            ThrowArchive(CArchiveException::badIndex);
        *pObTag = obTag;
        return nullptr;
    } else {
        const DWORD index = obTag & ~kBigClassTag;
        if (index == 0 || index >= m_loadArray.size() || !m_loadArray[index].isClass)
            ThrowArchive(CArchiveException::badIndex);
        pClass = m_loadArray[index].klass;
        schema = m_loadArray[index].schema;
    }

    if (pClassRefRequested != nullptr && !pClass->IsDerivedFrom(pClassRefRequested))
        ThrowArchive(CArchiveException::badClass);
    if (pSchema != nullptr)
        *pSchema = schema;
    else
        m_nObjectSchema = schema;
    if (pObTag != nullptr)
        *pObTag = obTag;
    return const_cast<CRuntimeClass*>(pClass);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    RequireLoading();
    LoadDepthGuard depth(m_nLoadDepth);
    if (m_nLoadDepth > kMaxLoadDepth)
        ThrowArchive(CArchiveException::genericException);

    UINT schema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClass = ReadClass(pClassRefRequested, &schema, &obTag);

    m_bLastObjectReadBefore = FALSE;
    if (pClass == nullptr) {
        // Null, or an object read before.
        if (obTag == 0)
            return nullptr;
        if (obTag >= m_loadArray.size())
            ThrowArchive(CArchiveException::badIndex);
        const LoadEntry& entry = m_loadArray[obTag];
        // A reference to an object still being read would let it hold itself.
        if (entry.isClass || entry.dead || entry.loading)
            ThrowArchive(CArchiveException::badIndex);
        if (entry.object != nullptr && pClassRefRequested != nullptr && !entry.object->IsKindOf(pClassRefRequested))
            ThrowArchive(CArchiveException::badClass);
        m_bLastObjectReadBefore = entry.object != nullptr;
        return entry.object;
    }

    CObject* pOb = pClass->CreateObject();
    if (pOb == nullptr)
        AfxThrowMemoryException();
    const size_t index = m_loadArray.size();
    {
        LoadEntry entry;
        entry.object = pOb;
        try {
            if (index > kMaxMapIndex)
                ThrowArchive(CArchiveException::badIndex);
            m_loadArray.push_back(entry);
        } catch (...) {
            delete pOb;
            throw;
        }
    }

    SchemaRestore restore(m_nObjectSchema);
    m_nObjectSchema = schema;
    m_loadArray[index].loading = true;
    try {
        pOb->Serialize(*this);
        m_loadArray[index].loading = false;
        m_bLastObjectReadBefore = FALSE;
    } catch (...) {
        // Nobody has taken the object yet: it is ours to free. Later references to
        // its index are refused.
        m_loadArray[index].object = nullptr;
        m_loadArray[index].dead = true;
        delete pOb;
        throw;
    }
    return pOb;
}

// --- Free operators ----------------------------------------------------------

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(RUNTIME_CLASS(CObject));
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(RUNTIME_CLASS(CObject));
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CStringW& text)
{
    ar.WriteCString(text);
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CStringA& text)
{
    ar.WriteCString(text);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CStringW& text)
{
    ar.ReadCString(text);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CStringA& text)
{
    ar.ReadCString(text);
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect)
{
    return ar << rect.left << rect.top << rect.right << rect.bottom;
}

CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect)
{
    return ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
}

CArchive& AFXAPI operator<<(CArchive& ar, const POINT& point) { return ar << point.x << point.y; }

CArchive& AFXAPI operator>>(CArchive& ar, POINT& point) { return ar >> point.x >> point.y; }

CArchive& AFXAPI operator<<(CArchive& ar, const SIZE& size) { return ar << size.cx << size.cy; }

CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size) { return ar >> size.cx >> size.cy; }
