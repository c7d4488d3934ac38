// The end-to-end tests: --product=PATH names the wrenhollow.exe to test, --artifacts=FOLDER where screenshots
// are kept; both may be Linux paths.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "product.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  wrenhollow::e2e::E2eSettings& settings = wrenhollow::e2e::Settings();
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument.rfind("--product=", 0) == 0) {
      settings.productExe = wrenhollow::e2e::ToWindowsPath(argument.substr(10));
    } else if (argument.rfind("--artifacts=", 0) == 0) {
      settings.artifactsDir = wrenhollow::e2e::ToWindowsPath(argument.substr(12));
    } else {
      std::fprintf(stderr, "e2e_tests: unknown argument %s\n", argv[i]);
      return 2;
    }
  }
  if (settings.productExe.empty() || settings.artifactsDir.empty()) {
    std::fprintf(stderr, "usage: e2e_tests --product=wrenhollow.exe --artifacts=FOLDER [gtest options]\n");
    return 2;
  }
  // Bare Xvfb has no window manager, and Wine waits up to two seconds for one whenever a managed window is
  // hidden or destroyed. Unmanaged windows (this prefix only) end at once.
  RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Managed", REG_SZ, "N", 2);
  return RUN_ALL_TESTS();
}
