// CMap: a hash table iterated with POSITION; the table grows with the entries
// (part of afxtempl.h).
#pragma once

#include "afxtempl.h"

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
public:
    class CPair {
    public:
        const KEY key;
        VALUE value;

    protected:
        explicit CPair(ARG_KEY keyValue) : key(keyValue), value() {}
    };

private:
    class CAssoc : public CPair {
    public:
        CAssoc(ARG_KEY keyValue, UINT hash) : CPair(keyValue), nHashValue(hash) {}
        CAssoc* pNext = nullptr;
        UINT nHashValue;
    };

public:
    using BASE_KEY = KEY;
    using BASE_ARG_KEY = ARG_KEY;
    using BASE_VALUE = VALUE;
    using BASE_ARG_VALUE = ARG_VALUE;

    // The block size is accepted for compatibility; entries are allocated one by one.
    explicit CMap(INT_PTR blockSize = 10) : m_nBlockSize(blockSize > 0 ? blockSize : 10) {}
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& value) const;
    const CPair* PLookup(ARG_KEY key) const { return Find(key, HashKey(key)); }
    CPair* PLookup(ARG_KEY key) { return Find(key, HashKey(key)); }
    // The value of the key, inserted value-initialised when absent.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    // Iteration in no particular order.
    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& position, KEY& key, VALUE& value) const;
    const CPair* PGetFirstAssoc() const { return FirstFrom(0); }
    CPair* PGetFirstAssoc() { return FirstFrom(0); }
    const CPair* PGetNextAssoc(const CPair* current) const { return Next(static_cast<const CAssoc*>(current)); }
    CPair* PGetNextAssoc(const CPair* current) { return Next(static_cast<const CAssoc*>(current)); }

    // Sets the number of hash buckets (a prime near the expected count works best).
    // The table also grows by itself as entries are added.
    void InitHashTable(UINT hashSize, BOOL allocateNow = TRUE);
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    void Serialize(CArchive& ar) override;

