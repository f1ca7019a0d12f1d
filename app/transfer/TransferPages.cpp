#include "app/transfer/TransferPages.h"

#include "app/transfer/TransferPage.h"

boost::shared_ptr<CBaseDlg> CreateTransferPage(int kind, CWnd* parent)
{
    const TransferKindInfo* info = FindTransferKind(kind);
    if (!info)
        return {};
    boost::shared_ptr<CTransferPage> page;
    switch (kind) {
    case 0: page.reset(new CDownSongDlg1(parent)); break;
    case 1: page.reset(new CDownStyleDlg1(parent)); break;
    case 2: page.reset(new CDownVoiceDlg1(parent)); break;
    default: page.reset(new CDownMemoryDlg1(parent)); break;
    }
    if (!page->Create(info->dialogId, parent))
        return {};
    return page;
}

bool IsTransferPage(const CBaseDlg* page)
{
    return dynamic_cast<const CTransferPage*>(page) != nullptr;
}

void StopTransferJob(CBaseDlg* page)
{
    if (auto* transfer = dynamic_cast<CTransferPage*>(page))
        transfer->StopTransfer();
}
