// Templates of the framework's tests: plain #defines, read by windres too.
#define IDD_TEST_MODAL 901
#define IDD_TEST_POPUP 902
#define IDC_TEST_OWNERDRAW 1101
#define IDC_TEST_EDIT 1102
