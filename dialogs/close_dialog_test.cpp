#include <gtest/gtest.h>

#include "dialogs/test_support.h"
#include "resources/templates.h"

namespace dialogs::testing {
namespace {

TEST(CloseDialog, HandleChecksCallAndOutcome) {
  const std::string not_initialized = "  RC = -1, errno = (302) POSERR_SYS_NOT_INITIALIZED  ";
  struct Case {
    const char* handle;
    std::optional<int> failure;  // status of a failing call
    std::vector<Entry> entries;
    bool calls;
  } cases[] = {
      // A refused handle stops before the echo (its texts: fields_test.cpp).
      {"-1", {}, {Box("Non numeric Handle : -1 ", "Handle Error ")}, false},
      {"007",
       {},
       {LogLine("Command-->  PosClose(7)  "), Box("PosClose Successful.", "POS Close"),
        LogLine("Close Handle 7 successful")},
       true},
      {"2147483647",
       {},
       {LogLine("Command-->  PosClose(2147483647)  "), Box("PosClose Successful.", "POS Close"),
        LogLine("Close Handle 2147483647 successful")},
       true},
      {"7",
       302,
       {LogLine("Command-->  PosClose(7)  "), LogLine(not_initialized),
        Box(not_initialized, "Command Status")},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.handle);
    DialogHarness h;
    if (c.failure) h.pos.Will(-1, *c.failure);
    bool ended = false;
    h.Run(res::kIdClose, [&](ui::ScriptedDialog& d) {
      d.Type(res::kIdHandle, c.handle);
      d.Press(res::kIdOk);
      ended = d.ended();
    });
    EXPECT_EQ(h.entries(), c.entries);
    EXPECT_EQ(ended, c.calls);
    ASSERT_EQ(h.pos.calls.size(), c.calls ? 1u : 0u);
  }
}

TEST(CloseDialog, CancelCallsNothing) {
  DialogHarness h;
  h.Run(res::kIdClose, [](ui::ScriptedDialog& d) {
    d.Type(res::kIdHandle, "3");
    d.Press(res::kIdCancel);
    EXPECT_TRUE(d.ended());
  });
  EXPECT_TRUE(h.entries().empty());
  EXPECT_TRUE(h.pos.calls.empty());
}

TEST(CloseDialog, ThroughTheBindingBeforeInitialize) {
  DialogHarness h;
  BoundPosCalls bound;
  Context context{h.port, h.scratch, h.args, bound};
  h.port.ExpectDialog([](ui::ScriptedDialog& d) {
    d.Type(res::kIdHandle, "7");
    d.Press(res::kIdOk);
  });
  RunCommandDialog(context, res::kIdClose);
  EXPECT_EQ(h.port.LogLines(),
            (std::vector<std::string>{"Command-->  PosClose(7)  ",
                                      "  RC = -1, errno = (302) POSERR_SYS_NOT_INITIALIZED  "}));
}

}  // namespace
}  // namespace dialogs::testing
