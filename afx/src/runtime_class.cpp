// CObject's run-time class and the registry of all classes by name.
#include <afxobj.h>

#include <type_traits>

namespace {

// Written during static initialisation, read at any time afterwards; the lock
// also covers classes that register late (a library loaded at run time).
CRuntimeClass* g_firstClass = nullptr;
SRWLOCK g_registryLock = SRWLOCK_INIT;

class SharedRegistryLock {
public:
    SharedRegistryLock() { ::AcquireSRWLockShared(&g_registryLock); }
    ~SharedRegistryLock() { ::ReleaseSRWLockShared(&g_registryLock); }
    SharedRegistryLock(const SharedRegistryLock&) = delete;
    SharedRegistryLock& operator=(const SharedRegistryLock&) = delete;
};

class ExclusiveRegistryLock {
public:
    ExclusiveRegistryLock() { ::AcquireSRWLockExclusive(&g_registryLock); }
    ~ExclusiveRegistryLock() { ::ReleaseSRWLockExclusive(&g_registryLock); }
    ExclusiveRegistryLock(const ExclusiveRegistryLock&) = delete;
    ExclusiveRegistryLock& operator=(const ExclusiveRegistryLock&) = delete;
};

// Class names are C++ identifiers: plain ASCII, compared code unit by code unit.
template <class Char>
bool SameName(LPCSTR className, const Char* wanted)
{
    for (;; ++className, ++wanted) {
        if (static_cast<unsigned char>(*className) != static_cast<std::make_unsigned_t<Char>>(*wanted))
            return false;
        if (*className == '\0')
            return true;
    }
}

template <class Char>
CRuntimeClass* FindRegistered(const Char* className)
{
    if (className == nullptr)
        return nullptr;
    SharedRegistryLock lock;
    for (CRuntimeClass* known = g_firstClass; known != nullptr; known = known->m_pNextClass) {
        if (SameName(known->m_lpszClassName, className))
            return known;
    }
    return nullptr;
}

template <class Char>
CObject* CreateRegistered(const Char* className)
{
    const CRuntimeClass* found = FindRegistered(className);
    return found != nullptr ? found->CreateObject() : nullptr;
}

} // namespace

CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), AFX_NOT_SERIALIZABLE_SCHEMA,
                                       nullptr, nullptr, nullptr};
static const AFX_CLASSINIT afx_class_init_CObject(&CObject::classCObject);

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* newClass)
{
    ExclusiveRegistryLock lock;
    for (const CRuntimeClass* known = g_firstClass; known != nullptr; known = known->m_pNextClass) {
        if (known == newClass)
            return;
    }
    newClass->m_pNextClass = g_firstClass;
    g_firstClass = newClass;
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* baseClass) const
{
    for (const CRuntimeClass* current = this; current != nullptr; current = current->m_pBaseClass) {
        if (current == baseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR className)
{
    return FindRegistered(className);
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCWSTR className)
{
    return FindRegistered(className);
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR className)
{
    return CreateRegistered(className);
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCWSTR className)
{
    return CreateRegistered(className);
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &CObject::classCObject;
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != AFX_NOT_SERIALIZABLE_SCHEMA;
}

BOOL CObject::IsKindOf(const CRuntimeClass* someClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(someClass);
}

void CObject::Serialize(CArchive&)
{
}
