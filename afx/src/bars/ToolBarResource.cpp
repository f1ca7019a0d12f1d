// Parsing of the toolbar resource (type 241).
#include <afxwin.h>
#include <afxtoolbarres.h>

namespace {

constexpr WORD kToolBarResourceVersion = 1;
constexpr std::size_t kHeaderWords = 4;

WORD ReadWord(const BYTE* bytes, std::size_t index)
{
    return static_cast<WORD>(bytes[index * 2] | (bytes[index * 2 + 1] << 8));
}

} // namespace

bool AfxParseToolBarResource(const void* data, std::size_t size, CToolBarResourceData& out)
{
    if (data == nullptr || size < kHeaderWords * 2)
        return false;
    const auto* bytes = static_cast<const BYTE*>(data);
    CToolBarResourceData parsed;
    parsed.wVersion = ReadWord(bytes, 0);
    parsed.wWidth = ReadWord(bytes, 1);
    parsed.wHeight = ReadWord(bytes, 2);
    const std::size_t count = ReadWord(bytes, 3);
    if (parsed.wVersion != kToolBarResourceVersion || parsed.wWidth == 0 || parsed.wHeight == 0)
        return false;
    // The count comes from the file: it must fit the bytes that are there.
    if (count > (size / 2) - kHeaderWords)
        return false;
    parsed.ids.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        parsed.ids.push_back(ReadWord(bytes, kHeaderWords + i));
    out = std::move(parsed);
    return true;
}

bool AfxLoadToolBarResource(HINSTANCE hInstance, LPCTSTR lpszResourceName, CToolBarResourceData& out)
{
    HINSTANCE module = hInstance ? hInstance : AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
    HRSRC resource = ::FindResourceW(module, lpszResourceName, RT_TOOLBAR);
    if (resource == nullptr)
        return false;
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    return bytes && AfxParseToolBarResource(bytes, ::SizeofResource(module, resource), out);
}
