#include "core/files/FileMarkChecks.h"

#include "core/files/TraceLog.h"
#include "core/files/Win32ByteSource.h"
#include "core/portable/marks/FileMarks.h"
#include "core/portable/marks/SongMark.h"
#include "core/portable/marks/StyleLayout.h"
#include "core/profile/DeviceNames.h"

namespace marks = keyloft::marks;

namespace {

bool IsOfDeviceSeries(LPCTSTR modelName)
{
    const CString expected(std::wstring(marks::kDeviceSeries.begin(), marks::kDeviceSeries.end()).c_str());
    return GetDeviceSeries(modelName) == expected;
}

bool CheckKind(marks::FileKind kind, LPCTSTR modelName, LPCTSTR path)
{
    if (path == nullptr || !IsOfDeviceSeries(modelName))
        return false;
    const CWin32ByteSource source(path);
    if (!source.IsOpen())
        return false;
    return marks::PassesMarkCheck(kind, source);
}

} // namespace

bool IsDeviceSongFile(LPCTSTR modelName, LPCTSTR path)
{
    if (path == nullptr || !IsOfDeviceSeries(modelName))
        return false;
    const CWin32ByteSource source(path);
    if (!source.IsOpen()) {
        TraceLine(L"SongCheck: %s: cannot be read\n", path);
        return false;
    }
    const marks::SongCheck result = marks::CheckSongFile(source);
    if (result != marks::SongCheck::Ok) {
        const std::string_view reason = marks::DescribeSongCheck(result);
        TraceLine(L"SongCheck: %s: %s\n", path, CString(std::string(reason).c_str()).GetString());
    }
    return result == marks::SongCheck::Ok;
}

bool IsDeviceStyleFile(LPCTSTR modelName, LPCTSTR path) { return CheckKind(marks::FileKind::Style, modelName, path); }
bool IsDeviceVoiceFile(LPCTSTR modelName, LPCTSTR path) { return CheckKind(marks::FileKind::Voice, modelName, path); }
bool IsDeviceMemoryFile(LPCTSTR modelName, LPCTSTR path) { return CheckKind(marks::FileKind::Memory, modelName, path); }

bool IsDeviceFileOfKind(int kind, LPCTSTR modelName, LPCTSTR path)
{
    switch (kind) {
    case 0: return IsDeviceSongFile(modelName, path);
    case 1: return IsDeviceStyleFile(modelName, path);
    case 2: return IsDeviceVoiceFile(modelName, path);
    case 3: return IsDeviceMemoryFile(modelName, path);
    default: return false;
    }
}

bool HasStyleFileMark(LPCTSTR path)
{
    if (path == nullptr)
        return false;
    const CWin32ByteSource source(path);
    return source.IsOpen() && marks::HasStyleMark(source);
}

bool ReadStyleSegmentNames(LPCTSTR path, std::vector<CString>& names)
{
    names.clear();
    if (path == nullptr)
        return false;
    const CWin32ByteSource source(path);
    if (!source.IsOpen() || !marks::IsStyleFile(source))
        return false;
    for (const int segment : marks::ReadStyleSegments(source)) {
        const std::string_view name = marks::StyleSegmentName(segment);
        names.emplace_back(std::string(name).c_str());
    }
    return true;
}

bool ReadStyleSegmentNames(LPCTSTR path, CStringArray& names)
{
    std::vector<CString> found;
    const bool ok = ReadStyleSegmentNames(path, found);
    names.RemoveAll();
    for (const CString& name : found)
        names.Add(name);
    return ok;
}
