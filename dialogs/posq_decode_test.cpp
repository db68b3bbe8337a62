#include "dialogs/posq_decode.h"

#include <gtest/gtest.h>

#include <array>

#include "ui/scripted/scripted_port.h"

namespace dialogs {
namespace {

std::array<unsigned char, 16> Record(std::uint32_t code, std::uint32_t mp1, std::uint32_t mp2) {
  std::array<unsigned char, 16> r{};
  const std::uint32_t fields[] = {0x00010046, code, mp1, mp2};
  for (std::size_t f = 0; f < 4; ++f)
    for (std::size_t b = 0; b < 4; ++b)
      r[f * 4 + b] = static_cast<unsigned char>(fields[f] >> (8 * b));
  return r;
}

// mp1 of an online or offline event: class, device, port, slot (bytes 8..11).
std::uint32_t Where(std::uint32_t device_class, std::uint32_t device, std::uint32_t port,
                    std::uint32_t slot) {
  return device_class | device << 8 | port << 16 | slot << 24;
}

TEST(DecodePosqMessage, Records) {
  struct Case {
    std::array<unsigned char, 16> record;
    std::vector<std::string> lines;
  } cases[] = {
      {Record(0x420B, 3, 0),
       {"POSQ Message from Handle  3: POSM_SCAN_DATA_AVAIL", "     mp1 = 0x00000003 (3)",
        "     mp2 = 0x00000000 (0)"}},
      {Record(0x4203, 0xABCD0012, 0xFFFFFFFF),
       {"POSQ Message from Handle 18: POSM_MSR_DATA_AVAIL", "     mp1 = 0xABCD0012 (2882338834)",
        "     mp2 = 0xFFFFFFFF (4294967295)"}},
      {Record(0x420D, Where(9, 0x1C, 0x11, 2), 1),
       {"  POSM_SYS_DEVICE_ONLINE - SLOT_2, PORT_1, KEYBOARD  ",
        "*** Device: POS_KEYBOARD_A  (Subtype: KBD_MODEL_1)"}},
      {Record(0x420C, Where(99, 0x1C, 0x33, 2), 0),
       {"  POSM_SYS_DEVICE_OFFLINE - SLOT_2, 51     (0x00000033), 99     (0x00000063)  ",
        "*** Device: POS_KEYBOARD_A  (Subtype: NONE)"}},
      {Record(0x4299, 1, 2),
       {"POSQ Message from Handle  1: 17049  (0x00004299)", "     mp1 = 0x00000001 (1)",
        "     mp2 = 0x00000002 (2)"}},
  };
  for (const Case& c : cases) {
    ui::ScriptedPort port;
    names::NameScratch scratch;
    DecodePosqMessage(port, scratch, c.record.data(), 16);
    EXPECT_EQ(port.LogLines(), c.lines);
    EXPECT_TRUE(scratch.empty());
  }
}

TEST(DecodePosqMessage, OtherLengthsAreDumped) {
  const auto record = Record(0x420B, 3, 0);
  ui::ScriptedPort port;
  names::NameScratch scratch;
  DecodePosqMessage(port, scratch, record.data(), 12);
  const std::vector<std::string> lines = port.LogLines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "ERROR: Unknown POSQ message format!!!!");
  EXPECT_EQ(lines[1], "      POSQ Info:  ");
  EXPECT_EQ(lines[2], "      (12 bytes)");
}

TEST(LittleEndian32, BytesPastTheEndCountAsZero) {
  const unsigned char data[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
  EXPECT_EQ(LittleEndian32(data, 6, 0), 0x04030201u);
  EXPECT_EQ(LittleEndian32(data, 6, 4), 0x0605u);
  EXPECT_EQ(LittleEndian32(data, 0, 0), 0u);
}

}  // namespace
}  // namespace dialogs
