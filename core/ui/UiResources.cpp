#include "core/ui/UiResources.h"

#include "core/files/Folders.h"

namespace {

CString UpperKey(LPCTSTR text)
{
    CString key(text != nullptr ? text : L"");
    key.MakeUpper();
    return key;
}

} // namespace

void CUiResources::BrushDeleter::operator()(HBRUSH brush) const { ::DeleteObject(brush); }
void CUiResources::CursorDeleter::operator()(HCURSOR cursor) const { ::DestroyCursor(cursor); }

CUiResources::CUiResources()
    : m_pageBackBrush(::CreateSolidBrush(kDefaultPageBackColour)),
      m_editBackBrush(::CreateSolidBrush(kDefaultEditBackColour)),
      m_handCursor(::LoadCursorW(nullptr, IDC_HAND)),
      m_dragCursor(::LoadCursorW(nullptr, IDC_SIZEALL))
{
}

CUiResources::~CUiResources() = default;

int CUiResources::LoadImages(LPCTSTR folder)
{
    CString root(folder);
    if (!root.IsEmpty() && root.Right(1) != L"\\")
        root += L'\\';
    std::map<CString, CSkinImage> images;
    for (const CString& name : ListFilesByExtension(root, L"png")) {
        CSkinImage image;
        if (image.LoadFromFile(root + name))
            images[UpperKey(name)] = std::move(image);
    }
    const CString cursorPath = root + kDragCursorFileName;
    CursorPtr ownCursor(RegularFileExists(cursorPath) ? ::LoadCursorFromFileW(cursorPath) : nullptr);

    std::lock_guard lock(m_lock);
    m_images = std::move(images);
    m_handCursor = ::LoadCursorW(nullptr, IDC_HAND);
    if (ownCursor) {
        m_dragCursor = ownCursor.get();
        m_ownDragCursor = std::move(ownCursor);
    }
    return static_cast<int>(m_images.size());
}

const CSkinImage* CUiResources::GetImage(LPCTSTR fileName) const
{
    std::lock_guard lock(m_lock);
    const auto found = m_images.find(UpperKey(fileName));
    return found != m_images.end() ? &found->second : nullptr;
}

void CUiResources::ReleaseImages()
{
    std::lock_guard lock(m_lock);
    m_images.clear();
}

void CUiResources::SetInterName(LPCTSTR deviceName, LPCTSTR modelName)
{
    std::lock_guard lock(m_lock);
    m_interNames[UpperKey(deviceName)] = modelName != nullptr ? modelName : L"";
}

CString CUiResources::GetInterName(LPCTSTR deviceName) const
{
    std::lock_guard lock(m_lock);
    const auto found = m_interNames.find(UpperKey(deviceName));
    return found != m_interNames.end() ? found->second : CString();
}

std::vector<CString> CUiResources::ListInterNames() const
{
    std::lock_guard lock(m_lock);
    std::vector<CString> names;
    for (const auto& entry : m_interNames)
        names.push_back(entry.second);
    return names;
}

void CUiResources::ClearInterNames()
{
    std::lock_guard lock(m_lock);
    m_interNames.clear();
}

void CUiResources::SetDeviceSeries(LPCTSTR modelName, LPCTSTR series)
{
    std::lock_guard lock(m_lock);
    m_series[UpperKey(modelName)] = series != nullptr ? series : L"";
}

void CUiResources::ClearDeviceSeries()
{
    std::lock_guard lock(m_lock);
    m_series.clear();
}

CString CUiResources::GetDeviceSeries(LPCTSTR name) const
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

CUiResources& GetUiResources()
{
    static CUiResources resources;
    return resources;
}

bool LoadUiResources() { return GetUiResources().LoadImages(GetProgramFolder() + L"pictures\\") > 0; }

CString GetInterName(LPCTSTR deviceName) { return GetUiResources().GetInterName(deviceName); }
void SetInterName(LPCTSTR deviceName, LPCTSTR modelName) { GetUiResources().SetInterName(deviceName, modelName); }
std::vector<CString> ListInterNames() { return GetUiResources().ListInterNames(); }
CString GetDeviceSeries(LPCTSTR modelName) { return GetUiResources().GetDeviceSeries(modelName); }

void ListInterNames(CStringArray& names)
{
    names.RemoveAll();
    for (const CString& name : ListInterNames())
        names.Add(name);
}
