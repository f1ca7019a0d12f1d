// The program's document: it holds nothing; the program never opens or saves one.
#pragma once

#include <afxwin.h>

class CKeyloftDoc : public CDocument {
    DECLARE_DYNCREATE(CKeyloftDoc)
public:
    CKeyloftDoc() = default;
    ~CKeyloftDoc() override = default;
};
