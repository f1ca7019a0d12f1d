#include <afxole.h>

#include "OleInterface.h"

#include <shlobj.h>

#include <cstring>

#include <vector>

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

namespace {

// A copy of a global block, for a receiver to own.
HGLOBAL CopyBlock(HGLOBAL hSource)
{
    const SIZE_T size = ::GlobalSize(hSource);
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (copy == nullptr)
        return nullptr;
    const void* from = ::GlobalLock(hSource);
    void* to = ::GlobalLock(copy);
    if (from != nullptr && to != nullptr)
        std::memcpy(to, from, size);
    ::GlobalUnlock(copy);
    ::GlobalUnlock(hSource);
    if (from == nullptr || to == nullptr) {
        ::GlobalFree(copy);
        return nullptr;
    }
    return copy;
}

} // namespace

COleDataSource::COleDataSource() = default;

COleDataSource::~COleDataSource() { Empty(); }

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    FORMATETC format = lpFormatEtc != nullptr ? *lpFormatEtc : FORMATETC{cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    format.cfFormat = cfFormat;
    format.tymed = TYMED_HGLOBAL;
    const auto found = m_cache.find(cfFormat);
    if (found != m_cache.end())
        ::GlobalFree(found->second.hGlobal);
    m_cache[cfFormat] = CachedData{format, hGlobal};
}

void COleDataSource::Empty()
{
    for (const auto& [format, data] : m_cache)
        ::GlobalFree(data.hGlobal);
    m_cache.clear();
}

const COleDataSource::CachedData* COleDataSource::Find(const FORMATETC* pFormat) const
{
    if (pFormat == nullptr)
        return nullptr;
    const auto found = m_cache.find(pFormat->cfFormat);
    if (found == m_cache.end() || (pFormat->tymed & TYMED_HGLOBAL) == 0 ||
        pFormat->dwAspect != found->second.format.dwAspect)
        return nullptr;
    return &found->second;
}

// ---- IDataObject ----

STDMETHODIMP COleDataSource::CDataObject::QueryInterface(REFIID riid, void** ppv)
{
    return AnswerInterface(this, riid, IID_IDataObject, ppv);
}

STDMETHODIMP_(ULONG) COleDataSource::CDataObject::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_nRefs)); }

STDMETHODIMP_(ULONG) COleDataSource::CDataObject::Release() { return static_cast<ULONG>(::InterlockedDecrement(&m_nRefs)); }

STDMETHODIMP COleDataSource::CDataObject::GetData(FORMATETC* pFormat, STGMEDIUM* pMedium)
{
    if (pMedium == nullptr)
        return E_POINTER;
    const CachedData* data = m_source.Find(pFormat);
    if (data == nullptr)
        return DV_E_FORMATETC;
    HGLOBAL copy = CopyBlock(data->hGlobal);
    if (copy == nullptr)
        return E_OUTOFMEMORY;
    pMedium->tymed = TYMED_HGLOBAL;
    pMedium->hGlobal = copy;
    pMedium->pUnkForRelease = nullptr;
    return S_OK;
}

STDMETHODIMP COleDataSource::CDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

STDMETHODIMP COleDataSource::CDataObject::QueryGetData(FORMATETC* pFormat)
{
    return m_source.Find(pFormat) != nullptr ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP COleDataSource::CDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut)
{
    if (pOut != nullptr)
        pOut->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP COleDataSource::CDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

STDMETHODIMP COleDataSource::CDataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum)
{
    if (ppEnum == nullptr)
        return E_POINTER;
    *ppEnum = nullptr;
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const auto& [format, data] : m_source.m_cache)
        formats.push_back(data.format);
    return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), ppEnum);
}

STDMETHODIMP COleDataSource::CDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP COleDataSource::CDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

STDMETHODIMP COleDataSource::CDataObject::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }
