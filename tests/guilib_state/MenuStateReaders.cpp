#include "tests/guilib_state/MenuStateReaders.h"

#include <gtest/gtest.h>

#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/menus/KGPHelpComboBoxButton.h"
#include "guilib/menus/KGPMouseManager.h"
#include "guilib/menus/KGPUserToolsManager.h"
#include "guilib/toolbars/KGPDropDownToolbar.h"
#include "guilib/toolbars/KGPToolbarComboBoxButton.h"
#include "guilib/toolbars/KGPToolbarEditBoxButton.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"
#include "tests/guilib_toolbars/ToolBarTestIds.h"
#include "tests/support/ArchiveBytes.h"

#include <afxarch.h>

#include <sstream>

namespace stored_state_test {

namespace {

using keyloft_test::StoredBytes;

// A sub-item counted while it lives: none may outlive a refused load.
class CCountedItem : public CKGPToolbarMenuButton {
    DECLARE_SERIAL(CCountedItem)
public:
    CCountedItem() { ++s_nLive; }
    ~CCountedItem() override { --s_nLive; }
    static int s_nLive;
};
IMPLEMENT_SERIAL(CCountedItem, CKGPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)
int CCountedItem::s_nLive = 0;

std::string Hex(const std::vector<BYTE>& bytes)
{
    std::ostringstream out;
    for (const BYTE b : bytes)
        out << std::hex << int(b) << ' ';
    return out.str();
}

// Reads one stored button (and what it holds); false when refused. An
// accepted one replaces `last`: only leaks and the command manager could
// change otherwise.
bool LoadButton(const StoredForm& form, std::unique_ptr<CKGPToolbarButton>& last)
{
    std::vector<BYTE> bytes = form.empty() ? std::vector<BYTE>() : form.front().bytes;
    std::unique_ptr<CKGPToolbarButton> read;
    try {
        keyloft_test::LoadBytes(std::move(bytes), [&read](CArchive& ar) { read.reset(CKGPToolbarButton::ReadFrom(ar)); });
    } catch (CException* e) {
        e->Delete();
        return false;
    }
    last = std::move(read);
    return true;
}

// Menu buttons: sub-items (counted, nested, a new column, disabled), palette.
class MenuButtonReader : public StoredStateReader {
public:
    std::vector<StoredForm> Seeds() override
    {
        CKGPToolbarMenuButton menu(0, nullptr, -1, L"&Edit");
        auto* counted = new CCountedItem;
        counted->m_nCommand = ID_TEST_OPEN;
        counted->m_strCaption = L"&Open";
        counted->m_nBits = 0x20000000 | TBBS_DISABLED;
        auto* nested = new CKGPToolbarMenuButton(static_cast<UINT>(-1), nullptr, -1, L"More");
        auto* inner = new CCountedItem;
        inner->m_nCommand = ID_TEST_SAVE;
        nested->AddSubItem(inner);
        menu.AddSubItem(counted);
        menu.AddSubItem(nested);
        menu.SetMenuPaletteMode(TRUE, 2);
        std::vector<StoredForm> seeds;
        seeds.push_back(ArchiveForm(StoredBytes([&](CArchive& ar) { ar << &menu; })));
        CKGPToolbarMenuButton empty(ID_TEST_PRINT, nullptr, 2, L"Print");
        seeds.push_back(ArchiveForm(StoredBytes([&](CArchive& ar) { ar << &empty; })));
        return seeds;
    }
    bool Load(const StoredForm& form) override { return LoadButton(form, m_last); }
    StoredForm Save() override
    {
        return ArchiveForm(StoredBytes([this](CArchive& ar) { ar << static_cast<CObject*>(m_last.get()); }));
    }
    std::string Snapshot() override { return "counted: " + std::to_string(CCountedItem::s_nLive) + "\n"; }

private:
    std::unique_ptr<CKGPToolbarButton> m_last; // the last menu button read
};

// Combo, edit, help-combo and drop-down buttons, one after the other in one archive.
class ComboAndEditReader : public StoredStateReader {
public:
    std::vector<StoredForm> Seeds() override
    {
        CKGPToolbarComboBoxButton combo(ID_TEST_OPEN, -1, CBS_DROPDOWN, 90);
        combo.AddItem(L"One", 1);
        combo.AddItem(L"Two", 2);
        combo.SelectItem(1);
        CKGPToolbarEditBoxButton edit(ID_TEST_SAVE, -1, ES_AUTOHSCROLL, 70);
        edit.SetContents(L"text");
        edit.EnableCalculator();
        CHelpComboBoxButton help(ID_TEST_OPEN, 120, L"Ask");
        CKGPDropDownToolbarButton dropDown(L"Files", nullptr);
        dropDown.SetDefaultCommand(ID_TEST_SAVE);
        return {ArchiveForm(StoredBytes([&](CArchive& ar) {
            CObList list;
            list.AddTail(&combo);
            list.AddTail(&edit);
            list.AddTail(&help);
            list.AddTail(&dropDown);
            list.Serialize(ar);
        }))};
    }
    bool Load(const StoredForm& form) override
    {
        std::vector<BYTE> bytes = form.empty() ? std::vector<BYTE>() : form.front().bytes;
        COwningPtrList<CObList, CObject*> read;
        try {
            keyloft_test::LoadBytes(std::move(bytes), [&read](CArchive& ar) {
                CKGPStoredObjects objects;
                CKGPStoredReader(ar).ReadObjectList(objects, RUNTIME_CLASS(CKGPToolbarButton));
                objects.HandTo(read);
            });
        } catch (CException* e) {
            e->Delete();
            return false;
        }
        m_last.DeleteAll();
        read.MoveAllTo(m_last);
        return true;
    }
    StoredForm Save() override
    {
        return ArchiveForm(StoredBytes([this](CArchive& ar) { m_last.Serialize(ar); }));
    }
    std::string Snapshot() override { return "none live\n"; }

private:
    COwningPtrList<CObList, CObject*> m_last; // the buttons the last accepted load read
};

// The mouse manager's double-click commands, loaded into the live manager.
class MouseManagerReader : public StoredStateReader {
public:
    void SetUp(CFrameWnd&) override
    {
        m_mouse.SetCommandForDblClick(1, ID_TEST_OPEN);
        m_mouse.SetCommandForDblClick(-4, ID_TEST_SAVE);
    }
    std::vector<StoredForm> Seeds() override
    {
        return {ArchiveForm(StoredBytes([this](CArchive& ar) { m_mouse.Serialize(ar); }))};
    }
    bool Load(const StoredForm& form) override
    {
        std::vector<BYTE> bytes = form.empty() ? std::vector<BYTE>() : form.front().bytes;
        try {
            keyloft_test::LoadBytes(std::move(bytes), [this](CArchive& ar) { m_mouse.Serialize(ar); });
        } catch (CException* e) {
            e->Delete();
            return false;
        }
        return true;
    }
    StoredForm Save() override { return ArchiveForm(StoredBytes([this](CArchive& ar) { m_mouse.Serialize(ar); })); }
    std::string Snapshot() override { return Hex(StoredBytes([this](CArchive& ar) { m_mouse.Serialize(ar); })); }

private:
    CKGPMouseManager m_mouse;
};

// The user tools' registry state, loaded into a live manager.
class UserToolsReader : public StoredStateReader {
public:
    UserToolsReader() : m_tools(33000, 33001, 33008) {}
    std::vector<StoredForm> Seeds() override
    {
        CKGPUserToolsManager source(33000, 33001, 33008);
        for (const wchar_t* label : {L"&Notes", L"Shell"}) {
            CKGPUserTool* tool = source.CreateNewTool();
            tool->m_strLabel = label;
            tool->SetCommand(L"keyloft_missing_tool");
            tool->m_strArguments = L"$(File)";
        }
        source.MoveToolDown(static_cast<CKGPUserTool*>(source.GetUserTools().GetHead()));
        DeleteProfile();
        source.SaveState(kProfile);
        return {CaptureProfile()};
    }
    bool Load(const StoredForm& form) override
    {
        WriteProfile(form);
        return m_tools.LoadState(kProfile) != FALSE;
    }
    StoredForm Save() override
    {
        DeleteProfile();
        m_tools.SaveState(kProfile);
        return CaptureProfile();
    }
    std::string Snapshot() override
    {
        std::ostringstream out;
        for (POSITION pos = m_tools.GetUserTools().GetHeadPosition(); pos != nullptr;) {
            const auto* tool = static_cast<const CKGPUserTool*>(m_tools.GetUserTools().GetNext(pos));
            out << tool->GetCommandId() << '/' << CStringA(tool->m_strLabel).GetString() << '/'
                << CStringA(tool->GetCommand()).GetString() << '/' << CStringA(tool->m_strArguments).GetString()
                << '\n';
        }
        return out.str();
    }

private:
    CKGPUserToolsManager m_tools;
};

} // namespace

std::unique_ptr<StoredStateReader> MakeMenuButtonReader()
{
    return std::make_unique<MenuButtonReader>();
}

std::unique_ptr<StoredStateReader> MakeComboAndEditReader()
{
    return std::make_unique<ComboAndEditReader>();
}

std::unique_ptr<StoredStateReader> MakeMouseManagerReader()
{
    return std::make_unique<MouseManagerReader>();
}

std::unique_ptr<StoredStateReader> MakeUserToolsReader()
{
    return std::make_unique<UserToolsReader>();
}

} // namespace stored_state_test
