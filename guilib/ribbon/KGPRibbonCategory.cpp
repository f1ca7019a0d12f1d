#include "guilib/ribbon/KGPRibbonCategory.h"

IMPLEMENT_DYNAMIC(CKGPRibbonCategory, CObject)

CKGPBaseRibbonElement* CKGPRibbonCategory::AddElement(std::unique_ptr<CKGPBaseRibbonElement> pElement)
{
    if (pElement == nullptr)
        return nullptr;
    m_elements.push_back(std::move(pElement));
    return m_elements.back().get();
}

CKGPBaseRibbonElement* CKGPRibbonCategory::FindElementByID(UINT nID, BOOL bVisibleOnly) const
{
    for (const auto& element : m_elements) {
        if (element->GetID() == nID && (!bVisibleOnly || element->IsVisible()))
            return element.get();
    }
    return nullptr;
}
