// The options page of the customisation sheet: the library-wide switches of
// tooltips, large icons, the options look and personalised menus, and the
// reset of the recorded command usage.
#pragma once

#include <afxwin.h>

class CKGPOptionsPage : public CPropertyPage {
    DECLARE_DYNCREATE(CKGPOptionsPage)
public:
    // bMenuBar: the frame has a menu bar (personalised menus apply).
    explicit CKGPOptionsPage(BOOL bMenuBar = FALSE);
    // Forgets the recorded usage without asking (the button asks first).
    static void ResetUsageData();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // The menus' personalisation applies: a menu bar, and the library's switch on.
    BOOL Personalised() const;
    void UpdateDependents();
    BOOL m_bMenuBar;
};
