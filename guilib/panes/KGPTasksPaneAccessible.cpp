#include "guilib/panes/KGPTasksPaneAccessible.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/panes/KGPTasksPane.h"

#include <new>

namespace {

// A string answer: S_FALSE and null for an empty text.
HRESULT AnswerText(const CString& text, BSTR* pszOut)
{
    if (pszOut == nullptr)
        return E_POINTER;
    *pszOut = nullptr;
    if (text.IsEmpty())
        return S_FALSE;
    *pszOut = ::SysAllocString(text.GetString());
    return *pszOut != nullptr ? S_OK : E_OUTOFMEMORY;
}

void SetChild(VARIANT* pvar, long nChild)
{
    ::VariantInit(pvar);
    pvar->vt = VT_I4;
    pvar->lVal = nChild;
}

} // namespace

void KGPReleaseAccessible(CKGPTasksPaneAccessible* pObject)
{
    pObject->Release();
}

CKGPTasksPaneAccessibleRef CKGPTasksPaneAccessible::Create(HWND hWndPane)
{
    return CKGPTasksPaneAccessibleRef(new (std::nothrow) CKGPTasksPaneAccessible(hWndPane));
}

CKGPTasksPane* CKGPTasksPaneAccessible::Pane() const
{
    if (!::IsWindow(m_hWndPane))
        return nullptr;
    return DYNAMIC_DOWNCAST(CKGPTasksPane, CWnd::FromHandlePermanent(m_hWndPane));
}

HRESULT CKGPTasksPaneAccessible::Resolve(const VARIANT& varChild, CKGPTasksPane*& pPane, long& nChild) const
{
    pPane = Pane();
    if (pPane == nullptr)
        return CO_E_OBJNOTCONNECTED;
    if (varChild.vt != VT_I4)
        return E_INVALIDARG;
    nChild = varChild.lVal;
    if (nChild < CHILDID_SELF || nChild > static_cast<long>(pPane->GetAccessibleTasks().size()))
        return E_INVALIDARG;
    return S_OK;
}

const CKGPTasksPaneTask& CKGPTasksPaneAccessible::TaskOf(const CKGPTasksPane& pane, long nChild)
{
    return *pane.GetAccessibleTasks()[static_cast<size_t>(nChild - 1)];
}

HRESULT CKGPTasksPaneAccessible::Start(VARIANT* pvarOut, CKGPTasksPane*& pPane) const
{
    if (pvarOut == nullptr)
        return E_POINTER;
    ::VariantInit(pvarOut);
    pPane = Pane();
    return pPane != nullptr ? S_OK : CO_E_OBJNOTCONNECTED;
}

HRESULT CKGPTasksPaneAccessible::AnswerNumber(const VARIANT& varChild, VARIANT* pvarOut,
                                              long (*answer)(CKGPTasksPane&, long)) const
{
    if (pvarOut == nullptr)
        return E_POINTER;
    ::VariantInit(pvarOut);
    CKGPTasksPane* pPane = nullptr;
    long nChild = 0;
    if (const HRESULT hr = Resolve(varChild, pPane, nChild); FAILED(hr))
        return hr;
    SetChild(pvarOut, answer(*pPane, nChild));
    return S_OK;
}

// ---- IUnknown and IDispatch.

STDMETHODIMP CKGPTasksPaneAccessible::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
        *ppv = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CKGPTasksPaneAccessible::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_nRefs));
}

STDMETHODIMP_(ULONG) CKGPTasksPaneAccessible::Release()
{
    const LONG left = ::InterlockedDecrement(&m_nRefs);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP CKGPTasksPaneAccessible::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo == nullptr)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP CKGPTasksPaneAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo != nullptr)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CKGPTasksPaneAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CKGPTasksPaneAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

// ---- The pane and its tasks.

STDMETHODIMP CKGPTasksPaneAccessible::get_accParent(IDispatch** ppdispParent)
{
    if (ppdispParent == nullptr)
        return E_POINTER;
    *ppdispParent = nullptr;
    return Pane() != nullptr ? S_FALSE : CO_E_OBJNOTCONNECTED;
}

