#include "core/profile/DeviceNames.h"

#include "core/files/TextHelpers.h"

void CDeviceNames::SetInterName(LPCTSTR deviceName, LPCTSTR modelName)
{
    std::lock_guard lock(m_lock);
    m_interNames[UpperKey(deviceName)] = modelName != nullptr ? modelName : L"";
}

CString CDeviceNames::GetInterName(LPCTSTR deviceName) const
{
    std::lock_guard lock(m_lock);
    const auto found = m_interNames.find(UpperKey(deviceName));
    return found != m_interNames.end() ? found->second : CString();
}

std::vector<CString> CDeviceNames::ListInterNames() const
{
    std::lock_guard lock(m_lock);
    std::vector<CString> names;
    for (const auto& entry : m_interNames)
        names.push_back(entry.second);
    return names;
}

void CDeviceNames::ClearInterNames()
{
    std::lock_guard lock(m_lock);
    m_interNames.clear();
}

void CDeviceNames::SetDeviceSeries(LPCTSTR modelName, LPCTSTR series)
{
    std::lock_guard lock(m_lock);
    m_series[UpperKey(modelName)] = series != nullptr ? series : L"";
}

void CDeviceNames::ClearDeviceSeries()
{
    std::lock_guard lock(m_lock);
    m_series.clear();
}

CString CDeviceNames::GetDeviceSeries(LPCTSTR name) const
{
    std::lock_guard lock(m_lock);
    const CString key = UpperKey(name);
    if (key.IsEmpty())
        return CString();
    auto found = m_series.find(key);
    if (found == m_series.end()) {
        // Callers holding the chooser's label reach the model through the device-name map.
        const auto model = m_interNames.find(key);
        if (model != m_interNames.end())
            found = m_series.find(UpperKey(model->second));
    }
    return found != m_series.end() ? found->second : CString();
}

CDeviceNames& GetDeviceNames()
{
    static CDeviceNames names;
    return names;
}

CString GetInterName(LPCTSTR deviceName) { return GetDeviceNames().GetInterName(deviceName); }
void SetInterName(LPCTSTR deviceName, LPCTSTR modelName) { GetDeviceNames().SetInterName(deviceName, modelName); }
std::vector<CString> ListInterNames() { return GetDeviceNames().ListInterNames(); }
CString GetDeviceSeries(LPCTSTR modelName) { return GetDeviceNames().GetDeviceSeries(modelName); }

void ListInterNames(CStringArray& names)
{
    names.RemoveAll();
    for (const CString& name : ListInterNames())
        names.Add(name);
}
