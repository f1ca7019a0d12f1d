// A button put into an OLE data source for a drag: its class record and
// stored form in the toolbar-button format, read back as the same button.
#include <gtest/gtest.h>

#include "guilib/toolbars/KGPCommandManager.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolbarButton.h"

#include <afxarch.h>
#include <afxole.h>

#include <memory>

namespace {

// The button the source offers, read the way a drop target reads it.
std::unique_ptr<CKGPToolbarButton> ReadOffered(COleDataSource& source)
{
    FORMATETC format{CKGPToolbarButton::GetClipboardFormat(), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (source.GetDataObject()->GetData(&format, &medium) != S_OK)
        return nullptr;
    const SIZE_T size = ::GlobalSize(medium.hGlobal);
    auto* bytes = static_cast<BYTE*>(::GlobalLock(medium.hGlobal));
    CMemFile file(bytes, static_cast<UINT>(size));
    std::unique_ptr<CKGPToolbarButton> button;
    {
        CArchive ar(&file, CArchive::load);
        CRuntimeClass* kind = ar.ReadClass(RUNTIME_CLASS(CKGPToolbarButton));
        button.reset(static_cast<CKGPToolbarButton*>(kind->CreateObject()));
        button->Serialize(ar);
    }
    ::GlobalUnlock(medium.hGlobal);
    ::ReleaseStgMedium(&medium);
    return button;
}

class CFailingButton : public CKGPToolbarButton {
    DECLARE_SERIAL(CFailingButton)
public:
    void Serialize(CArchive&) override { AfxThrowMemoryException(); }
};
IMPLEMENT_SERIAL(CFailingButton, CKGPToolbarButton, 1)

TEST(ButtonTransfer, AButtonTravelsAsItsClassAndStoredForm)
{
    GetCmdMgr()->ResetAll();
    CKGPToolbarButton button(0x8200, 4, _T("&Send"));
    button.m_bShowCaption = TRUE;
    button.m_nBits = TBBS_CHECKBOX;
    COleDataSource source;
    ASSERT_TRUE(button.CopyToDataSource(&source));
    const std::unique_ptr<CKGPToolbarButton> read = ReadOffered(source);
    ASSERT_NE(nullptr, read);
    EXPECT_EQ(RUNTIME_CLASS(CKGPToolbarButton), read->GetRuntimeClass());
    EXPECT_EQ(UINT(0x8200), read->m_nCommand);
    EXPECT_EQ(4, read->m_nImage);
    EXPECT_EQ(CString(_T("&Send")), read->m_strCaption);
    EXPECT_TRUE(read->m_bShowCaption);
    EXPECT_EQ(UINT(TBBS_CHECKBOX), read->m_nBits);

    COleDataSource nothing;
    CCustomizeButton chevron;
    EXPECT_TRUE(chevron.CopyToDataSource(&nothing)) << "not stored: nothing to offer, no failure";
    EXPECT_EQ(nullptr, ReadOffered(nothing));

    CFailingButton failing;
    EXPECT_FALSE(failing.CopyToDataSource(&nothing)) << "the archive failed";
    EXPECT_EQ(nullptr, ReadOffered(nothing)) << "and nothing half-written is offered";

    WCHAR name[64] = {};
    ASSERT_GT(::GetClipboardFormatNameW(CKGPToolbarButton::GetClipboardFormat(), name, 64), 0);
    CString expected;
    expected.Format(L"KGToolbarButton%llx",
                    static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(AfxGetInstanceHandle())));
    EXPECT_EQ(expected, CString(name)) << "the whole 64-bit handle in the name";
}

} // namespace