STDMETHODIMP CKGPTasksPaneAccessible::get_accChildCount(long* pcountChildren)
{
    if (pcountChildren == nullptr)
        return E_POINTER;
    CKGPTasksPane* pPane = Pane();
    *pcountChildren = pPane != nullptr ? static_cast<long>(pPane->GetAccessibleTasks().size()) : 0;
    return pPane != nullptr ? S_OK : CO_E_OBJNOTCONNECTED;
}

STDMETHODIMP CKGPTasksPaneAccessible::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == nullptr)
        return E_POINTER;
    *ppdispChild = nullptr;
    CKGPTasksPane* pPane = nullptr;
    long nChild = 0;
    const HRESULT hr = Resolve(varChild, pPane, nChild);
    // The tasks are simple elements of this object.
    return FAILED(hr) ? hr : S_FALSE;
}

STDMETHODIMP CKGPTasksPaneAccessible::get_accName(VARIANT varChild, BSTR* pszName)
{
    if (pszName == nullptr)
        return E_POINTER;
    *pszName = nullptr;
    CKGPTasksPane* pPane = nullptr;
    long nChild = 0;
    if (const HRESULT hr = Resolve(varChild, pPane, nChild); FAILED(hr))
        return hr;
    if (nChild == CHILDID_SELF) {
        CString text;
        pPane->GetWindowText(text);
        return AnswerText(text, pszName);
    }
    return AnswerText(TaskOf(*pPane, nChild).m_strName, pszName);
}

STDMETHODIMP CKGPTasksPaneAccessible::get_accValue(VARIANT, BSTR* pszValue)
{
    if (pszValue != nullptr)
        *pszValue = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP CKGPTasksPaneAccessible::get_accDescription(VARIANT, BSTR* pszDescription)
{
    if (pszDescription != nullptr)
        *pszDescription = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP CKGPTasksPaneAccessible::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    return AnswerNumber(varChild, pvarRole, [](CKGPTasksPane& pane, long nChild) -> long {
        if (nChild == CHILDID_SELF)
            return ROLE_SYSTEM_CLIENT;
        return TaskOf(pane, nChild).m_uiCommandID != 0 ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT;
    });
}

STDMETHODIMP CKGPTasksPaneAccessible::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    return AnswerNumber(varChild, pvarState, [](CKGPTasksPane& pane, long nChild) -> long {
        long state = 0;
        if (nChild == CHILDID_SELF) {
            state = STATE_SYSTEM_FOCUSABLE;
            if (!pane.IsWindowVisible())
                state |= STATE_SYSTEM_INVISIBLE;
            if (::GetFocus() == pane.GetSafeHwnd())
                state |= STATE_SYSTEM_FOCUSED;
            return state;
        }
        const CKGPTasksPaneTask& task = TaskOf(pane, nChild);
        if (task.m_uiCommandID != 0)
            state |= STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED;
        if (!task.m_bEnabled)
            state |= STATE_SYSTEM_UNAVAILABLE;
        if (task.m_rect.IsRectEmpty())
            state |= STATE_SYSTEM_INVISIBLE; // in a collapsed group or scrolled away
        if (nChild == pane.GetAccessibleFocus())
            state |= STATE_SYSTEM_FOCUSED;
        return state;
    });
}

