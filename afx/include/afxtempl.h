// Collection templates: CArray (contiguous, grows in steps), CList (doubly
// linked, POSITION iteration) and CMap (hash table, POSITION iteration), with the
// element helpers they use: HashKey, CompareElements and SerializeElements.
//
// Indices and counts are checked: a negative index or count, or one beyond the
// collection, throws CInvalidArgException*; a size that cannot be allocated
// throws CMemoryException*. Loading from an archive grows a collection with the
// data actually read, never to a count taken from the stream.
#pragma once

#include "afxbase.h"
#include "afxobj.h"
#include "afxstr.h"

#include "afxarch.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

// Hash value of a map key. Integral, enumeration and pointer keys are handled
// here; strings have overloads in afxstr.h; other key types need an overload.
template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key)
{
    using Key = std::remove_cv_t<std::remove_reference_t<ARG_KEY>>;
    if constexpr (std::is_pointer_v<Key>) {
        // Heap and object addresses are aligned: their low bits carry nothing.
        return static_cast<UINT>(reinterpret_cast<std::uintptr_t>(key) >> 4);
    } else if constexpr (std::is_integral_v<Key> || std::is_enum_v<Key>) {
        const auto value = static_cast<unsigned long long>(key);
        return static_cast<UINT>(value ^ (value >> 32));
    } else {
        static_assert(sizeof(Key) == 0, "declare a HashKey overload for this key type");
        return 0;
    }
}

template <class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* element1, const ARG_TYPE* element2)
{
    return *element1 == *element2;
}

namespace afx_detail {

template <class T>
constexpr bool kIsLayerString = std::is_same_v<T, CStringW> || std::is_same_v<T, CStringA>;

// Largest element count whose byte size is representable.
template <class TYPE>
constexpr INT_PTR MaxElementCount()
{
    return static_cast<INT_PTR>(PTRDIFF_MAX / static_cast<ptrdiff_t>(sizeof(TYPE)));
}

template <class TYPE>
TYPE* AllocateElements(INT_PTR count)
{
    if (count < 0 || count > MaxElementCount<TYPE>())
        ThrowMemoryException();
    try {
        return std::allocator<TYPE>().allocate(static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        ThrowMemoryException();
    }
}

template <class TYPE>
void FreeElements(TYPE* elements, INT_PTR capacity)
{
    if (elements != nullptr)
        std::allocator<TYPE>().deallocate(elements, static_cast<size_t>(capacity));
}

} // namespace afx_detail

// Stores or loads count elements in place. Strings use the archive's string form;
// plain values are stored byte for byte. Other element types need a
// specialisation (without one, serialising them throws CNotSupportedException*).
template <class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* elements, INT_PTR count)
{
    if (count <= 0)
        return;
    if constexpr (afx_detail::kIsLayerString<TYPE>) {
        for (INT_PTR i = 0; i < count; ++i) {
            if (ar.IsStoring())
                ar << elements[i];
            else
                ar >> elements[i];
        }
    } else if constexpr (std::is_trivially_copyable_v<TYPE>) {
        constexpr INT_PTR chunk = static_cast<INT_PTR>(0x40000000u / sizeof(TYPE)) + 1;
        for (INT_PTR done = 0; done < count;) {
            const INT_PTR step = (std::min)(chunk, count - done);
            const UINT bytes = static_cast<UINT>(static_cast<size_t>(step) * sizeof(TYPE));
            if (ar.IsStoring()) {
                ar.Write(elements + done, bytes);
            } else if (ar.Read(elements + done, bytes) != bytes) {
                AfxThrowArchiveException(CArchiveException::endOfFile);
            }
            done += step;
        }
    } else {
        // Bytes of an object that owns resources mean nothing once reloaded: such
        // element types need their own SerializeElements.
        AfxThrowNotSupportedException();
    }
}

// The collection templates themselves.
#include "afxtemplarray.h"
#include "afxtempllist.h"
#include "afxtemplmap.h"
#include "afxtemplptr.h"
