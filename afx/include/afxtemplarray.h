// CArray: a contiguous array that grows in steps (part of afxtempl.h).
#pragma once

#include "afxtempl.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    using BASE_TYPE = TYPE;
    using BASE_ARG_TYPE = ARG_TYPE;

    CArray() = default;
    ~CArray() override { RemoveAll(); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    // New elements are value-initialised (zero for plain types). growBy sets the
    // allocation step (-1 keeps the current one; 0 or -1 as a step means adaptive).
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1);
    void FreeExtra();
    void RemoveAll();

    const TYPE& GetAt(INT_PTR index) const { return m_pData[CheckedIndex(index)]; }
    TYPE& GetAt(INT_PTR index) { return m_pData[CheckedIndex(index)]; }
    void SetAt(INT_PTR index, ARG_TYPE newElement) { m_pData[CheckedIndex(index)] = newElement; }
    const TYPE& ElementAt(INT_PTR index) const { return m_pData[CheckedIndex(index)]; }
    TYPE& ElementAt(INT_PTR index) { return m_pData[CheckedIndex(index)]; }
    const TYPE& operator[](INT_PTR index) const { return m_pData[CheckedIndex(index)]; }
    TYPE& operator[](INT_PTR index) { return m_pData[CheckedIndex(index)]; }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR index, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement);
    INT_PTR Append(const CArray& source);
    void Copy(const CArray& source);
    void InsertAt(INT_PTR index, ARG_TYPE newElement, INT_PTR count = 1);
    void InsertAt(INT_PTR startIndex, const CArray* newArray);
    void RemoveAt(INT_PTR index, INT_PTR count = 1);

    TYPE* begin() { return m_pData; }
    TYPE* end() { return m_pData + m_nSize; }
    const TYPE* begin() const { return m_pData; }
    const TYPE* end() const { return m_pData + m_nSize; }

    void Serialize(CArchive& ar) override;

