#include "comm/DeviceLink.h"
#include "comm/PosixIo.h"
#include "comm/SerialPortNames.h"

#include <gtest/gtest.h>

using namespace comm;

TEST(SerialPortNames, FixedMappingBothWays)
{
    EXPECT_EQ(SerialPortName(1), "ttyS0");
    EXPECT_EQ(SerialPortName(99), "ttyS98");
    EXPECT_EQ(SerialPortName(100), "ttyUSB0");
    EXPECT_EQ(SerialPortName(205), "ttyACM5");
    EXPECT_EQ(SerialPortName(1003), "pts/3");
    EXPECT_EQ(SerialPortPath(101), "/dev/ttyUSB1");
    EXPECT_EQ(SerialPortName(0), "");
    EXPECT_EQ(SerialPortName(-4), "");
    EXPECT_EQ(SerialPortName(500), "");
    EXPECT_EQ(SerialPortName(10000), "");

    EXPECT_EQ(SerialPortNumber("ttyS0"), 1);
    EXPECT_EQ(SerialPortNumber("/dev/ttyUSB7"), 107);
    EXPECT_EQ(SerialPortNumber("ttyACM0"), 200);
    EXPECT_EQ(SerialPortNumber("/dev/pts/12"), 1012);
    for (int n : {1, 50, 99, 100, 199, 200, 299, 1000, 9999}) EXPECT_EQ(SerialPortNumber(SerialPortName(n)), n) << n;
}

TEST(SerialPortNames, RefusesNamesOutsideTheMapping)
{
    EXPECT_EQ(SerialPortNumber("ttyS99"), 0);
    EXPECT_EQ(SerialPortNumber("ttyUSB100"), 0);
    EXPECT_EQ(SerialPortNumber("ttyS01"), 0);
    EXPECT_EQ(SerialPortNumber("ttyS-1"), 0);
    EXPECT_EQ(SerialPortNumber("ttyS"), 0);
    EXPECT_EQ(SerialPortNumber("COM1"), 0);
    EXPECT_EQ(SerialPortNumber("ttyUSB1x"), 0);
    EXPECT_EQ(SerialPortNumber(""), 0);
}

TEST(SerialPortNames, EnumerationListsOnlyMappedPorts)
{
    for (const auto& p : EnumerateSerialPorts()) {
        EXPECT_EQ(SerialPortNumber(p.name), p.number);
        EXPECT_EQ(SerialPortName(p.number), p.name);
    }
}

TEST(SerialOpen, MissingDeviceOrUnsupportedRateFails)
{
    DeviceLink link;
    EXPECT_EQ(link.OpenSerial(0, 115200), 0);
    EXPECT_EQ(link.OpenSerial(199, 115200), 0);  // ttyUSB99: not on a test machine
    EXPECT_EQ(link.OpenSerialPath("/dev/does-not-exist", 115200), 0);
    EXPECT_EQ(BaudConstant(115200) != 0, true);
    EXPECT_EQ(BaudConstant(12345), 0u);
    EXPECT_EQ(link.OpenSerialPath("/dev/ptmx", 12345), 0);
    link.Shutdown();
}

TEST(Addresses, StrictDottedIpv4)
{
    in_addr a{};
    EXPECT_TRUE(ParseIpv4("127.0.0.2", a));
    EXPECT_EQ(FormatIpv4(a), "127.0.0.2");
    EXPECT_FALSE(ParseIpv4("127.0.0", a));
    EXPECT_FALSE(ParseIpv4("127.0.0.256", a));
    EXPECT_FALSE(ParseIpv4("", a));
    EXPECT_FALSE(ParseIpv4(std::string("127.0.0.1\0:1", 12), a));
    EXPECT_EQ(LastOctet("192.168.1.110"), 110);
    EXPECT_EQ(LastOctet("bad"), 0);
}
