#pragma once

// Shared by test_language.rc and the tests, so plain macros; clear of the ui tests' 9001 and 9002.
#define TEST_MENU_ID 9101
#define TEST_LANGUAGE_DIALOG_ID 9102
#define TEST_LABEL_ID 9301
#define TEST_PICKER_ID 9303
