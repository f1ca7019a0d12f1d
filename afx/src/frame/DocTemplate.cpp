// CDocTemplate, CSingleDocTemplate and the application's template list.
#include <afxwin.h>

#include <algorithm>
#include <memory>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass), m_nIDResource(nIDResource)
{
    LoadTemplate();
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty() && m_nIDResource != 0)
        m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    int start = 0;
    for (int part = 0; part < index; ++part) {
        const int newline = m_strDocStrings.Find(L'\n', start);
        if (newline < 0)
            return FALSE;
        start = newline + 1;
    }
    const int end = m_strDocStrings.Find(L'\n', start);
    rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
    return TRUE;
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    if (pDoc)
        pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc && pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = nullptr;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    while (POSITION pos = GetFirstDocPosition()) {
        CDocument* doc = GetNextDoc(pos);
        const CDocument* before = doc;
        doc->OnCloseDocument();
        // A document that stays (m_bAutoDelete cleared) must still leave the list.
        if (GetFirstDocPosition() != nullptr) {
            POSITION again = GetFirstDocPosition();
            if (GetNextDoc(again) == before)
                RemoveDocument(doc);
        }
    }
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos)
        if (!GetNextDoc(pos)->SaveModified())
            return FALSE;
    return TRUE;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == nullptr)
        return nullptr;
    auto* doc = static_cast<CDocument*>(m_pDocClass->CreateObject());
    if (doc == nullptr)
        return nullptr;
    AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    if (m_pFrameClass == nullptr)
        return nullptr;
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;

    // The frame deletes itself when its window goes, also when its creation
    // is refused once the window stands; a frame no window was made for is
    // deleted by the creation.
    return AfxCreateSelfDeleting(static_cast<CFrameWnd*>(m_pFrameClass->CreateObject()), [&](CFrameWnd& frame) {
        return frame.LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context);
    });
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

// ---- CSingleDocTemplate

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc)
        m_pOnlyDoc->m_pDocTemplate = nullptr;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc ? BEFORE_START_POSITION : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* doc = rPos == BEFORE_START_POSITION ? m_pOnlyDoc : nullptr;
    rPos = nullptr;
    return doc;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (!GetDocString(title, docName) || title.IsEmpty())
        title = L"Untitled";
    pDocument->SetTitle(title);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* doc = nullptr;
    CFrameWnd* frame = nullptr;
    bool created = false;
    bool frameCreated = false;

    if (m_pOnlyDoc != nullptr) {
        // One document at a time: it is reused, asked first whether it may go.
        doc = m_pOnlyDoc;
        if (!doc->SaveModified())
            return nullptr;
        POSITION pos = doc->GetFirstViewPosition();
        if (CView* view = doc->GetNextView(pos))
            frame = view->GetParentFrame();
    } else {
        doc = CreateNewDocument();
        if (doc == nullptr) {
            AfxMessageBox(L"Failed to create empty document.");
            return nullptr;
        }
        created = true;
    }

    if (frame == nullptr) {
        // The document must not close itself while its first view comes and goes.
        const BOOL autoDelete = doc->m_bAutoDelete;
        doc->m_bAutoDelete = FALSE;
        frame = CreateNewFrame(doc, nullptr);
        doc->m_bAutoDelete = autoDelete;
        if (frame == nullptr) {
            AfxMessageBox(L"Failed to create the document window.");
            if (created)
                delete doc;
            return nullptr;
        }
        frameCreated = true;
    }

    if (lpszPathName == nullptr) {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument()) {
            if (frameCreated)
                frame->DestroyWindow();  // takes the document with its view
            else if (created)
                delete doc;
            return nullptr;
        }
    } else {
        if (!doc->OnOpenDocument(lpszPathName)) {
            if (frameCreated)
                frame->DestroyWindow();
            else if (created)
                delete doc;
            return nullptr;
        }
        doc->SetPathName(lpszPathName);
    }

    // The first frame of the thread becomes its main window before any view
    // sees its first update.
    CWinThread* thread = AfxGetThread();
    if (frameCreated && thread != nullptr && thread->m_pMainWnd == nullptr)
        thread->m_pMainWnd = frame;
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}

