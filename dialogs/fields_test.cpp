#include "dialogs/fields.h"

#include <gtest/gtest.h>

#include "port/dialog_model.h"
#include "resources/templates.h"
#include "ui/scripted/scripted_port.h"

namespace dialogs {
namespace {

using Entry = ui::ScriptedPort::Entry;

// The handle field as the Close, Ioctl, Read and Write dialogs read it: a
// handle, or one box captioned "Handle Error " and nothing logged.
TEST(ReadHandle, DigitsThatFitOrTheBoxThatSaysWhy) {
  const std::string nines(300, '9');
  const std::string read_nines(253, '9');  // the field gives at most 253 characters
  struct Case {
    std::string text;
    std::optional<std::int32_t> handle;
    std::string box;  // when refused
  } cases[] = {
      {"0", 0, ""},
      {"7", 7, ""},
      {"007", 7, ""},
      {"2147483647", 2147483647, ""},
      {"", std::nullopt, "Missing Handle number"},
      {"2147483648", std::nullopt, "Non numeric Handle : 2147483648 "},
      {"4294967295", std::nullopt, "Non numeric Handle : 4294967295 "},
      {"+1", std::nullopt, "Non numeric Handle : +1 "},
      {"-1", std::nullopt, "Non numeric Handle : -1 "},
      {" 1", std::nullopt, "Non numeric Handle :  1 "},
      {"1 2", std::nullopt, "Non numeric Handle : 1 2 "},
      {nines, std::nullopt, "Non numeric Handle : " + read_nines + " "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 20));
    ui::ScriptedPort port;
    ui::DialogModel dialog(res::DispPosClose());
    dialog.SetText(res::kIdHandle, c.text);
    EXPECT_EQ(ReadHandle(port, dialog), c.handle);
    const std::vector<Entry> boxes = {{Entry::kBox, c.box, "Handle Error "}};
    EXPECT_EQ(port.entries(), c.handle ? std::vector<Entry>{} : boxes);
  }
}

}  // namespace
}  // namespace dialogs
