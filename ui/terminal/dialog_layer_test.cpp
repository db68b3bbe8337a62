#include "ui/terminal/dialog_layer.h"

#include <gtest/gtest.h>

#include <functional>

#include "ui/terminal/fake_device.h"
#include "ui/terminal/screen.h"
#include "ui/terminal/terminal_front_end.h"
#include "ui/terminal/test_support.h"

namespace terminal {
namespace {

using testing::RecordingDialog;
using testing::RecordingWindow;

// One dialog on the scripted terminal, driven through the input-event core.
struct Harness {
  explicit Harness(const res::DialogTemplate& t, Size size = {100, 30})
      : device(size), screen(&device), model(t), layer(model, proc) {
    layer.Layout(size.width, size.height);  // the places, as the loop lays them out
  }

  void Run() {
    layer.Start();
    screen.RunModal(layer);
  }
  void Focus(std::vector<int>& out) {
    device.Add([this, &out] { out.push_back(layer.focused_id()); });
  }
  void Snap() {
    device.Add([this] { shot = device.painted(); });
  }
  InputEvent ClickOn(int id, int dx = 0) {
    const Rect r = layer.control_rect(id);
    return InputEvent::Click(r.x + dx, r.y);
  }

  FakeDevice device;
  Screen screen;
  RecordingDialog proc;
  ui::DialogModel model;
  DialogLayer layer;
  CellGrid shot;
};

void FillRequests(ui::Dialog& d) {
  for (const char* name : {"POS_SYS_ACQUIRE_DEVICE", "POS_SYS_RELEASE_DEVICE", "POS_SYS_GET_VALUES",
                           "POS_TILL_OPEN_TILL", "POS_PRN_CHASE"})
    d.AddString(res::kIdRequest, name);
  d.SetCurSel(res::kIdRequest, 0);
}

TEST(DialogKeys, TabOrderWrapsAndShiftTabGoesBack) {
  struct Case {
    const res::DialogTemplate& tmpl;
    std::vector<int> order;  // from the first tab stop, once around and back to it
  };
  const std::vector<Case> cases = {
      {res::DispPosInit(), {200, 201, 202, 204, 205, 206, 207, 1, 200}},
      {res::DispPosOpen(), {223, 203, 202, 204, 205, 206, 207, 1, 223}},
      {res::DispPosIoctl(), {224, 229, 202, 204, 205, 206, 207, 1, 224}},
      {res::DispPosClose(), {224, 1, 224}},
      {res::DispPosRead(), {224, 225, 235, 1, 2, 224}},
      {res::DispPosWrite(), {224, 231, 233, 234, 1, 2, 224}},
  };
  for (const Case& c : cases) {
    Harness h(c.tmpl);
    std::vector<int> forward, backward;
    h.Focus(forward);
    for (std::size_t i = 1; i < c.order.size(); ++i) {
      h.device.Add(InputEvent::Of(Key::kTab));
      h.Focus(forward);
    }
    for (std::size_t i = 1; i < c.order.size(); ++i) {
      h.device.Add(InputEvent::Of(Key::kBackTab));
      h.Focus(backward);
    }
    h.Run();
    EXPECT_EQ(forward, c.order) << c.tmpl.name;
    std::vector<int> reversed(c.order.rbegin() + 1, c.order.rend());
    EXPECT_EQ(backward, reversed) << c.tmpl.name;
    EXPECT_EQ(h.proc.commands, std::vector<std::string>{"2:0"}) << "cancelled at the end of input";
  }
}

TEST(DialogKeys, EnterPressesTheFocusedButtonOrTheDefault) {
  struct Case {
    const res::DialogTemplate& tmpl;
    int tabs;
    std::vector<InputEvent> keys;
    std::string first_command;
  };
  const InputEvent enter = InputEvent::Of(Key::kEnter);
  const std::vector<Case> cases = {
      {res::DispPosInit(), 0, {enter}, "207:0"},  // "Add Resource" is the default
      {res::DispPosInit(), 7, {enter}, "1:0"},    // OK has the focus
      {res::DispPosInit(), 7, {InputEvent::Char(' ')}, "1:0"},
      {res::DispPosInit(), 7, {InputEvent::Of(Key::kRight), enter}, "2:0"},  // Cancel, same group
      {res::DispPosInit(), 6, {InputEvent::Char(' ')}, "207:0"},
      {res::DispPosClose(), 0, {enter}, "1:0"},
      {res::DispPosRead(), 2, {enter}, "1:0"},
      {res::DispPosRead(), 4, {enter}, "2:0"},
      {res::DispPosWrite(), 2, {enter}, "1:0"},  // from the data box
      {res::DispPosIoctl(), 0, {InputEvent::Of(Key::kEscape)}, "2:0"},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    Harness h(cases[i].tmpl);
    h.proc.end_on_ok_cancel = false;
    for (int t = 0; t < cases[i].tabs; ++t) h.device.Add(InputEvent::Of(Key::kTab));
    for (const InputEvent& e : cases[i].keys) h.device.Add(e);
    h.Run();
    ASSERT_FALSE(h.proc.commands.empty()) << i;
    EXPECT_EQ(h.proc.commands[0], cases[i].first_command) << i;
  }
}

TEST(DialogMouse, CloseBoxAndButtonsSendTheirCommands) {
  for (int which = 0; which < 3; ++which) {
    Harness h(res::DispPosRead());
    h.proc.end_on_ok_cancel = false;
    const Rect close = h.layer.close_box();
    h.device.Add(which == 0   ? InputEvent::Click(close.x + 1, close.y)
                 : which == 1 ? h.ClickOn(res::kIdOk, 3)
                              : h.ClickOn(res::kIdCancel, 3));
    h.Run();
    ASSERT_FALSE(h.proc.commands.empty()) << which;
    EXPECT_EQ(h.proc.commands[0], which == 1 ? "1:0" : "2:0") << which;
  }
}

TEST(DialogCombo, DropListArrowsAndLettersChangeTheSelectionWithNotification) {
  Harness h(res::DispPosIoctl());
  h.proc.on_init = FillRequests;
  std::vector<std::string> texts;
  auto text = [&] { h.device.Add([&] { texts.push_back(h.model.GetText(res::kIdRequest)); }); };
  h.device.Add(InputEvent::Of(Key::kTab));  // to the request box
  h.device.Add(InputEvent::Of(Key::kUp));   // already the first: no change
  h.device.Add(InputEvent::Of(Key::kDown));
  text();
  h.device.Add(InputEvent::Of(Key::kEnd));
  text();
  h.device.Add(InputEvent::Char('p'));  // the next one beginning with p wraps to the first
  text();
  h.device.Add(InputEvent::Char('P'));
  text();
  h.Run();
  EXPECT_EQ(texts, (std::vector<std::string>{"POS_SYS_RELEASE_DEVICE", "POS_PRN_CHASE",
                                             "POS_SYS_ACQUIRE_DEVICE", "POS_SYS_RELEASE_DEVICE"}));
  EXPECT_EQ(h.proc.commands, (std::vector<std::string>{"229:1", "229:1", "229:1", "229:1", "2:0"}));
}

TEST(DialogCombo, F4OpensTheListAndEnterClosesItWithoutTheDefaultButton) {
  Harness h(res::DispPosIoctl());
  h.proc.on_init = FillRequests;
  bool open_after_f4 = false, open_after_enter = true;
  h.device.Add(InputEvent::Of(Key::kTab));
  h.device.Add(InputEvent::Of(Key::kF4));
  h.device.Add([&] { open_after_f4 = h.layer.dropped(); });
  h.Snap();
  h.device.Add(InputEvent::Of(Key::kDown));
  h.device.Add(InputEvent::Of(Key::kDown));
  h.device.Add(InputEvent::Of(Key::kEnter));
  h.device.Add([&] { open_after_enter = h.layer.dropped(); });
  h.device.Add(InputEvent::Of(Key::kDown, true));  // Alt-Down opens it again
  h.device.Add(InputEvent::Of(Key::kEscape));      // closes only the list
  h.Run();
  EXPECT_TRUE(open_after_f4);
  EXPECT_FALSE(open_after_enter);
  EXPECT_EQ(h.model.GetText(res::kIdRequest), "POS_SYS_GET_VALUES");
  // Two moves, then Enter chooses the entry: a third selection change.
  EXPECT_EQ(h.proc.commands, (std::vector<std::string>{"229:1", "229:1", "229:1", "2:0"}));
  // The open list shows its items below the field, the selected one highlighted.
  const Rect field = h.layer.control_rect(res::kIdRequest);
  EXPECT_EQ(h.shot.RowText(field.x, field.y + 1, 22), "POS_SYS_ACQUIRE_DEVICE");
  EXPECT_EQ(h.shot.At(field.x, field.y + 1).style, Style::kMenuSelected);
  EXPECT_EQ(h.shot.RowText(field.x, field.y + 5, 13), "POS_PRN_CHASE");
}

TEST(DialogCombo, ClicksOpenTheListAndPickAnItem) {
  Harness h(res::DispPosIoctl());
  h.proc.on_init = FillRequests;
  const Rect r = h.layer.control_rect(res::kIdRequest);
  h.device.Add(InputEvent::Click(r.right() - 1, r.y));  // the arrow
  h.device.Add(InputEvent::Click(r.x + 2, r.y + 4));    // the fourth item
  h.Run();
  EXPECT_EQ(h.model.GetText(res::kIdRequest), "POS_TILL_OPEN_TILL");
  EXPECT_EQ(h.proc.commands, (std::vector<std::string>{"229:1", "2:0"}));
  EXPECT_FALSE(h.layer.dropped());
}

// An entry chosen from the open list (Enter or a click) is a selection change
// even when it is the one already selected; closing the list without a choice
// is none.
TEST(DialogCombo, ChoosingTheSelectedEntryIsASelectionChange) {
  struct Case {
    const char* what;
    std::function<std::vector<InputEvent>(const Rect& request)> input;
    std::vector<std::string> commands;
  };
  const InputEvent tab = InputEvent::Of(Key::kTab);
  const std::vector<Case> cases = {
      {"F4 Enter",
       [&](const Rect&) {
         return std::vector{tab, InputEvent::Of(Key::kF4), InputEvent::Of(Key::kEnter)};
       },
       {"229:1", "2:0"}},
      {"Alt-Down Enter",
       [&](const Rect&) {
         return std::vector{tab, InputEvent::Of(Key::kDown, true), InputEvent::Of(Key::kEnter)};
       },
       {"229:1", "2:0"}},
      {"click the first item",
       [](const Rect& r) {
         return std::vector{InputEvent::Click(r.right() - 1, r.y),
                            InputEvent::Click(r.x + 2, r.y + 1)};
       },
       {"229:1", "2:0"}},
      {"F4 Escape",
       [&](const Rect&) {
         return std::vector{tab, InputEvent::Of(Key::kF4), InputEvent::Of(Key::kEscape)};
       },
       {"2:0"}},
      {"F4 F4",
       [&](const Rect&) {
         return std::vector{tab, InputEvent::Of(Key::kF4), InputEvent::Of(Key::kF4)};
       },
       {"2:0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Harness h(res::DispPosIoctl());
    h.proc.on_init = FillRequests;
    for (const InputEvent& e : c.input(h.layer.control_rect(res::kIdRequest))) h.device.Add(e);
    h.Run();
    EXPECT_EQ(h.model.GetText(res::kIdRequest), "POS_SYS_ACQUIRE_DEVICE");
    EXPECT_EQ(h.proc.commands, c.commands);
  }
}

// Choosing the selected entry of an editable combo's list puts its text back
// over what was typed.
TEST(DialogCombo, ChoosingTheSelectedEntryReplacesTypedText) {
  Harness h(res::DispPosInit());
  h.proc.on_init = [](ui::Dialog& d) {
    for (const char* n : {"PosNqueueHandle", "PosNcomPort"}) d.AddString(204, n);
    d.SetCurSel(204, 0);
  };
  std::string typed;
  for (int i = 0; i < 3; ++i) h.device.Add(InputEvent::Of(Key::kTab));
  h.device.Type("MyName");
  h.device.Add([&] { typed = h.model.GetText(204); });
  h.device.Add(InputEvent::Of(Key::kF4));
  h.device.Add(InputEvent::Of(Key::kEnter));
  h.Run();
  EXPECT_EQ(typed, "MyName");
  EXPECT_EQ(h.model.GetText(204), "PosNqueueHandle");
  EXPECT_EQ(h.proc.commands, (std::vector<std::string>{"204:1", "2:0"}));
}

TEST(DialogCombo, DropDownTypingReplacesAndArrowsPickItems) {
  Harness h(res::DispPosInit());
  h.proc.on_init = [](ui::Dialog& d) {
    for (const char* n : {"PosNqueueHandle", "PosNcomPort", "PosNdebug"}) d.AddString(204, n);
    d.SetCurSel(204, 0);
  };
  std::vector<std::string> texts;
  auto text = [&] { h.device.Add([&] { texts.push_back(h.model.GetText(204)); }); };
  for (int i = 0; i < 3; ++i) h.device.Add(InputEvent::Of(Key::kTab));
  h.device.Add(InputEvent::Of(Key::kDown));
  text();
  h.device.Type("MyName");  // the selected text is replaced
  text();
  h.device.Add(InputEvent::Of(Key::kBackspace));
  text();
  h.Run();
  EXPECT_EQ(texts, (std::vector<std::string>{"PosNcomPort", "MyName", "MyNam"}));
  EXPECT_EQ(h.proc.commands, (std::vector<std::string>{"204:1", "2:0"}));
}

TEST(DialogRadio, ArrowsMoveAndCheckInTheGroupAndTabLandsOnTheChecked) {
  Harness h(res::DispPosWrite());
  h.proc.on_init = [](ui::Dialog& d) { d.CheckRadioButton(231, 232, 231); };
  std::vector<int> focus;
  std::vector<std::pair<bool, bool>> checks;
  auto check = [&] {
    h.device.Add([&] { checks.emplace_back(h.model.IsChecked(231), h.model.IsChecked(232)); });
  };
  h.device.Add(InputEvent::Of(Key::kTab));
  h.Focus(focus);
  h.device.Add(InputEvent::Of(Key::kDown));
  h.Focus(focus);
  check();
  h.device.Add(InputEvent::Of(Key::kTab));
  h.device.Add(InputEvent::Of(Key::kBackTab));
  h.Focus(focus);
  h.device.Add(InputEvent::Of(Key::kUp));  // wraps within the group of two
  check();
  h.device.Add(InputEvent::Char(' '));
  h.Run();
  EXPECT_EQ(focus, (std::vector<int>{231, 232, 232}));
  EXPECT_EQ(checks, (std::vector<std::pair<bool, bool>>{{false, true}, {true, false}}));
  EXPECT_EQ(h.proc.commands, (std::vector<std::string>{"232:0", "231:0", "231:0", "2:0"}));
}

TEST(DialogRadio, ClickChecks) {
  Harness h(res::DispPosWrite());
  h.proc.on_init = [](ui::Dialog& d) { d.CheckRadioButton(231, 232, 231); };
  h.device.Add(h.ClickOn(232, 1));
  h.Run();
  EXPECT_TRUE(h.model.IsChecked(232));
  EXPECT_FALSE(h.model.IsChecked(231));
}

TEST(DialogEdit, FieldScrollsToKeepTheCursorAndTakesAtMost253) {
  Harness h(res::DispPosClose());
  std::vector<std::string> shown;
  auto field = [&] {
    h.device.Add([&] {
      const Rect r = h.layer.control_rect(res::kIdHandle);
      shown.push_back(h.device.painted().RowText(r.x, r.y, r.w));
    });
  };
  h.device.Type("123456789");
  field();
  h.device.Add(InputEvent::Of(Key::kHome));
  field();
  h.device.Add(InputEvent::Of(Key::kDelete));
  h.device.Add(InputEvent::Of(Key::kEnd));
  h.device.Type(std::string(300, 'x'));
  h.Run();
  const Rect r = h.layer.control_rect(res::kIdHandle);
  ASSERT_EQ(r.w, 4);
  EXPECT_EQ(shown, (std::vector<std::string>{"789 ", "1234"}));  // room for the cursor at the end
  // The field is full at 253: what it holds is all that the dialog reads.
  EXPECT_EQ(h.model.controls()[1].text, "23456789" + std::string(245, 'x'));
  EXPECT_EQ(h.model.GetText(res::kIdHandle), h.model.controls()[1].text);
}

TEST(DialogEdit, AFullFieldStillTakesEditingKeysAndReplacesASelection) {
  Harness h(res::DispPosInit());
  const std::string full(253, 'a');
  h.proc.on_init = [&](ui::Dialog& d) { d.SetText(res::kIdAppName, full); };
  std::vector<std::string> texts;
  auto text = [&] { h.device.Add([&] { texts.push_back(h.model.GetText(res::kIdAppName)); }); };
  h.device.Add(InputEvent::Of(Key::kEnd));  // ends the selection of the whole text
  h.device.Type("b");
  text();
  h.device.Keys({Key::kBackspace});
  h.device.Type("cd");
  text();
  h.device.Keys({Key::kTab, Key::kBackTab});  // back in: the whole text selected again
  h.device.Type("e");
  text();
  h.Run();
  EXPECT_EQ(texts, (std::vector<std::string>{full, full.substr(0, 252) + "c", "e"}));
}

TEST(DialogEdit, KeyboardEntrySelectsAllAndAClickPlacesTheCursor) {
  Harness h(res::DispPosInit());
  h.proc.on_init = [](ui::Dialog& d) {
    d.SetText(200, "RIDOZOD");
    d.SetText(201, "C:\\KLOB");
  };
  h.device.Type("APP");  // the first field had the focus with its text selected
  h.device.Add(h.ClickOn(201, 2));
  h.device.Type("-");
  h.Run();
  EXPECT_EQ(h.model.GetText(200), "APP");
  EXPECT_EQ(h.model.GetText(201), "C:-\\KLOB");
}

TEST(DialogMultiLine, WrapsAsTheModelReadsItAndCtrlJStartsALine) {
  Harness h(res::DispPosWrite());
  h.device.Add(InputEvent::Of(Key::kTab));
  h.device.Add(InputEvent::Of(Key::kTab));  // the data box
  h.device.Type("The quick brown fox jumps over the lazy dog again");
  h.device.Add(InputEvent::Char('\n'));  // Ctrl-J
  h.device.Type("\\x41");
  h.Snap();
  h.Run();
  const int id = res::kIdWriteData;
  const Rect box = h.layer.control_rect(id);
  ASSERT_EQ(box.w - 3, ui::DialogModel::WrapColumns(h.model.tmpl().controls[6]));
  ASSERT_EQ(h.model.GetLineCount(id), 3);
  for (int line = 0; line < 3; ++line) {
    const std::string text = h.model.GetLine(id, line, 200);
    EXPECT_EQ(h.shot.RowText(box.x + 1, box.y + 1 + line, static_cast<int>(text.size())), text);
  }
  EXPECT_EQ(h.model.GetLine(id, 0, 200), "The quick brown fox jumps ");
  EXPECT_EQ(h.model.GetLine(id, 2, 200), "\\x41");
  EXPECT_EQ(h.shot.At(box.right() - 2, box.y + 1).glyph, Glyph::kArrowUp);  // its scroll bar
}

TEST(DialogMultiLine, ScrollBarClicksAndTheWheelScrollWithoutMovingTheCursor) {
  Harness h(res::DispPosWrite());
  h.device.Keys({Key::kTab, Key::kTab});  // the data box
  for (int i = 0; i < 12; ++i) {
    h.device.Type("line" + std::to_string(i));
    h.device.Add(InputEvent::Char('\n'));
  }
  // Thirteen lines in five rows; the cursor on the last, empty one.
  const Rect box = h.layer.control_rect(res::kIdWriteData);
  const int bar = box.right() - 2, top = box.y + 1;
  std::vector<std::string> first_rows;
  auto first_row = [&] {
    h.device.Add([&] { first_rows.push_back(h.device.painted().RowText(box.x + 1, top, 6)); });
  };
  first_row();
  h.device.Add(InputEvent::Click(bar, top));  // the up arrow: a line
  first_row();
  h.device.Add(InputEvent::Click(bar, top + 1));  // the track above the thumb: a page
  first_row();
  h.device.Add(InputEvent::Click(bar, top + 4));  // the down arrow
  first_row();
  h.device.Add(InputEvent::Wheel(box.x + 5, top + 2, false));
  first_row();
  h.device.Type("X");  // typed where the cursor was, and the view follows it
  first_row();
  h.Run();
  EXPECT_EQ(first_rows,
            (std::vector<std::string>{"line8 ", "line7 ", "line3 ", "line4 ", "line7 ", "line8 "}));
  EXPECT_EQ(h.model.GetLine(res::kIdWriteData, 12, 200), "X");
  EXPECT_EQ(h.layer.focused_id(), res::kIdWriteData);
}

TEST(DialogRadio, TheWholeShownTextTakesAClick) {
  Harness h(res::DispPosWrite());
  h.proc.on_init = [](ui::Dialog& d) { d.CheckRadioButton(231, 232, 232); };
  // "(*) Using data from List Box" is wider in cells than the template's 94 units.
  const res::Control& radio = res::DispPosWrite().controls[2];
  ASSERT_GT(ShownTextWidth(radio), radio.w / kUnitsPerColumn);
  h.device.Add(h.ClickOn(231, ShownTextWidth(radio) - 1));
  h.Run();
  EXPECT_TRUE(h.model.IsChecked(231));
  EXPECT_EQ(h.proc.commands.front(), "231:0");
}

TEST(DialogListBox, ClickFocusesArrowsSelectWithoutCommands) {
  Harness h(res::DispPosInit());
  h.proc.on_init = [](ui::Dialog& d) {
    for (int i = 0; i < 30; ++i) d.AddString(res::kIdResourceList, "PosNname" + std::to_string(i));
    d.SetHorizontalExtent(res::kIdResourceList, 300);
  };
  h.device.Add(h.ClickOn(res::kIdResourceList, 2));
  h.device.Keys({Key::kDown, Key::kDown, Key::kEnd});
  h.Snap();
  h.Run();
  EXPECT_EQ(h.layer.focused_id(), res::kIdResourceList);
  EXPECT_EQ(h.model.controls()[14].selection, 29);
  EXPECT_EQ(h.proc.commands, std::vector<std::string>{"2:0"});
  const Rect r = h.layer.control_rect(res::kIdResourceList);
  EXPECT_EQ(h.shot.RowText(r.x + 1, r.bottom() - 3, 10), "PosNname29");
  EXPECT_EQ(h.shot.At(r.x + 2, r.bottom() - 2).style, Style::kScrollThumb);  // 300 px extent
}

TEST(DialogRun, MaximisedFillsTheScreenAndPostedMessagesArriveWhileOpen) {
  FakeDevice device({100, 30});
  TerminalFrontEnd fe(device);
  RecordingWindow window;
  RecordingDialog proc;
  CellGrid shot;
  window.on_command = [&](int) {
    fe.RunDialog(res::DispPosInit(), proc);
    window.calls.push_back("dialog ended");
  };
  device.Keys({Key::kF10, Key::kEnter});
  device.Add([&] {
    fe.screen().queue().Post({TerminalFrontEnd::kMainWindowHandle, 0x4201, 1, 2});
  });
  device.Add([&] { shot = device.painted(); });
  device.Keys({Key::kEscape});
  fe.Run(window);
  EXPECT_EQ(window.calls,
            (std::vector<std::string>{"command 100", "posted 4201 1 2", "dialog ended"}));
  EXPECT_EQ(shot.RowText(1, 0, 18), "POS Initialization");
  EXPECT_EQ(shot.At(99, 29).glyph, Glyph::kBottomRight);
  EXPECT_EQ(proc.commands, std::vector<std::string>{"2:0"});
}

}  // namespace
}  // namespace terminal
