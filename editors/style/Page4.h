// Step 3 of the style-conversion wizard: the style's four One Touch Settings,
// each setting the parts Voice R1, Voice R2 and Voice L to a voice (from the
// target model's voice list, fetched from the instrument when missing) with a
// volume, an octave, a reverb and a chorus level.
#pragma once

#include <array>
#include <memory>

#include "core/portable/style/OneTouchSettings.h"
#include "core/portable/style/VoiceList.h"
#include "editors/style/WizardFrame.h"
#include "widgets/ComboButton.h"
#include "widgets/MyButton.h"
#include "widgets/MyCombox.h"
#include "widgets/NotifyDlg.h"
#include "widgets/SliderDlg.h"

class CPage1;

class CPage4 : public CNewWizPage {
public:
    static constexpr int kParts = keyloft::style::OtsPartCount;

    CPage4();
    ~CPage4() override;

    void SetSourcePage(const CPage1* source) { m_source = source; }
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

    // The 72-byte block from the controls, and the controls from a block.
    keyloft::style::OtsBlock BuildOtsBlock() const;
    void ApplyOtsBlock(std::span<const std::uint8_t> block);

    void OnSetActive() override;
    LRESULT OnWizardBack() override;
    BOOL OnWizardFinish() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnLoadOts();
    afx_msg void OnSaveOts();
    afx_msg void OnResetOts();
    afx_msg void OnDropFiles(HDROP hDropInfo);
    // The popup slider over a volume, reverb or chorus button, or an octave button.
    afx_msg void OnValueClick(UINT id);
    afx_msg void OnOctaveClick(UINT id);
    afx_msg void OnVoiceChanged(UINT id);
    afx_msg LRESULT OnSliderValue(WPARAM value, LPARAM lParam);
    afx_msg LRESULT OnValueButton(WPARAM id, LPARAM value);
    afx_msg LRESULT OnLanguageChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSelectPage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    enum Value { Volume, Reverb, Chorus, Octave, ValueCount };

    void CreateGrid();
    void ReloadTexts();
    // The voice list of step 1's target model, fetched from the instrument
    // when the file is missing; false when there is none to read.
    bool LoadVoiceList(const CString& insPath);
    bool ReadVoiceList(const CString& insPath);
    void FillVoiceCombos();
    // The settings a new source brings: the defaults for a MIDI source, the
    // block of a style source.
    void TakeSourceSettings();
    CComboButton& ValueButton(int value, int part) const;
    void PopupSlider(UINT buttonId);
    void HideSlider();
    // An ".ots" file's block when the whole file holds valid settings of voices
    // the list knows; else the user is told why and the page stays as it was.
    void TakeOtsFile(const CString& path);

    const CPage1* m_source = nullptr;
    keyloft::style::VoiceList m_voices;
    CString m_insPath;
    CString m_loadedSource;
    std::array<int, kParts> m_octaves{};  // -2..+2; the buttons themselves reach -1..+1
    UINT m_comboLanguage = static_cast<UINT>(-1);
    bool m_modified = false;

    std::array<CMyCombox, kParts> m_voiceCombos;
    std::array<std::array<std::unique_ptr<CComboButton>, kParts>, ValueCount> m_values;
    std::array<CStatic, kParts + 4 + 5> m_labels;
    CMyButton m_load;
    CMyButton m_save;
    CMyButton m_reset;
    CSliderDlg m_slider;
    CNotifyDlg m_notify;
    UINT m_sliderButton = 0;
};