// ---- CMultiDocTemplate

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
    // The base's constructor ran only its own part.
    LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    for (POSITION pos = m_docList.GetHeadPosition(); pos != nullptr;)
        static_cast<CDocument*>(m_docList.GetNext(pos))->m_pDocTemplate = nullptr;
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    if (m_nIDResource == 0)
        return;
    const LPCTSTR name = MAKEINTRESOURCE(m_nIDResource);
    if (!m_hMenuShared)
        m_hMenuShared.Reset(::LoadMenuW(AfxFindResourceHandle(name, RT_MENU), name));
    if (!m_hAccelTable)
        m_hAccelTable.Reset(::LoadAcceleratorsW(AfxFindResourceHandle(name, RT_ACCELERATOR), name));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    if (pDoc == nullptr || m_docList.Find(pDoc) != nullptr)
        return;
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (POSITION pos = m_docList.Find(pDoc)) {
        m_docList.RemoveAt(pos);
        CDocTemplate::RemoveDocument(pDoc);
    }
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const
{
    return m_docList.GetHeadPosition();
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    return rPos == nullptr ? nullptr : static_cast<CDocument*>(m_docList.GetNext(rPos));
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString name;
    if (!GetDocString(name, docName) || name.IsEmpty())
        name = L"Untitled";
    CString title;
    title.Format(L"%s%u", name.GetString(), m_nUntitledCount + 1);
    pDocument->SetTitle(title);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* doc = CreateNewDocument();
    if (doc == nullptr) {
        AfxMessageBox(L"Failed to create empty document.");
        return nullptr;
    }
    const BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (frame == nullptr) {
        AfxMessageBox(L"Failed to create the document window.");
        RemoveDocument(doc);
        delete doc;
        return nullptr;
    }
    if (lpszPathName == nullptr) {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument()) {
            frame->DestroyWindow();  // takes the document with its view
            return nullptr;
        }
        ++m_nUntitledCount;
    } else {
        if (!doc->OnOpenDocument(lpszPathName)) {
            frame->DestroyWindow();
            return nullptr;
        }
        doc->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}

// ---- CDocManager

CDocManager::~CDocManager()
{
    for (CDocTemplate* docTemplate : m_templateList)
        delete docTemplate;
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == nullptr)
        return;
    if (std::find(m_templateList.begin(), m_templateList.end(), pTemplate) == m_templateList.end()) {
        pTemplate->LoadTemplate();
        m_templateList.push_back(pTemplate);
    }
}

POSITION CDocManager::GetFirstDocTemplatePosition() const
{
    return m_templateList.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(1));
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const
{
    const auto index = static_cast<std::size_t>(reinterpret_cast<INT_PTR>(pos) - 1);
    if (pos == nullptr || index >= m_templateList.size()) {
        pos = nullptr;
        return nullptr;
    }
    pos = index + 1 < m_templateList.size() ? reinterpret_cast<POSITION>(static_cast<INT_PTR>(index + 2)) : nullptr;
    return m_templateList[index];
}

int CDocManager::GetDocumentCount() const
{
    int count = 0;
    for (CDocTemplate* docTemplate : m_templateList) {
        POSITION pos = docTemplate->GetFirstDocPosition();
        while (pos) {
            docTemplate->GetNextDoc(pos);
            ++count;
        }
    }
    return count;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    for (CDocTemplate* docTemplate : m_templateList)
        docTemplate->CloseAllDocuments(bEndSession);
}

BOOL CDocManager::SaveAllModified()
{
    for (CDocTemplate* docTemplate : m_templateList)
        if (!docTemplate->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CDocManager::OnFileNew()
{
    // With several templates the user would choose; this program has one.
    if (!m_templateList.empty())
        m_templateList.front()->OpenDocumentFile(nullptr);
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName)
{
    return m_templateList.empty() ? nullptr : m_templateList.front()->OpenDocumentFile(lpszFileName);
}
