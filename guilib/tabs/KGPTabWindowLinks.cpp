#include "guilib/tabs/KGPTabWindowLinks.h"

#include "guilib/core/KGPTabWindowLink.h"
#include "guilib/tabs/KGPTabWnd.h"

namespace {

CKGPBaseTabWnd* TabWndOf(const CWnd* pWnd)
{
    return DYNAMIC_DOWNCAST(CKGPBaseTabWnd, const_cast<CWnd*>(pWnd));
}

class CTabWindowLink final : public IKGPTabWindowLink {
public:
    std::unique_ptr<CWnd> CreateTabWindow(CWnd* pParent, const CRect& rect, UINT nID) override
    {
        auto tabs = std::make_unique<CKGPTabWnd>();
        if (!tabs->Create(CKGPTabWnd::STYLE_3D, rect, pParent, nID))
            return nullptr;
        tabs->EnableWrapping(FALSE); // a toolbar's tabs hold its bars themselves
        return tabs;
    }
    BOOL IsTabWindow(const CWnd* pWnd) const override { return TabWndOf(pWnd) != nullptr; }
    void AddTab(CWnd* pTabWnd, CWnd* pWnd, LPCTSTR lpszLabel, UINT uiImage, BOOL bDetachable) override
    {
        if (CKGPBaseTabWnd* pTabs = TabWndOf(pTabWnd))
            pTabs->AddTab(pWnd, lpszLabel, uiImage, bDetachable);
    }
    int GetTabsNum(const CWnd* pTabWnd) const override
    {
        const CKGPBaseTabWnd* pTabs = TabWndOf(pTabWnd);
        return pTabs != nullptr ? pTabs->GetTabsNum() : 0;
    }
    BOOL SetActiveTab(CWnd* pTabWnd, int iTab) override
    {
        CKGPBaseTabWnd* pTabs = TabWndOf(pTabWnd);
        return pTabs != nullptr && pTabs->SetActiveTab(iTab);
    }
    BOOL ShowTab(CWnd* pTabWnd, int iTab, BOOL bShow, BOOL bRecalcLayout, BOOL bActivate) override
    {
        CKGPBaseTabWnd* pTabs = TabWndOf(pTabWnd);
        return pTabs != nullptr && pTabs->ShowTab(iTab, bShow, bRecalcLayout, bActivate);
    }
    void GetTabArea(const CWnd* pTabWnd, CRect& rect) const override
    {
        rect.SetRectEmpty();
        if (auto* pTabs = DYNAMIC_DOWNCAST(CKGPTabWnd, const_cast<CWnd*>(pTabWnd)))
            rect = pTabs->GetWndArea();
        else if (pTabWnd != nullptr && pTabWnd->GetSafeHwnd() != nullptr)
            pTabWnd->GetClientRect(rect);
    }
};

}  // namespace

void KGPRegisterTabsLinks()
{
    static CTabWindowLink link;
    KGPRegisterLink<IKGPTabWindowLink>(link);
}
