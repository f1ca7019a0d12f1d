// The program's message boxes as the transfer pages use them, behind one
// replaceable object so that tests can record the notes and answer them.
#pragma once

#include <afx.h>

class ITransferNotes {
public:
    virtual ~ITransferNotes() = default;
    // The note the user may silence for good (CCancelableDlg::Ask).
    virtual int Ask(UINT messageId, BOOL showCancel, UINT soundId) = 0;
    // The program's message box with a string of the table.
    virtual int Show(int iconId, UINT messageId, int buttonMode) = 0;
    // The same with a text made by the page.
    virtual int ShowText(int iconId, int buttonMode, LPCTSTR text) = 0;
};

ITransferNotes& GetTransferNotes();

class CScopedTransferNotes {
public:
    explicit CScopedTransferNotes(ITransferNotes& replacement);
    ~CScopedTransferNotes();
    CScopedTransferNotes(const CScopedTransferNotes&) = delete;
    CScopedTransferNotes& operator=(const CScopedTransferNotes&) = delete;

private:
    ITransferNotes* m_previous = nullptr;
};
