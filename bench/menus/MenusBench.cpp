// Two costs of the menus family, each against its yardstick:
// - the shortcut texts of every button of 20 toolbars of 50 buttons (1,000
//   look-ups in a frame's table of 500 accelerators): at most 1 ms in all,
//   the first pass (copying the table, naming the keys) and later ones;
// - 200 menus of 30 items stored in the menu hash and loaded back into a
//   bar, against rebuilding the bar's menu buttons from the menu resource
//   each time: loading at least 10 times faster.
#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/menus/KGPKeyboardManager.h"
#include "guilib/menus/KGPMenuHash.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr UINT kMenuResource = 300;
constexpr UINT kFirstCommand = 40000;
constexpr int kBars = 20;
constexpr int kButtonsPerBar = 50;
constexpr int kAccelerators = 500;
constexpr int kMenus = 200;

class CBenchFrame : public CKGPFrameWnd {
protected:
    void PostNcDestroy() override {}
};

double Now()
{
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// 500 keys: letters and function keys under every modifier mix, each on one
// command of the first half of the buttons' commands.
std::vector<ACCEL> Accelerators()
{
    std::vector<ACCEL> table;
    const BYTE modifiers[] = {0, FCONTROL, FSHIFT, FALT, FCONTROL | FSHIFT, FCONTROL | FALT, FSHIFT | FALT,
                              FCONTROL | FSHIFT | FALT};
    std::vector<WORD> keys;
    for (WORD key = 'A'; key <= 'Z'; ++key)
        keys.push_back(key);
    for (WORD key = VK_F1; key <= VK_F24; ++key)
        keys.push_back(key);
    for (WORD key = '0'; key <= '9'; ++key)
        keys.push_back(key);
    for (WORD key = VK_NUMPAD0; key <= VK_NUMPAD9; ++key)
        keys.push_back(key);
    for (const BYTE modifier : modifiers) {
        for (const WORD key : keys) {
            if (static_cast<int>(table.size()) == kAccelerators)
                return table;
            table.push_back(ACCEL{static_cast<BYTE>(FVIRTKEY | modifier), key,
                                  static_cast<WORD>(kFirstCommand + table.size())});
        }
    }
    return table;
}

int ShortcutTexts(int rounds)
{
    CBenchFrame frame;
    if (!frame.Create(nullptr, L"Shortcuts", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 700)))
        return 1;
    std::vector<ACCEL> table = Accelerators();
    if (!CKGPKeyboardManager::UpdateAcceleratorTable(nullptr, table.data(), static_cast<int>(table.size()), &frame))
        return 1;
    std::vector<std::unique_ptr<CKGPToolBar>> bars;
    for (int b = 0; b < kBars; ++b) {
        auto bar = std::make_unique<CKGPToolBar>();
        bar->Create(&frame, WS_CHILD | CBRS_TOP, AFX_IDW_CONTROLBAR_FIRST + 32 + b);
        for (int i = 0; i < kButtonsPerBar; ++i)
            bar->InsertButtonCopy(CKGPToolbarButton(kFirstCommand + b * kButtonsPerBar + i, -1, L"Button"));
        bars.push_back(std::move(bar));
    }

    int found = 0;
    const auto pass = [&] {
        found = 0;
        CString text;
        for (const auto& bar : bars) {
            for (int i = 0; i < bar->GetCount(); ++i)
                found += CKGPKeyboardManager::GetCommandShortcutText(bar->GetButton(i)->m_nCommand, text, &frame, TRUE);
        }
    };
    CKGPKeyboardManager::CleanUp();
    const double coldStart = Now();
    pass();
    const double cold = Now() - coldStart;
    std::vector<double> warm;
    for (int round = 0; round < rounds; ++round) {
        const double start = Now();
        pass();
        warm.push_back(Now() - start);
    }
    const double later = Median(warm);
    std::printf("shortcut texts of %d buttons (%d with a key, table of %zu): first pass %.3f ms, later %.3f ms "
                "(median of %d) [target: under 1 ms: %s]\n",
                kBars * kButtonsPerBar, found, table.size(), cold * 1e3, later * 1e3, rounds,
                cold < 1e-3 && later < 1e-3 ? "met" : "NOT met");
    bars.clear();
    frame.DestroyWindow();
    return 0;
}

// The menu bar's work without the hash: its menu buttons made again from
// the menu resource.
void RebuildFromResource(CKGPToolBar& bar)
{
    CMenu menu;
    menu.LoadMenu(kMenuResource);
    bar.RemoveAllButtons();
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
        CString text;
        menu.GetMenuString(i, text, MF_BYPOSITION);
        CMenu* sub = menu.GetSubMenu(static_cast<int>(i));
        bar.InsertButtonCopy(CKGPToolbarMenuButton(0, sub != nullptr ? sub->GetSafeHmenu() : nullptr, -1, text));
    }
    bar.AdjustLocations();
}

int MenuHash(int rounds)
{
    CBenchFrame frame;
    if (!frame.Create(nullptr, L"Menu hash", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 700)))
        return 1;
    CKGPToolBar bar;
    bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_CONTROLBAR_FIRST + 31);
    // Menu handles of their own, each the key of one stored bar.
    std::vector<CMenu> menus(kMenus);
    for (CMenu& menu : menus)
        menu.CreateMenu();

    std::vector<double> rebuild, store, load;
    int loaded = 0;
    for (int round = 0; round < rounds; ++round) {
        double start = Now();
        for (int m = 0; m < kMenus; ++m)
            RebuildFromResource(bar);
        rebuild.push_back(Now() - start);

        start = Now();
        for (const CMenu& menu : menus)
            g_menuHash.SaveMenuBar(menu.GetSafeHmenu(), &bar);
        store.push_back(Now() - start);

        loaded = 0;
        start = Now();
        for (const CMenu& menu : menus)
            loaded += g_menuHash.LoadMenuBar(menu.GetSafeHmenu(), &bar);
        load.push_back(Now() - start);
    }
    int items = 0;
    for (int i = 0; i < bar.GetCount(); ++i) {
        const auto* button = static_cast<CKGPToolbarMenuButton*>(bar.GetButton(i));
        items += 1 + static_cast<int>(button->GetCommands().GetCount());
    }
    const double rebuilt = Median(rebuild);
    const double read = Median(load);
    // Each round's own ratio, for the spread beside the medians' ratio.
    std::vector<double> ratios;
    for (std::size_t round = 0; round < load.size(); ++round)
        ratios.push_back(rebuild[round] / load[round]);
    const auto [lowest, highest] = std::minmax_element(ratios.begin(), ratios.end());
    std::printf("%d menus of %d items (%d loaded), median of %d rounds: rebuilt from the resource %.2f ms, "
                "stored %.2f ms, loaded %.2f ms\n",
                kMenus, items, loaded, rounds, rebuilt * 1e3, Median(store) * 1e3, read * 1e3);
    std::printf("loading %.1fx faster than rebuilding (rounds %.1f-%.1f) [target: at least 10x: %s]; storing once "
                "and loading %.1fx\n",
                rebuilt / read, *lowest, *highest, rebuilt / read >= 10 ? "met" : "NOT met",
                rebuilt / (read + Median(store)));
    g_menuHash.CleanUp();
    bar.DestroyWindow();
    frame.DestroyWindow();
    return 0;
}

} // namespace

// Run by hand under the harness: bench_menus.exe [rounds].
int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    if (ShortcutTexts(rounds) != 0 || MenuHash(rounds) != 0) {
        std::printf("the frame could not be created (is the harness's display up?)\n");
        return 1;
    }
    return 0;
}
