#include "core/link/cnComm.h"

cnComm::~cnComm()
{
    Close();
}

bool cnComm::Open(const wchar_t* devicePath)
{
    Close();
    m_hDevice.Reset(CreateFileW(devicePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    return IsOpen();
}

void cnComm::Close()
{
    m_hDevice.Reset();
}
