#include "guilib/core/KGPStoredState.h"

#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPSystemChangeListener.h"

#include <afxarch.h>
#include <afxfile.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>

// ---- CKGPStoredObjects ----

CKGPStoredObjects::~CKGPStoredObjects() = default;

void CKGPStoredObjects::HandTo(CObList& owner)
{
    owner.AddTail(&m_list);
    m_list.RemoveAll();
}

// ---- CKGPStoredReader ----

void CKGPStoredReader::Refuse(int nCause)
{
    AfxThrowArchiveException(nCause);
}

template <class T>
T CKGPStoredReader::ReadWithin(T min, T max)
{
    T value{};
    m_ar >> value;
    if (value < min || value > max)
        Refuse();
    return value;
}

int CKGPStoredReader::ReadInt(int nMin, int nMax)
{
    return ReadWithin(nMin, nMax);
}

UINT CKGPStoredReader::ReadUInt(UINT nMin, UINT nMax)
{
    return ReadWithin(nMin, nMax);
}

DWORD CKGPStoredReader::ReadOneOf(std::initializer_list<DWORD> allowed)
{
    DWORD value = 0;
    m_ar >> value;
    if (std::find(allowed.begin(), allowed.end(), value) == allowed.end())
        Refuse();
    return value;
}

DWORD CKGPStoredReader::ReadFlags(DWORD dwKnown)
{
    DWORD value = 0;
    m_ar >> value;
    if ((value & ~dwKnown) != 0)
        Refuse();
    return value;
}

BOOL CKGPStoredReader::ReadBool()
{
    int value = 0;
    m_ar >> value;
    return value != 0;
}

CRect CKGPStoredReader::ReadRect(int nBound)
{
    CRect rect;
    rect.left = ReadInt(-nBound, nBound);
    rect.top = ReadInt(-nBound, nBound);
    rect.right = ReadInt(-nBound, nBound);
    rect.bottom = ReadInt(-nBound, nBound);
    if (rect.Width() < 0 || rect.Height() < 0)
        Refuse();
    return rect;
}

CString CKGPStoredReader::ReadString(int nMaxLength)
{
    CString text;
    m_ar >> text;
    if (text.GetLength() > nMaxLength)
        Refuse();
    return text;
}

void CKGPStoredReader::ReadObjectList(CKGPStoredObjects& objects, const CRuntimeClass* pExpected, BOOL bAllowMissing)
{
    const DWORD_PTR count = m_ar.ReadCount();
    if (count > kgp_stored::kMaxObjects)
        Refuse();
    for (DWORD_PTR left = count; left > 0; --left) {
        CObject* object = m_ar.ReadObject(pExpected);
        if (object == nullptr) {
            if (!bAllowMissing)
                Refuse(CArchiveException::badIndex);
            objects.m_bMissing = TRUE;
            continue;
        }
        // The archive hands out the same object again for a back reference
        // (to an object of this list or of any list read before from the same
        // archive, an outer one included): two owners would delete it twice.
        if (m_ar.WasLastObjectReadBefore() || !m_read.insert(object).second)
            Refuse(CArchiveException::badIndex);
        objects.m_list.AddTail(object);
    }
}

CObject* CKGPStoredReader::ReadObject(const CRuntimeClass* pExpected)
{
    if (pExpected == nullptr)
        Refuse(CArchiveException::badClass);
    CObject* object = m_ar.ReadObject(pExpected);
    if (object == nullptr)
        Refuse(CArchiveException::badIndex);
    // A back reference hands out an object read before: it has an owner already.
    if (!m_read.insert(object).second)
        Refuse(CArchiveException::badIndex);
    return object;
}

// ---- CKGPStoredLoad ----

void CKGPStoredLoad::OnCommit(std::function<void()> change)
{
    if (!m_bRefused)
        m_changes.push_back(std::move(change));
}

BOOL CKGPStoredLoad::Commit()
{
    if (m_bRefused || m_bCommitted)
        return FALSE;
    m_bCommitted = TRUE;
    for (const auto& change : m_changes)
        change();
    m_changes.clear();
    return TRUE;
}

BOOL CKGPStoredLoad::ReadBytes(const BYTE* pData, UINT nBytes, const std::function<void(CArchive&)>& read)
{
    if (m_bRefused)
        return FALSE;
    try {
        CMemFile file(const_cast<BYTE*>(pData), nBytes);
        CArchive ar(&file, CArchive::load);
        read(ar);
    } catch (CException* e) {
        e->Delete();
        Refuse();
        return FALSE;
    }
    return TRUE;
}

