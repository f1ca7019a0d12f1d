#include "widgets/UiResources.h"

#include "core/files/Folders.h"
#include "core/files/TextHelpers.h"

CUiResources::CUiResources()
    : m_pageBackBrush(::CreateSolidBrush(kDefaultPageBackColour)),
      m_editBackBrush(::CreateSolidBrush(kDefaultEditBackColour)),
      m_handCursor(::LoadCursorW(nullptr, IDC_HAND)),
      m_dragCursor(::LoadCursorW(nullptr, IDC_SIZEALL))
{
}

CUiResources::~CUiResources() = default;

namespace {

CString FolderWithSeparator(LPCTSTR folder)
{
    CString root(folder);
    if (!root.IsEmpty() && root.Right(1) != L"\\")
        root += L'\\';
    return root;
}

} // namespace

CUiResources::ImageMap CUiResources::DecodeImages(const CString& root)
{
    ImageMap images;
    for (const CString& name : ListFilesByExtension(root, L"png")) {
        CSkinImage image;
        if (image.LoadFromFile(root + name))
            images[UpperKey(name)] = std::move(image);
    }
    return images;
}

void CUiResources::LoadCursors(const CString& root)
{
    const CString cursorPath = root + kDragCursorFileName;
    CCursorHandle ownCursor(RegularFileExists(cursorPath) ? ::LoadCursorFromFileW(cursorPath) : nullptr);
    std::lock_guard lock(m_lock);
    m_handCursor = ::LoadCursorW(nullptr, IDC_HAND);
    if (ownCursor) {
        m_dragCursor = ownCursor.Get();
        m_ownDragCursor = std::move(ownCursor);
    }
}

void CUiResources::TakeDecodedImages() const
{
    if (m_decoding.valid())
        m_images = m_decoding.get();
    if (!m_undecodedRoot.IsEmpty()) {
        m_images = DecodeImages(m_undecodedRoot);
        m_undecodedRoot.Empty();
    }
}

int CUiResources::LoadImages(LPCTSTR folder)
{
    const CString root = FolderWithSeparator(folder);
    ImageMap images = DecodeImages(root);
    LoadCursors(root);
    std::lock_guard lock(m_lock);
    m_undecodedRoot.Empty();
    TakeDecodedImages();
    m_images = std::move(images);
    return static_cast<int>(m_images.size());
}

void CUiResources::StartLoadingImages(LPCTSTR folder)
{
    PrepareImages(folder);
    StartDecodingImages();
}

void CUiResources::PrepareImages(LPCTSTR folder)
{
    const CString root = FolderWithSeparator(folder);
    LoadCursors(root);
    std::lock_guard lock(m_lock);
    m_undecodedRoot.Empty();
    TakeDecodedImages();
    m_undecodedRoot = root;
}

void CUiResources::StartDecodingImages()
{
    std::lock_guard lock(m_lock);
    if (m_undecodedRoot.IsEmpty())
        return;
    m_decoding = std::async(std::launch::async, [root = m_undecodedRoot] { return DecodeImages(root); });
    m_undecodedRoot.Empty();
}

const CSkinImage* CUiResources::GetImage(LPCTSTR fileName) const
{
    std::lock_guard lock(m_lock);
    TakeDecodedImages();
    const auto found = m_images.find(UpperKey(fileName));
    return found != m_images.end() ? &found->second : nullptr;
}

void CUiResources::ReleaseImages()
{
    std::lock_guard lock(m_lock);
    m_undecodedRoot.Empty();
    TakeDecodedImages();
    m_images.clear();
}

CUiResources& GetUiResources()
{
    static CUiResources resources;
    return resources;
}

bool LoadUiResources() { return GetUiResources().LoadImages(GetProgramFolder() + L"pictures\\") > 0; }

void StartLoadingUiResources() { GetUiResources().StartLoadingImages(GetProgramFolder() + L"pictures\\"); }

void PrepareUiResources() { GetUiResources().PrepareImages(GetProgramFolder() + L"pictures\\"); }

void StartDecodingUiImages() { GetUiResources().StartDecodingImages(); }
