#include "core/link/UsbIF.h"

#include <setupapi.h>

#include <memory>

namespace {

// Owns a SetupAPI device-information set.
class DeviceInfoSet {
public:
    explicit DeviceInfoSet(const GUID& interfaceClass)
        : m_set(SetupDiGetClassDevsW(&interfaceClass, nullptr, nullptr,
                                     DIGCF_PRESENT | DIGCF_DEVICEINTERFACE))
    {
    }
    ~DeviceInfoSet()
    {
        if (IsValid())
            SetupDiDestroyDeviceInfoList(m_set);
    }
    DeviceInfoSet(const DeviceInfoSet&) = delete;
    DeviceInfoSet& operator=(const DeviceInfoSet&) = delete;

    bool IsValid() const { return m_set != INVALID_HANDLE_VALUE; }
    HDEVINFO Get() const { return m_set; }

private:
    HDEVINFO m_set;
};

std::wstring InterfacePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data, SP_DEVINFO_DATA& device)
{
    DWORD needed = 0;
    SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &needed, nullptr);
    if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
        return {};
    // The detail structure is variable-sized; keep it in suitably aligned storage.
    auto storage = std::make_unique<DWORD[]>(needed / sizeof(DWORD) + 1);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.get());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(set, &data, detail, needed, nullptr, &device))
        return {};
    return detail->DevicePath;
}

std::wstring InstanceId(HDEVINFO set, SP_DEVINFO_DATA& device)
{
    constexpr DWORD kMaxInstanceIdLength = 200;  // the system's limit for a device instance id
    wchar_t id[kMaxInstanceIdLength + 1] = {};
    if (!SetupDiGetDeviceInstanceIdW(set, &device, id, kMaxInstanceIdLength, nullptr))
        return {};
    return id;
}

}  // namespace

CUsbIF::CUsbIF(const GUID& interfaceClass) : m_interfaceClass(interfaceClass) {}

size_t CUsbIF::Enumerate()
{
    m_entries.clear();
    DeviceInfoSet set(m_interfaceClass);
    if (!set.IsValid())
        return 0;
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA data = {};
        data.cbSize = sizeof data;
        if (!SetupDiEnumDeviceInterfaces(set.Get(), nullptr, &m_interfaceClass, index, &data))
            break;  // ERROR_NO_MORE_ITEMS, or nothing to list
        SP_DEVINFO_DATA device = {};
        device.cbSize = sizeof device;
        UsbInterfaceEntry entry;
        entry.devicePath = InterfacePath(set.Get(), data, device);
        if (entry.devicePath.empty())
            continue;
        entry.instanceId = InstanceId(set.Get(), device);
        m_entries.push_back(std::move(entry));
    }
    return m_entries.size();
}
