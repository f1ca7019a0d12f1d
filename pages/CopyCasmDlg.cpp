#include "pages/CopyCasmDlg.h"

#include "pages/SegmentNames.h"
#include "core/profile/DevProfile.h"
#include "core/portable/style/Segments.h"
#include "res/ids_pages.h"

namespace {

struct SectionBox {
    int segment;
    UINT control;
};

// Section index -> segment and check box (the template hides every box).
constexpr SectionBox kSections[CCopyCasmDlg::kSectionCount] = {
    {3, 1146},  {4, 1147},  {5, 1148},  {6, 1149},  {7, 1150},  {8, 1151},  {9, 1158},
    {10, 1152}, {11, 1153}, {12, 1154}, {13, 1159}, {14, 1155}, {15, 1156}, {16, 1157},
};

// The program's names when they were loaded, else the built-in ones.
int SegmentOfName(const CString& name)
{
    if (!GetAppSegmentNames().IsEmpty()) {
        return GetSegmentByName(name);
    }
    const CStringA narrow(name);
    return keyloft::style::GetSegmentByNameA(std::string_view(narrow.GetString(), static_cast<size_t>(narrow.GetLength())));
}

}  // namespace

BEGIN_MESSAGE_MAP(CCopyCasmDlg, CDialog)
END_MESSAGE_MAP()

CCopyCasmDlg::CCopyCasmDlg(int currentSection, const int (&checks)[kSectionCount], CWnd* pParent)
    : CDialog(IDD_COPY_SECTIONS, pParent), m_currentSection(currentSection)
{
    std::copy(std::begin(checks), std::end(checks), m_checks.begin());
}

CCopyCasmDlg::~CCopyCasmDlg() = default;

UINT CCopyCasmDlg::ControlOfSection(int index)
{
    return index >= 0 && index < kSectionCount ? kSections[index].control : 0;
}

int CCopyCasmDlg::SegmentOfSection(int index)
{
    return index >= 0 && index < kSectionCount ? kSections[index].segment : -1;
}

void CCopyCasmDlg::GetChecks(int (&checks)[kSectionCount]) const
{
    std::copy(m_checks.begin(), m_checks.end(), std::begin(checks));
}

void CCopyCasmDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_ok);
    DDX_Control(pDX, IDCANCEL, m_cancel);
    for (int i = 0; i < kSectionCount; ++i) {
        DDX_Check(pDX, static_cast<int>(kSections[i].control), m_checks[static_cast<size_t>(i)]);
    }
}

BOOL CCopyCasmDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const CString& name : ReadEssentialSections()) {
        const int segment = SegmentOfName(name);
        for (const SectionBox& box : kSections) {
            if (box.segment == segment) {
                if (CWnd* check = GetDlgItem(static_cast<int>(box.control))) {
                    check->ShowWindow(SW_SHOW);
                }
            }
        }
    }
    if (CWnd* current = GetDlgItem(static_cast<int>(ControlOfSection(m_currentSection)))) {
        current->ShowWindow(SW_HIDE);
    }
    return TRUE;
}
