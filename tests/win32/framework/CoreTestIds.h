// Resource ids of the framework core tests.
#ifndef FRAMEWORK_CORE_TEST_IDS_H
#define FRAMEWORK_CORE_TEST_IDS_H

#define IDS_TEST_HELLO   100
#define IDD_TEST_DIALOG  200
#define IDC_TEST_EDIT    201
#define IDC_TEST_CHECK   202

#endif
