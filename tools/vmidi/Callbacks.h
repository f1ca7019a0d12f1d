#pragma once
// Client notifications collected under the driver's lock and sent after it is
// released, so that a client may call the driver again from its callback.
#include <windows.h>
#include <mmsystem.h>
#include <mmddk.h>

#include <vector>

// In winmm's import library but not declared by the mingw headers.
extern "C" BOOL WINAPI DriverCallback(DWORD_PTR dwCallback, DWORD dwFlags, HDRVR hDevice, DWORD dwMsg,
                                      DWORD_PTR dwUser, DWORD_PTR dwParam1, DWORD_PTR dwParam2);

namespace vmidi {

// What a client gave at open.
struct Client {
    DWORD_PTR callback = 0;
    DWORD flags = 0; // DCB_* callback type
    HDRVR handle = nullptr;
    DWORD_PTR instance = 0;

    static Client FromOpen(const MIDIOPENDESC* desc, DWORD_PTR openFlags)
    {
        Client client;
        client.callback = desc->dwCallback;
        client.flags = HIWORD(static_cast<DWORD>(openFlags) & CALLBACK_TYPEMASK);
        client.handle = reinterpret_cast<HDRVR>(desc->hMidi);
        client.instance = desc->dwInstance;
        return client;
    }
};

struct Notification {
    Client client;
    UINT message = 0;
    DWORD_PTR param1 = 0;
    DWORD_PTR param2 = 0;
};

using Notifications = std::vector<Notification>;

inline void Send(const Notifications& notifications)
{
    for (const Notification& n : notifications)
        DriverCallback(n.client.callback, n.client.flags, n.client.handle, n.message, n.client.instance, n.param1, n.param2);
}

} // namespace vmidi
