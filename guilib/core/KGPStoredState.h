// The one way the library loads stored state (registry values and archives of
// bars, toolbars, buttons, and later panes, layouts and menu bars): everything
// is read into scratch records first and checked there (classes as expected,
// numbers within bounds, each stored object once); only when all of it is
// sound are the queued changes made to the live objects. A refused load
// changes nothing that is live.
//
//   CKGPStoredLoad load;
//   bar.ReadState(load, ...);   // readers check and queue (load.OnCommit)
//   load.Commit();              // FALSE, and nothing changed, when refused
#pragma once

#include <afxwin.h>

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <unordered_set>
#include <vector>

class CKGPRegistry;

// Objects read from stored state that no live list owns yet. Deletes what it
// still holds; HandTo gives them to their live owner.
class CKGPStoredObjects {
public:
    CKGPStoredObjects() = default;
    ~CKGPStoredObjects();
    CKGPStoredObjects(const CKGPStoredObjects&) = delete;
    CKGPStoredObjects& operator=(const CKGPStoredObjects&) = delete;

    const CObList& GetList() const { return m_list; }
    INT_PTR GetCount() const { return m_list.GetCount(); }
    BOOL IsEmpty() const { return m_list.IsEmpty(); }
    // The stored list held a null entry (not kept here).
    BOOL HasMissing() const { return m_bMissing; }
    // Every object, in order, goes to the end of the live list, which owns it
    // from now on.
    void HandTo(CObList& owner);

private:
    friend class CKGPStoredReader;
    COwningPtrList<CObList, CObject*> m_list;
    BOOL m_bMissing = FALSE;
};

// Reads the values of one archive with their bounds. Anything out of bounds,
// of another class or read twice throws CArchiveException (badClass,
// badIndex, genericException), as damage found by the archive itself does.
// The objects of one archive are read through one reader, which is how it
// knows an object it has seen.
class CKGPStoredReader {
public:
    explicit CKGPStoredReader(CArchive& ar) : m_ar(ar) {}
    CKGPStoredReader(const CKGPStoredReader&) = delete;
    CKGPStoredReader& operator=(const CKGPStoredReader&) = delete;

    CArchive& Archive() { return m_ar; }

    // A 32-bit value within [nMin, nMax].
    int ReadInt(int nMin, int nMax);
    UINT ReadUInt(UINT nMin, UINT nMax);
    // A 32-bit value that must be one of the given ones.
    DWORD ReadOneOf(std::initializer_list<DWORD> allowed);
    // 32 bits of flags, none outside the known ones.
    DWORD ReadFlags(DWORD dwKnown);
    // A stored 32-bit BOOL; any value other than 0 reads as TRUE.
    BOOL ReadBool();
    // A rectangle (left, top, right, bottom) whose coordinates lie within
    // +-nBound and whose width and height are not negative.
    CRect ReadRect(int nBound);
    // An archive string of at most nMaxLength characters.
    CString ReadString(int nMaxLength);

    // A framework object list (a count, then each object) into the scratch
    // list: every object of the class expected or one derived from it (other
    // classes are refused before anything is made of them) and new to this
    // reader (a back reference to an object already read is refused), at
    // most kgp_stored::kMaxObjects of them. Null
    // entries are counted as missing when bAllowMissing, else refused.
    void ReadObjectList(CKGPStoredObjects& objects, const CRuntimeClass* pExpected, BOOL bAllowMissing = FALSE);
    // One framework object of the class expected or one derived from it, new
    // to this reader; null, another class or a back reference is refused.
    // The caller owns what it gets.
    CObject* ReadObject(const CRuntimeClass* pExpected);

    // Refuses the state being read.
    [[noreturn]] static void Refuse(int nCause = CArchiveException::genericException);

private:
    template <class T>
    T ReadWithin(T min, T max);

    CArchive& m_ar;
    std::unordered_set<const CObject*> m_read;
};

// One load: what the readers found sound, queued until every part of the
// state was read. Missing values are no damage (older states lack some);
// a value that is there must be sound, or the whole load is refused.
class CKGPStoredLoad {
public:
    CKGPStoredLoad() = default;
    CKGPStoredLoad(const CKGPStoredLoad&) = delete;
    CKGPStoredLoad& operator=(const CKGPStoredLoad&) = delete;

    void Refuse() { m_bRefused = TRUE; }
    BOOL IsRefused() const { return m_bRefused; }
    // A change to make to live objects once the load commits.
    void OnCommit(std::function<void()> change);
    // How many changes are queued so far (a reader may tell from it whether
    // a part it read has anything to make).
    std::size_t GetQueuedCount() const { return m_changes.size(); }
    // Makes the queued changes in order; FALSE (and none made) when refused.
    // A load commits once.
    BOOL Commit();

    // Runs read over an archive of the bytes; damage (an archive or memory
    // exception) refuses the load. TRUE when it was read.
    BOOL ReadBytes(const BYTE* pData, UINT nBytes, const std::function<void(CArchive&)>& read);
    // The same over a binary registry value; FALSE also when it is missing,
    // which refuses nothing.
    BOOL ReadArchiveValue(CKGPRegistry& reg, LPCTSTR pszValue, const std::function<void(CArchive&)>& read);
    // An archived object list (CKGPRegistry's stored form), read as
    // CKGPStoredReader::ReadObjectList does without null entries.
    BOOL ReadObjects(CKGPRegistry& reg, LPCTSTR pszValue, CKGPStoredObjects& objects,
                     const CRuntimeClass* pExpected);

    // Registry numbers. TRUE and the variable set when the value is there and
    // sound; FALSE and the variable kept when it is missing or refused.
    BOOL ReadValue(CKGPRegistry& reg, LPCTSTR pszValue, int& nValue, int nMin, int nMax);
    BOOL ReadValue(CKGPRegistry& reg, LPCTSTR pszValue, BOOL& bValue);
    BOOL ReadOneOf(CKGPRegistry& reg, LPCTSTR pszValue, DWORD& dwValue, std::initializer_list<DWORD> allowed);
    // A rectangle whose coordinates lie within +-nBound; it is normalised.
    BOOL ReadValue(CKGPRegistry& reg, LPCTSTR pszValue, CRect& rect, int nBound);

    // kgp_stored::DesktopReach, taken once a load: a layout reads a docked
    // place for every bar, and without a system-change listener to keep the
    // answer each asks the system (six metrics, each a look at Wine's
    // monitors).
    int DesktopReach();

private:
    // A value that is there but could not be read as asked is damage.
    BOOL Damaged(CKGPRegistry& reg, LPCTSTR pszValue);

    std::vector<std::function<void()>> m_changes;
    BOOL m_bRefused = FALSE;
    BOOL m_bCommitted = FALSE;
    int m_nDesktopReach = -1;
};

namespace kgp_stored {
// Coordinates and extents read from stored state stay within the 16-bit range
// that windows use, so sums of them cannot overflow.
constexpr int kMaxCoordinate = 0x7FFF;
// The longest text a stored record may carry (captions, names).
constexpr int kMaxTextLength = 4096;
// The most objects a stored list may hold.
constexpr DWORD_PTR kMaxObjects = 0x7FFF;
// How far from a frame's corner anything docked in it can lie on this
// desktop: the largest frame the system lets a window be, or the span of all
// monitors when that is larger. A docked place stored further away is no
// place any frame here had.
int DesktopReach();
} // namespace kgp_stored
