#include "app/forwarding_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "portable/profile_files_portable.h"
#include "support/temp_folder.h"

namespace wrenhollow::test {
namespace {

class ForwardingSettingsTest : public testing::Test {
 protected:
  ForwardingSettings Load(const std::string& lines) {
    folder_.Put("s.cfg", "[Forwarding]\r\n" + lines);
    return LoadFile();
  }
  ForwardingSettings LoadFile() {
    ForwardingSettings settings{"stale", 1, SyslogProtocol::Tcp, 2};
    ConfigStore store(files_, kConfigLoad, path_.c_str(), kForwardingSection);
    ExchangeForwardingSettings(store, settings);
    return settings;
  }

  PortableProfileFiles files_;
  TempFolder folder_;
  std::string path_ = folder_.File("s.cfg");
};

TEST_F(ForwardingSettingsTest, BadValuesGiveTheDefaultsOrOff) {
  const std::string longest(255, 'h');
  const struct {
    std::string lines;
    std::string server;
    int32_t port;
    SyslogProtocol protocol;
    int32_t facility;
  } cases[] = {
      {"", "", 514, SyslogProtocol::Udp, 1},
      {"SyslogServer=logs.example\r\nSyslogPort=6514\r\nSyslogProtocol=tcp\r\nSyslogFacility=23\r\n", "logs.example",
       6514, SyslogProtocol::Tcp, 23},
      {"SyslogServer=::1\r\nSyslogPort=1\r\nSyslogProtocol=TCP\r\nSyslogFacility=0\r\n", "::1", 1,
       SyslogProtocol::Tcp, 0},
      {"SyslogServer=10.0.0.1\r\nSyslogPort=65535\r\nSyslogProtocol=udp\r\n", "10.0.0.1", 65535,
       SyslogProtocol::Udp, 1},
      {"SyslogPort=abc\r\nSyslogProtocol=sctp\r\nSyslogFacility=99\r\n", "", 514, SyslogProtocol::Udp, 1},
      {"SyslogPort=0\r\nSyslogProtocol=tcpx\r\nSyslogFacility=-1\r\n", "", 514, SyslogProtocol::Udp, 1},
      {"SyslogPort=65536\r\nSyslogProtocol=\r\nSyslogFacility=24\r\n", "", 514, SyslogProtocol::Udp, 1},
      {"SyslogPort=-514\r\nSyslogProtocol=tc\r\nSyslogFacility=x\r\n", "", 514, SyslogProtocol::Udp, 1},
      {"SyslogPort=514abc\r\nSyslogFacility=2x\r\n", "", 514, SyslogProtocol::Udp, 1},
      {"SyslogPort=0x10\r\nSyslogFacility=+3\r\n", "", 514, SyslogProtocol::Udp, 1},
      {"SyslogPort=99999999999999999999\r\nSyslogFacility=4294967297\r\n", "", 514, SyslogProtocol::Udp, 1},
      {"SyslogPort= 00080 \r\nSyslogFacility=007\r\n", "", 80, SyslogProtocol::Udp, 7},
      {"SyslogServer=" + longest + "\r\n", longest, 514, SyslogProtocol::Udp, 1},
      {"SyslogServer=" + longest + "h\r\n", "", 514, SyslogProtocol::Udp, 1},
      {"SyslogServer=" + std::string(300, 'h') + "\r\n", "", 514, SyslogProtocol::Udp, 1},
      {"SyslogServer=" + std::string(5000, 'h') + "\r\n", "", 514, SyslogProtocol::Udp, 1},
  };
  for (const auto& c : cases) {
    const ForwardingSettings settings = Load(c.lines);
    EXPECT_EQ(settings.server, c.server) << c.lines;
    EXPECT_EQ(settings.port, c.port) << c.lines;
    EXPECT_EQ(settings.protocol, c.protocol) << c.lines;
    EXPECT_EQ(settings.facility, c.facility) << c.lines;
  }
}

TEST_F(ForwardingSettingsTest, SavedSettingsLoadBack) {
  folder_.Put("s.cfg", "");
  ForwardingSettings saved{"fe80::1", 10514, SyslogProtocol::Tcp, 16};
  ConfigStore store(files_, kConfigSave, path_.c_str(), kForwardingSection);
  ExchangeForwardingSettings(store, saved);
  EXPECT_EQ(folder_.Get("s.cfg"),
            "[Forwarding]\r\nSyslogServer=fe80::1\r\nSyslogPort=10514\r\nSyslogProtocol=tcp\r\nSyslogFacility=16\r\n");
  const ForwardingSettings loaded = LoadFile();
  EXPECT_STREQ(loaded.server, saved.server);
  EXPECT_EQ(loaded.port, saved.port);
  EXPECT_EQ(loaded.protocol, saved.protocol);
  EXPECT_EQ(loaded.facility, saved.facility);
}

}  // namespace
}  // namespace wrenhollow::test
