// posimctl play against the loaded library, on every host: a scenario checked
// whole before anything is played, played with its waits on the program,
// and what the devices were given read back.
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "posim/tests/library_fixture.h"
#include "posim/tests/posimctl_run.h"

namespace posim_test {
namespace {

void WriteText(const char* name, const std::string& text) {
  std::ofstream(name, std::ios::binary) << text;
}

TEST_F(LibraryTest, PlayRefusesABadScenarioBeforeAnythingIsPlayed) {
  WriteText("bad.txt",
            "# a scenario with faults\n"
            "0.0 scan 4006381333931\n"
            "0.5x scan 1\n"
            "1 weigh lots\n"
            "+1 swipe\n"
            "repeat 2 {\n"
            "  +1 frobnicate\n");
  WriteText("good.txt", "0.0 scan 1\r\nrepeat 2 {\r\n  +0.1 scan 2\r\n}\r\n");
  const std::string bad =
      "bad.txt:3: bad time 0.5x (seconds, up to three decimals: 1.5, or +0.25 after the line "
      "before)\n"
      "bad.txt:6: repeat without its closing }\n"
      "bad.txt:4: error: usage: weigh GRAMS\n"
      "bad.txt:5: error: usage: swipe TRACK1 [TRACK2 [TRACK3]]\n"
      "bad.txt:7: error: unknown command 'frobnicate' (posimctl help lists them)\n"
      "bad.txt: 5 bad lines; nothing was played\n";
  const struct {
    std::vector<std::string> words;
    int exit_code;
    std::string output;
  } cases[] = {
      {{"play", "bad.txt"}, 2, bad},
      {{"play", "--check", "bad.txt"}, 2, bad},
      {{"play", "--check", "good.txt"}, 0, "good.txt: good, 4 steps\n"},
      {{"play", "missing.txt"}, 2, "posimctl: missing.txt: No such file or directory\n"},
      {{"play"}, 2, "usage: posimctl play [--check] FILE\n"},
      {{"play", "--check"}, 2, "usage: posimctl play [--check] FILE\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words.back());
    const PosimctlRun run = RunPosimctl(c.words);
    EXPECT_EQ(run.exit_code, c.exit_code);
    EXPECT_EQ(run.output, c.output);
  }
  EXPECT_EQ(Output("scanner"), "waiting to be read: 0");
  std::filesystem::remove("bad.txt");
  std::filesystem::remove("good.txt");
}

TEST_F(LibraryTest, EveryShippedScenarioIsGood) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(SCENARIO_DIR)) {
    ++count;
    const PosimctlRun run = RunPosimctl({"play", "--check", entry.path().string()});
    EXPECT_EQ(run.exit_code, 0) << run.output;
  }
  EXPECT_GE(count, 3);
}

TEST_F(LibraryTest, TheKeysAndRs232ScenarioLeavesWhatItSent) {
  const PosimctlRun run = Playing(Scenario("keys-and-rs232.txt")).Wait();
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_EQ(Output("keyboard"),
            "waiting to be read: 5\nkey 0x02 1\nkey 0x03 2\nkey 0x06 5\nkey 0x0B 0\nkey 0x1C "
            "\\x0D");
  std::string frames;
  for (int i = 0; i < 3; ++i) frames += "\\x02OK\\x0D\\x0A\\x03";
  EXPECT_EQ(Output("rs232"), frames);
}

TEST_F(LibraryTest, AScenarioWaitsForTheProgramThenActs) {
  WriteText("label.txt",
            "wait-for open scanner\n"
            "+0.2 scan 4006381333931\n"
            "weigh 1250\n");
  Playing play("label.txt");
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_EQ(Output("scanner"), "waiting to be read: 0") << "nothing before the scanner is opened";
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  ASSERT_GT(scanner, 0);
  const PosimctlRun run = play.Wait();
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_NE(run.output.find("waiting for open scanner\n"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("done in "), std::string::npos) << run.output;
  EXPECT_NE(run.output.find(": 2 actions, 0 failed\n"), std::string::npos) << run.output;
  EXPECT_EQ(Read(scanner, 80).bytes, "4006381333931");
  std::filesystem::remove("label.txt");
}

}  // namespace
}  // namespace posim_test
