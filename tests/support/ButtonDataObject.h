// Data as a dragged toolbar button carries it: the button put into a data
// source in the toolbar-button clipboard format, and the data object a drop
// target would receive from it.
#pragma once

#include <gtest/gtest.h>

#include <afxole.h>

#include "guilib/toolbars/KGPToolbarButton.h"

namespace keyloft_test {

class CButtonData {
public:
    explicit CButtonData(const CKGPToolbarButton& button)
    {
        EXPECT_TRUE(const_cast<CKGPToolbarButton&>(button).CopyToDataSource(&m_source));
        m_object.Attach(m_source.GetDataObject(), FALSE);
    }
    COleDataObject* Get() { return &m_object; }

private:
    COleDataSource m_source;
    COleDataObject m_object;
};

} // namespace keyloft_test
