// A docking layout read from stored state and not applied yet: the queued
// changes of its load and the objects made for it, owned here until their
// windows are made (a slider and a floating frame then delete themselves
// with their windows). Dropping it changes nothing live and frees all.
#pragma once

#include "guilib/core/KGPStoredState.h"
#include "guilib/docking/KGPAutoHideSaveInfo.h"

#include <memory>
#include <vector>

class CKGPBaseTabbedBar;
class CKGPMiniFrameWnd;
class CKGPSlider;

class CKGPLoadedLayout {
public:
    CKGPLoadedLayout() = default;
    CKGPLoadedLayout(const CKGPLoadedLayout&) = delete;
    CKGPLoadedLayout& operator=(const CKGPLoadedLayout&) = delete;
    ~CKGPLoadedLayout();

    template <class T>
    using Pending = std::shared_ptr<std::unique_ptr<T>>;

    // Declared before the load: the queued changes go first.
    std::vector<Pending<CKGPSlider>> m_sliders;
    std::vector<Pending<CKGPMiniFrameWnd>> m_miniFrames;
    // Scratch tabbed bars that took the record of one gone since.
    std::vector<std::unique_ptr<CKGPBaseTabbedBar>> m_scratch;
    std::vector<CKGPBaseTabbedBar*> m_tabbedBars;
    CList<KGP_AUTOHIDEBAR_SAVE_INFO, KGP_AUTOHIDEBAR_SAVE_INFO&> m_autoHide;
    CList<UINT, UINT> m_documents;
    CKGPStoredLoad m_load;
};
