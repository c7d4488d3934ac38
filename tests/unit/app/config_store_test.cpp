#include "app/config_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/app_options.h"
#include "support/temp_folder.h"
#include "util/hex.h"
#include "portable/profile_files_portable.h"

namespace wrenhollow::test {
namespace {

class ConfigStoreTest : public testing::Test {
 protected:
  ConfigStore Store(int direction) { return ConfigStore(files_, direction, path_.c_str(), "General"); }
  void PutSettings(const std::string& lines) { folder_.Put("s.cfg", "[General]\r\n" + lines); }
  std::string Settings() const { return folder_.Get("s.cfg").value_or("<missing>"); }

  PortableProfileFiles files_;
  TempFolder folder_;
  std::string path_ = folder_.File("s.cfg");
};

// Saving, loading into cleared variables and saving again must give the same bytes.
TEST_F(ConfigStoreTest, EveryOperationSavesItsFormAndLoadsItBack) {
  int32_t flag = 1, number = INT32_MIN;
  uint8_t block[3] = {0x01, 0xAB, 0xFF};
  char text[32] = "plain text", quoted[32] = "\"both\" ends\"";
  const auto exchange = [&](int direction) {
    ConfigStore store = Store(direction);
    for (bool done : {store.ExchangeFlag("Flag", &flag, 0), store.ExchangeInt("Int", &number, 6),
                      store.ExchangeBinary("Binary", block, sizeof block),
                      store.ExchangeString("Text", text, "", sizeof text),
                      store.ExchangeString("Quoted", quoted, "", sizeof quoted)}) {
      EXPECT_TRUE(done);
    }
  };
  PutSettings("");
  exchange(kConfigSave);
  const std::string saved = Settings();
  EXPECT_EQ(saved, "[General]\r\nFlag=1\r\nInt=-2147483648\r\nBinary=01 AB FF\r\nText=plain text\r\n"
                   "Quoted=\"\"both\" ends\"\"\r\n");
  flag = number = block[0] = block[2] = 0;
  text[0] = quoted[0] = '\0';
  exchange(kConfigLoad);
  PutSettings("");
  exchange(kConfigSave);
  EXPECT_EQ(Settings(), saved);
}

TEST_F(ConfigStoreTest, MissingKeysLeaveDefaultsAndBlocksUntouchedAndAFlagOfTwoStaysOnThroughFlips) {
  for (const char* file : {"", "Other=1\r\n"}) {
    if (*file != '\0') PutSettings(file);
    ConfigStore store = Store(kConfigLoad);
    int32_t number = 9;
    uint8_t block[2] = {0x5A, 0x5A};
    char text[8] = "old";
    store.ExchangeInt("Int", &number, -3);
    EXPECT_FALSE(store.ExchangeBinary("Binary", block, sizeof block));
    store.ExchangeString("Text", text, "default text", sizeof text);
    EXPECT_EQ(std::to_string(number) + " " + std::to_string(block[0] + block[1]) + " " + text, "-3 180 default");
  }
  PutSettings("ShowGridLines=2\r\n");
  AppOptions options;
  Store(kConfigLoad).ExchangeFlag("ShowGridLines", &options.showGridLines, 0);
  FlipOption(&options.showGridLines);
  Store(kConfigSave).ExchangeFlag("ShowGridLines", &options.showGridLines, 0);
  EXPECT_EQ(Settings(), "[General]\r\nShowGridLines=3\r\n");
  FlipOption(&options.showGridLines);
  EXPECT_EQ(options.showGridLines, 2);
}

// The longest text, 8192 characters, loses its last digit in the reader's 8192-character buffer, so the last of
// 2731 bytes reads back as its high digit alone.
TEST_F(ConfigStoreTest, BlocksWriteAtMostTheLongestTextAndAnEmptyBlockReadsAsAbsent) {
  for (int size : {0, 1, 2, kHexMaxBytes, kHexMaxBytes + 1}) {
    std::vector<uint8_t> bytes(static_cast<size_t>(size) + 1, 0xC3);
    EXPECT_TRUE(Store(kConfigSave).ExchangeBinary("Block", bytes.data(), size));
    const int written = std::min(size, kHexMaxBytes);
    EXPECT_EQ(Settings().size(), std::string("[General]\r\nBlock=\r\n").size() + (written ? written * 3 - 1 : 0));
    std::vector<uint8_t> loaded(bytes.size(), 0xEE);
    EXPECT_EQ(Store(kConfigLoad).ExchangeBinary("Block", loaded.data(), size), size > 0) << size;
    const uint8_t last = written == kHexMaxBytes ? 0x0C : 0xC3;
    for (int i = 0; i <= size; ++i) {
      ASSERT_EQ(loaded[i], i < written - 1 ? 0xC3 : i == written - 1 ? last : 0xEE) << size << " at " << i;
    }
  }
}

TEST_F(ConfigStoreTest, QuotedTextIsCutToItsLimitAndOnlyBlockWritesReportFailure) {
  std::string text(70000, 'x');
  text[1] = '"';
  Store(kConfigSave).ExchangeString("Text", text.data(), "", text.size() + 1);
  EXPECT_EQ(Settings(), "[General]\r\nText=\"x\"" + std::string(kQuotedTextMax - 3, 'x') + "\r\n");
  path_ = folder_.File("missing/s.cfg");
  int32_t number = 1;
  uint8_t block[1] = {1};
  EXPECT_TRUE(Store(kConfigSave).ExchangeInt("A", &number, 0));
  EXPECT_FALSE(Store(kConfigSave).ExchangeBinary("B", block, 1));
}

}  // namespace
}  // namespace wrenhollow::test
