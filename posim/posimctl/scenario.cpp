#include "posim/posimctl/scenario.h"

#include <cctype>
#include <cstdio>

#include "codes/code_tables.h"
#include "posim/channel/command_words.h"
#include "posim/devices/device_kinds.h"
#include "posim/devices/values.h"

namespace posim {

namespace {

// Words that posimctl runs itself or that never end: no actions.
constexpr const char* kNoActions[] = {"play", "watch", "trace", "check", "check-terminal", "help"};

// The line without its comment: from a word that begins with # outside quotes.
std::string_view WithoutComment(std::string_view line) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (quoted && line[i] == '\\') {
      ++i;
    } else if (line[i] == '"') {
      quoted = !quoted;
    } else if (!quoted && line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
      return line.substr(0, i);
    }
  }
  return line;
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// "1", "0.25", "+2.5": seconds with up to three decimals, as milliseconds.
bool ParseTime(std::string_view word, bool& relative, std::int64_t& ms) {
  relative = !word.empty() && word[0] == '+';
  if (relative) word.remove_prefix(1);
  const std::size_t dot = word.find('.');
  const std::string_view whole = word.substr(0, dot);
  const std::string_view part = dot == std::string_view::npos ? "" : word.substr(dot + 1);
  if (whole.empty() || whole.size() > 6 || part.size() > 3 ||
      (dot != std::string_view::npos && part.empty())) {
    return false;
  }
  ms = 0;
  for (const char c : whole) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    ms = ms * 10 + (c - '0');
  }
  ms *= 1000;
  std::int64_t scale = 100;
  for (const char c : part) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    ms += (c - '0') * scale;
    scale /= 10;
  }
  return ms <= kMaxScenarioMs;
}

bool StartsTime(std::string_view word) {
  return !word.empty() &&
         (word[0] == '+' || word[0] == '.' || std::isdigit(static_cast<unsigned char>(word[0])));
}

std::string ParseWait(const std::vector<std::string>& words, WaitTarget& target) {
  const std::string usage =
      "wait-for takes a call (open, close, ioctl, read, write, initialize, term or version) "
      "and a word it must hold, or an event (a POSM_ name or number)";
  if (words.size() < 2 || words.size() > 3) return usage;
  if (const std::optional<Entry> entry = FindEntry(words[1])) {
    target.entry = *entry;
    if (words.size() == 3) target.word = words[2];
    return {};
  }
  if (words.size() != 2) return usage;
  target.event = true;
  for (const codes::CodeName* row = codes::MessageNames; row->name != nullptr; ++row) {
    if (SameName(row->name, words[1])) {
      target.message = static_cast<std::uint32_t>(row->code);
      return {};
    }
  }
  const std::optional<std::int64_t> code = ParseNumberText(words[1]);
  if (code && *code > 0 && *code <= 0xFFFF) {
    target.message = static_cast<std::uint32_t>(*code);
    return {};
  }
  return words[1].rfind("POSM_", 0) == 0 ? "no event " + words[1] : usage;
}

struct Block {
  std::size_t repeat;  // index of the kRepeat step
  std::int64_t last_absolute = 0;
};

class Parser {
 public:
  Parser(std::vector<ScenarioStep>& steps, std::vector<std::string>& errors)
      : steps_(steps), errors_(errors) {
    blocks_.push_back({0, 0});
  }

  void Line(int number, std::string_view raw) {
    const std::string_view line = Trimmed(WithoutComment(raw));
    if (line.empty()) return;
    ScenarioStep step;
    step.line = number;
    std::vector<std::string> words = SplitCommandLine(line);
    std::string_view rest = line;
    const bool timed = StartsTime(words[0]);
    if (timed) {
      if (!ParseTime(words[0], step.relative, step.ms)) {
        return Error(number, "bad time " + words[0] +
                                 " (seconds, up to three decimals: 1.5, or +0.25 after the "
                                 "line before)");
      }
      rest = Trimmed(rest.substr(words.front().size()));
      words.erase(words.begin());
      if (words.empty()) return Error(number, "a time and nothing to do");
    }
    const std::string& command = words[0];
    if (command == "}") {
      if (timed || words.size() > 1) return Error(number, "} stands alone on its line");
      return End(step);
    }
    if (!step.relative) {
      Block& block = blocks_.back();
      if (step.ms < block.last_absolute) {
        return Error(number,
                     "its time comes before the time of a line above (a time after "
                     "the line before is written +SECONDS)");
      }
      block.last_absolute = step.ms;
    }
    if (command == "repeat") return Repeat(step, words);
    if (command == "wait-for") {
      step.kind = ScenarioStep::Kind::kWaitFor;
      if (const std::string error = ParseWait(words, step.wait); !error.empty()) {
        return Error(number, error);
      }
      step.text = std::string(Trimmed(rest.substr(command.size())));
      blocks_.back().last_absolute = 0;
      steps_.push_back(step);
      return;
    }
    for (const char* word : kNoActions) {
      if (command == word) return Error(number, command + " is no device action");
    }
    step.text = std::string(rest);
    steps_.push_back(step);
  }

