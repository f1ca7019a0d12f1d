// The tooltip factory: one control per kind and owner, settings per kind, and
// KGM_UPDATETOOLTIPS reaching exactly the owners of the kinds that changed.
#include <gtest/gtest.h>

#include "guilib/controls/KGPButton.h"
#include "guilib/controls/KGPToolTipFactory.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "tests/support/LibraryTestHost.h"
#include "tests/support/MessagePump.h"

namespace {

// A child window that holds a tooltip of one kind and counts the updates.
class CTipOwner : public CWnd {
public:
    explicit CTipOwner(UINT kind) : m_kind(kind) {}
    ~CTipOwner() override { CKGPToolTipFactory::DeleteToolTip(m_pTip); }

    UINT m_kind;
    CToolTipCtrl* m_pTip = nullptr;
    std::vector<WPARAM> m_updates;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == KGM_UPDATETOOLTIPS) {
            m_updates.push_back(wParam);
            CKGPToolTipFactory::CreateToolTip(m_pTip, this, m_kind);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(ToolTipFactoryTest, EachKindGetsItsOwnControlAndOnlyChangedKindsAreUpdated)
{
    keyloft_test::CLibraryTestHost host;
    ASSERT_TRUE(host.CreateHost(300, 200));
    const UINT kinds[] = {KGP_TOOLTIP_TOOLBAR, KGP_TOOLTIP_TAB, KGP_TOOLTIP_MINIFRAME, KGP_TOOLTIP_CAPTIONBAR,
                          KGP_TOOLTIP_TOOLBOX};
    std::vector<CTipOwner*> owners;
    for (UINT kind : kinds) {
        CTipOwner& owner = host.Make<CTipOwner>(kind);
        ASSERT_TRUE(owner.Create(AfxRegisterWndClass(0), L"", WS_CHILD, CRect(0, 0, 10, 10), &host, kind));
        ASSERT_TRUE(CKGPToolTipFactory::CreateToolTip(owner.m_pTip, &owner, kind));
        ASSERT_NE(owner.m_pTip, nullptr);
        EXPECT_TRUE(::IsWindow(owner.m_pTip->GetSafeHwnd()));
        EXPECT_EQ(CKGPToolTipFactory::GetKind(owner.m_pTip), kind);
        owners.push_back(&owner);
    }

    CKGPToolTipParams params;
    params.nMaxWidth = 123;
    CKGPToolTipFactory::SetTooltipParams(KGP_TOOLTIP_TAB | KGP_TOOLTIP_TOOLBOX, params);
    for (CTipOwner* owner : owners) {
        const bool changed = owner->m_kind == KGP_TOOLTIP_TAB || owner->m_kind == KGP_TOOLTIP_TOOLBOX;
        ASSERT_EQ(owner->m_updates.size(), changed ? 1u : 0u) << owner->m_kind;
        const LRESULT width = owner->m_pTip->SendMessage(TTM_GETMAXTIPWIDTH);
        EXPECT_EQ(width == 123, changed) << owner->m_kind;
    }
    EXPECT_EQ(owners[1]->m_updates[0], static_cast<WPARAM>(KGP_TOOLTIP_TAB | KGP_TOOLTIP_TOOLBOX));

    // A deleted tooltip is gone, forgotten and cleared; its owner hears no more.
    CToolTipCtrl* tab = owners[1]->m_pTip;
    const HWND tabWindow = tab->GetSafeHwnd();
    CKGPToolTipFactory::DeleteToolTip(owners[1]->m_pTip);
    EXPECT_EQ(owners[1]->m_pTip, nullptr);
    EXPECT_FALSE(::IsWindow(tabWindow));
    CKGPToolTipFactory::SetTooltipParams(KGP_TOOLTIP_TAB, params);
    EXPECT_EQ(owners[1]->m_updates.size(), 1u);

    CToolTipCtrl* none = nullptr;
    EXPECT_FALSE(CKGPToolTipFactory::CreateToolTip(none, nullptr, KGP_TOOLTIP_TAB));
    EXPECT_EQ(none, nullptr);
    CKGPToolTipFactory::SetTooltipParams(KGP_TOOLTIP_ALL, CKGPToolTipParams{});
}

TEST(ToolTipFactoryTest, ButtonKeepsItsTipTextWhenItsKindIsRemade)
{
    keyloft_test::CLibraryTestHost host;
    ASSERT_TRUE(host.CreateHost(300, 200));
    CKGPButton& button = host.Make<CKGPButton>();
    ASSERT_TRUE(button.Create(L"Go", WS_CHILD | WS_VISIBLE, CRect(10, 10, 80, 34), &host, 7));
    button.SetTooltip(L"Start the job");
    ASSERT_NE(button.GetToolTipCtrl(), nullptr);

    CKGPToolTipParams params;
    params.nMaxWidth = 77;
    CKGPToolTipFactory::SetTooltipParams(KGP_TOOLTIP_BUTTON, params);
    CToolTipCtrl* remade = button.GetToolTipCtrl();
    ASSERT_NE(remade, nullptr);
    EXPECT_EQ(remade->SendMessage(TTM_GETMAXTIPWIDTH), 77);
    CString text;
    remade->GetText(text, &button);
    EXPECT_EQ(text, CString(L"Start the job"));
    CKGPToolTipFactory::SetTooltipParams(KGP_TOOLTIP_ALL, CKGPToolTipParams{});
}

} // namespace
