#include "port/dialog_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ui {
namespace {

using Lines = std::vector<std::string>;

TEST(WrapLinesTest, TypedLineEndsAndWordWrap) {
  const struct {
    const char* text;
    int columns;
    Lines expected;
  } cases[] = {
      {"", 10, {""}},
      {"AB\r\nCD", 10, {"AB", "CD"}},
      {"AB\nCD\n", 10, {"AB", "CD", ""}},
      {"hello world again", 10, {"hello ", "world ", "again"}},
      {"abcdefghijkl", 5, {"abcde", "fghij", "kl"}},
      {"ab cdefghij", 5, {"ab ", "cdefg", "hij"}},
      {"exactly10!", 10, {"exactly10!"}},
      {" lead", 3, {" le", "ad"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DialogModel::WrapLines(c.text, c.columns), c.expected) << c.text;
  }
}

TEST(DialogModelTest, FieldsReadAtMostRoomMinusOne) {
  DialogModel m(res::DispPosClose());
  m.SetText(res::kIdHandle, std::string(300, '7'));
  EXPECT_EQ(m.GetText(res::kIdHandle).size(), 253u);
  EXPECT_EQ(m.GetText(res::kIdHandle, 100).size(), 99u);
  EXPECT_EQ(m.GetText(999), "");  // unknown ids do nothing
}

TEST(DialogModelTest, TemplateTextsAndCombos) {
  DialogModel m(res::DispPosOpen());
  EXPECT_EQ(m.GetText(res::kIdArgCount), "0");
  EXPECT_EQ(m.GetText(res::kIdDeviceClass), "");  // a combo shows items, not "DeviceClass"
  m.AddString(res::kIdDeviceClass, "PosDisplay");
  m.AddString(res::kIdDeviceClass, "PosScanner");
  EXPECT_EQ(m.GetText(res::kIdDeviceClass), "");
  m.SetCurSel(res::kIdDeviceClass, 1);
  EXPECT_EQ(m.GetText(res::kIdDeviceClass), "PosScanner");
  m.AddString(res::kIdArgResource, "PosNRows");
  m.SetCurSel(res::kIdArgResource, 0);
  EXPECT_EQ(m.GetText(res::kIdArgResource), "PosNRows");
  m.SetText(res::kIdArgResource, "typed");  // a drop-down combo takes typed names
  EXPECT_EQ(m.GetText(res::kIdArgResource), "typed");
  m.ResetContent(res::kIdArgResource);
  EXPECT_EQ(m.GetCount(res::kIdArgResource), 0);
  EXPECT_EQ(m.GetText(res::kIdArgResource), "");
  m.SetCurSel(res::kIdDeviceClass, 5);
  EXPECT_EQ(m.GetText(res::kIdDeviceClass), "");
}

TEST(DialogModelTest, RadioButtonsAndDataBoxLines) {
  DialogModel m(res::DispPosWrite());
  m.CheckRadioButton(res::kIdUseListBox, res::kIdUseFile, res::kIdUseListBox);
  EXPECT_TRUE(m.IsChecked(res::kIdUseListBox));
  EXPECT_FALSE(m.IsChecked(res::kIdUseFile));
  m.SetText(res::kIdWriteData, "AB\r\nCD");
  EXPECT_EQ(m.GetLineCount(res::kIdWriteData), 2);
  EXPECT_EQ(m.GetLineLength(res::kIdWriteData, 1), 2);
  EXPECT_EQ(m.GetLine(res::kIdWriteData, 0, 200), "AB");
  EXPECT_EQ(m.GetLine(res::kIdWriteData, 5, 200), "");
  const std::string long_line(450, 'x');
  m.SetText(res::kIdWriteData, long_line);
  const int columns = DialogModel::WrapColumns(*m.Find(res::kIdWriteData)->control);
  EXPECT_EQ(m.GetLineCount(res::kIdWriteData), (450 + columns - 1) / columns);
  EXPECT_EQ(m.GetLine(res::kIdWriteData, 0, 3), "xxx");  // never more than the room
  m.Find(res::kIdWriteData)->text = "EF";                // as a front end edits it, in place
  EXPECT_EQ(m.GetLineCount(res::kIdWriteData), 1);
  EXPECT_EQ(m.GetLine(res::kIdWriteData, 0, 200), "EF");
  EXPECT_FALSE(m.ended());
  m.End(0);
  EXPECT_TRUE(m.ended());
}

}  // namespace
}  // namespace ui
