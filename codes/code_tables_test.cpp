#include "codes/code_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "names/lookup.h"

namespace codes {
namespace {

struct TableShape {
  const char* label;
  CodeNameTable table;
  std::size_t rows;
};

const TableShape kShapes[] = {
    {"ErrorNames", ErrorNames, 147},    {"MessageNames", MessageNames, 20},
    {"RequestNames", RequestNames, 45}, {"SlotNames", SlotNames, 9},
    {"PortNames", PortNames, 3},        {"DeviceNames", DeviceNames, 58},
    {"ClassNames", ClassNames, 13},     {"SubtypeNames", SubtypeNames, 37},
};

TEST(CodeTables, RowCountsAndEndRow) {
  for (const TableShape& s : kShapes) {
    SCOPED_TRACE(s.label);
    ASSERT_EQ(RowCount(s.table), s.rows);
    EXPECT_EQ(s.table[s.rows].code, 0);
    EXPECT_EQ(s.table[s.rows].name, nullptr);
  }
}

// Codes and the names they are shown as: a dropped or mistyped row, or a
// repeated device number whose first row moved, changes one of them.
struct Named {
  CodeNameTable table;
  std::int32_t code;
  const char* name;
};

const Named kNamed[] = {
    {ErrorNames, 4405, "POSERR_DSP_BAD_BITMAP"},
    {ErrorNames, 4704, "POSERR_KBD_FILE_NOT_FOUND"},
    {ErrorNames, 4107, "POSERR_NVRAM_BATTERY_BAD"},
    {ErrorNames, 6401, "POSERR_POWER_INVALID_DAY"},
    {ErrorNames, 4906, "POSERR_PRN_INVALID_CR_LF_DISTANCE"},
    {ErrorNames, 5901, "POSERR_RS232_INVALID_BAUD_RATE"},
    {ErrorNames, 6209, "POSERR_SCALE_CONFIGURATION_ERROR"},
    {ErrorNames, 5737, "POSERR_SCAN_2_LABEL_FLAG_CONFIG_ERROR"},
    {ErrorNames, 5745, "POSERR_SCAN_INVALID_INT2OF5_SCANS_PER_READ"},
    {ErrorNames, 5724, "POSERR_SCAN_MSG_LENGTH_ERROR"},
    {ErrorNames, 313, "POSERR_SYS_ACQUIRED_BY_OTHER"},
    {ErrorNames, 303, "POSERR_SYS_INVALID_DESCRIPTOR"},
    {ErrorNames, 302, "POSERR_SYS_NOT_INITIALIZED"},
    {ErrorNames, 323, "POSERR_SYS_WRAP_FAILED"},
    {ErrorNames, 5401, "POSERR_TILL_INVALID_PULSE_WIDTH"},
    {ErrorNames, 6709, "POSERR_TOUCH_INVALID_TONE_FREQUENCY"},
    {ErrorNames, 6707, "POSERR_TOUCH_INVALID_SCREEN_SAVER_TIME"},
    {MessageNames, 0x4201, "POSM_KBD_STATUS_CHANGE"},
    {MessageNames, 0x4210, "POSM_PRN_DATA_AVAIL"},
    {MessageNames, 0x4205, "POSM_PRN_PRINTER_ERROR"},
    {MessageNames, 0x420D, "POSM_SYS_DEVICE_ONLINE"},
    {MessageNames, 0x4213, "POSM_SYS_DEVICE_RELEASED"},
    {MessageNames, 0x4216, "POSM_TOUCH_DATA"},
    {RequestNames, 5402, "POS_ALARM_SILENCE_ALARM"},
    {RequestNames, 4401, "POS_DSP_CLEAR_SCREEN"},
    {RequestNames, 4708, "POS_KBD_DISABLE_HOT_KEYS"},
    {RequestNames, 4705, "POS_KBD_SOUND_TONE"},
    {RequestNames, 6401, "POS_POWER_OFF"},
    {RequestNames, 4909, "POS_PRN_DEFINE_CHARACTERS"},
    {RequestNames, 5901, "POS_RS232_SEND_BREAK"},
    {RequestNames, 6102, "POS_SCALE_CLEAR_SCREEN"},
    {RequestNames, 5701, "POS_SCAN_DISCARD_DATA"},
    {RequestNames, 301, "POS_SYS_ACQUIRE_DEVICE"},
    {RequestNames, 5401, "POS_TILL_OPEN_TILL"},
    {RequestNames, 6702, "POS_TOUCH_SOUND_TONE"},
    {SlotNames, 8, "SLOT_8"},
    {PortNames, 0x00, "PORT_0"},
    {PortNames, 0x11, "PORT_1"},
    {PortNames, 0x22, "PORT_2"},
    {DeviceNames, 0x84, "ALARM"},
    {DeviceNames, 0x10, "CHECKOUT_KEYBOARD_A"},  // before JAPANESE_KEYBOARD, also 0x10
    {DeviceNames, 0x40, "MSR_1_TRACK_A"},        // before MSR_J_TRACK, also 0x40
    {DeviceNames, 0x34, "PRINTER_3"},            // before PRINTER_4, also 0x34
    {DeviceNames, 0x37, "PRINTER_MODEL_B"},
    {DeviceNames, 0x35, "PRINTER_MODEL_A"},
    {DeviceNames, 0x5C, "TOUCH_SCREEN"},
    {ClassNames, 7, "ALARM"},
    {ClassNames, 10, "RS232"},
    {ClassNames, 1, "UNKNOWN"},
    {SubtypeNames, 0x2401, "DSP_MODEL_1"},
    {SubtypeNames, 0x1C01, "KBD_MODEL_1"},
    {SubtypeNames, 0x6A02, "SCN_MODEL_4"},
    {SubtypeNames, 0x8103, "KBD_MODEL_3"},
    {SubtypeNames, 0x5C0B, "TCH_MODEL_11"},
};

TEST(CodeTables, CodesAreShownByTheirNames) {
  names::NameScratch scratch;
  for (const Named& n : kNamed) {
    SCOPED_TRACE(n.name);
    EXPECT_STREQ(names::LookupName(scratch, n.table, n.code), n.name);
  }
  EXPECT_TRUE(scratch.empty());
}

TEST(CodeTables, NamesAreUniqueAndCarryTheirPrefix) {
  const struct {
    CodeNameTable table;
    const char* prefix;
  } kNamed[] = {{ErrorNames, "POSERR_"}, {MessageNames, "POSM_"}, {RequestNames, "POS_"},
                {SlotNames, "SLOT_"},    {PortNames, "PORT_"},    {DeviceNames, ""},
                {ClassNames, ""}};
  for (const auto& t : kNamed) {
    SCOPED_TRACE(t.prefix);
    std::set<std::string> seen;
    for (const CodeName* row = t.table; row->name; ++row) {
      EXPECT_TRUE(seen.insert(row->name).second) << row->name;
      EXPECT_EQ(std::string_view(row->name).substr(0, std::strlen(t.prefix)), t.prefix);
    }
  }
}

// Codes repeat only where the device numbers of DeviceNames say so.
TEST(CodeTables, CodesRepeatOnlyForThreeDeviceNumbers) {
  for (const TableShape& s : kShapes) {
    SCOPED_TRACE(s.label);
    std::map<std::int32_t, int> count;
    for (const CodeName* row = s.table; row->name; ++row) ++count[row->code];
    std::set<std::int32_t> repeated;
    for (const auto& [code, n] : count)
      if (n > 1) repeated.insert(code);
    const std::set<std::int32_t> expected = s.table == DeviceNames
                                                ? std::set<std::int32_t>{0x10, 0x34, 0x40}
                                                : std::set<std::int32_t>{};
    EXPECT_EQ(repeated, expected);
  }
}

TEST(CodeTables, AlphabeticalTablesAreStoredInNameOrder) {
  for (CodeNameTable table : {MessageNames, RequestNames, SlotNames, PortNames, ClassNames}) {
    for (const CodeName* row = table; row[1].name; ++row)
      EXPECT_LT(std::string_view(row[0].name), std::string_view(row[1].name));
  }
}

// A run of rows that share a group key: how many, and the lowest and highest
// code. With unique codes, a run whose count spans its range holds every code.
struct Group {
  std::int32_t key;
  std::size_t rows;
  std::int32_t low, high;
  bool operator==(const Group&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Group& g) {
  return out << g.key << ":" << g.rows << "[" << g.low << ".." << g.high << "]";
}

template <typename KeyOf>
std::vector<Group> Groups(CodeNameTable table, KeyOf key_of) {
  std::vector<Group> groups;
  for (const CodeName* row = table; row->name; ++row) {
    const std::int32_t key = key_of(*row);
    if (groups.empty() || groups.back().key != key)
      groups.push_back({key, 0, row->code, row->code});
    Group& g = groups.back();
    ++g.rows;
    g.low = std::min(g.low, row->code);
    g.high = std::max(g.high, row->code);
  }
  return groups;
}

// The word after the prefix, as an index into words (-1 when unknown).
std::int32_t WordIndex(const char* name, std::size_t prefix,
                       const std::vector<std::string>& words) {
  const std::string_view rest = std::string_view(name).substr(prefix);
  for (std::size_t i = 0; i < words.size(); ++i)
    if (rest.substr(0, words[i].size() + 1) == words[i] + "_") return static_cast<std::int32_t>(i);
  return -1;
}

// ErrorNames and RequestNames: groups by the word after the prefix, in stored
// order, and the codes missing inside their ranges.
TEST(CodeTables, ErrorAndRequestGroupsFollowInOrder) {
  const struct {
    CodeNameTable table;
    std::size_t prefix;
    std::vector<std::string> words;
    std::vector<Group> groups;
    std::vector<std::int32_t> gaps;
  } kTables[] = {
      {ErrorNames,
       7,
       {"DSP", "KBD", "NVRAM", "POWER", "PRN", "RS232", "SCALE", "SCAN", "SYS", "TILL", "TOUCH"},
       {{0, 5, 4401, 4405},
        {1, 12, 4701, 4713},
        {2, 7, 4101, 4107},
        {3, 3, 6401, 6403},
        {4, 10, 4901, 4910},
        {5, 6, 5901, 5907},
        {6, 10, 6201, 6210},
        {7, 47, 5702, 5748},
        {8, 36, 301, 336},
        {9, 1, 5401, 5401},
        {10, 10, 6701, 6710}},
       {4707, 5906}},
      {RequestNames,
       4,
       {"ALARM", "DSP", "KBD", "POWER", "PRN", "RS232", "SCALE", "SCAN", "SYS", "TILL", "TOUCH"},
       {{0, 2, 5402, 5403},
        {1, 2, 4401, 4402},
        {2, 16, 4701, 4718},
        {3, 3, 6401, 6403},
        {4, 9, 4901, 4909},
        {5, 1, 5901, 5901},
        {6, 2, 6101, 6102},
        {7, 1, 5701, 5701},
        {8, 6, 301, 306},
        {9, 1, 5401, 5401},
        {10, 2, 6701, 6702}},
       {4703, 4714}},
  };
  for (const auto& t : kTables) {
    SCOPED_TRACE(t.table[0].name);
    EXPECT_EQ(
        Groups(t.table, [&](const CodeName& r) { return WordIndex(r.name, t.prefix, t.words); }),
        t.groups);
    for (std::int32_t code : t.gaps)
      for (const CodeName* row = t.table; row->name; ++row) EXPECT_NE(row->code, code);
  }
}

TEST(CodeTables, SubtypeNamesAreGroupedByDevice) {
  const std::vector<Group> expected = {{0x24, 3, 0x2401, 0x2407}, {0x25, 3, 0x2501, 0x2507},
                                       {0x1C, 6, 0x1C01, 0x1C07}, {0x1D, 6, 0x1D01, 0x1D07},
                                       {0x4A, 6, 0x4A01, 0x4A06}, {0x4B, 3, 0x4B01, 0x4B03},
                                       {0x6A, 2, 0x6A01, 0x6A02}, {0x6E, 2, 0x6E01, 0x6E02},
                                       {0x81, 1, 0x8103, 0x8103}, {0x5C, 5, 0x5C01, 0x5C0B}};
  EXPECT_EQ(Groups(SubtypeNames, [](const CodeName& r) { return r.code >> 8; }), expected);
}

// DeviceNames is in name order but for one pair of printers.
TEST(CodeTables, DeviceNamesBreakNameOrderOnlyOnce) {
  std::vector<std::string> out_of_order;
  for (const CodeName* row = DeviceNames; row[1].name; ++row)
    if (std::string_view(row[0].name) > std::string_view(row[1].name))
      out_of_order.push_back(std::string(row[0].name) + ">" + row[1].name);
  EXPECT_EQ(out_of_order, std::vector<std::string>{"PRINTER_MODEL_B>PRINTER_MODEL_A"});
}

TEST(CodeTables, MessageCodesLieInTheEventRange) {
  for (const CodeName* row = MessageNames; row->name; ++row) {
    EXPECT_GE(row->code, 0x4201) << row->name;
    EXPECT_LE(row->code, 0x4216) << row->name;
  }
}

TEST(CodeTables, SlotNamesSpellTheirCode) {
  for (std::int32_t i = 0; i < 9; ++i) {
    EXPECT_EQ(SlotNames[i].code, i);
    EXPECT_EQ(std::string(SlotNames[i].name), "SLOT_" + std::to_string(i));
  }
}

// Every subtype key is a named device number and a small model number.
TEST(CodeTables, SubtypeKeysNameADevice) {
  std::set<std::int32_t> devices;
  for (const CodeName* row = DeviceNames; row->name; ++row) devices.insert(row->code);
  std::set<std::int32_t> keys;
  for (const CodeName* row = SubtypeNames; row->name; ++row) {
    EXPECT_TRUE(devices.count(row->code >> 8)) << row->name;
    EXPECT_GE(row->code & 0xFF, 1);
    EXPECT_LE(row->code & 0xFF, 11);
    EXPECT_TRUE(keys.insert(row->code).second) << row->code;
  }
}

}  // namespace
}  // namespace codes
