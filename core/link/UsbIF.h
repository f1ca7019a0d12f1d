// Enumeration of the instrument's USB device interface. The port runs it once
// when it is created and keeps what it found; nothing ever opens a device, and
// a machine without the instrument on USB (the usual case) finds nothing.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The device-interface class the instrument's USB function registers.
// {6E3B2D41-8C5A-4F7E-9B1D-2A4C6F8E0D17}
constexpr GUID kInstrumentUsbInterface = {
    0x6e3b2d41, 0x8c5a, 0x4f7e, {0x9b, 0x1d, 0x2a, 0x4c, 0x6f, 0x8e, 0x0d, 0x17}};

struct UsbInterfaceEntry {
    std::wstring devicePath;  // what a transport would open
    std::wstring instanceId;  // the device instance behind the interface
};

class CUsbIF {
public:
    explicit CUsbIF(const GUID& interfaceClass = kInstrumentUsbInterface);

    // Lists the present interfaces of the class; returns how many were found.
    size_t Enumerate();
    const std::vector<UsbInterfaceEntry>& GetEntries() const { return m_entries; }

private:
    GUID m_interfaceClass;
    std::vector<UsbInterfaceEntry> m_entries;
};
