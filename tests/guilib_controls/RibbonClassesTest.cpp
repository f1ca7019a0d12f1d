// The ribbon classes frames and popup menus reach through their pointers.
#include <gtest/gtest.h>

#include "guilib/ribbon/KGPRibbonBar.h"

namespace {

TEST(RibbonClassesTest, BarIsKnownByClassAndCategoryFindsVisibleElements)
{
    CKGPRibbonBar bar;
    EXPECT_TRUE(bar.IsKindOf(RUNTIME_CLASS(CKGPRibbonBar)));
    EXPECT_FALSE(bar.DrawMenuImage(nullptr, nullptr, CRect()));

    CKGPRibbonCategory& category = *bar.GetActiveCategory();
    CKGPBaseRibbonElement* hidden = category.AddElement(std::make_unique<CKGPBaseRibbonElement>(7, L"Hidden"));
    hidden->SetVisible(FALSE);
    CKGPBaseRibbonElement* shown = category.AddElement(std::make_unique<CKGPBaseRibbonElement>(7, L"Shown"));
    EXPECT_EQ(category.FindElementByID(7, TRUE), shown);
    EXPECT_EQ(category.FindElementByID(7, FALSE), hidden);
    EXPECT_EQ(category.FindElementByID(8, FALSE), nullptr);

    // The element whose popup is open is known until the popup closes.
    CWnd popup;
    shown->SetDroppedDown(&popup);
    EXPECT_EQ(CKGPBaseRibbonElement::GetActivePopupElement(), shown);
    shown->ClosePopupMenu();
    EXPECT_EQ(CKGPBaseRibbonElement::GetActivePopupElement(), nullptr);
    EXPECT_EQ(shown->GetDroppedDown(), nullptr);
}

} // namespace
