// The tasks pane's accessible client object: its children are the tasks of
// the page shown that draw themselves (hosted windows answer for
// themselves), numbered from 1 in page order; the last task clicked has the
// focus. The object holds only the pane's window handle and asks the pane
// anew on every call, so a client that keeps it past the pane gets
// CO_E_OBJNOTCONNECTED rather than a dangling pane.
#pragma once

#include <afxhandle.h>
#include <afxwin.h>
#include <oleacc.h>

class CKGPTasksPane;
class CKGPTasksPaneTask;
class CKGPTasksPaneAccessible;

// One reference to the object, given back when the owner goes.
void KGPReleaseAccessible(CKGPTasksPaneAccessible* pObject);
using CKGPTasksPaneAccessibleRef = CHandleOwner<CKGPTasksPaneAccessible*, &KGPReleaseAccessible>;

class CKGPTasksPaneAccessible final : public IAccessible {
public:
    // A new object for the pane's window; the owner holds its one reference.
    static CKGPTasksPaneAccessibleRef Create(HWND hWndPane);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IDispatch: no type information.
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** ppdispParent) override;
    STDMETHODIMP get_accChildCount(long* pcountChildren) override;
    STDMETHODIMP get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
    STDMETHODIMP get_accName(VARIANT varChild, BSTR* pszName) override;
    STDMETHODIMP get_accValue(VARIANT varChild, BSTR* pszValue) override;
    STDMETHODIMP get_accDescription(VARIANT varChild, BSTR* pszDescription) override;
    STDMETHODIMP get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
    STDMETHODIMP get_accState(VARIANT varChild, VARIANT* pvarState) override;
    STDMETHODIMP get_accHelp(VARIANT varChild, BSTR* pszHelp) override;
    STDMETHODIMP get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
    STDMETHODIMP get_accFocus(VARIANT* pvarChild) override;
    STDMETHODIMP get_accSelection(VARIANT* pvarChildren) override;
    STDMETHODIMP get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    STDMETHODIMP accSelect(long flagsSelect, VARIANT varChild) override;
    STDMETHODIMP accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    STDMETHODIMP accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
    STDMETHODIMP accHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    STDMETHODIMP accDoDefaultAction(VARIANT varChild) override;
    STDMETHODIMP put_accName(VARIANT varChild, BSTR szName) override;
    STDMETHODIMP put_accValue(VARIANT varChild, BSTR szValue) override;

private:
    explicit CKGPTasksPaneAccessible(HWND hWndPane) : m_hWndPane(hWndPane) {}
    ~CKGPTasksPaneAccessible() = default;

    // The pane while its window lives, else null.
    CKGPTasksPane* Pane() const;
    // S_OK and the child's number (0 the pane itself) for a valid child of
    // the live pane; CO_E_OBJNOTCONNECTED or E_INVALIDARG otherwise.
    HRESULT Resolve(const VARIANT& varChild, CKGPTasksPane*& pPane, long& nChild) const;
    // An answer begun: the out variant emptied, the live pane found.
    HRESULT Start(VARIANT* pvarOut, CKGPTasksPane*& pPane) const;
    // The task of a valid child number (from 1).
    static const CKGPTasksPaneTask& TaskOf(const CKGPTasksPane& pane, long nChild);
    // A number about a valid child (0 the pane) as a VT_I4 answer.
    HRESULT AnswerNumber(const VARIANT& varChild, VARIANT* pvarOut, long (*answer)(CKGPTasksPane&, long)) const;

    LONG m_nRefs = 1;
    HWND m_hWndPane;
};
