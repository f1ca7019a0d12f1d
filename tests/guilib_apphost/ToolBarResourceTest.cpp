// Toolbar resources as this project's resource compiler writes a TOOLBAR
// statement (32-bit fields, no version): the host's toolbars load their
// buttons from them, and a resource that is neither layout is refused, not
// taken for a bar without buttons.
#include "tests/guilib_apphost/HostFixture.h"

#include <afxmdi.h>
#include <afxtoolbarres.h>

#include "guilib/core/KGPLibraryResources.h"
#include "tests/guilib_apphost/AppHostIds.h"

#include <vector>

namespace {

std::vector<std::uint8_t> ResourceBytes(UINT id)
{
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(241));
    HGLOBAL loaded = found != nullptr ? ::LoadResource(module, found) : nullptr;
    const auto* bytes = loaded != nullptr ? static_cast<const std::uint8_t*>(::LockResource(loaded)) : nullptr;
    return bytes != nullptr ? std::vector<std::uint8_t>(bytes, bytes + ::SizeofResource(module, found))
                            : std::vector<std::uint8_t>();
}

std::vector<UINT> Commands(const CKGPToolBar& bar)
{
    std::vector<UINT> commands;
    for (int i = 0; i < bar.GetCount(); ++i)
        commands.push_back(bar.GetButton(i)->m_nCommand);
    return commands;
}

} // namespace

TEST(ToolBarResourceLayouts, TheToolchainsLayoutIsReadAndEveryCutOfItRefused)
{
    const std::vector<std::uint8_t> bytes = ResourceBytes(IDR_FORMAT);
    ASSERT_EQ(12u + 4u * 8u, bytes.size()) << "three 32-bit fields and eight 32-bit ids";
    CToolBarResourceData resource;
    ASSERT_TRUE(AfxParseToolBarResource(bytes.data(), bytes.size(), resource));
    EXPECT_EQ(16, resource.wWidth);
    EXPECT_EQ(15, resource.wHeight);
    EXPECT_EQ((std::vector<UINT>{ID_FORMAT_BOLD, ID_FORMAT_ITALIC, ID_FORMAT_UNDERLINE, 0, ID_FORMAT_ZOOM, 0,
                                 ID_FORMAT_LEFT, ID_FORMAT_CENTER}),
              resource.ids);
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        CToolBarResourceData cut;
        EXPECT_FALSE(AfxParseToolBarResource(bytes.data(), size, cut)) << size << " bytes";
        EXPECT_TRUE(cut.ids.empty());
    }
    // Fields that do not fit a toolbar: an id or an image size beyond 16 bits, no image size.
    for (std::size_t field : {0u, 4u, 12u}) {
        std::vector<std::uint8_t> wide = bytes;
        wide[field + 2] = 1;
        EXPECT_FALSE(AfxParseToolBarResource(wide.data(), wide.size(), resource)) << "field at " << field;
    }
    std::vector<std::uint8_t> noWidth = bytes;
    noWidth[0] = 0;
    EXPECT_FALSE(AfxParseToolBarResource(noWidth.data(), noWidth.size(), resource));
}

TEST(ToolBarResourceLayouts, TheVersionedLayoutIsReadAsBeforeAndAnotherVersionRefused)
{
    // The library's own print-preview bar is written in the 16-bit layout.
    const std::vector<std::uint8_t> bytes = ResourceBytes(IDR_KGP_PRINT_PREVIEW);
    ASSERT_FALSE(bytes.empty());
    CToolBarResourceData resource;
    ASSERT_TRUE(AfxParseToolBarResource(bytes.data(), bytes.size(), resource));
    EXPECT_EQ(16, resource.wWidth);
    EXPECT_EQ(12u, resource.ids.size());
    EXPECT_EQ(0xE304, resource.ids.front());
    std::vector<std::uint8_t> version2 = bytes;
    version2[0] = 2;
    EXPECT_FALSE(AfxParseToolBarResource(version2.data(), version2.size(), resource));
}

TEST_F(AppHostTest, ToolbarsDeclaredByTOOLBARStatementsHaveTheirButtons)
{
    CHostMainFrame& frame = Frame();
    EXPECT_TRUE(frame.m_bMainToolBarLoaded);
    EXPECT_TRUE(frame.m_bFormatBarLoaded);
    EXPECT_EQ((std::vector<UINT>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
                                 0, ID_INSERT_MENU, 0, ID_APP_ABOUT}),
              Commands(frame.m_wndToolBar));
    EXPECT_EQ((std::vector<UINT>{ID_FORMAT_BOLD, ID_FORMAT_ITALIC, ID_FORMAT_UNDERLINE, 0, ID_FORMAT_ZOOM, 0,
                                 ID_FORMAT_LEFT, ID_FORMAT_CENTER}),
              Commands(frame.m_wndFormatBar));
    // Their buttons take room on the screen, as wide as their images.
    EXPECT_GT(apphost::ScreenRect(frame.m_wndFormatBar).Width(), 8 * 16);

    // A resource cut short is refused: the bar stays as it was.
    CKGPToolBar bar;
    ASSERT_TRUE(bar.CreateBarEx(&frame, TBSTYLE_FLAT, WS_CHILD | CBRS_TOP, CRect(1, 1, 1, 1), 0xE80A));
    EXPECT_FALSE(bar.LoadToolBar(IDR_CUT_SHORT_TOOLBAR));
    EXPECT_EQ(0, bar.GetCount());
    EXPECT_FALSE(bar.HasResource());
    bar.DestroyWindow();
}
