#include "app/startup.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <set>
#include <string>

#include "resources/list_files.h"
#include "ui/scripted/scripted_port.h"

namespace app {
namespace {

namespace fs = std::filesystem;

// Runs each case in a fresh directory holding all list files but the missing ones.
class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() / ("ridozod_startup_" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
    old_ = fs::current_path();
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(dir_);
  }
  void WriteAllBut(const std::set<std::string>& missing) {
    for (const char* name : res::kListFiles) {
      fs::remove(name);
      if (missing.count(name)) continue;
      std::FILE* f = std::fopen(name, "wb");
      std::fputs("Name\r\n", f);
      std::fclose(f);
    }
  }
  fs::path dir_, old_;
};

TEST_F(StartupTest, NamesOnlyTheFirstMissingFile) {
  struct Case {
    std::set<std::string> missing;
    const char* named;  // nullptr: all present
  };
  const Case cases[] = {
      {{}, nullptr},
      {{"PIOCTLRE.DAT"}, "File PIOCTLRE.DAT is missing."},
      {{"PIOCTLRE.DAT", "PTOUCH.DAT"}, "File PIOCTLRE.DAT is missing."},
      {{"PTOUCH.DAT"}, "File PTOUCH.DAT is missing."},
      {{"PRESOURC.DAT", "PSCALE.DAT"}, "File PRESOURC.DAT is missing."},
  };
  for (const Case& c : cases) {
    WriteAllBut(c.missing);
    ui::ScriptedPort port;
    const bool ok = CheckListFiles(port);
    EXPECT_EQ(ok, c.named == nullptr);
    if (c.named) {
      ASSERT_EQ(port.entries().size(), 1u);
      EXPECT_EQ(port.entries()[0].kind, ui::ScriptedPort::Entry::kBox);
      EXPECT_EQ(port.entries()[0].text, c.named);
      EXPECT_EQ(port.entries()[0].caption, "Error");
    } else {
      EXPECT_TRUE(port.entries().empty());
    }
  }
}

}  // namespace
}  // namespace app
