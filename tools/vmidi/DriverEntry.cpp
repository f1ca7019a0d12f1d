// Entry points that Wine's audio layer and winmm look up in the driver.
#include <windows.h>
#include <mmsystem.h>
#include <mmddk.h>

#include "tools/vmidi/Driver.h"

extern "C" {

// Audio-driver side: chosen ("preferred") but with no audio endpoints at all.
__declspec(dllexport) int WINAPI GetPriority(void) { return 3; }

__declspec(dllexport) HRESULT WINAPI GetEndpointIDs(int /*flow*/, WCHAR*** ids, GUID** guids, UINT* count, UINT* defaultIndex)
{
    if (ids)
        *ids = nullptr;
    if (guids)
        *guids = nullptr;
    if (count)
        *count = 0;
    if (defaultIndex)
        *defaultIndex = 0;
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI GetAudioEndpoint(void* /*key*/, void* /*device*/, void** out)
{
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}

__declspec(dllexport) HRESULT WINAPI GetAudioSessionManager(void* /*device*/, void** out)
{
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}

__declspec(dllexport) LRESULT WINAPI DriverProc(DWORD_PTR id, HDRVR driver, UINT message, LPARAM param1, LPARAM param2)
{
    switch (message) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_OPEN:
    case DRV_CLOSE:
    case DRV_ENABLE:
    case DRV_DISABLE:
        return 1;
    default:
        return DefDriverProc(id, driver, message, param1, param2);
    }
}

__declspec(dllexport) DWORD WINAPI modMessage(UINT device, UINT message, DWORD_PTR user, DWORD_PTR param1, DWORD_PTR param2)
{
    return vmidi::Driver::Instance().OutMessage(device, message, param1, param2);
}

__declspec(dllexport) DWORD WINAPI midMessage(UINT device, UINT message, DWORD_PTR user, DWORD_PTR param1, DWORD_PTR param2)
{
    return vmidi::Driver::Instance().InMessage(device, message, param1, param2);
}

} // extern "C"
