// The instrument's USB transport. The port keeps one beside its MIDI link and
// closes it whenever the MIDI path is chosen; the program never selects the
// USB path, so in practice it is never open.
#pragma once

#include <afxhandle.h>

class cnComm {
public:
    cnComm() = default;
    ~cnComm();
    cnComm(const cnComm&) = delete;
    cnComm& operator=(const cnComm&) = delete;

    // Opens the device (a device-interface path) for reading and writing.
    bool Open(const wchar_t* devicePath);
    // Closes the device handle when one is open and marks the transport closed.
    void Close();
    bool IsOpen() const { return static_cast<bool>(m_hDevice); }
    HANDLE GetHandle() const { return m_hDevice.Get(); }

private:
    CFileHandle m_hDevice;
};
