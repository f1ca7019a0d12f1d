// CMenuEx: the skinned main menu. The menu bar's own items stay plain; the
// items of its popups are drawn with the program's look.
#pragma once

#include "widgets/OwnerDrawMenu.h"

class CMenuEx : public COwnerDrawMenu {
public:
    CMenuEx() = default;
    ~CMenuEx() override = default;

    HMENU GetMenuHandle() const { return m_hMenu; }

protected:
    bool SkinsTopLevel() const override { return false; }
};
