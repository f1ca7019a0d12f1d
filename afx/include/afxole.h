// OLE data transfer: a memory file on a global memory block (what the
// clipboard and OLE data objects carry), a data source that offers blocks of
// data in clipboard formats through its IDataObject and can be dragged, the
// data object a drop target receives, and the drop source and drop target of
// a drag and drop. OLE must be initialised on the thread (OleInitialize) for
// drags and drop targets.
#pragma once

#include <afxwin.h>
#include <objidl.h>

#include <map>

// What a drop does with the data (DROPEFFECT_NONE, _COPY, _MOVE, _LINK).
using DROPEFFECT = DWORD;

class COleDropSource;

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
    // Drags the data: once the mouse leaves the start rectangle (screen
    // coordinates; none: at once) until it is dropped or the drag is
    // cancelled. The effect of the drop, DROPEFFECT_NONE when there was none.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = nullptr, COleDropSource* pDropSource = nullptr);

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

// The data object of a drop or the clipboard, as its receiver reads it.
class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject() { Release(); }
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // Holds the data object; with bAutoRelease it is released when let go.
    void Attach(IDataObject* lpDataObject, BOOL bAutoRelease = TRUE);
    IDataObject* Detach();
    void Release();
    IDataObject* GetIDataObject() const { return m_lpDataObject; }

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr) const;
    // A copy of the data as a global block, the caller's; null when the
    // format is not offered.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr) const;
    // A memory file holding a copy of the data, the caller's; null when the
    // format is not offered.
    CFile* GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr) const;

private:
    IDataObject* m_lpDataObject = nullptr;
    BOOL m_bAutoRelease = TRUE;
};

// The source side of a drag: when to go on, when to drop, which cursor.
class COleDropSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropSource)
public:
    COleDropSource() = default;
    ~COleDropSource() override = default;
    COleDropSource(const COleDropSource&) = delete;
    COleDropSource& operator=(const COleDropSource&) = delete;

    // Esc or the other mouse button cancels; releasing the button that
    // started the drag drops.
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    // The system's drag cursors.
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);
    // Before the drag: holds the mouse until it leaves the start rectangle
    // (TRUE) or the button comes up or Esc is pressed (FALSE); FALSE at once
    // when the dragging button is not down.
    virtual BOOL OnBeginDrag(CWnd* pWnd);
    // The last drag ended with a drop (wherever it fell), not a cancel.
    BOOL WasDropped() const { return m_bDropped; }

    IDropSource* GetInterface() { return &m_dropSource; }

    CRect m_rectStartDrag;
    // The mouse button that drags (MK_LBUTTON or MK_RBUTTON), found when the drag begins.
    DWORD m_dwButtonDrop = MK_LBUTTON;
    DWORD m_dwButtonCancel = MK_RBUTTON;

private:
    friend class COleDataSource;
    BOOL m_bDropped = FALSE;
    class CDropSource : public IDropSource {
    public:
        explicit CDropSource(COleDropSource& owner) : m_owner(owner) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        STDMETHODIMP_(ULONG) AddRef() override { return 1; }
        STDMETHODIMP_(ULONG) Release() override { return 1; }
        STDMETHODIMP QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override;
        STDMETHODIMP GiveFeedback(DWORD dwEffect) override;

    private:
        COleDropSource& m_owner;
    };
    CDropSource m_dropSource{*this};
};

// The target side: a window registered for drops hears of data dragged over
// it, with points in its client coordinates.
class COleDropTarget : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget() = default;
    ~COleDropTarget() override;
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // Registers the window for drops; FALSE when OLE is not initialised on
    // this thread or the window is registered already.
    BOOL Register(CWnd* pWnd);
    // Unregisters the window (before it is destroyed).
    virtual void Revoke();
    BOOL IsRegistered() const { return m_hWnd != nullptr; }

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    // TRUE when the data was taken.
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

    IDropTarget* GetInterface() { return &m_dropTarget; }

private:
    class CDropTarget : public IDropTarget {
    public:
        explicit CDropTarget(COleDropTarget& owner) : m_owner(owner) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        STDMETHODIMP_(ULONG) AddRef() override { return 1; }
        STDMETHODIMP_(ULONG) Release() override { return 1; }
        STDMETHODIMP DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHODIMP DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHODIMP DragLeave() override;
        STDMETHODIMP Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

    private:
        COleDropTarget& m_owner;
    };
    CPoint ClientPoint(POINTL pt) const;
    CWnd* Window() const { return CWnd::FromHandle(m_hWnd); }

    HWND m_hWnd = nullptr;
    COleDataObject m_dataObject;  // the data being dragged over the window
    DWORD m_dwLastEffect = DROPEFFECT_NONE;
    CDropTarget m_dropTarget{*this};
};
