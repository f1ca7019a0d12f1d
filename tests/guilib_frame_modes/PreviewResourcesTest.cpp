// The print preview's resources: its toolbar's full-colour images where the
// display shows them (the strip keyed by colour otherwise), and its texts in
// the library's languages: the buttons' captions, their tooltips and the page
// number in the status bar.
#include <gtest/gtest.h>

#include <afxpreview.h>

#include <cstdlib>

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/docking/KGPStatusBar.h"
#include "guilib/frames/KGPPrintPreviewView.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "tests/guilib_frame_modes/FrameModesTestFrame.h"
#include "tests/support/WindowCapture.h"

namespace {

class PreviewResourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open());
        ASSERT_TRUE(status.Create(&frame));
        frame.RecalcLayout();
    }
    void TearDown() override
    {
        if (CKGPPrintPreviewView* pPreview = CKGPPrintPreviewView::GetActivePreview())
            pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
        if (frame.GetSafeHwnd() != nullptr)
            frame.DestroyWindow();
        GetKGPGlobalData().m_bUseAlphaImages = alphaImages;
        KGPSetResourceLanguage(language);
    }
    CKGPPrintPreviewView* OpenPreview()
    {
        if (!AfxBeginPrintPreview(frame.m_pView, RUNTIME_CLASS(CKGPPrintPreviewView), &state))
            return nullptr;
        return CKGPPrintPreviewView::GetActivePreview();
    }
    CKGPToolbarButton* Button(CKGPPrintPreviewView& preview, UINT nCommand)
    {
        CKGPPrintPreviewToolBar& toolBar = preview.GetToolBar();
        return toolBar.GetButton(toolBar.CommandToIndex(nCommand));
    }
    // The tooltip the toolbar gives the button of the command.
    CString ToolTip(CKGPPrintPreviewView& preview, UINT nCommand)
    {
        CKGPToolbarButton* pButton = Button(preview, nCommand);
        if (pButton == nullptr)
            return _T("(no button)");
        TTTOOLINFOW info = {};
        info.cbSize = sizeof(info);
        if (preview.GetToolBar().OnToolHitTest(pButton->m_rcButton.CenterPoint(), &info) < 0)
            return _T("(no tooltip)");
        const CString text = info.lpszText;
        std::free(info.lpszText);
        return text;
    }

    frame_modes_test::CModesFrame frame;
    CKGPStatusBar status;
    CPrintPreviewState state;
    const BOOL alphaImages = GetKGPGlobalData().m_bUseAlphaImages;
    const LANGID language = KGPGetResourceLanguage();
};

// Pixels of the image that are neither clear nor opaque (edges drawn smooth).
int PartlyClearPixels(const CKGPToolBarImages& images, int iImage)
{
    int count = 0;
    for (int y = 0; y < images.GetImageSize().cy; ++y) {
        for (int x = 0; x < images.GetImageSize().cx; ++x) {
            const unsigned alpha = images.GetPixel(iImage, x, y) >> 24;
            count += alpha > 0 && alpha < 255 ? 1 : 0;
        }
    }
    return count;
}

TEST_F(PreviewResourcesTest, TheToolbarTakesItsFullColourImagesWhereTheDisplayShowsThem)
{
    GetKGPGlobalData().m_bUseAlphaImages = TRUE;
    ASSERT_TRUE(GetKGPGlobalData().IsFullColorUiAvailable()) << "the test display shows full colour";
    CKGPPrintPreviewView* pPreview = OpenPreview();
    ASSERT_NE(pPreview, nullptr);
    for (const UINT nCommand : {AFX_ID_PREVIEW_PRINT, AFX_ID_PREVIEW_NEXT, AFX_ID_PREVIEW_ZOOMIN}) {
        CKGPToolbarButton* pButton = Button(*pPreview, nCommand);
        ASSERT_NE(pButton, nullptr);
        EXPECT_GT(PartlyClearPixels(pPreview->GetToolBar().GetImages(), pButton->GetImage()), 0)
            << "command " << nCommand;
    }
    keyloft_test::SaveScreenshot(frame.m_hWnd, L"print-preview-full-colour.bmp");
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);

    // Without full colour the strip keyed by its background colour is taken.
    GetKGPGlobalData().m_bUseAlphaImages = FALSE;
    pPreview = OpenPreview();
    ASSERT_NE(pPreview, nullptr);
    CKGPToolbarButton* pPrint = Button(*pPreview, AFX_ID_PREVIEW_PRINT);
    ASSERT_NE(pPrint, nullptr);
    EXPECT_EQ(PartlyClearPixels(pPreview->GetToolBar().GetImages(), pPrint->GetImage()), 0);
}

TEST_F(PreviewResourcesTest, CaptionsTooltipsAndPageNumbersShowInTheLibrarysLanguage)
{
    struct Texts {
        LANGID language;
        const wchar_t* print;
        const wchar_t* close;
        const wchar_t* next;
        const wchar_t* page;
        const wchar_t* pages;
    };
    const Texts kTexts[] = {
        {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), L"\u6253\u5370(&P)...", L"\u5173\u95ED(&C)",
         L"\u4E0B\u4E00\u9875", L"\u7B2C 2 \u9875", L"\u7B2C 2-3 \u9875"},
        {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), L"&Print...", L"&Close", L"Next Page", L"Page 2",
         L"Pages 2-3"},
    };
    for (const Texts& texts : kTexts) {
        SCOPED_TRACE(texts.language);
        KGPSetResourceLanguage(texts.language);
        CKGPPrintPreviewView* pPreview = OpenPreview();
        ASSERT_NE(pPreview, nullptr);
        ASSERT_NE(Button(*pPreview, AFX_ID_PREVIEW_PRINT), nullptr);
        ASSERT_NE(Button(*pPreview, AFX_ID_PREVIEW_CLOSE), nullptr);
        EXPECT_EQ(Button(*pPreview, AFX_ID_PREVIEW_PRINT)->m_strCaption, CString(texts.print));
        EXPECT_EQ(Button(*pPreview, AFX_ID_PREVIEW_CLOSE)->m_strCaption, CString(texts.close));
        EXPECT_EQ(ToolTip(*pPreview, AFX_ID_PREVIEW_NEXT), CString(texts.next));

        pPreview->SetPageCount(5);
        pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
        EXPECT_EQ(status.GetPaneText(CKGPStatusBar::kPreviewPane), CString(texts.page));
        pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
        EXPECT_EQ(status.GetPaneText(CKGPStatusBar::kPreviewPane), CString(texts.pages));
        pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    }
}

} // namespace
