#include <afx.h>
#include <afxmt.h>

IMPLEMENT_DYNAMIC(CSyncObject, CObject)
IMPLEMENT_DYNAMIC(CSemaphore, CSyncObject)
IMPLEMENT_DYNAMIC(CMutex, CSyncObject)
IMPLEMENT_DYNAMIC(CEvent, CSyncObject)
IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)

namespace {

HANDLE RequireHandle(HANDLE handle)
{
    if (handle == nullptr)
        AfxThrowResourceException();
    return handle;
}

} // namespace

// --- CSyncObject -------------------------------------------------------------

CSyncObject::CSyncObject(LPCTSTR /*pstrName*/) {}

CSyncObject::~CSyncObject()
{
    if (m_hObject != nullptr) {
        ::CloseHandle(m_hObject);
        m_hObject = nullptr;
    }
}

BOOL CSyncObject::Lock(DWORD dwTimeout)
{
    const DWORD result = ::WaitForSingleObject(m_hObject, dwTimeout);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

BOOL CSyncObject::Unlock(LONG /*lCount*/, LPLONG /*lpPrevCount*/) { return TRUE; }

// --- CSemaphore --------------------------------------------------------------

CSemaphore::CSemaphore(LONG lInitialCount, LONG lMaxCount, LPCTSTR pstrName,
                       LPSECURITY_ATTRIBUTES lpsaAttributes)
    : CSyncObject(pstrName)
{
    m_hObject = RequireHandle(::CreateSemaphoreW(lpsaAttributes, lInitialCount, lMaxCount, pstrName));
}

BOOL CSemaphore::Unlock() { return Unlock(1, nullptr); }

BOOL CSemaphore::Unlock(LONG lCount, LPLONG lpPrevCount)
{
    return ::ReleaseSemaphore(m_hObject, lCount, lpPrevCount);
}

// --- CMutex ------------------------------------------------------------------

CMutex::CMutex(BOOL bInitiallyOwn, LPCTSTR lpszName, LPSECURITY_ATTRIBUTES lpsaAttribute)
    : CSyncObject(lpszName)
{
    m_hObject = RequireHandle(::CreateMutexW(lpsaAttribute, bInitiallyOwn, lpszName));
}

BOOL CMutex::Unlock() { return ::ReleaseMutex(m_hObject); }

// --- CEvent ------------------------------------------------------------------

CEvent::CEvent(BOOL bInitiallyOwn, BOOL bManualReset, LPCTSTR lpszName,
               LPSECURITY_ATTRIBUTES lpsaAttribute)
    : CSyncObject(lpszName)
{
    m_hObject = RequireHandle(::CreateEventW(lpsaAttribute, bManualReset, bInitiallyOwn, lpszName));
}

BOOL CEvent::SetEvent() { return ::SetEvent(m_hObject); }
BOOL CEvent::PulseEvent() { return ::PulseEvent(m_hObject); }
BOOL CEvent::ResetEvent() { return ::ResetEvent(m_hObject); }
BOOL CEvent::Unlock() { return TRUE; }

// --- CCriticalSection --------------------------------------------------------

CCriticalSection::CCriticalSection() : CSyncObject(nullptr), m_sect{}
{
    ::InitializeCriticalSection(&m_sect);
}

CCriticalSection::~CCriticalSection() { ::DeleteCriticalSection(&m_sect); }

BOOL CCriticalSection::Lock()
{
    ::EnterCriticalSection(&m_sect);
    return TRUE;
}

BOOL CCriticalSection::Lock(DWORD dwTimeout)
{
    if (dwTimeout == INFINITE)
        return Lock();
    const ULONGLONG deadline = ::GetTickCount64() + dwTimeout;
    for (;;) {
        if (::TryEnterCriticalSection(&m_sect))
            return TRUE;
        if (::GetTickCount64() >= deadline)
            return FALSE;
        ::Sleep(1);
    }
}

BOOL CCriticalSection::Unlock()
{
    ::LeaveCriticalSection(&m_sect);
    return TRUE;
}

// --- CSingleLock -------------------------------------------------------------

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock)
    : m_pObject(pObject), m_hObject(pObject != nullptr ? pObject->m_hObject : nullptr)
{
    if (bInitialLock)
        Lock();
}

CSingleLock::~CSingleLock() { Unlock(); }

BOOL CSingleLock::Lock(DWORD dwTimeOut)
{
    if (m_pObject == nullptr || m_bAcquired)
        return m_bAcquired;
    m_bAcquired = m_pObject->Lock(dwTimeOut);
    return m_bAcquired;
}

BOOL CSingleLock::Unlock()
{
    if (m_pObject != nullptr && m_bAcquired)
        m_bAcquired = !m_pObject->Unlock();
    // Answers whether the object is now released.
    return !m_bAcquired;
}

BOOL CSingleLock::Unlock(LONG lCount, LPLONG lPrevCount)
{
    if (m_pObject != nullptr && m_bAcquired)
        m_bAcquired = !m_pObject->Unlock(lCount, lPrevCount);
    return !m_bAcquired;
}

// --- CMultiLock --------------------------------------------------------------

CMultiLock::CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock)
{
    if (ppObjects == nullptr || dwCount == 0 || dwCount > MAXIMUM_WAIT_OBJECTS)
        AfxThrowInvalidArgException();
    m_objects.assign(ppObjects, ppObjects + dwCount);
    for (CSyncObject* object : m_objects) {
        if (object == nullptr || object->m_hObject == nullptr)
            AfxThrowInvalidArgException(); // a critical section has no handle to wait on
        m_handles.push_back(object->m_hObject);
    }
    m_locked.assign(dwCount, FALSE);
    if (bInitialLock)
        Lock();
}

CMultiLock::~CMultiLock() { Unlock(); }

DWORD CMultiLock::Lock(DWORD dwTimeOut, BOOL bWaitForAll, DWORD dwWakeMask)
{
    const DWORD count = static_cast<DWORD>(m_handles.size());
    const DWORD result =
        dwWakeMask == 0
            ? ::WaitForMultipleObjects(count, m_handles.data(), bWaitForAll, dwTimeOut)
            : ::MsgWaitForMultipleObjects(count, m_handles.data(), bWaitForAll, dwTimeOut, dwWakeMask);

    const bool signalled = result < WAIT_OBJECT_0 + count;
    const bool abandoned = result >= WAIT_ABANDONED_0 && result < WAIT_ABANDONED_0 + count;
    if (signalled || abandoned) {
        if (bWaitForAll) {
            m_locked.assign(count, TRUE);
        } else {
            const DWORD index = signalled ? result - WAIT_OBJECT_0 : result - WAIT_ABANDONED_0;
            m_locked[index] = TRUE;
        }
    }
    return result;
}

BOOL CMultiLock::Unlock()
{
    for (size_t i = 0; i < m_objects.size(); ++i) {
        if (m_locked[i])
            m_locked[i] = !m_objects[i]->Unlock();
    }
    return TRUE;
}

BOOL CMultiLock::Unlock(LONG lCount, LPLONG lPrevCount)
{
    BOOL all = TRUE;
    for (size_t i = 0; i < m_objects.size(); ++i) {
        if (m_locked[i]) {
            m_locked[i] = !m_objects[i]->Unlock(lCount, lPrevCount);
            if (m_locked[i])
                all = FALSE;
        }
    }
    return all;
}

BOOL CMultiLock::IsLocked(DWORD dwItem) const
{
    return dwItem < m_locked.size() && m_locked[dwItem];
}
