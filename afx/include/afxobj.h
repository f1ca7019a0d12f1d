// CObject and run-time class information: class names, kind-of tests, creation
// by class, and look-up of a class by its name.
//
// Every class implemented with IMPLEMENT_DYNAMIC, IMPLEMENT_DYNCREATE or
// IMPLEMENT_SERIAL registers itself while its translation unit is statically
// initialised. With static libraries a class whose object file the linker never
// pulls in is therefore unknown to CRuntimeClass::FromName; a program that creates
// classes only by name must reference them (for example through RUNTIME_CLASS).
#pragma once

#include "afxbase.h"

class CObject;
class CArchive;
class CDumpContext;

// Marks a schema number as "accept older versions too" (the reader checks it).
#define VERSIONABLE_SCHEMA (0x80000000)

// The schema of classes that are not serialisable.
#define AFX_NOT_SERIALIZABLE_SCHEMA 0xFFFF

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject*(PASCAL* m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass; // the registry of all classes, linked at start-up

    // A new object of this class, or nullptr when it cannot be created dynamically.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* baseClass) const;

    static CRuntimeClass* PASCAL FromName(LPCSTR className);
    static CRuntimeClass* PASCAL FromName(LPCWSTR className);
    static CObject* PASCAL CreateObject(LPCSTR className);
    static CObject* PASCAL CreateObject(LPCWSTR className);
};

// Adds a class to the registry; one static instance per implemented class.
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* newClass);
};

class CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* someClass) const;

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}
    virtual void Dump(CDumpContext&) const {}

    static CRuntimeClass classCObject;

protected:
    CObject() = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)
#define _RUNTIME_CLASS(class_name) RUNTIME_CLASS(class_name)

#define DECLARE_DYNAMIC(class_name)                                                      \
public:                                                                                  \
    static CRuntimeClass class##class_name;                                              \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                    \
    DECLARE_DYNAMIC(class_name)                                                          \
    static CObject* PASCAL CreateObject();

// The extraction operator is only declared here; IMPLEMENT_SERIAL defines it
// through CArchive::ReadObject, which checks the stored class.
#define DECLARE_SERIAL(class_name)                                                       \
    DECLARE_DYNCREATE(class_name)                                                        \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& object);

#define AFX_CONCAT_INNER(a, b) a##b
#define AFX_CONCAT(a, b) AFX_CONCAT_INNER(a, b)

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, create_function)     \
    CRuntimeClass class_name::class##class_name = {                                      \
        #class_name, static_cast<int>(sizeof(class class_name)), (schema), (create_function), \
        RUNTIME_CLASS(base_class_name), nullptr};                                        \
    CRuntimeClass* class_name::GetRuntimeClass() const                                   \
    {                                                                                    \
        return RUNTIME_CLASS(class_name);                                                \
    }                                                                                    \
    static const AFX_CLASSINIT AFX_CONCAT(afx_class_init_, class_name)(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                   \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, AFX_NOT_SERIALIZABLE_SCHEMA, nullptr)

#define AFX_IMPLEMENT_CREATE_OBJECT(class_name)                                          \
    CObject* PASCAL class_name::CreateObject()                                           \
    {                                                                                    \
        return new class_name;                                                           \
    }

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                 \
    AFX_IMPLEMENT_CREATE_OBJECT(class_name)                                              \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, AFX_NOT_SERIALIZABLE_SCHEMA,     \
                           class_name::CreateObject)

namespace afx_detail {

// Reads an object of the expected class (or one derived from it). A template so that
// CArchive need only be complete where the operator is instantiated.
template <class Archive, class T>
Archive& ReadObjectAs(Archive& ar, T*& object, CRuntimeClass* expected)
{
    object = static_cast<T*>(ar.ReadObject(expected));
    return ar;
}

template <class T, class U>
T* StaticDownCast(const CRuntimeClass* target, U* object)
{
    ASSERT(object == nullptr || object->IsKindOf(target));
    static_cast<void>(target);
    return static_cast<T*>(object);
}

template <class T, class U>
T* DynamicDownCast(const CRuntimeClass* target, U* object)
{
    return object != nullptr && object->IsKindOf(target) ? static_cast<T*>(object) : nullptr;
}

} // namespace afx_detail

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                            \
    AFX_IMPLEMENT_CREATE_OBJECT(class_name)                                              \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, (schema), class_name::CreateObject) \
    [[maybe_unused]] CArchive& AFXAPI operator>>(CArchive& ar, class_name*& object)      \
    {                                                                                    \
        return ::afx_detail::ReadObjectAs(ar, object, RUNTIME_CLASS(class_name));        \
    }

// Casts down a class hierarchy: STATIC_DOWNCAST asserts the kind (debug builds),
// DYNAMIC_DOWNCAST answers nullptr when the object is of another kind.
#define STATIC_DOWNCAST(class_name, object)                                              \
    (::afx_detail::StaticDownCast<class_name>(RUNTIME_CLASS(class_name), (object)))
#define DYNAMIC_DOWNCAST(class_name, object)                                             \
    (::afx_detail::DynamicDownCast<class_name>(RUNTIME_CLASS(class_name), (object)))

inline CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* target, CObject* object)
{
    return object != nullptr && object->IsKindOf(target) ? object : nullptr;
}
