// Resource ids of the framework core tests.
#pragma once

#define IDS_TEST_HELLO 100
#define IDD_TEST_DIALOG 200
#define IDC_TEST_EDIT 201
#define IDC_TEST_CHECK 202
