// Step 2 of the style-conversion wizard: for each of the 14 playable sections
// and each of the 16 source channels, the seven settings that tell the
// instrument how the channel's part is played. One section is shown at a time as
// a grid of value buttons (a row per setting, a column per channel); the table
// can be copied between sections, saved to and loaded from ".sci" files, and is
// written into the style as its section-settings block.
#pragma once

#include <array>
#include <memory>

#include "core/portable/style/SectionSettings.h"
#include "editors/style/WizardFrame.h"
#include "widgets/ComboButton.h"
#include "widgets/MyButton.h"
#include "widgets/SliderDlg.h"

class CPage1;

class CPage3 : public CNewWizPage {
public:
    static constexpr int kRowCount = 7;

    CPage3();
    ~CPage3() override;

    void SetSourcePage(const CPage1* source) { m_source = source; }
    const keyloft::style::SectionSettings& GetSettings() const { return m_settings; }
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }
    int GetCurrentSection() const { return m_section; }

    void OnSetActive() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSectionMenu();
    afx_msg void OnCopySetting();
    afx_msg void OnLoadSetting();
    afx_msg void OnSaveSetting();
    afx_msg void OnResetSetting();
    afx_msg void OnDropFiles(HDROP hDropInfo);
    // A cell of a row set through its menu (Play CH, Chord Mute, Chord Change,
    // Root Change, Root Limit), and a Note Range cell set through the slider.
    afx_msg void OnCellMenu(UINT id);
    afx_msg void OnNoteCell(UINT id);
    afx_msg LRESULT OnSliderValue(WPARAM value, LPARAM lParam);
    afx_msg LRESULT OnValueButton(WPARAM id, LPARAM value);
    afx_msg LRESULT OnLanguageChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSelectPage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Every section's settings back to the defaults.
    void ResetTable();
    void CreateGrid();
    void ReloadTexts();
    // Every cell from the current section, channels 1-8 shown only for the
    // intro and ending sections.
    void RefreshCells();
    void RefreshCell(int row, int channel);
    // Stores a value in the current section, Min kept at most Max and the
    // reverse; the cell is redrawn and the table marked modified.
    void StoreValue(int row, int channel, int value);
    void HideSlider();
    // A ".sci" file's settings when the whole file holds valid ones; else the
    // user is told why and the table stays as it was.
    void TakeSciFile(const CString& path);

    const CPage1* m_source = nullptr;
    keyloft::style::SectionSettings m_settings;
    int m_section = 0;
    CString m_loadedSource;
    bool m_modified = false;

    CFont m_cellFont;
    std::array<std::array<std::unique_ptr<CComboButton>, 16>, kRowCount> m_cells;
    std::array<CStatic, kRowCount> m_rowLabels;
    std::array<CStatic, 16> m_channelNumbers;
    CMyButton m_sectionButton;
    CMyButton m_copy;
    CMyButton m_load;
    CMyButton m_save;
    CMyButton m_reset;
    CSliderDlg m_slider;
    UINT m_sliderCell = 0;
};
