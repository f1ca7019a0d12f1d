// The page tree's bitmaps at a language other than the built-in one: the
// language library in force carries texts only, the bitmaps come from the
// program.
#include <gtest/gtest.h>

#include "tests/widgets_menus/MenusTestSupport.h"
#include "tests/widgets_menus/TestIds.h"
#include "widgets/TreeCtrlBT.h"

namespace {

// Puts another module's resources in force for the scope.
class ScopedResourceModule {
public:
    explicit ScopedResourceModule(HINSTANCE module) : m_previous(AfxGetResourceHandle()) { AfxSetResourceHandle(module); }
    ~ScopedResourceModule() { AfxSetResourceHandle(m_previous); }
    ScopedResourceModule(const ScopedResourceModule&) = delete;
    ScopedResourceModule& operator=(const ScopedResourceModule&) = delete;

private:
    HINSTANCE m_previous;
};

TEST(PageTreeBitmaps, ComeFromTheProgramWhenTheResourcesInForceLackThem)
{
    menus_test::CHostWnd host;
    ASSERT_TRUE(host.CreateHost());
    CTreeCtrlBT tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 240, 300), &host, 32769));

    // A system library stands in for a language library: resources, but none of ours.
    HMODULE textsOnly = ::GetModuleHandleW(L"kernel32.dll");
    ASSERT_NE(nullptr, textsOnly);
    ASSERT_EQ(nullptr, ::FindResourceW(textsOnly, MAKEINTRESOURCEW(IDB_TEST_ITEM), RT_BITMAP));
    HTREEITEM group = nullptr;
    HTREEITEM missing = nullptr;
    {
        ScopedResourceModule english(textsOnly);
        group = tree.InsertItemWithBitmap(L"Data Transfer", TVI_ROOT, IDB_TEST_ITEM);
        missing = tree.InsertItemWithBitmap(L"Song", group, IDB_TEST_ITEM + 100);
    }
    EXPECT_TRUE(tree.HasItemBitmap(group));
    EXPECT_FALSE(tree.HasItemBitmap(missing)) << "a bitmap nobody has stays missing";
    EXPECT_EQ(static_cast<UINT>(IDB_TEST_ITEM + 100), tree.GetItemBitmapId(missing));
}

} // namespace
