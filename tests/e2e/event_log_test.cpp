// The Windows Event Log: the source's registration switches against the registry, and the events the program
// reports, which Wine only traces.
#include "e2e_support.h"

namespace wrenhollow::e2e {
namespace {

constexpr char kSourceKey[] = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Wrenhollow";
const UsbDevice kStick{"VID_0781&PID_5567", "4C530001230105117312", "SanDisk Cruzer Blade USB Device"};

std::string SourceValue(const char* name) {
  char value[MAX_PATH] = "";
  DWORD size = sizeof value;
  DWORD type = 0;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, kSourceKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type, value, &size) != ERROR_SUCCESS) {
    return "<none>";
  }
  return type == REG_DWORD ? std::to_string(*reinterpret_cast<DWORD*>(value)) : std::to_string(type) + ":" + value;
}

TEST(EventLog, TheSourceIsRegisteredAndRemovedBySwitches) {
  Product product;
  DWORD exitCode = 1;
  ASSERT_TRUE(product.Run("/registereventsource", &exitCode));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(SourceValue("EventMessageFile"), "2:" + product.Path("wrenhollow.exe"));  // REG_EXPAND_SZ
  EXPECT_EQ(SourceValue("TypesSupported"), "7");
  ASSERT_TRUE(product.Run("/unregistereventsource", &exitCode));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(SourceValue("TypesSupported"), "<none>");
  ASSERT_TRUE(product.Run("/unregistereventsource", &exitCode));
  EXPECT_EQ(exitCode, 2u) << "nothing to remove";
}

// Each live row is one report to the source "Wrenhollow": information (4), no category, id 1 for a plug and 2
// for an unplug, the log's 18 members as its strings.
TEST(EventLog, EachLiveRowIsReportedWithItsIdAndTexts) {
  ASSERT_TRUE(LoadDevices({"plug_after.reg"}));
  Product product;
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), "[General]\r\nWriteToEventLog=1\r\n"));
  product.SetWineDebug("fixme+advapi,+eventlog");
  ASSERT_TRUE(product.Start());
  ASSERT_TRUE(ChangeDevices(product.App(), LinkedText(kStick, 0), 1));
  ASSERT_TRUE(ChangeDevices(product.App(), LinkedText(kStick, 1), 2));
  ASSERT_TRUE(product.Exit());
  const std::string trace = product.WineDebugOutput();
  EXPECT_NE(trace.find("RegisterEventSourceW ((null),L\"Wrenhollow\")"), std::string::npos) << trace;
  const size_t unplug = trace.find(",0x0004,0x0000,0x00000002,0000000000000000,0x0012,");
  const size_t plug = trace.find(",0x0004,0x0000,0x00000001,0000000000000000,0x0012,");
  ASSERT_NE(unplug, std::string::npos) << trace;
  ASSERT_NE(plug, std::string::npos) << trace;
  EXPECT_LT(unplug, plug);
  for (const char* text : {"L\"unplug\"", "L\"Port_#0001.Hub_#0004\"", "L\"SanDisk Cruzer Blade USB Device\"",
                           "L\"E:, F:\"", "L\"4C530001230105117312\"", "L\"SanDisk Corp.\"", "L\"VID_0781&PID_5567\""}) {
    EXPECT_NE(trace.find(text, unplug), std::string::npos) << text;
  }
  EXPECT_NE(trace.find("L\"plug\"", plug), std::string::npos);
}

}  // namespace
}  // namespace wrenhollow::e2e
