// The port's dialog operations on real controls: each case opens one of the
// command dialogs through USER32, acts in its initialisation and ends it.
#include "ui/win32/win32_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ui/win32/window_test.h"

namespace win32 {
namespace {

using Win32DialogTest = WindowTest;

class InitProc : public ui::DialogProc {
 public:
  explicit InitProc(std::function<void(ui::Dialog&)> act) : act_(std::move(act)) {}
  void OnInit(ui::Dialog& dialog) override {
    act_(dialog);
    dialog.End(7);
  }
  void OnCommand(ui::Dialog&, int, int) override {}

 private:
  std::function<void(ui::Dialog&)> act_;
};

// Runs the dialog of the template, acting in its initialisation; the dialog's result.
int RunWith(const res::DialogTemplate& tmpl, std::function<void(ui::Dialog&)> act) {
  InitProc proc(std::move(act));
  Win32Dialog dialog(tmpl, proc);
  return dialog.Run(GetModuleHandleA(nullptr), nullptr);
}

TEST_F(Win32DialogTest, FieldTextsAreAnsiBytesBoundedByTheRoom) {
  std::string whole, cut, unknown;
  const int result = RunWith(res::DispPosRead(), [&](ui::Dialog& d) {
    EXPECT_EQ(d.GetText(res::kIdBufferSize), "80");  // the template's text
    d.SetText(res::kIdReadFile, "caf\xe9\\x41\xff");
    whole = d.GetText(res::kIdReadFile);
    cut = d.GetText(res::kIdReadFile, 4);
    unknown = d.GetText(999);
    d.SetText(999, "nothing");
  });
  EXPECT_EQ(result, 7);
  EXPECT_EQ(whole, "caf\xe9\\x41\xff");
  EXPECT_EQ(cut, "caf");
  EXPECT_EQ(unknown, "");
}

TEST_F(Win32DialogTest, ComboBoxesKeepTheOrderAddedAndShowTheSelection) {
  std::vector<std::string> seen;
  int count = -1, after_reset = -1, list_count = -1;
  RunWith(res::DispPosOpen(), [&](ui::Dialog& d) {
    for (int id : {res::kIdArgResource, res::kIdArgType}) {
      d.AddString(id, "PosNzeta");
      d.AddString(id, "PosNalpha");
      d.SetCurSel(id, 1);
      seen.push_back(d.GetText(id));
    }
    count = d.GetCount(res::kIdArgType);
    d.ResetContent(res::kIdArgType);
    after_reset = d.GetCount(res::kIdArgType);
    d.AddString(res::kIdResourceList, "b");
    d.AddString(res::kIdResourceList, "a");
    d.SetHorizontalExtent(res::kIdResourceList, 300);
    list_count = d.GetCount(res::kIdResourceList);
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"PosNalpha", "PosNalpha"}));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(after_reset, 0);
  EXPECT_EQ(list_count, 2);
}

TEST_F(Win32DialogTest, RadioButtonsOfTheWriteDialog) {
  bool first = true, second = false, unknown = true;
  RunWith(res::DispPosWrite(), [&](ui::Dialog& d) {
    d.CheckRadioButton(res::kIdUseListBox, res::kIdUseFile, res::kIdUseFile);
    first = d.IsChecked(res::kIdUseListBox);
    second = d.IsChecked(res::kIdUseFile);
    unknown = d.IsChecked(999);
  });
  EXPECT_FALSE(first);
  EXPECT_TRUE(second);
  EXPECT_FALSE(unknown);
}

// The data box's lines as the box shows them: typed line ends and word wrap.
struct LinesCase {
  const char* name;
  std::string text;
  int room;
  int lines;  // -1: more than one, wrapped
  std::vector<std::string> first_lines;
  int length0;  // the first line's length; -1: that of the first line fetched
};

TEST_F(Win32DialogTest, MultiLineEditLines) {
  const LinesCase cases[] = {
      {"empty", "", 200, 1, {""}, 0},
      {"two typed lines", "AB\r\nCD", 200, 2, {"AB", "CD"}, 2},
      {"a backslash ends a line", "AB\\\r\nn", 200, 2, {"AB\\", "n"}, 3},
      {"room cuts a line", "ABCDEFGH", 3, 1, {"ABC"}, 8},
      {"long words wrap",
       "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda",
       200,
       -1,
       {},
       -1},
  };
  for (const LinesCase& c : cases) {
    SCOPED_TRACE(c.name);
    int lines = 0;
    std::vector<std::string> got;
    std::string joined;
    int length0 = -1;
    RunWith(res::DispPosWrite(), [&](ui::Dialog& d) {
      d.SetText(res::kIdWriteData, c.text);
      lines = d.GetLineCount(res::kIdWriteData);
      for (int i = 0; i < lines; ++i) {
        const std::string l = d.GetLine(res::kIdWriteData, i, static_cast<std::size_t>(c.room));
        got.push_back(l);
        joined += l;
      }
      length0 = d.GetLineLength(res::kIdWriteData, 0);
      EXPECT_EQ(d.GetLine(res::kIdWriteData, lines + 3, 200), "");
    });
    if (c.lines < 0) {
      EXPECT_GT(lines, 1);
      // Wrapping loses nothing: the lines joined give the text back.
      EXPECT_EQ(joined, c.text);
    } else {
      EXPECT_EQ(lines, c.lines);
      EXPECT_EQ(got, c.first_lines);
    }
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(length0, c.length0 < 0 ? static_cast<int>(got[0].size()) : c.length0);
  }
}

TEST_F(Win32DialogTest, EndFromACommandGivesItsResult) {
  struct CancelProc : ui::DialogProc {
    void OnInit(ui::Dialog& d) override {
      // The press arrives once the dialog runs its loop.
      PostMessageA(static_cast<Win32Dialog&>(d).window(), WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    }
    void OnCommand(ui::Dialog& d, int id, int notify) override {
      if (notify != ui::kNotifyClicked) return;  // the edit field's focus notifications
      commands.push_back(id);
      d.End(id == IDCANCEL ? 3 : 9);
    }
    std::vector<int> commands;
  } proc;
  Win32Dialog dialog(res::DispPosClose(), proc);
  EXPECT_EQ(dialog.Run(GetModuleHandleA(nullptr), nullptr), 3);
  EXPECT_EQ(proc.commands, std::vector<int>{IDCANCEL});
}

}  // namespace
}  // namespace win32
