// A ribbon category (one tab of a ribbon): the elements it shows. It owns them.
#pragma once

#include <memory>
#include <vector>

#include "guilib/ribbon/KGPBaseRibbonElement.h"

class CKGPRibbonCategory : public CObject {
    DECLARE_DYNAMIC(CKGPRibbonCategory)
public:
    explicit CKGPRibbonCategory(LPCTSTR lpszName = nullptr) : m_strName(lpszName != nullptr ? lpszName : L"") {}
    ~CKGPRibbonCategory() override = default;

    const CString& GetName() const { return m_strName; }
    // Takes the element; answers it.
    CKGPBaseRibbonElement* AddElement(std::unique_ptr<CKGPBaseRibbonElement> pElement);
    int GetElementCount() const { return static_cast<int>(m_elements.size()); }
    // The first element with the command id (only a visible one when asked);
    // null when there is none.
    CKGPBaseRibbonElement* FindElementByID(UINT nID, BOOL bVisibleOnly = TRUE) const;

private:
    CString m_strName;
    std::vector<std::unique_ptr<CKGPBaseRibbonElement>> m_elements;
};
