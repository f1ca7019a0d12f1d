// Serialize of the collections of objects: a count, then each element in the
// archive's object form (so shared objects stay shared and nulls stay null).
//
// Loading never sizes a collection from the stored count: elements are added as
// they are read, and ReadCount has already refused counts the stream cannot hold.
// The collections do not own their objects; after a failed load the elements read
// so far remain in the collection for the caller to dispose of.
#include <afx.h>

namespace {

// A map of objects: the count, then each key in its own form and its object.
template <class Key, class Map>
void SerializeObjectMap(Map& map, CArchive& ar)
{
    map.CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(map.GetCount()));
        for (POSITION position = map.GetStartPosition(); position != nullptr;) {
            Key key{};
            CObject* value = nullptr;
            map.GetNextAssoc(position, key, value);
            ar << key;
            ar << value;
        }
        return;
    }
    map.RemoveAll();
    for (DWORD_PTR left = ar.ReadCount(); left > 0; --left) {
        Key key{};
        CObject* value = nullptr;
        ar >> key;
        // A key stored twice is damage; refused before its object is made, so the
        // object already held for it stays with the map for the caller to free.
        if (map.PLookup(key) != nullptr)
            AfxThrowArchiveException(CArchiveException::genericException);
        ar >> value;
        map.SetAt(key, value);
    }
}

} // namespace

void CObArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
        for (INT_PTR i = 0; i < GetSize(); ++i)
            ar << GetAt(i);
        return;
    }
    RemoveAll();
    for (DWORD_PTR left = ar.ReadCount(); left > 0; --left) {
        CObject* element = nullptr;
        ar >> element;
        Add(element);
    }
}

void CObList::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(GetCount()));
        for (POSITION position = GetHeadPosition(); position != nullptr;)
            ar << GetNext(position);
        return;
    }
    RemoveAll();
    for (DWORD_PTR left = ar.ReadCount(); left > 0; --left) {
        CObject* element = nullptr;
        ar >> element;
        AddTail(element);
    }
}

void CMapStringToOb::Serialize(CArchive& ar)
{
    SerializeObjectMap<CString>(*this, ar);
}

void CMapWordToOb::Serialize(CArchive& ar)
{
    SerializeObjectMap<WORD>(*this, ar);
}
