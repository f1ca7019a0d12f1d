// OLE data transfer: a memory file on a global memory block (what the
// clipboard and OLE data objects carry), and a data source that offers blocks
// of data in clipboard formats through its IDataObject.
#pragma once

#include <afxwin.h>
#include <objidl.h>

#include <map>

// A memory file whose block comes from GlobalAlloc with the given flags;
// Detach hands the block (unlocked, exactly the file's length) to the caller.
class CSharedFile : public CMemFile {
    DECLARE_DYNAMIC(CSharedFile)
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    ~CSharedFile() override;

    // The block holding the file's bytes, now the caller's; null for an empty file.
    HGLOBAL Detach();

protected:
    BYTE* Alloc(SIZE_T nBytes) override;
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override;
    void Free(BYTE* lpMem) override;

private:
    UINT m_nAllocFlags;
    HGLOBAL m_hGlobalMemory = nullptr;
};

// Offers global memory blocks in clipboard formats. The source owns what it
// caches and frees it with itself; its IDataObject hands out copies. The
// object must outlive every reference to its IDataObject (a drag or a
// clipboard holds one only meanwhile).
class COleDataSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    ~COleDataSource() override;
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // Takes the block and offers it in the format (TYMED_HGLOBAL), replacing
    // what the format held.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    // Frees every cached block.
    void Empty();
    // The source as an OLE data object (not AddRef'd).
    IDataObject* GetDataObject() { return &m_dataObject; }

private:
    class CDataObject : public IDataObject {
    public:
        explicit CDataObject(COleDataSource& source) : m_source(source) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;
        STDMETHODIMP GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override;
        STDMETHODIMP GetDataHere(FORMATETC* pFormat, STGMEDIUM* pMedium) override;
        STDMETHODIMP QueryGetData(FORMATETC* pFormat) override;
        STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* pIn, FORMATETC* pOut) override;
        STDMETHODIMP SetData(FORMATETC* pFormat, STGMEDIUM* pMedium, BOOL fRelease) override;
        STDMETHODIMP EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override;
        STDMETHODIMP DAdvise(FORMATETC* pFormat, DWORD advf, IAdviseSink* pSink, DWORD* pdwConnection) override;
        STDMETHODIMP DUnadvise(DWORD dwConnection) override;
        STDMETHODIMP EnumDAdvise(IEnumSTATDATA** ppEnum) override;

    private:
        COleDataSource& m_source;
        LONG m_nRefs = 0;
    };
    struct CachedData {
        FORMATETC format;
        HGLOBAL hGlobal;
    };
    const CachedData* Find(const FORMATETC* pFormat) const;

    std::map<CLIPFORMAT, CachedData> m_cache;
    CDataObject m_dataObject{*this};
};
