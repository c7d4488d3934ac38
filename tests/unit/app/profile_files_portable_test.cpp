#include "portable/profile_files_portable.h"

#include <random>

#include "app/profile_files_contract_test.h"

namespace wrenhollow::test {
namespace {

INSTANTIATE_TYPED_TEST_SUITE_P(Portable, ProfileFilesContractTest, PortableProfileFiles);

using PortableProfileFilesTest = ProfileFilesContractTest<PortableProfileFiles>;

// Wine may take such bytes for UTF-16; the portable reader only has to stay within its buffers.
TEST_F(PortableProfileFilesTest, BytesThatAreNotTextReadSafelyAndStillTakeAWrite) {
  std::mt19937 random(7);
  std::string noise(1 << 16, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  const struct { std::string bytes; const char* longText; int number; } cases[] = {
      {noise, "d", 77},
      {noise + "\n[General]\nA=\"1\"\n", "d", 1},
      {"[General]\r\nLong=" + std::string(1 << 20, 'v') + "\r\nA=3", "vvvvvvv", 3},
  };
  for (const auto& c : cases) {
    folder_.Put("n.ini", c.bytes);
    EXPECT_EQ(Read("n.ini", "General", "Long", "d", 8), c.longText);
    EXPECT_EQ(ReadInt("n.ini", "General", "A"), c.number);
    EXPECT_TRUE(Write("n.ini", "General", "A", "2"));
    EXPECT_EQ(ReadInt("n.ini", "General", "A"), 2);
  }
}

}  // namespace
}  // namespace wrenhollow::test
