// Ids of the test-only resources (PagesTests.rc).
#pragma once

#define IDD_TEST_PAGE 9100
#define IDC_TEST_BUTTON 9101
#define IDR_TEST_ACCEL 9102
#define ID_TEST_ACCEL_COMMAND 9103
#define IDS_TEST_TIP_TWO_PARTS 9110
#define IDS_TEST_TIP_ONE_PART 9111