  void Finish() {
    for (std::size_t i = 1; i < blocks_.size(); ++i) {
      Error(steps_[blocks_[i].repeat].line, "repeat without its closing }");
    }
    bool acts = false;
    for (const ScenarioStep& step : steps_) acts = acts || step.kind == ScenarioStep::Kind::kAction;
    if (!acts && errors_.empty()) errors_.push_back("no actions to play");
  }

 private:
  void Error(int number, const std::string& why) {
    errors_.push_back("line " + std::to_string(number) + ": " + why);
  }

  void Repeat(ScenarioStep& step, const std::vector<std::string>& words) {
    const std::optional<std::int64_t> count =
        words.size() == 3 ? ParseNumberText(words[1]) : std::nullopt;
    if (words.size() != 3 || words[2] != "{" || !count) {
      return Error(step.line, "repeat COUNT { is how a repeat begins");
    }
    if (*count < 1 || *count > kMaxRepeat) {
      return Error(step.line, "a repeat runs 1 to " + std::to_string(kMaxRepeat) + " times");
    }
    if (static_cast<int>(blocks_.size()) > kMaxNesting) {
      return Error(step.line, "repeats nest " + std::to_string(kMaxNesting) + " deep at most");
    }
    step.kind = ScenarioStep::Kind::kRepeat;
    step.count = *count;
    blocks_.push_back({steps_.size(), 0});
    steps_.push_back(step);
  }

  void End(ScenarioStep& step) {
    if (blocks_.size() == 1) return Error(step.line, "} without a repeat");
    const std::size_t repeat = blocks_.back().repeat;
    blocks_.pop_back();
    if (repeat + 1 == steps_.size()) {
      return Error(steps_[repeat].line, "a repeat with nothing to repeat");
    }
    step.kind = ScenarioStep::Kind::kEnd;
    step.partner = repeat;
    steps_[repeat].partner = steps_.size();
    steps_.push_back(step);
  }

  std::vector<ScenarioStep>& steps_;
  std::vector<std::string>& errors_;
  std::vector<Block> blocks_;
};

}  // namespace

bool ParseScenario(std::string_view text, std::vector<ScenarioStep>& steps,
                   std::vector<std::string>& errors) {
  steps.clear();
  errors.clear();
  if (text.size() > kMaxScenarioSize) {
    errors.push_back("longer than " + std::to_string(kMaxScenarioSize) + " bytes");
    return false;
  }
  Parser parser(steps, errors);
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    parser.Line(++number, text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  parser.Finish();
  return errors.empty();
}

bool WaitMatches(const WaitTarget& target, std::string_view trace_line) {
  // The time of day, then the call or the event.
  const std::size_t blank = trace_line.find(' ');
  if (blank == std::string_view::npos) return false;
  const std::string_view rest = trace_line.substr(blank + 1);
  if (target.event) {
    char code[16];
    std::snprintf(code, sizeof code, "(0x%04X)", target.message);
    return rest.rfind("event ", 0) == 0 && rest.find(code) != std::string_view::npos;
  }
  const std::string call = std::string(ApiName(target.entry)) + "(";
  if (rest.rfind(call, 0) != 0) return false;
  const std::size_t answer = rest.find(") = 0");
  if (answer == std::string_view::npos) return false;
  const std::size_t after = answer + 5;
  if (after != rest.size() && rest[after] != ',' && rest[after] != ' ') return false;
  if (target.word.empty()) return true;
  // The word anywhere in the line, in any case.
  for (std::size_t i = 0; i + target.word.size() <= rest.size(); ++i) {
    if (SameName(rest.substr(i, target.word.size()), target.word)) return true;
  }
  return false;
}

}  // namespace posim
