// OLE data transfer: a memory file on a global memory block (what the
// clipboard and OLE data objects carry), a data source that offers blocks of
// data in clipboard formats through its IDataObject and can be dragged, the
// data object a drop target receives, and the drop source and drop target of
// a drag and drop. OLE must be initialised on the thread (OleInitialize) for
// drags and drop targets. Last, an OLE container's document and its items, as
// far as the library's frames ask them which item is active in place.
#pragma once

#include <afxtempl.h>
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

// ---- Container documents

class COleDocument;

// An item a container document holds. The layer makes no OLE object and
// speaks to no server: an item is told that it is active in place in a view
// of its document (with the hook of the server's in-place frame, which hears
// of the container frame's layouts) and that it is deactivated.
class COleClientItem : public CCmdTarget {
    DECLARE_DYNAMIC(COleClientItem)
public:
    enum ItemState { emptyState, loadedState, openState, activeState, activeUIState };

    // The item joins the document (which then owns it) when one is given.
    explicit COleClientItem(COleDocument* pContainerDoc = nullptr);
    // Leaves its document; deactivated first when it was active.
    ~COleClientItem() override;
    COleClientItem(const COleClientItem&) = delete;
    COleClientItem& operator=(const COleClientItem&) = delete;

    COleDocument* GetDocument() const { return m_pDocument; }
    ItemState GetItemState() const { return m_nItemState; }
    BOOL IsInPlaceActive() const { return m_nItemState == activeState || m_nItemState == activeUIState; }
    // The view the item is active in, else null.
    CView* GetActiveView() const { return m_pView; }

    // Active in place in a view of its document: an item of the document
    // active in that view is deactivated first. FALSE for an item of no
    // document or a view that shows another document.
    virtual BOOL ActivateInPlace(CView* pView, COleFrameHook* pInPlaceFrame = nullptr);
    // Back to loaded: no view and no in-place frame.
    virtual void Deactivate();

    // The server's in-place frame while the item is active in place (not owned).
    COleFrameHook* m_pInPlaceFrame = nullptr;

private:
    friend class COleDocument;
    COleDocument* m_pDocument = nullptr;
    ItemState m_nItemState = loadedState;
    CView* m_pView = nullptr;
};

// A container's document: owns its items and tells which of them is active
// in place in a view.
class COleDocument : public CDocument {
    DECLARE_DYNAMIC(COleDocument)
public:
    COleDocument();
    ~COleDocument() override;

    // The document owns the item from now on (an item of another document
    // leaves that one).
    void AddItem(COleClientItem* pItem);
    // The item is the caller's again.
    void RemoveItem(COleClientItem* pItem);
    INT_PTR GetItemCount() const { return m_items.GetCount(); }

    // The item active in place in the window: the view itself, or a view
    // whose frame is the window. Null when none is.
    COleClientItem* GetInPlaceActiveItem(CWnd* pWnd) const;

    // An item active in a view that left the document is deactivated.
    void OnChangedViewList() override;

private:
    COwningPtrList<CObList, COleClientItem*> m_items;
};
