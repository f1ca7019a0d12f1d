#include "tests/guilib_apphost/HostMonkey.h"

#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "tests/guilib_apphost/AppHostIds.h"
#include "tests/guilib_apphost/HostApp.h"
#include "tests/guilib_apphost/HostDriver.h"
#include "tests/guilib_apphost/HostMainFrame.h"

#include <cstdio>
#include <utility>

namespace apphost {

std::vector<CKGPToolBar*> MonkeyBars(CHostMainFrame& frame)
{
    return frame.StoredBars();
}

CHostMonkey::CHostMonkey(unsigned long seed, std::function<std::string()> restart, std::set<std::string> leftOut)
    : m_draws(seed), m_restart(std::move(restart)), m_leftOut(std::move(leftOut))
{
}

const std::vector<CHostMonkey::Entry>& CHostMonkey::Operations()
{
    // Weights in draws out of their sum; the customisation sheet's own
    // operations only while it is open, the others only while it is not.
    static const std::vector<Entry> operations = {
        {"drag-pane", &CHostMonkey::DragPane, 14, false},
        {"escape-in-drag", &CHostMonkey::EscapeInDrag, 3, false},
        {"double-click-caption", &CHostMonkey::DoubleClickCaption, 4, false},
        {"pin", &CHostMonkey::Pin, 3, false},
        {"unpin", &CHostMonkey::Unpin, 3, false},
        {"close-pane", &CHostMonkey::ClosePane, 3, false},
        {"show-from-menu", &CHostMonkey::ShowFromMenu, 4, false},
        {"drag-slider", &CHostMonkey::DragSlider, 4, false},
        {"drag-toolbar", &CHostMonkey::DragToolBar, 6, false},
        {"resize-floating-toolbar", &CHostMonkey::ResizeFloatingToolBar, 2, false},
        {"menu-by-mouse", &CHostMonkey::MenuByMouse, 5, false},
        {"menu-by-keys", &CHostMonkey::MenuByKeys, 4, false},
        {"customise-button-menu", &CHostMonkey::CustomiseButtonMenu, 3, false},
        {"open-customise-sheet", &CHostMonkey::OpenCustomiseSheet, 2, false},
        {"new-document", &CHostMonkey::NewDocument, 3, false},
        {"close-document", &CHostMonkey::CloseDocument, 3, false},
        {"show-documents-as", &CHostMonkey::ShowDocumentsAs, 3, false},
        {"maximise-or-restore", &CHostMonkey::MaximiseOrRestore, 3, false},
        {"drag-document-tab", &CHostMonkey::DragDocumentTab, 4, false},
        {"restart", &CHostMonkey::Restart, 1, false},
        {"drag-command-to-toolbar", &CHostMonkey::DragCommandToToolBar, 4, true},
        {"drag-command-to-menu", &CHostMonkey::DragCommandToMenu, 3, true},
        {"drag-button-off", &CHostMonkey::DragButtonOff, 3, true},
        {"reset-toolbar", &CHostMonkey::ResetToolBar, 1, true},
        {"close-customise-sheet", &CHostMonkey::CloseCustomiseSheet, 2, true},
    };
    return operations;
}

std::vector<std::string> CHostMonkey::OperationNames()
{
    std::vector<std::string> names;
    for (const Entry& entry : Operations())
        names.emplace_back(entry.name);
    return names;
}

CHostMainFrame& CHostMonkey::Frame() const
{
    return *HostApp().MainFrame();
}

std::string CHostMonkey::Step()
{
    const bool customising = CKGPToolbarCustomize::GetOpenSheet() != nullptr;
    std::vector<const Entry*> drawable;
    int total = 0;
    for (const Entry& entry : Operations()) {
        if (entry.whileCustomising == customising && m_leftOut.count(entry.name) == 0) {
            drawable.push_back(&entry);
            total += entry.weight;
        }
    }
    if (drawable.empty())
        return "(nothing to draw)";
    int draw = Pick(total);
    const Entry* chosen = drawable.back();
    for (const Entry* entry : drawable) {
        if (draw < entry->weight) {
            chosen = entry;
            break;
        }
        draw -= entry->weight;
    }
    std::printf("monkey: %s...\n", chosen->name);
    std::fflush(stdout);
    std::string done = std::string(chosen->name) + ": " + (this->*chosen->operation)();
    Settle();
    return done;
}

std::vector<std::string> CHostMonkey::Warm()
{
    std::vector<const Entry*> order;
    const Entry* open = nullptr;
    const Entry* close = nullptr;
    for (const Entry& entry : Operations()) {
        if (std::string(entry.name) == "open-customise-sheet")
            open = &entry;
        else if (std::string(entry.name) == "close-customise-sheet")
            close = &entry;
        else if (!entry.whileCustomising && std::string(entry.name) != "restart")
            order.push_back(&entry);
    }
    order.push_back(open);
    for (const Entry& entry : Operations()) {
        if (entry.whileCustomising && &entry != close)
            order.push_back(&entry);
    }
    order.push_back(close);
    std::vector<std::string> done;
    auto run = [&](const Entry& entry, int kind) {
        if (m_leftOut.count(entry.name) != 0)
            return;
        std::printf("monkey: %s...\n", entry.name);
        std::fflush(stdout);
        m_targetKind = kind;
        done.push_back(std::string(entry.name) + ": " + (this->*entry.operation)());
        m_targetKind = -1;
        Settle();
    };
    // The drops that make objects of their own first: a pane on a side
    // marker and on the central markers, a toolbar floated and docked again.
    for (const Entry& entry : Operations()) {
        if (std::string(entry.name) == "drag-pane") {
            run(entry, 0);
            run(entry, 1);
        } else if (std::string(entry.name) == "drag-toolbar") {
            run(entry, 4);
            run(entry, 0);
        }
    }
    for (const Entry* entry : order) {
        run(*entry, -1);
        // The sheet's first session makes what the system keeps from then on
        // (its pens, bitmaps): a first round that never opened it would
        // leave them to be counted as a later round's.
        if (entry == open && m_leftOut.count(entry->name) == 0 && CKGPToolbarCustomize::GetOpenSheet() == nullptr)
            Note("the first round did not open the customisation sheet (" + done.back() + ")");
    }
    return done;
}

std::string CHostMonkey::TakeFault()
{
    std::string fault;
    fault.swap(m_fault);
    return fault;
}

void CHostMonkey::Note(const std::string& fault)
{
    m_fault += (m_fault.empty() ? "" : "\n  ") + fault;
}

CPoint CHostMonkey::PointIn(const CRect& rect, int margin)
{
    const int width = std::max(1, rect.Width() - 2 * margin);
    const int height = std::max(1, rect.Height() - 2 * margin);
    return CPoint(rect.left + margin + Pick(width), rect.top + margin + Pick(height));
}

void CHostMonkey::Settle()
{
    PumpFor(60);
    // A menu left open by a step (one that found nothing to choose) is
    // closed as a user closes it: by Esc, or while customising (where Esc
    // closes the sheet) by a click on the button that opened it.
    for (int i = 0; i < 4 && CKGPPopupMenu::GetActiveMenu() != nullptr; ++i) {
        if (CKGPToolbarCustomize::GetOpenSheet() != nullptr) {
            CKGPPopupMenu* top = CKGPPopupMenu::GetActiveMenu();
            while (top->GetParentPopupMenu() != nullptr)
                top = top->GetParentPopupMenu();
            CKGPToolBar* bar = top->GetParentToolBar();
            const int index = bar != nullptr ? bar->ButtonToIndex(top->GetParentButton()) : -1;
            CRect rect;
            if (index < 0)
                break;
            bar->GetItemRect(index, rect);
            bar->ClientToScreen(rect);
            Perform([&](CGestures& user) { user.Click(rect.CenterPoint()); });
        } else {
            Perform([](CGestures& user) { user.Key(VK_ESCAPE); });
        }
        WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; }, 500);
    }
    WaitUntil([] { return ::GetCapture() == nullptr; }, 1000);
    PumpFor(60);
}

std::string CHostMonkey::Restart()
{
    const std::string fault = m_restart();
    if (fault == "-")
        return "(not now: a restart awaits a mend)";
    if (!fault.empty())
        Note(fault);
    return fault.empty() ? "closed and started again, the layout as saved" : "closed and started again: otherwise";
}

} // namespace apphost
