#include "app/transfer/TransferNotes.h"

#include "pages/ProgramMessages.h"

namespace {

class ProgramNotes : public ITransferNotes {
public:
    int Ask(UINT messageId, BOOL showCancel, UINT soundId) override
    {
        return CCancelableDlg::Ask(messageId, showCancel, soundId);
    }
    int Show(int iconId, UINT messageId, int buttonMode) override
    {
        return ShowMessageBox(iconId, messageId, buttonMode);
    }
    int ShowText(int iconId, int buttonMode, LPCTSTR text) override
    {
        return ShowMessageBoxText(iconId, buttonMode, text);
    }
};

ProgramNotes g_programNotes;
ITransferNotes* g_notes = &g_programNotes;  // GUI thread only

} // namespace

ITransferNotes& GetTransferNotes()
{
    return *g_notes;
}

CScopedTransferNotes::CScopedTransferNotes(ITransferNotes& replacement) : m_previous(g_notes)
{
    g_notes = &replacement;
}

CScopedTransferNotes::~CScopedTransferNotes()
{
    g_notes = m_previous;
}
