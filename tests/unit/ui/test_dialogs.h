#pragma once

// Shared by test_dialogs.rc and the tests, so plain macros.
#define TEST_DIALOG_ID 9001
#define TEST_DIALOG_EDIT_ID 9002
