// A push button that shows a skin image (of the program's interface
// resources) instead of its text. The image is not owned: the resources keep
// it for the program's lifetime.
#pragma once

#include "widgets/HotButton.h"

class CSkinImage;

class CPngButton : public CHotButton {
public:
    CPngButton();
    ~CPngButton() override;

    void SetImage(const CSkinImage* image);
    // The image of that file name in the interface resources; false when absent.
    bool SetImage(LPCTSTR imageName);
    const CSkinImage* GetImage() const { return m_image; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

private:
    const CSkinImage* m_image = nullptr;
};

// Where an image of width x height goes inside box: as large as fits without
// distortion, never enlarged beyond its own size, centred.
RECT FitImageRect(const RECT& box, int width, int height);
