#include "dialogs/request_match.h"

#include <gtest/gtest.h>

#include <cctype>

#include "dialogs/prefix_files.h"
#include "ui/scripted/scripted_port.h"

namespace dialogs {
namespace {

// Ways a user may type a name: any case, blanks for underscores, extra
// blanks and underscores anywhere.
std::vector<std::string> Spellings(const std::string& name) {
  std::string lower, blanks, mixed, padded = " _";
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    blanks += c == '_' ? ' ' : c;
    mixed += i % 2 ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : c;
    padded += c;
    if (i % 3 == 0) padded += "_ ";
  }
  return {name, lower, blanks, mixed, padded + "  "};
}

TEST(MatchRequestName, EveryNameInAnySpellingFindsItsOwnRow) {
  for (const codes::CodeName* row = codes::RequestNames; row->name; ++row) {
    for (const std::string& text : Spellings(row->name)) {
      ui::ScriptedPort port;
      std::int32_t code = -7;
      EXPECT_EQ(MatchRequestName(port, text, codes::RequestNames, code), MatchResult::kMatched)
          << text;
      EXPECT_EQ(code, row->code) << text;
      EXPECT_TRUE(port.entries().empty()) << text;
    }
  }
  EXPECT_EQ(codes::RowCount(codes::RequestNames), 45u);
}

TEST(MatchRequestName, PartsAmbiguousUnknownOrEmpty) {
  struct Case {
    const char* text;
    MatchResult result;
    const char* line;  // nullptr: nothing logged
  } cases[] = {
      {"CLEAR SCREEN", MatchResult::kMultiple, "  --> Multiple matches for: 'CLEAR SCREEN'  "},
      {"lock device", MatchResult::kMultiple, "  --> Multiple matches for: 'lock device'  "},
      {"POS", MatchResult::kMultiple, "  --> Multiple matches for: 'POS'  "},
      {"open till", MatchResult::kMatched, nullptr},
      {"no such thing", MatchResult::kNoMatch, "  --> Couldn't find match for: 'no such thing'  "},
      {"POS-SYS", MatchResult::kNoMatch, "  --> Couldn't find match for: 'POS-SYS'  "},
      {" _ _ ", MatchResult::kEmpty, nullptr},
      {"", MatchResult::kEmpty, nullptr},
  };
  for (const Case& c : cases) {
    ui::ScriptedPort port;
    std::int32_t code = -7;
    EXPECT_EQ(MatchRequestName(port, c.text, codes::RequestNames, code), c.result) << c.text;
    if (c.result != MatchResult::kMatched) {
      EXPECT_EQ(code, -7) << c.text;
    }
    const std::vector<std::string> expected =
        c.line ? std::vector<std::string>{c.line} : std::vector<std::string>{};
    EXPECT_EQ(port.LogLines(), expected) << c.text;
  }
}

TEST(PrefixFiles, ClassesAndRequestPrefixesChooseTheirListFile) {
  const std::pair<const char*, const char*> classes[] = {
      {"PosSystem", "PSYSTEM.DAT"},
      {"PosDevice", "PDEVICE.DAT"},
      {"PosAlarm", "PALARM.DAT"},
      {"PosDisplay", "PDISPLAY.DAT"},
      {"PosDrawer", "PDRAWER.DAT"},
      {"PosKeyboard", "PKEYBRD.DAT"},
      {"PosMsr", "PMSR.DAT"},
      {"PosNvram", "PNVRAM.DAT"},
      {"PosPower", "PPOWER.DAT"},
      {"PosPrinter", "PPRINTER.DAT"},
      {"PosRs232c", "PPOSRS23.DAT"},
      {"PosScale", "PSCALE.DAT"},
      {"PosScanner", "PSCANNER.DAT"},
      {"PosTouch", "PTOUCH.DAT"},
      {"PosPrinterX", "PPRINTER.DAT"},
      {"PosMsrTrack", "PMSR.DAT"},
      {"posprinter", nullptr},
      {"PosPrint", nullptr},
      {"", nullptr},
  };
  for (const auto& [text, file] : classes)
    EXPECT_EQ(ClassListFile(text) ? std::string(ClassListFile(text)) : "", file ? file : "")
        << text;

  const std::pair<const char*, const char*> requests[] = {
      {"POS_TILL_OPEN_TILL", "PDRAWER.DAT"},
      {"POS_SYS_GET_VALUES", "PSYSTEM.DAT"},
      {"POS_SCAN_X", "PSCANNER.DAT"},
      {"POS_SCALE_ZERO", "PSCALE.DAT"},
      {"POS_DSP_CLEAR_SCREEN", "PDISPLAY.DAT"},
      {"pos_sys_get_values", nullptr},
      {"POS_SY", nullptr},
      {"CLEAR SCREEN", nullptr},
  };
  for (const auto& [text, file] : requests)
    EXPECT_EQ(RequestListFile(text) ? std::string(RequestListFile(text)) : "", file ? file : "")
        << text;

  for (const codes::CodeName* row = codes::RequestNames; row->name; ++row)
    EXPECT_NE(RequestListFile(row->name), nullptr) << row->name;
}

}  // namespace
}  // namespace dialogs
