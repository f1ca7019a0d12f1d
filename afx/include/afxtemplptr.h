// Typed views of the pointer collections (part of afxtempl.h):
// CTypedPtrArray<CObArray, CPage*>, CTypedPtrList<CPtrList, CItem*>,
// CTypedPtrMap<CMapStringToPtr, CString, CItem*>. The base collection stores the
// pointers; these only convert them on the way in and out, and own nothing.
// COwningPtrList<CObList, CItem*> is the typed list that owns its elements.
#pragma once

#include "afxtempl.h"

template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
    using Base = BASE_CLASS;

public:
    TYPE GetAt(INT_PTR index) const { return static_cast<TYPE>(Base::GetAt(index)); }
    TYPE& ElementAt(INT_PTR index) { return reinterpret_cast<TYPE&>(Base::ElementAt(index)); }
    void SetAt(INT_PTR index, TYPE element) { Base::SetAt(index, element); }
    void SetAtGrow(INT_PTR index, TYPE element) { Base::SetAtGrow(index, element); }
    INT_PTR Add(TYPE element) { return Base::Add(element); }
    INT_PTR Append(const CTypedPtrArray& source) { return Base::Append(source); }
    void Copy(const CTypedPtrArray& source) { Base::Copy(source); }
    void InsertAt(INT_PTR index, TYPE element, INT_PTR count = 1) { Base::InsertAt(index, element, count); }
    TYPE operator[](INT_PTR index) const { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return ElementAt(index); }
};

template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
    using Base = BASE_CLASS;

public:
    explicit CTypedPtrList(INT_PTR blockSize = 10) : Base(blockSize) {}

    TYPE& GetHead() { return reinterpret_cast<TYPE&>(Base::GetHead()); }
    TYPE GetHead() const { return static_cast<TYPE>(Base::GetHead()); }
    TYPE& GetTail() { return reinterpret_cast<TYPE&>(Base::GetTail()); }
    TYPE GetTail() const { return static_cast<TYPE>(Base::GetTail()); }
    TYPE RemoveHead() { return static_cast<TYPE>(Base::RemoveHead()); }
    TYPE RemoveTail() { return static_cast<TYPE>(Base::RemoveTail()); }
    POSITION AddHead(TYPE element) { return Base::AddHead(element); }
    POSITION AddTail(TYPE element) { return Base::AddTail(element); }
    void AddHead(CTypedPtrList* list) { Base::AddHead(list); }
    void AddTail(CTypedPtrList* list) { Base::AddTail(list); }
    TYPE& GetNext(POSITION& position) { return reinterpret_cast<TYPE&>(Base::GetNext(position)); }
    TYPE GetNext(POSITION& position) const { return static_cast<TYPE>(Base::GetNext(position)); }
    TYPE& GetPrev(POSITION& position) { return reinterpret_cast<TYPE&>(Base::GetPrev(position)); }
    TYPE GetPrev(POSITION& position) const { return static_cast<TYPE>(Base::GetPrev(position)); }
    TYPE& GetAt(POSITION position) { return reinterpret_cast<TYPE&>(Base::GetAt(position)); }
    TYPE GetAt(POSITION position) const { return static_cast<TYPE>(Base::GetAt(position)); }
    void SetAt(POSITION position, TYPE element) { Base::SetAt(position, element); }
    POSITION InsertBefore(POSITION position, TYPE element) { return Base::InsertBefore(position, element); }
    POSITION InsertAfter(POSITION position, TYPE element) { return Base::InsertAfter(position, element); }
    POSITION Find(TYPE element, POSITION startAfter = nullptr) const { return Base::Find(element, startAfter); }
};

// A typed pointer list that owns its elements: those still listed are deleted
// when the list is destroyed, emptied with DeleteAll or dropped one by one with
// DeleteAt. What RemoveHead, RemoveTail and RemoveAt hand back becomes the
// caller's; MoveAllTo hands every element to another list. RemoveAll lets the
// elements go undeleted: use it only once another owner holds them. The list
// is stored as its base list (a CObList's archive form is unchanged).
template <class BASE_CLASS, class TYPE>
class COwningPtrList : public CTypedPtrList<BASE_CLASS, TYPE> {
    using Base = CTypedPtrList<BASE_CLASS, TYPE>;

public:
    using Base::Base;
    ~COwningPtrList() override { DeleteAll(); }
    COwningPtrList(const COwningPtrList&) = delete;
    COwningPtrList& operator=(const COwningPtrList&) = delete;

    void DeleteAll()
    {
        while (!this->IsEmpty())
            delete this->RemoveHead();
    }
    void DeleteAt(POSITION position)
    {
        TYPE element = this->GetAt(position);
        this->RemoveAt(position);
        delete element;
    }
    // Appends every element to `target`, which owns them from now on.
    void MoveAllTo(COwningPtrList& target)
    {
        target.AddTail(this);
        this->RemoveAll();
    }
};

template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS {
    using Base = BASE_CLASS;
    using BaseKey = typename Base::BASE_KEY;
    using BaseArgKey = typename Base::BASE_ARG_KEY;
    using BaseValue = typename Base::BASE_VALUE;

public:
    explicit CTypedPtrMap(INT_PTR blockSize = 10) : Base(blockSize) {}

    BOOL Lookup(BaseArgKey key, VALUE& value) const;
    VALUE& operator[](BaseArgKey key) { return reinterpret_cast<VALUE&>(Base::operator[](key)); }
    void SetAt(BaseArgKey key, VALUE value) { Base::SetAt(key, value); }
    BOOL RemoveKey(BaseArgKey key) { return Base::RemoveKey(key); }
    void GetNextAssoc(POSITION& position, KEY& key, VALUE& value) const
    {
        BaseKey storedKey{};
        BaseValue stored{};
        Base::GetNextAssoc(position, storedKey, stored);
        key = static_cast<KEY>(storedKey);
        value = static_cast<VALUE>(stored);
    }
};

template <class BASE_CLASS, class KEY, class VALUE>
BOOL CTypedPtrMap<BASE_CLASS, KEY, VALUE>::Lookup(typename BASE_CLASS::BASE_ARG_KEY key, VALUE& value) const
{
    BaseValue stored{};
    if (!Base::Lookup(key, stored))
        return FALSE;
    value = static_cast<VALUE>(stored);
    return TRUE;
}