private:
    size_t CheckedIndex(INT_PTR index) const
    {
        if (index < 0 || index >= m_nSize)
            afx_detail::ThrowInvalidArgException();
        return static_cast<size_t>(index);
    }
    void Reallocate(INT_PTR capacity);

    TYPE* m_pData = nullptr;
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = -1;
};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR capacity)
{
    TYPE* fresh = afx_detail::AllocateElements<TYPE>(capacity);
    if (m_pData != nullptr) {
        try {
            std::uninitialized_move(m_pData, m_pData + m_nSize, fresh);
        } catch (...) {
            afx_detail::FreeElements(fresh, capacity);
            throw;
        }
        std::destroy(m_pData, m_pData + m_nSize);
        afx_detail::FreeElements(m_pData, m_nMaxSize);
    }
    m_pData = fresh;
    m_nMaxSize = capacity;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR newSize, INT_PTR growBy)
{
    if (newSize < 0)
        afx_detail::ThrowInvalidArgException();
    if (newSize > afx_detail::MaxElementCount<TYPE>())
        afx_detail::ThrowMemoryException();
    if (growBy >= 0)
        m_nGrowBy = growBy;

    if (newSize == 0) {
        RemoveAll();
        return;
    }
    if (newSize > m_nMaxSize) {
        INT_PTR step = m_nGrowBy;
        if (step <= 0) {
            // Adaptive: an eighth of the size, at least 4 and at most 1024 elements.
            step = (std::clamp)(m_nSize / 8, static_cast<INT_PTR>(4), static_cast<INT_PTR>(1024));
        }
        INT_PTR capacity = newSize;
        if (m_nMaxSize <= afx_detail::MaxElementCount<TYPE>() - step)
            capacity = (std::max)(newSize, m_nMaxSize + step);
        Reallocate(capacity);
    }
    if (newSize > m_nSize)
        std::uninitialized_value_construct(m_pData + m_nSize, m_pData + newSize);
    else
        std::destroy(m_pData + newSize, m_pData + m_nSize);
    m_nSize = newSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize == m_nMaxSize)
        return;
    if (m_nSize == 0) {
        RemoveAll();
        return;
    }
    Reallocate(m_nSize);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAll()
{
    if (m_pData != nullptr) {
        std::destroy(m_pData, m_pData + m_nSize);
        afx_detail::FreeElements(m_pData, m_nMaxSize);
    }
    m_pData = nullptr;
    m_nSize = 0;
    m_nMaxSize = 0;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR index, ARG_TYPE newElement)
{
    if (index < 0)
        afx_detail::ThrowInvalidArgException();
    if (index >= m_nSize) {
        if (index == afx_detail::MaxElementCount<TYPE>())
            afx_detail::ThrowMemoryException();
        // The element may live in this array: copy it before the storage moves.
        TYPE value(newElement);
        SetSize(index + 1);
        m_pData[index] = std::move(value);
    } else {
        m_pData[index] = newElement;
    }
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
    const INT_PTR index = m_nSize;
    SetAtGrow(index, newElement);
    return index;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& source)
{
    const INT_PTR oldSize = m_nSize;
    const INT_PTR count = source.m_nSize;
    if (count > afx_detail::MaxElementCount<TYPE>() - oldSize)
        afx_detail::ThrowMemoryException();
    SetSize(oldSize + count);
    // Read the source after growing: appending an array to itself is allowed.
    for (INT_PTR i = 0; i < count; ++i)
        m_pData[oldSize + i] = source.m_pData[i];
    return oldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& source)
{
    if (this == &source)
        return;
    SetSize(source.m_nSize);
    std::copy(source.m_pData, source.m_pData + source.m_nSize, m_pData);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR index, ARG_TYPE newElement, INT_PTR count)
{
    if (index < 0 || count < 0)
        afx_detail::ThrowInvalidArgException();
    if (count == 0)
        return;
    const INT_PTR oldSize = m_nSize;
    const INT_PTR end = (std::max)(index, oldSize);
    if (count > afx_detail::MaxElementCount<TYPE>() - end)
        afx_detail::ThrowMemoryException();
    TYPE value(newElement);
    SetSize(end + count);
    if (index < oldSize)
        std::move_backward(m_pData + index, m_pData + oldSize, m_pData + oldSize + count);
    std::fill(m_pData + index, m_pData + index + count, value);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR startIndex, const CArray* newArray)
{
    if (newArray == nullptr || startIndex < 0)
        afx_detail::ThrowInvalidArgException();
    if (newArray->m_nSize == 0)
        return;
    // Copy first: inserting an array into itself is allowed.
    CArray copy;
    copy.Copy(*newArray);
    InsertAt(startIndex, copy.m_pData[0], copy.m_nSize);
    for (INT_PTR i = 1; i < copy.m_nSize; ++i)
        m_pData[startIndex + i] = copy.m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR index, INT_PTR count)
{
    if (index < 0 || count < 0 || index > m_nSize || count > m_nSize - index)
        afx_detail::ThrowInvalidArgException();
    if (count == 0)
        return;
    std::move(m_pData + index + count, m_pData + m_nSize, m_pData + index);
    std::destroy(m_pData + m_nSize - count, m_pData + m_nSize);
    m_nSize -= count;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nSize));
        SerializeElements<TYPE>(ar, m_pData, m_nSize);
        return;
    }
    const DWORD_PTR stored = ar.ReadCount();
    if (stored > static_cast<DWORD_PTR>(afx_detail::MaxElementCount<TYPE>()))
        AfxThrowArchiveException(CArchiveException::badIndex);
    RemoveAll();
    // Grow with the data actually read, so that a false count costs nothing.
    const INT_PTR total = static_cast<INT_PTR>(stored);
    constexpr INT_PTR chunk = 1024;
    for (INT_PTR done = 0; done < total;) {
        const INT_PTR step = (std::min)(chunk, total - done);
        SetSize(done + step);
        SerializeElements<TYPE>(ar, m_pData + done, step);
        done += step;
    }
}
