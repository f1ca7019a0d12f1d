// The connected instrument's names and the maps that classify instruments: from
// the device name (the chooser's label) to the internal model name, and from
// the model to its series. Shared by the GUI thread and the workers.
#pragma once

#include <afx.h>

#include <map>
#include <mutex>
#include <vector>

class CDeviceNames {
public:
    CDeviceNames() = default;
    CDeviceNames(const CDeviceNames&) = delete;
    CDeviceNames& operator=(const CDeviceNames&) = delete;

    // Empty when no instrument is connected.
    CString m_deviceName;
    CString m_midiPortName;

    // Device-name map: key the upper-cased device name (the chooser's label).
    void SetInterName(LPCTSTR deviceName, LPCTSTR modelName);
    CString GetInterName(LPCTSTR deviceName) const;
    std::vector<CString> ListInterNames() const;
    void ClearInterNames();

    // Series map: key the upper-cased internal model name.
    void SetDeviceSeries(LPCTSTR modelName, LPCTSTR series);
    void ClearDeviceSeries();
    // The series of a model; a name that is not a model is also tried as a device
    // name through the device-name map. Empty when unknown.
    CString GetDeviceSeries(LPCTSTR name) const;

private:
    mutable std::mutex m_lock;
    std::map<CString, CString> m_interNames;
    std::map<CString, CString> m_series;
};

CDeviceNames& GetDeviceNames();

CString GetInterName(LPCTSTR deviceName);
void SetInterName(LPCTSTR deviceName, LPCTSTR modelName);
std::vector<CString> ListInterNames();
void ListInterNames(CStringArray& names);
CString GetDeviceSeries(LPCTSTR modelName);