private:
    static constexpr UINT kMaxHashTableSize = 1u << 24;

    CAssoc* Find(ARG_KEY key, UINT hash) const;
    CAssoc* FirstFrom(UINT bucket) const;
    CAssoc* Next(const CAssoc* current) const;
    void Rehash(UINT hashSize);

    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
    INT_PTR m_nBlockSize;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Find(ARG_KEY key, UINT hash) const
{
    if (m_pHashTable == nullptr)
        return nullptr;
    using ArgValue = std::remove_cv_t<std::remove_reference_t<ARG_KEY>>;
    for (CAssoc* assoc = m_pHashTable[hash % m_nHashTableSize]; assoc != nullptr; assoc = assoc->pNext) {
        if (assoc->nHashValue == hash && CompareElements<KEY, ArgValue>(&assoc->key, &key))
            return assoc;
    }
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FirstFrom(UINT bucket) const
{
    if (m_pHashTable == nullptr)
        return nullptr;
    for (; bucket < m_nHashTableSize; ++bucket) {
        if (m_pHashTable[bucket] != nullptr)
            return m_pHashTable[bucket];
    }
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Next(const CAssoc* current) const
{
    if (current == nullptr)
        afx_detail::ThrowInvalidArgException();
    if (current->pNext != nullptr)
        return current->pNext;
    return FirstFrom(current->nHashValue % m_nHashTableSize + 1);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Rehash(UINT hashSize)
{
    CAssoc** fresh = afx_detail::AllocateElements<CAssoc*>(static_cast<INT_PTR>(hashSize));
    std::fill(fresh, fresh + hashSize, nullptr);
    if (m_pHashTable != nullptr) {
        for (UINT bucket = 0; bucket < m_nHashTableSize; ++bucket) {
            CAssoc* assoc = m_pHashTable[bucket];
            while (assoc != nullptr) {
                CAssoc* next = assoc->pNext;
                CAssoc*& head = fresh[assoc->nHashValue % hashSize];
                assoc->pNext = head;
                head = assoc;
                assoc = next;
            }
        }
        afx_detail::FreeElements(m_pHashTable, static_cast<INT_PTR>(m_nHashTableSize));
    }
    m_pHashTable = fresh;
    m_nHashTableSize = hashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT hashSize, BOOL allocateNow)
{
    if (hashSize == 0)
        afx_detail::ThrowInvalidArgException();
    hashSize = (std::min)(hashSize, kMaxHashTableSize);
    if (allocateNow || m_pHashTable != nullptr)
        Rehash(hashSize);
    else
        m_nHashTableSize = hashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& value) const
{
    const CAssoc* assoc = Find(key, HashKey(key));
    if (assoc == nullptr)
        return FALSE;
    value = assoc->value;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    const UINT hash = HashKey(key);
    if (CAssoc* found = Find(key, hash))
        return found->value;
    if (m_pHashTable == nullptr)
        Rehash(m_nHashTableSize);
    // Keep chains short: grow when there are twice as many entries as buckets.
    if (m_nCount >= static_cast<INT_PTR>(m_nHashTableSize) * 2 && m_nHashTableSize < kMaxHashTableSize)
        Rehash((std::min)(m_nHashTableSize * 2 + 1, kMaxHashTableSize));
    CAssoc* assoc = new CAssoc(key, hash);
    CAssoc*& head = m_pHashTable[hash % m_nHashTableSize];
    assoc->pNext = head;
    head = assoc;
    ++m_nCount;
    return assoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == nullptr)
        return FALSE;
    const UINT hash = HashKey(key);
    using ArgValue = std::remove_cv_t<std::remove_reference_t<ARG_KEY>>;
    for (CAssoc** link = &m_pHashTable[hash % m_nHashTableSize]; *link != nullptr; link = &(*link)->pNext) {
        CAssoc* assoc = *link;
        if (assoc->nHashValue == hash && CompareElements<KEY, ArgValue>(&assoc->key, &key)) {
            *link = assoc->pNext;
            delete assoc;
            --m_nCount;
            return TRUE;
        }
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable != nullptr) {
        for (UINT bucket = 0; bucket < m_nHashTableSize; ++bucket) {
            CAssoc* assoc = m_pHashTable[bucket];
            while (assoc != nullptr) {
                CAssoc* next = assoc->pNext;
                delete assoc;
                assoc = next;
            }
        }
        afx_detail::FreeElements(m_pHashTable, static_cast<INT_PTR>(m_nHashTableSize));
    }
    m_pHashTable = nullptr;
    m_nCount = 0;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
POSITION CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetStartPosition() const
{
    return reinterpret_cast<POSITION>(FirstFrom(0));
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& position, KEY& key, VALUE& value) const
{
    const CAssoc* assoc = position == BEFORE_START_POSITION ? FirstFrom(0) : reinterpret_cast<const CAssoc*>(position);
    if (assoc == nullptr)
        afx_detail::ThrowInvalidArgException();
    key = assoc->key;
    value = assoc->value;
    position = reinterpret_cast<POSITION>(Next(assoc));
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
        for (CAssoc* assoc = FirstFrom(0); assoc != nullptr; assoc = Next(assoc)) {
            KEY key(assoc->key);
            SerializeElements<KEY>(ar, &key, 1);
            SerializeElements<VALUE>(ar, &assoc->value, 1);
        }
        return;
    }
    for (DWORD_PTR left = ar.ReadCount(); left > 0; --left) {
        KEY key{};
        VALUE value{};
        SerializeElements<KEY>(ar, &key, 1);
        if (PLookup(key) != nullptr)
            AfxThrowArchiveException(CArchiveException::genericException); // a key twice: damaged
        SerializeElements<VALUE>(ar, &value, 1);
        (*this)[key] = std::move(value);
    }
}
