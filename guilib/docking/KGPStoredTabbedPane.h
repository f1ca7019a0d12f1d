// A tabbed pane without a control id of its own (one made when a pane was
// dropped on another) in a stored layout: where a pane's id would stand, a
// mark, then its tabs' ids, the pane's own record (of the tabbed panes' class
// only: a record of any other class is refused before anything is made of it),
// its window's style and its tabs' state. The split trees and the floating
// frame of one bar store such a pane so. Reading checks the whole record and
// queues the tabs' state in the load; the pane's window is made only when the
// load commits, by whoever places it.
#pragma once

#include <afxwin.h>

#include <memory>
#include <vector>

class CKGPDockingControlBar;
class CKGPStoredLoad;
class CKGPStoredReader;

class CKGPStoredTabbedPane {
public:
    // The word that stands for the record instead of a control id (no 16-bit
    // id reads as it).
    static constexpr DWORD kMark = 0xFFFFFFFF;

    CKGPStoredTabbedPane();
    ~CKGPStoredTabbedPane();
    CKGPStoredTabbedPane(const CKGPStoredTabbedPane&) = delete;
    CKGPStoredTabbedPane& operator=(const CKGPStoredTabbedPane&) = delete;

    // The mark and the record of a tabbed pane holding tabs; FALSE, and
    // nothing written, for any other bar.
    static BOOL Write(CArchive& ar, CWnd* pBar);

    // The record after its mark (damage throws). The pane read is held here
    // until Create.
    void Read(CKGPStoredReader& in, CKGPStoredLoad& load);
    // The tabs' ids as read, in their order.
    const std::vector<UINT>& GetTabIds() const { return m_tabIds; }
    // When the load commits: the pane's window under the parent; the pane
    // (its window owns it from then on), or null when it could not be made.
    CKGPDockingControlBar* Create(CWnd* pParent);

private:
    std::unique_ptr<CKGPDockingControlBar> m_pPane;
    DWORD m_dwStyle = 0;
    std::vector<UINT> m_tabIds;
};
