// Process-wide services the toolbars and menus share: the command manager
// (command id to image index) and the usage counter (how often each command
// was chosen, so that menus can show the frequently used ones first).
#pragma once

#include <afxwin.h>

#include <list>
#include <map>

class CKGPCommandManager {
public:
    virtual ~CKGPCommandManager() = default;

    // The image of a command in the user or the standard map; -1 when none.
    int GetCmdImage(UINT uiCmd, BOOL bUserImage) const;
    // The first registration of a command wins; commands 0 and -1 have no image.
    void SetCmdImage(UINT uiCmd, int iImage, BOOL bUserImage);
    void ClearUserCmdImage(UINT uiCmd);
    // Off: the command shows no image in menus. On: with iUserImage >= 0 menus
    // show that user image for it.
    void EnableMenuItemImage(UINT uiCmd, BOOL bEnable, int iUserImage = -1);
    BOOL IsMenuItemImageEnabled(UINT uiCmd) const;
    int GetMenuUserImage(UINT uiCmd) const;
    // Forgets every image (a fresh start for a new set of bars).
    void ResetAll();

private:
    std::map<UINT, int> m_commandImages;
    std::map<UINT, int> m_userCommandImages;
    std::list<UINT> m_commandsWithoutMenuImage;
    std::map<UINT, int> m_menuUserImages;
};

CKGPCommandManager* GetCmdMgr();

class CCmdUsageCount : public CObject {
    DECLARE_SERIAL(CCmdUsageCount)
public:
    // Counts one use, except while the toolbars are customised, for commands
    // 0 and -1, basic commands and standard system commands.
    void AddCmd(UINT uiCmd);
    UINT GetCount(UINT uiCmd) const;
    BOOL HasEnoughInformation() const;
    // More than the minimum share of all uses (any use when that share is 0).
    BOOL IsFrequentlyUsedCmd(UINT uiCmd) const;
    void Reset();
    void Serialize(CArchive& ar) override;

    static UINT s_nMinUsagePercentage;

private:
    static UINT s_nStartCount;
    std::map<UINT, UINT> m_usage;
    UINT m_nTotalUsage = 0;
};
