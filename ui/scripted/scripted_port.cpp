#include "ui/scripted/scripted_port.h"

namespace ui {

void ScriptedDialog::Type(int id, std::string_view text) {
  model_.SetText(id, text);
}

void ScriptedDialog::Press(int id) {
  Command(id, kNotifyClicked);
}

void ScriptedDialog::Select(int id, int index) {
  model_.SetCurSel(id, index);
  Command(id, kNotifySelChange);
}

bool ScriptedDialog::SelectText(int id, std::string_view text) {
  ControlState* s = model_.Find(id);
  if (!s) return false;
  for (std::size_t i = 0; i < s->items.size(); ++i) {
    if (s->items[i] == text) {
      Select(id, static_cast<int>(i));
      return true;
    }
  }
  return false;
}

void ScriptedDialog::Check(int id) {
  ControlState* target = model_.Find(id);
  if (!target) return;
  // The automatic radio group: from the group's first button to the next group.
  auto& controls = model_.controls();
  std::size_t index = static_cast<std::size_t>(target - controls.data());
  std::size_t first = index;
  while (first > 0 && !(controls[first].control->style & res::kGroup)) --first;
  for (std::size_t i = first; i < controls.size(); ++i) {
    if (i > first && (controls[i].control->style & res::kGroup)) break;
    if (controls[i].control->kind == res::ControlKind::kRadioButton)
      controls[i].checked = (i == index);
  }
  Command(id, kNotifyClicked);
}

void ScriptedDialog::Command(int id, int notify) {
  if (model_.ended()) return;
  port_.Pump();
  proc_.OnCommand(model_, id, notify);
  port_.Pump();
}

std::vector<std::string> ScriptedDialog::Items(int id) {
  ControlState* s = model_.Find(id);
  return s ? s->items : std::vector<std::string>{};
}

ScriptedPort::~ScriptedPort() {
  if (installed_) InstallPostTarget(nullptr, 0);
}

void ScriptedPort::Post(std::uint32_t message, std::uint32_t wparam, std::uint32_t lparam) {
  queue_.Post({window_, message, wparam, lparam});
}

void ScriptedPort::InstallAsPostTarget() {
  InstallPostTarget(&queue_, window_);
  installed_ = true;
}

void ScriptedPort::Pump() {
  // Messages posted while one is handled are handled in the same pump. A
  // box's nested pump goes on with the same pending messages, so that they
  // are handled one by one in posting order, as a front end's loop does.
  for (;;) {
    if (pending_.empty()) {
      std::vector<PostedMessage> batch;
      queue_.DrainInto(batch);
      if (batch.empty()) return;
      pending_.insert(pending_.end(), batch.begin(), batch.end());
    }
    const PostedMessage m = pending_.front();
    pending_.pop_front();
    if (main_) main_->OnPosted(m.message, m.wparam, m.lparam);
  }
}

std::vector<std::string> ScriptedPort::LogLines() const {
  std::vector<std::string> lines;
  for (const Entry& e : entries_)
    if (e.kind == Entry::kLog) lines.push_back(e.text);
  return lines;
}

std::vector<ScriptedPort::Entry> ScriptedPort::Boxes() const {
  std::vector<Entry> boxes;
  for (const Entry& e : entries_)
    if (e.kind == Entry::kBox) boxes.push_back(e);
  return boxes;
}

void ScriptedPort::AppendLog(std::string_view line) {
  entries_.push_back({Entry::kLog, std::string(line), {}});
}

void ScriptedPort::ShowMessage(std::string_view text, std::string_view caption) {
  Entry box{Entry::kBox, std::string(text),
            std::string(caption.empty() ? kDefaultErrorCaption : caption)};
  entries_.push_back(box);
  // The box's own loop keeps dispatching posted messages until OK; boxes
  // nested deeper than a front end's take none (the stack stays bounded).
  const bool may_pump = box_depth_ < kMaxBoxDepth;
  ++box_depth_;
  if (may_pump) Pump();
  if (box_hook_) box_hook_(box);
  if (may_pump) Pump();
  --box_depth_;
}

int ScriptedPort::RunDialog(const res::DialogTemplate& tmpl, DialogProc& proc) {
  ++dialogs_run_;
  DialogModel model(tmpl);
  ScriptedDialog dialog(model, proc, *this);
  proc.OnInit(model);
  Pump();
  if (!scripts_.empty()) {
    DialogScript script = std::move(scripts_.front());
    scripts_.pop_front();
    script(dialog);
  }
  if (!model.ended()) {
    ++unfinished_dialogs_;
    proc.OnCommand(model, res::kIdCancel, kNotifyClicked);
    if (!model.ended()) model.End(0);
  }
  return model.result();
}

}  // namespace ui