STDMETHODIMP CKGPTasksPaneAccessible::get_accHelp(VARIANT, BSTR* pszHelp)
{
    if (pszHelp != nullptr)
        *pszHelp = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP CKGPTasksPaneAccessible::get_accHelpTopic(BSTR* pszHelpFile, VARIANT, long* pidTopic)
{
    if (pszHelpFile != nullptr)
        *pszHelpFile = nullptr;
    if (pidTopic != nullptr)
        *pidTopic = 0;
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP CKGPTasksPaneAccessible::get_accKeyboardShortcut(VARIANT, BSTR* pszKeyboardShortcut)
{
    if (pszKeyboardShortcut != nullptr)
        *pszKeyboardShortcut = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP CKGPTasksPaneAccessible::get_accFocus(VARIANT* pvarChild)
{
    CKGPTasksPane* pPane = nullptr;
    if (const HRESULT hr = Start(pvarChild, pPane); FAILED(hr))
        return hr;
    const long nChild = pPane->GetAccessibleFocus();
    if (nChild == CHILDID_SELF)
        return S_FALSE; // VT_EMPTY: no task has the focus
    SetChild(pvarChild, nChild);
    return S_OK;
}

STDMETHODIMP CKGPTasksPaneAccessible::get_accSelection(VARIANT* pvarChildren)
{
    if (pvarChildren != nullptr)
        ::VariantInit(pvarChildren);
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP CKGPTasksPaneAccessible::get_accDefaultAction(VARIANT, BSTR* pszDefaultAction)
{
    if (pszDefaultAction != nullptr)
        *pszDefaultAction = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP CKGPTasksPaneAccessible::accSelect(long, VARIANT)
{
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP CKGPTasksPaneAccessible::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                  VARIANT varChild)
{
    if (pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr)
        return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    CKGPTasksPane* pPane = nullptr;
    long nChild = 0;
    if (const HRESULT hr = Resolve(varChild, pPane, nChild); FAILED(hr))
        return hr;
    CRect rect;
    if (nChild == CHILDID_SELF)
        pPane->GetClientRect(rect);
    else
        rect = TaskOf(*pPane, nChild).m_rect;
    pPane->ClientToScreen(rect);
    *pxLeft = rect.left;
    *pyTop = rect.top;
    *pcxWidth = rect.Width();
    *pcyHeight = rect.Height();
    return S_OK;
}

STDMETHODIMP CKGPTasksPaneAccessible::accNavigate(long, VARIANT, VARIANT* pvarEndUpAt)
{
    if (pvarEndUpAt != nullptr)
        ::VariantInit(pvarEndUpAt);
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP CKGPTasksPaneAccessible::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    CKGPTasksPane* pPane = nullptr;
    if (const HRESULT hr = Start(pvarChild, pPane); FAILED(hr))
        return hr;
    CPoint point(xLeft, yTop);
    pPane->ScreenToClient(&point);
    CRect client;
    pPane->GetClientRect(client);
    if (!client.PtInRect(point))
        return S_FALSE; // VT_EMPTY: not on the pane
    const std::vector<CKGPTasksPaneTask*> tasks = pPane->GetAccessibleTasks();
    long nChild = CHILDID_SELF;
    for (size_t i = 0; i < tasks.size(); ++i) {
        if (tasks[i]->m_rect.PtInRect(point)) {
            nChild = static_cast<long>(i + 1);
            break;
        }
    }
    SetChild(pvarChild, nChild);
    return S_OK;
}

STDMETHODIMP CKGPTasksPaneAccessible::accDoDefaultAction(VARIANT)
{
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP CKGPTasksPaneAccessible::put_accName(VARIANT, BSTR)
{
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP CKGPTasksPaneAccessible::put_accValue(VARIANT, BSTR)
{
    return DISP_E_MEMBERNOTFOUND;
}

// ---- The pane's side.

std::vector<CKGPTasksPaneTask*> CKGPTasksPane::GetAccessibleTasks() const
{
    std::vector<CKGPTasksPaneTaskGroup*> groups;
    CurrentGroups(groups);
    std::vector<CKGPTasksPaneTask*> tasks;
    for (const CKGPTasksPaneTaskGroup* pGroup : groups) {
        for (POSITION pos = pGroup->m_lstTasks.GetHeadPosition(); pos != nullptr;) {
            CKGPTasksPaneTask* pTask = pGroup->m_lstTasks.GetNext(pos);
            if (pTask->m_bVisible && pTask->m_hwndTask == nullptr)
                tasks.push_back(pTask);
        }
    }
    return tasks;
}

long CKGPTasksPane::GetAccessibleFocus() const
{
    const CKGPTasksPaneTask* pClicked = GetTask(m_nAccGroup, m_nAccTask);
    if (pClicked == nullptr)
        return CHILDID_SELF;
    const std::vector<CKGPTasksPaneTask*> tasks = GetAccessibleTasks();
    for (size_t i = 0; i < tasks.size(); ++i)
        if (tasks[i] == pClicked)
            return static_cast<long>(i + 1);
    return CHILDID_SELF;
}

LRESULT CKGPTasksPane::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    const CKGPGlobalData& data = GetKGPGlobalData();
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !data.m_bEnableAccessibility)
        return Default();
    const CKGPTasksPaneAccessibleRef object = CKGPTasksPaneAccessible::Create(m_hWnd);
    if (!object)
        return Default();
    // The result holds its own reference; the owner gives back the first.
    return data.LresultFromObject(__uuidof(IAccessible), wParam, object.Get());
}
