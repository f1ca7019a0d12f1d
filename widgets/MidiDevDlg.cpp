#include "widgets/MidiDevDlg.h"

#include <mmsystem.h>

#include "core/link/MidiDevSearch.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CMidiDevDlg, CDialog)
    ON_LBN_DBLCLK(IDC_MIDIDEV_LIST, &CMidiDevDlg::OnListDoubleClick)
END_MESSAGE_MAP()

CMidiDevDlg::CMidiDevDlg(UINT currentId, CWnd* pParent) : CDialog(IDD_MIDI_DEV, pParent), m_nDevId(currentId) {}

CMidiDevDlg::~CMidiDevDlg() = default;

CMidiDevDlg::OutputList CMidiDevDlg::ListSystemOutputs()
{
    OutputList outputs;
    const UINT count = ::midiOutGetNumDevs();
    for (UINT id = 0; id < count; ++id) {
        outputs.emplace_back(id, GetMidiOutName(id));
    }
    return outputs;
}

CMidiDevDlg::OutputList CMidiDevDlg::ListOutputs() const
{
    return ListSystemOutputs();
}

BOOL CMidiDevDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_MIDIDEV_LIST, this);
    m_ok.SubclassDlgItem(IDOK, this);
    m_cancel.SubclassDlgItem(IDCANCEL, this);

    int selection = 0;
    for (const auto& [id, name] : ListOutputs()) {
        const int index = m_list.AddString(name.IsEmpty() ? CString(L"?") : name);
        if (index < 0) {
            continue;
        }
        m_list.SetItemData(index, id);
        if (id == m_nDevId) {
            selection = index;
        }
    }
    if (m_list.GetCount() > 0) {
        m_list.SetCurSel(selection);
    } else {
        // Nothing to choose: only Cancel makes sense.
        m_ok.EnableWindow(FALSE);
    }
    m_list.SetFocus();
    return FALSE;
}

void CMidiDevDlg::OnOK()
{
    const int selection = m_list.GetCurSel();
    if (selection < 0) {
        return; // no choice yet: the dialog stays
    }
    m_nDevId = static_cast<UINT>(m_list.GetItemData(selection));
    CDialog::OnOK();
}

void CMidiDevDlg::OnListDoubleClick()
{
    OnOK();
}
