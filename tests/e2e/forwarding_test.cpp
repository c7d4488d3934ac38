// Forwarding through the real program: each live row reaches a real syslog server over TCP, in order.
#include "e2e_support.h"
#include "support/rsyslog_server.h"
#include "util/json.h"

namespace wrenhollow::e2e {
namespace {

const UsbDevice kStick{"VID_0781&PID_5567", "4C530001230105117312", "SanDisk Cruzer Blade USB Device"};

TEST(Forwarding, EachLiveRowReachesTheSyslogServer) {
  test::RsyslogServer server;
  ASSERT_TRUE(LoadDevices({"plug_after.reg"}));
  Product product;
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), "[Forwarding]\r\nSyslogServer=127.0.0.1\r\nSyslogPort=" +
                                                         std::to_string(server.TcpPort()) +
                                                         "\r\nSyslogProtocol=tcp\r\nSyslogFacility=4\r\n"));
  ASSERT_TRUE(product.Start());
  ASSERT_TRUE(ChangeDevices(product.App(), LinkedText(kStick, 0), 1));
  ASSERT_TRUE(ChangeDevices(product.App(), LinkedText(kStick, 1), 2));
  ASSERT_TRUE(server.WaitForLines(2));
  const std::string header = " Wrenhollow " + std::to_string(product.ProcessId()) + " usb - ";
  ASSERT_TRUE(product.Exit());
  const std::vector<std::string> lines = server.Lines();
  ASSERT_EQ(lines.size(), 2u);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    EXPECT_EQ(line.rfind("<37>1 ", 0), 0u) << line;  // facility 4, severity 5
    const size_t message = line.find(header);
    ASSERT_NE(message, std::string::npos) << line;
    const auto members = ParseFlatJsonObject(line.substr(message + header.size()));
    ASSERT_TRUE(members) << line;
    EXPECT_EQ(members->at(1), std::make_pair(std::string("event"), std::string(i == 0 ? "unplug" : "plug")));
    EXPECT_EQ(members->at(7), std::make_pair(std::string("serial"), kStick.instance));
  }
}

}  // namespace
}  // namespace wrenhollow::e2e
