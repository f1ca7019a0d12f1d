#include "core/files/TraceLog.h"

#include "core/files/Folders.h"

#include <cstdarg>
#include <string>

namespace {

std::string ToAnsiWithCrLf(LPCTSTR text)
{
    std::wstring wide;
    for (const wchar_t* p = text; p != nullptr && *p != L'\0'; ++p) {
        if (*p == L'\n' && (wide.empty() || wide.back() != L'\r'))
            wide.push_back(L'\r');
        wide.push_back(*p);
    }
    if (wide.empty())
        return {};
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), bytes, nullptr, nullptr);
    return out;
}

CString FormatArguments(LPCTSTR format, va_list args)
{
    CString text;
    text.FormatV(format, args);
    return text;
}

} // namespace

CTraceLog::~CTraceLog() { Close(); }

bool CTraceLog::Open(LPCTSTR path)
{
    std::lock_guard lock(m_lock);
    m_file.Reset();
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (::GetFileAttributesExW(path, GetFileExInfoStandard, &data)) {
        const ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        if (size >= kRestartSize)
            ::DeleteFileW(path);
    }
    m_file.Reset(
        ::CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(m_file);
}

void CTraceLog::Close()
{
    std::lock_guard lock(m_lock);
    m_file.Reset();
}

bool CTraceLog::IsOpen() const
{
    std::lock_guard lock(m_lock);
    return static_cast<bool>(m_file);
}

void CTraceLog::Write(LPCTSTR text)
{
    const std::string bytes = ToAnsiWithCrLf(text);
    if (bytes.empty())
        return;
    std::lock_guard lock(m_lock);
    if (!m_file)
        return;
    DWORD written = 0;
    ::WriteFile(m_file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void CTraceLog::WriteFormat(LPCTSTR format, ...)
{
    va_list args;
    va_start(args, format);
    const CString text = FormatArguments(format, args);
    va_end(args);
    Write(text);
}

CTraceLog& GetTraceLog()
{
    static CTraceLog log;
    return log;
}

CString GetTraceLogPath() { return GetProgramFolder() + L"trace.txt"; }

bool OpenTraceLog() { return GetTraceLog().Open(GetTraceLogPath()); }

void TraceLine(LPCTSTR format, ...)
{
    va_list args;
    va_start(args, format);
    const CString text = FormatArguments(format, args);
    va_end(args);
    GetTraceLog().Write(text);
}
