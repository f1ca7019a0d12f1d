// Resource ids of the property sheet tests.
#pragma once

#define IDD_PS_GENERAL 2101
#define IDD_PS_VIEW 2102
#define IDD_PS_ADVANCED 2103
#define IDC_PS_EDIT 2201
#define IDC_PS_CHECK 2202
