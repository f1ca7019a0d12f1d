// CList: a doubly linked list iterated with POSITION (part of afxtempl.h).
#pragma once

#include "afxtempl.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    using BASE_TYPE = TYPE;
    using BASE_ARG_TYPE = ARG_TYPE;

    // The block size is accepted for compatibility; nodes are allocated one by one.
    explicit CList(INT_PTR blockSize = 10) : m_nBlockSize(blockSize > 0 ? blockSize : 10) {}
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // Head and tail of an empty list throw CInvalidArgException*.
    TYPE& GetHead() { return NonEmpty(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return NonEmpty(m_pNodeHead)->data; }
    TYPE& GetTail() { return NonEmpty(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return NonEmpty(m_pNodeTail)->data; }
    TYPE RemoveHead();
    TYPE RemoveTail();

    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(Position(m_pNodeHead), newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(Position(m_pNodeTail), newElement); }
    void AddHead(const CList* newList);
    void AddTail(const CList* newList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return Position(m_pNodeHead); }
    POSITION GetTailPosition() const { return Position(m_pNodeTail); }
    TYPE& GetNext(POSITION& position);
    const TYPE& GetNext(POSITION& position) const;
    TYPE& GetPrev(POSITION& position);
    const TYPE& GetPrev(POSITION& position) const;
    TYPE& GetAt(POSITION position) { return NodeAt(position)->data; }
    const TYPE& GetAt(POSITION position) const { return NodeAt(position)->data; }
    void SetAt(POSITION position, ARG_TYPE newElement) { NodeAt(position)->data = newElement; }
    void RemoveAt(POSITION position);

    // A null position inserts at the head (InsertBefore) or tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const;
    // The position of the element with this zero-based index, or nullptr.
    POSITION FindIndex(INT_PTR index) const;

    void Serialize(CArchive& ar) override;

private:
    static POSITION Position(CNode* node) { return reinterpret_cast<POSITION>(node); }
    static CNode* NodeAt(POSITION position)
    {
        if (position == nullptr)
            afx_detail::ThrowInvalidArgException();
        return reinterpret_cast<CNode*>(position);
    }
    static CNode* NonEmpty(CNode* node)
    {
        if (node == nullptr)
            afx_detail::ThrowInvalidArgException();
        return node;
    }
    void Unlink(CNode* node);

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
    INT_PTR m_nBlockSize;
};

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    CNode* node = NonEmpty(m_pNodeHead);
    TYPE value(std::move(node->data));
    Unlink(node);
    return value;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    CNode* node = NonEmpty(m_pNodeTail);
    TYPE value(std::move(node->data));
    Unlink(node);
    return value;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(const CList* newList)
{
    if (newList == nullptr)
        afx_detail::ThrowInvalidArgException();
    // Walk backwards from a fixed tail: adding a list to itself doubles it once.
    CNode* node = newList->m_pNodeTail;
    for (INT_PTR left = newList->m_nCount; left > 0; --left, node = node->pPrev)
        AddHead(node->data);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(const CList* newList)
{
    if (newList == nullptr)
        afx_detail::ThrowInvalidArgException();
    CNode* node = newList->m_pNodeHead;
    for (INT_PTR left = newList->m_nCount; left > 0; --left, node = node->pNext)
        AddTail(node->data);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    CNode* node = m_pNodeHead;
    while (node != nullptr) {
        CNode* next = node->pNext;
        delete node;
        node = next;
    }
    m_pNodeHead = nullptr;
    m_pNodeTail = nullptr;
    m_nCount = 0;
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& position)
{
    CNode* node = NodeAt(position);
    position = Position(node->pNext);
    return node->data;
}

template <class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& position) const
{
    CNode* node = NodeAt(position);
    position = Position(node->pNext);
    return node->data;
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& position)
{
    CNode* node = NodeAt(position);
    position = Position(node->pPrev);
    return node->data;
}

template <class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& position) const
{
    CNode* node = NodeAt(position);
    position = Position(node->pPrev);
    return node->data;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Unlink(CNode* node)
{
    if (node->pPrev != nullptr)
        node->pPrev->pNext = node->pNext;
    else
        m_pNodeHead = node->pNext;
    if (node->pNext != nullptr)
        node->pNext->pPrev = node->pPrev;
    else
        m_pNodeTail = node->pPrev;
    delete node;
    --m_nCount;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    Unlink(NodeAt(position));
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    CNode* before = reinterpret_cast<CNode*>(position);
    if (before == nullptr)
        before = m_pNodeHead;
    // The node is made (and the element copied) before the list changes.
    CNode* node = new CNode{before, before != nullptr ? before->pPrev : nullptr, TYPE(newElement)};
    if (before == nullptr) {
        m_pNodeHead = node;
        m_pNodeTail = node;
    } else {
        if (before->pPrev != nullptr)
            before->pPrev->pNext = node;
        else
            m_pNodeHead = node;
        before->pPrev = node;
    }
    ++m_nCount;
    return Position(node);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    CNode* after = reinterpret_cast<CNode*>(position);
    if (after == nullptr)
        after = m_pNodeTail;
    CNode* node = new CNode{after != nullptr ? after->pNext : nullptr, after, TYPE(newElement)};
    if (after == nullptr) {
        m_pNodeHead = node;
        m_pNodeTail = node;
    } else {
        if (after->pNext != nullptr)
            after->pNext->pPrev = node;
        else
            m_pNodeTail = node;
        after->pNext = node;
    }
    ++m_nCount;
    return Position(node);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* node = startAfter == nullptr ? m_pNodeHead : reinterpret_cast<CNode*>(startAfter)->pNext;
    for (; node != nullptr; node = node->pNext) {
        if (CompareElements<TYPE, std::remove_cv_t<std::remove_reference_t<ARG_TYPE>>>(&node->data, &searchValue))
            return Position(node);
    }
    return nullptr;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR index) const
{
    if (index < 0 || index >= m_nCount)
        return nullptr;
    CNode* node = m_pNodeHead;
    while (index-- > 0)
        node = node->pNext;
    return Position(node);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
        for (CNode* node = m_pNodeHead; node != nullptr; node = node->pNext)
            SerializeElements<TYPE>(ar, &node->data, 1);
        return;
    }
    for (DWORD_PTR left = ar.ReadCount(); left > 0; --left) {
        TYPE element{};
        SerializeElements<TYPE>(ar, &element, 1);
        AddTail(element);
    }
}
