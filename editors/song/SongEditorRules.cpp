#include "editors/song/SongEditorRules.h"

#include <algorithm>
#include <string>

#include "core/portable/style/AnsiText.h"

namespace songedit {

namespace {

UINT ResolveCodePage(UINT codePage)
{
    return codePage != 0 ? codePage : ::GetACP();
}

std::string ToAnsi(const CString& text, UINT codePage)
{
    const int length = text.GetLength();
    if (length == 0)
        return {};
    const int bytes = ::WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(std::max(bytes, 0)), '\0');
    if (bytes > 0)
        ::WideCharToMultiByte(codePage, 0, text, length, result.data(), bytes, nullptr, nullptr);
    return result;
}

CString FromAnsi(const std::string& bytes, UINT codePage)
{
    if (bytes.empty())
        return CString();
    const int chars = ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(std::max(chars, 0)), L'\0');
    if (chars > 0)
        ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), chars);
    return CString(wide.c_str());
}

bool SameName(const CString& a, const CString& b)
{
    return !a.IsEmpty() && a.CompareNoCase(b) == 0;
}

} // namespace

int ChooseMidiOutput(int storedId, const std::vector<CString>& outputNames, const CString& instrumentPort)
{
    const int count = static_cast<int>(outputNames.size());
    if (storedId >= 0 && storedId < count && !SameName(outputNames[static_cast<size_t>(storedId)], instrumentPort))
        return storedId;
    for (int id = 0; id < count; ++id) {
        CString upper = outputNames[static_cast<size_t>(id)];
        upper.MakeUpper();
        if (upper.Find(L"MICROSOFT") >= 0)
            return id;
    }
    for (int id = 0; id < count; ++id) {
        if (!SameName(outputNames[static_cast<size_t>(id)], instrumentPort))
            return id;
    }
    return -1;
}

CString FormatPlayTime(UINT currentMs, UINT totalMs)
{
    CString text;
    text.Format(L"%.2u:%.2u / %.2u:%.2u", currentMs / 60000, (currentMs / 1000) % 60, totalMs / 60000,
                (totalMs / 1000) % 60);
    return text;
}

bool BarPositionOf(UINT currentMs, UINT totalMs, int& position)
{
    if (totalMs == 0)
        return false;
    const double scaled = static_cast<double>(currentMs) * kBarMax / static_cast<double>(totalMs);
    position = static_cast<int>(std::clamp(scaled, 0.0, static_cast<double>(kBarMax)));
    return true;
}

double SeekFractionOf(int position)
{
    return static_cast<double>(std::clamp(position, 0, kBarMax)) / kBarMax;
}

size_t AnsiByteLength(const CString& text, UINT codePage)
{
    return ToAnsi(text, ResolveCodePage(codePage)).size();
}

CString CutToAnsiBytes(const CString& text, size_t maxBytes, UINT codePage)
{
    const UINT page = ResolveCodePage(codePage);
    const std::string bytes = ToAnsi(text, page);
    if (bytes.size() <= maxBytes)
        return text;
    return FromAnsi(keyloft::style::CutAnsi(bytes, maxBytes, keyloft::style::CodePage(page)), page);
}

CString WithMidExtension(const CString& path)
{
    if (path.GetLength() >= 4 && path.Right(4).CompareNoCase(L".mid") == 0)
        return path;
    return path + L".mid";
}

} // namespace songedit
