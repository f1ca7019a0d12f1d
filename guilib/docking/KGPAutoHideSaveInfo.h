// What the saved docking layout keeps of an auto-hidden pane: its id, edge,
// visibility, place, and where its button stood in its group.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class CKGPDockingControlBar;
class CKGPStoredReader;

struct KGP_AUTOHIDEBAR_SAVE_INFO {
    KGP_AUTOHIDEBAR_SAVE_INFO() = default;
    KGP_AUTOHIDEBAR_SAVE_INFO(const KGP_AUTOHIDEBAR_SAVE_INFO& other) { *this = other; }
    KGP_AUTOHIDEBAR_SAVE_INFO& operator=(const KGP_AUTOHIDEBAR_SAVE_INFO& other);

    // Describes the auto-hidden pane (its place, visibility and group flags).
    void Describe(CKGPDockingControlBar* pBar);
    // Storing writes the record; loading reads it checked (a refused record
    // throws as archive damage does).
    void Serialize(CArchive& ar);
    void Read(CKGPStoredReader& in);

    int m_nBarID = -1;
    DWORD m_dwBarAlignment = 0;
    BOOL m_bIsVisible = FALSE;
    CRect m_rectBar;
    CList<UINT, UINT> m_lstSiblingBars;
    BOOL m_bFirstInGroup = TRUE;
    BOOL m_bLastInGroup = TRUE;
    BOOL m_bActiveInGroup = TRUE;
    CKGPDockingControlBar* m_pSavedBar = nullptr; // not stored
};
