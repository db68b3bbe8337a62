#include "port/dialog_model.h"

#include <algorithm>

namespace ui {

namespace {

bool IsCombo(const res::Control& c) {
  return c.kind == res::ControlKind::kComboDropDown || c.kind == res::ControlKind::kComboDropList;
}

std::string Bounded(std::string_view text, std::size_t room) {
  if (room == 0) return {};
  return std::string(text.substr(0, std::min(text.size(), room - 1)));
}

}  // namespace

DialogModel::DialogModel(const res::DialogTemplate& tmpl) : tmpl_(&tmpl) {
  controls_.reserve(tmpl.controls.size());
  for (const res::Control& c : tmpl.controls) {
    ControlState s;
    s.control = &c;
    // Combo and list boxes show their items, not the template text.
    if (!IsCombo(c) && c.kind != res::ControlKind::kListBox) s.text = c.text;
    controls_.push_back(std::move(s));
  }
}

ControlState* DialogModel::Find(int id) {
  if (id < 0) return nullptr;
  for (ControlState& s : controls_)
    if (s.control->id == id) return &s;
  return nullptr;
}

int DialogModel::WrapColumns(const res::Control& control) {
  // 4 dialog units a cell, less the two border cells and the scroll bar.
  return std::max(1, control.w / 4 - 3);
}

std::vector<std::string> DialogModel::WrapLines(const std::string& text, int columns) {
  std::vector<std::string> lines;
  const std::size_t width = static_cast<std::size_t>(std::max(1, columns));
  std::string_view rest = text;
  while (true) {
    const std::size_t end = rest.find('\n');
    std::string_view hard = rest.substr(0, end);
    if (!hard.empty() && hard.back() == '\r') hard.remove_suffix(1);
    // Word wrap: break after the last blank that fits, else inside the word.
    while (hard.size() > width) {
      std::size_t cut = hard.rfind(' ', width - 1);
      cut = (cut == std::string_view::npos || cut == 0) ? width : cut + 1;
      lines.emplace_back(hard.substr(0, cut));
      hard.remove_prefix(cut);
    }
    lines.emplace_back(hard);
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return lines;
}

std::string DialogModel::GetText(int id, std::size_t room) {
  ControlState* s = Find(id);
  if (!s) return {};
  if (s->control->kind == res::ControlKind::kComboDropList) {
    if (s->selection < 0 || s->selection >= static_cast<int>(s->items.size())) return {};
    return Bounded(s->items[static_cast<std::size_t>(s->selection)], room);
  }
  return Bounded(s->text, room);
}

void DialogModel::SetText(int id, std::string_view text) {
  if (ControlState* s = Find(id)) s->text = std::string(text);
}

void DialogModel::ResetContent(int id) {
  if (ControlState* s = Find(id)) {
    s->items.clear();
    s->selection = -1;
    if (s->control->kind == res::ControlKind::kComboDropDown) s->text.clear();
  }
}

void DialogModel::AddString(int id, std::string_view text) {
  if (ControlState* s = Find(id)) s->items.emplace_back(text);
}

void DialogModel::SetCurSel(int id, int index) {
  ControlState* s = Find(id);
  if (!s) return;
  if (index < 0 || index >= static_cast<int>(s->items.size())) {
    s->selection = -1;
    return;
  }
  s->selection = index;
  if (s->control->kind == res::ControlKind::kComboDropDown)
    s->text = s->items[static_cast<std::size_t>(index)];
}

int DialogModel::GetCount(int id) {
  ControlState* s = Find(id);
  return s ? static_cast<int>(s->items.size()) : 0;
}

void DialogModel::SetHorizontalExtent(int id, int pixels) {
  if (ControlState* s = Find(id)) s->horizontal_extent = pixels;
}

bool DialogModel::IsChecked(int id) {
  ControlState* s = Find(id);
  return s && s->checked;
}

void DialogModel::CheckRadioButton(int first_id, int last_id, int checked_id) {
  for (ControlState& s : controls_) {
    const int id = s.control->id;
    if (id >= first_id && id <= last_id) s.checked = (id == checked_id);
  }
}

const std::vector<std::string>& DialogModel::LinesOf(int id) {
  static const std::vector<std::string> kNoLines;
  ControlState* s = Find(id);
  if (!s) return kNoLines;
  // A dialog reads a text line by line: wrap it once, again only when the
  // control or its text (front ends edit it in place) has changed.
  if (id != wrapped_id_ || s->text != wrapped_text_) {
    wrapped_lines_ = WrapLines(s->text, WrapColumns(*s->control));
    wrapped_text_ = s->text;
    wrapped_id_ = id;
  }
  return wrapped_lines_;
}

int DialogModel::GetLineCount(int id) {
  return Find(id) ? static_cast<int>(LinesOf(id).size()) : 0;
}

int DialogModel::GetLineLength(int id, int line) {
  const std::vector<std::string>& lines = LinesOf(id);
  if (line < 0 || line >= static_cast<int>(lines.size())) return 0;
  return static_cast<int>(lines[static_cast<std::size_t>(line)].size());
}

std::string DialogModel::GetLine(int id, int line, std::size_t room) {
  const std::vector<std::string>& lines = LinesOf(id);
  if (line < 0 || line >= static_cast<int>(lines.size())) return {};
  const std::string& l = lines[static_cast<std::size_t>(line)];
  return l.substr(0, std::min(l.size(), room));
}

void DialogModel::End(int result) {
  ended_ = true;
  result_ = result;
}

}  // namespace ui
