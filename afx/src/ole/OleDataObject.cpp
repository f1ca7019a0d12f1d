#include <afxole.h>

#include <cstring>

namespace {

FORMATETC GlobalFormat(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC format =
        lpFormatEtc != nullptr ? *lpFormatEtc : FORMATETC{cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    format.cfFormat = cfFormat;
    format.tymed = TYMED_HGLOBAL;
    return format;
}

} // namespace

void COleDataObject::Attach(IDataObject* lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

IDataObject* COleDataObject::Detach()
{
    IDataObject* object = m_lpDataObject;
    m_lpDataObject = nullptr;
    return object;
}

void COleDataObject::Release()
{
    if (m_lpDataObject != nullptr && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = nullptr;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) const
{
    if (m_lpDataObject == nullptr)
        return FALSE;
    FORMATETC format = GlobalFormat(cfFormat, lpFormatEtc);
    return m_lpDataObject->QueryGetData(&format) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) const
{
    if (m_lpDataObject == nullptr)
        return nullptr;
    FORMATETC format = GlobalFormat(cfFormat, lpFormatEtc);
    STGMEDIUM medium{};
    if (FAILED(m_lpDataObject->GetData(&format, &medium)))
        return nullptr;
    if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == nullptr) {
        ::ReleaseStgMedium(&medium);
        return nullptr;
    }
    if (medium.pUnkForRelease == nullptr)
        return medium.hGlobal;  // the block is ours
    // The provider keeps the block: take a copy of our own.
    const SIZE_T size = ::GlobalSize(medium.hGlobal);
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
    const void* from = ::GlobalLock(medium.hGlobal);
    void* to = copy != nullptr ? ::GlobalLock(copy) : nullptr;
    if (from != nullptr && to != nullptr)
        std::memcpy(to, from, size);
    if (to != nullptr)
        ::GlobalUnlock(copy);
    ::GlobalUnlock(medium.hGlobal);
    ::ReleaseStgMedium(&medium);
    if (from == nullptr || to == nullptr) {
        if (copy != nullptr)
            ::GlobalFree(copy);
        return nullptr;
    }
    return copy;
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) const
{
    HGLOBAL block = GetGlobalData(cfFormat, lpFormatEtc);
    if (block == nullptr)
        return nullptr;
    const SIZE_T size = ::GlobalSize(block);
    const void* bytes = ::GlobalLock(block);
    CMemFile* file = nullptr;
    if (bytes != nullptr && size <= 0x7FFFFFFF) {
        file = new CMemFile;
        try {
            file->Write(bytes, static_cast<UINT>(size));
            file->SeekToBegin();
        } catch (CException* e) {
            e->Delete();
            delete file;
            file = nullptr;
        }
    }
    ::GlobalUnlock(block);
    ::GlobalFree(block);
    return file;
}
