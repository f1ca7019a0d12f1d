// String resources of the base tests.
#pragma once

#define IDS_TEST_NOT_CONNECTED 4001
#define IDS_TEST_COUNT_FORMAT 4002
#define IDS_TEST_LAST_IN_BLOCK 4015
// In the same string block as the others, but absent.
#define IDS_TEST_MISSING 4003
