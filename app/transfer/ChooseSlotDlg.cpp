#include "app/transfer/ChooseSlotDlg.h"

#include "res/resource.h"

BEGIN_MESSAGE_MAP(CChooseSlotDlg, CDialog)
    ON_LBN_DBLCLK(IDC_CHOOSE_SLOT_LIST, &CChooseSlotDlg::OnListDoubleClick)
END_MESSAGE_MAP()

CChooseSlotDlg::CChooseSlotDlg(std::vector<Slot> slots, CWnd* pParent)
    : CDialog(IDD_CHOOSE_SLOT, pParent), m_slots(std::move(slots))
{
}

CChooseSlotDlg::~CChooseSlotDlg() = default;

BOOL CChooseSlotDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_CHOOSE_SLOT_LIST, this);
    m_ok.SubclassDlgItem(IDOK, this);
    m_cancel.SubclassDlgItem(IDCANCEL, this);
    for (const Slot& slot : m_slots) {
        const int index = m_list.AddString(slot.text);
        if (index >= 0)
            m_list.SetItemData(index, static_cast<DWORD_PTR>(slot.row));
    }
    // Nothing is chosen for the user: replacing a song is the user's choice.
    m_ok.EnableWindow(m_list.GetCount() > 0);
    m_list.SetFocus();
    return FALSE;
}

void CChooseSlotDlg::OnOK()
{
    const int selection = m_list.GetCurSel();
    if (selection < 0)
        return;  // no choice yet: the dialog stays
    m_chosenRow = static_cast<int>(m_list.GetItemData(selection));
    CDialog::OnOK();
}

void CChooseSlotDlg::OnListDoubleClick()
{
    OnOK();
}
