#include "names/lookup.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace names {
namespace {

struct NameCase {
  codes::CodeNameTable table;
  std::int32_t code;
  const char* expected;
  bool fallback;
};

const NameCase kNameCases[] = {
    {codes::ErrorNames, 337, "337    (0x00000151)", true},
    {codes::ErrorNames, -1, "-1     (0xFFFFFFFF)", true},
    {codes::ErrorNames, 0, "0      (0x00000000)", true},
    {codes::ErrorNames, 303, "POSERR_SYS_INVALID_DESCRIPTOR", false},
    {codes::ErrorNames, 4401, "POSERR_DSP_INVALID_CURSOR", false},
    {codes::RequestNames, 4401, "POS_DSP_CLEAR_SCREEN", false},
    {codes::SlotNames, 0, "SLOT_0", false},
    {codes::PortNames, 0, "PORT_0", false},
    {codes::PortNames, 1, "1      (0x00000001)", true},
    {codes::DeviceNames, 0x10, "CHECKOUT_KEYBOARD_A", false},
    {codes::DeviceNames, 0x34, "PRINTER_3", false},
    {codes::DeviceNames, 0x40, "MSR_1_TRACK_A", false},
    {codes::MessageNames, 0x420D, "POSM_SYS_DEVICE_ONLINE", false},
    {codes::MessageNames, 16916, "16916  (0x00004214)", true},
    {codes::MessageNames, -123456, "-123456 (0xFFFE1DC0)", true},
    {codes::MessageNames, 123456, "123456 (0x0001E240)", true},
    {codes::ClassNames, 0, "0      (0x00000000)", true},
    {codes::SubtypeNames, 0x1C01, "KBD_MODEL_1", false},
    {codes::ErrorNames, INT_MIN, "-2147483648 (0x80000000)", true},
};

TEST(LookupName, NamesAndFallbackTexts) {
  for (const NameCase& c : kNameCases) {
    SCOPED_TRACE(c.expected);
    NameScratch scratch;
    const char* text = LookupName(scratch, c.table, c.code);
    EXPECT_STREQ(text, c.expected);
    // A found name is the table's own text; only fallbacks use the scratch.
    EXPECT_EQ(scratch.empty(), !c.fallback);
    if (c.fallback) {
      EXPECT_EQ(text, scratch.area());
    }
  }
}

TEST(LookupName, NullTableGivesTheFallback) {
  NameScratch scratch;
  EXPECT_STREQ(LookupName(scratch, nullptr, 7), "7      (0x00000007)");
}

struct SubtypeCase {
  std::uint8_t device;
  std::uint8_t subtype;
  const char* expected;
};

const SubtypeCase kSubtypeCases[] = {
    {0x1C, 0, "NONE"},          {0x1C, 1, "KBD_MODEL_1"}, {0x1C, 6, "  6 (0x06)"},
    {0x81, 3, "KBD_MODEL_3"},   {0x81, 1, "  1 (0x01)"},  {0x5C, 10, "TCH_MODEL_10"},
    {0x6E, 2, "SCN_MODEL_4"},   {0x00, 9, "  9 (0x09)"},  {0xFF, 255, "255 (0xFF)"},
    {0x24, 0x10, " 16 (0x10)"}, {0x25, 7, "DSP_MODEL_7"}, {0x4B, 3, "WAND_MODEL_3"},
};

TEST(LookupSubtype, NamesNoneAndFallbackTexts) {
  for (const SubtypeCase& c : kSubtypeCases) {
    SCOPED_TRACE(c.expected);
    NameScratch scratch;
    EXPECT_STREQ(LookupSubtype(scratch, c.device, c.subtype), c.expected);
  }
  NameScratch scratch;
  LookupSubtype(scratch, 0x1C, 0);
  EXPECT_TRUE(scratch.empty()) << "NONE is no fallback text";
}

TEST(NameScratch, TextsLieBackToBackWithAnEndMark) {
  NameScratch scratch;
  const char* a = LookupName(scratch, codes::ErrorNames, 337);
  const char* b = LookupSubtype(scratch, 0x1C, 6);
  const char* c = LookupName(scratch, codes::ErrorNames, -1);
  EXPECT_STREQ(a, "337    (0x00000151)");
  EXPECT_STREQ(b, "  6 (0x06)");
  EXPECT_STREQ(c, "-1     (0xFFFFFFFF)");
  EXPECT_EQ(a, scratch.area());
  EXPECT_EQ(b, a + std::strlen(a) + 1);
  EXPECT_EQ(c, b + std::strlen(b) + 1);
  EXPECT_EQ(c[std::strlen(c) + 1], '\0');

  ClearNameScratch(scratch);
  EXPECT_TRUE(scratch.empty());
  EXPECT_EQ(LookupName(scratch, codes::ErrorNames, 1), scratch.area());
}

// Far more texts than 256 bytes hold: every one stays intact until cleared.
TEST(NameScratch, FullAreaKeepsEveryTextIntact) {
  NameScratch scratch;
  std::vector<const char*> texts;
  std::vector<std::string> expected;
  for (std::int32_t code = 100000; code < 100040; ++code) {
    texts.push_back(LookupName(scratch, codes::MessageNames, code));
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(code));
    expected.push_back(std::to_string(code) + " (0x" + hex + ")");
  }
  EXPECT_EQ(expected.front(), "100000 (0x000186A0)");
  for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i], expected[i]);

  // The area itself never runs past its room.
  std::size_t used = 0;
  while (scratch.area()[used] != '\0') used += std::strlen(scratch.area() + used) + 1;
  EXPECT_LT(used, NameScratch::kSize);
  EXPECT_GT(used + 20, NameScratch::kSize - 1) << "the area is used up to its room";

  ClearNameScratch(scratch);
  EXPECT_TRUE(scratch.empty());
  EXPECT_EQ(LookupSubtype(scratch, 0, 5), scratch.area());
}

TEST(NameScratch, EmptyAndZeroBytesDoNotBreakTheArea) {
  NameScratch scratch;
  EXPECT_STREQ(scratch.Add(""), "");
  EXPECT_TRUE(scratch.empty());
  const char* cut = scratch.Add(std::string_view("ab\0cd", 5));
  EXPECT_STREQ(cut, "ab");
  EXPECT_STREQ(scratch.Add("xyz"), "xyz");
  EXPECT_STREQ(cut, "ab");
}

}  // namespace
}  // namespace names
