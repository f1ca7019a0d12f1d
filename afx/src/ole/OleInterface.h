// The one QueryInterface of the layer's OLE objects: each offers IUnknown and
// a single interface of its own.
#pragma once

#include <objidl.h>

template <class Interface>
HRESULT AnswerInterface(Interface* self, REFIID riid, REFIID iid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, iid)) {
        *ppv = self;
        self->AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}