BOOL CKGPStoredLoad::ReadArchiveValue(CKGPRegistry& reg, LPCTSTR pszValue,
                                      const std::function<void(CArchive&)>& read)
{
    BYTE* raw = nullptr;
    UINT bytes = 0;
    if (!reg.Read(pszValue, &raw, &bytes))
        return Damaged(reg, pszValue);
    const std::unique_ptr<BYTE[]> owned(raw);
    return ReadBytes(owned.get(), bytes, read);
}

BOOL CKGPStoredLoad::ReadObjects(CKGPRegistry& reg, LPCTSTR pszValue, CKGPStoredObjects& objects,
                                 const CRuntimeClass* pExpected)
{
    return ReadArchiveValue(reg, pszValue, [&objects, pExpected](CArchive& ar) {
        CKGPStoredReader(ar).ReadObjectList(objects, pExpected);
    });
}

BOOL CKGPStoredLoad::Damaged(CKGPRegistry& reg, LPCTSTR pszValue)
{
    if (reg.HasValue(pszValue))
        Refuse();
    return FALSE;
}

BOOL CKGPStoredLoad::ReadValue(CKGPRegistry& reg, LPCTSTR pszValue, int& nValue, int nMin, int nMax)
{
    int value = 0;
    if (!reg.Read(pszValue, value))
        return Damaged(reg, pszValue);
    if (value < nMin || value > nMax) {
        Refuse();
        return FALSE;
    }
    nValue = value;
    return TRUE;
}

BOOL CKGPStoredLoad::ReadValue(CKGPRegistry& reg, LPCTSTR pszValue, BOOL& bValue)
{
    int value = 0;
    if (!reg.Read(pszValue, value))
        return Damaged(reg, pszValue);
    bValue = value != 0;
    return TRUE;
}

BOOL CKGPStoredLoad::ReadOneOf(CKGPRegistry& reg, LPCTSTR pszValue, DWORD& dwValue,
                               std::initializer_list<DWORD> allowed)
{
    int value = 0;
    if (!reg.Read(pszValue, value))
        return Damaged(reg, pszValue);
    if (std::find(allowed.begin(), allowed.end(), static_cast<DWORD>(value)) == allowed.end()) {
        Refuse();
        return FALSE;
    }
    dwValue = static_cast<DWORD>(value);
    return TRUE;
}

BOOL CKGPStoredLoad::ReadValue(CKGPRegistry& reg, LPCTSTR pszValue, CRect& rect, int nBound)
{
    CRect value;
    if (!reg.Read(pszValue, value))
        return Damaged(reg, pszValue);
    for (const LONG coordinate : {value.left, value.top, value.right, value.bottom}) {
        if (coordinate < -nBound || coordinate > nBound) {
            Refuse();
            return FALSE;
        }
    }
    value.NormalizeRect();
    rect = value;
    return TRUE;
}

int CKGPStoredLoad::DesktopReach()
{
    if (m_nDesktopReach < 0)
        m_nDesktopReach = kgp_stored::DesktopReach();
    return m_nDesktopReach;
}

namespace {

int AskDesktopReach()
{
    const int spanX = ::GetSystemMetrics(SM_CXVIRTUALSCREEN) + std::abs(::GetSystemMetrics(SM_XVIRTUALSCREEN));
    const int spanY = ::GetSystemMetrics(SM_CYVIRTUALSCREEN) + std::abs(::GetSystemMetrics(SM_YVIRTUALSCREEN));
    const int reach = (std::max)({::GetSystemMetrics(SM_CXMAXTRACK), ::GetSystemMetrics(SM_CYMAXTRACK), spanX, spanY});
    return (std::min)(reach, kgp_stored::kMaxCoordinate);
}

// The reach last asked (low half) and the listener's change count it was asked
// at (high half); 0 before the first.
std::atomic<std::uint64_t> g_knownReach{0};

} // namespace

int kgp_stored::DesktopReach()
{
    // Each of the six metrics makes Wine check its display devices (three
    // requests to its server), and every bar read asks: the answer is kept
    // while the listener lives to hear of a display or settings change, and
    // asked again after one.
    if (CKGPSystemChangeListener::GetListenerWindow() == nullptr)
        return AskDesktopReach();
    const auto changes = static_cast<std::uint32_t>(CKGPSystemChangeListener::GetChangeCount());
    const std::uint64_t known = g_knownReach.load();
    if (known != 0 && static_cast<std::uint32_t>(known >> 32) == changes)
        return static_cast<int>(known & 0xFFFFFFFFu);
    const int reach = AskDesktopReach();
    g_knownReach.store(static_cast<std::uint64_t>(changes) << 32 | static_cast<std::uint32_t>(reach));
    return reach;
}
