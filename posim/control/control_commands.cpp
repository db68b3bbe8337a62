#include "posim/control/control_commands.h"

#include <algorithm>
#include <climits>
#include <optional>

#include "posim/channel/command_words.h"
#include "posim/control/write_escapes.h"
#include "posim/devices/codes.h"
#include "posim/devices/device_io.h"
#include "posim/devices/device_output.h"
#include "posim/devices/events.h"
#include "posim/devices/feeds.h"
#include "posim/devices/values.h"

namespace posim {

namespace {

constexpr std::int32_t kUsageError = -1;
constexpr std::int64_t kMaxPostCount = 1000000;

struct Args {
  std::vector<std::string> words;  // after the command word, without "@NAME"
  std::string device;              // the NAME of "@NAME", or empty
};

using Command = std::int32_t (*)(Client&, const Args&, std::string& out);

// Numbers are 64 bits wide on every platform (a long is 32 bits on Windows).
bool ToNumber(const std::string& word, std::int64_t& n) {
  const std::optional<std::int64_t> number = ParseNumberText(word);
  if (!number) return false;
  n = *number;
  return true;
}

// A 32-bit message field given signed or unsigned: -0x80000000 to 0xFFFFFFFF.
bool ToField(const std::string& word, std::int64_t& n) {
  return ToNumber(word, n) && n >= INT32_MIN && n <= UINT32_MAX;
}

constexpr struct {
  const char* word;
  std::int32_t class_code;
} kClassWords[] = {
    {"display", kClassDisplay},   {"printer", kClassPrinter},   {"scanner", kClassScanner},
    {"scale", kClassScale},       {"msr", kClassMsr},           {"keyboard", kClassKeyboard},
    {"drawer", kClassCashDrawer}, {"nvram", kClassNvram},       {"power", kClassPower},
    {"rs232", kClassRs232},       {"touch", kClassTouchScreen}, {"alarm", kClassAlarm},
};

}  // namespace

Device* NamedDevice(Client& client, std::string_view what) {
  if (Device* device = client.FindDevice(what)) return device;
  for (const auto& c : kClassWords) {
    if (SameName(c.word, what)) return client.FirstOfClass(c.class_code);
  }
  return nullptr;
}

const char* ClassWord(std::int32_t class_code) {
  for (const auto& c : kClassWords) {
    if (c.class_code == class_code) return c.word;
  }
  return "";
}

namespace {

// The device a feed acts on: "@NAME", else the first of the class.
Device* Target(Client& client, const Args& args, std::int32_t class_code, std::string& out) {
  Device* device =
      args.device.empty() ? client.FirstOfClass(class_code) : client.FindDevice(args.device);
  if (device == nullptr || device->config.class_code != class_code) {
    out = args.device.empty() ? "the terminal has no such device"
                              : args.device + " is no device of this kind";
    return nullptr;
  }
  return device;
}

std::int32_t Scan(Client& client, const Args& args, std::string& out) {
  if (args.words.size() != 1) return kUsageError;
  Device* scanner = Target(client, args, kClassScanner, out);
  return scanner == nullptr ? kUsageError : ScanLabel(client, *scanner, args.words[0]);
}

std::int32_t Swipe(Client& client, const Args& args, std::string& out) {
  if (args.words.empty() || args.words.size() > 3) {
    return kUsageError;
  }
  std::string tracks[3];
  for (std::size_t t = 0; t < args.words.size(); ++t) {
    if (args.words[t] != "-") tracks[t] = args.words[t];
  }
  Device* msr = Target(client, args, kClassMsr, out);
  if (msr == nullptr) return kUsageError;
  const std::int32_t status = SwipeCard(client, *msr, tracks);
  if (status == kSysOutOfBounds) out = "tracks 1, 2 and 3 hold at most 79, 40 and 107 characters";
  return status;
}

std::int32_t Weigh(Client& client, const Args& args, std::string& out) {
  std::int64_t grams = 0;
  if (args.words.size() != 1 || !ToNumber(args.words[0], grams)) return kUsageError;
  if (grams < -kMaxLoadGrams || grams > kMaxLoadGrams) {
    out = "a load is at most " + std::to_string(kMaxLoadGrams) + " grams either way";
    return kSysOutOfBounds;
  }
  Device* scale = Target(client, args, kClassScale, out);
  return scale == nullptr ? kUsageError
                          : PlaceLoad(client, *scale, static_cast<std::int32_t>(grams));
}

std::int32_t Key(Client& client, const Args& args, std::string& out) {
  std::int64_t code = 0;
  if (args.words.empty() || args.words.size() > 2 || !ToNumber(args.words[0], code) || code < 0 ||
      code > 0xFF || (args.words.size() == 2 && args.words[1].size() != 1)) {
    return kUsageError;
  }
  const char character =
      args.words.size() == 2 ? args.words[1][0] : CharacterOf(static_cast<std::uint8_t>(code));
  Device* keyboard = Target(client, args, kClassKeyboard, out);
  return keyboard == nullptr
             ? kUsageError
             : PressKey(client, *keyboard, static_cast<std::uint8_t>(code), character);
}

std::int32_t Type(Client& client, const Args& args, std::string& out) {
  if (args.words.size() != 1) return kUsageError;
  for (const char c : args.words[0]) {
    if (ScanCodeOf(c) == 0) {
      out = "no key for '" + EscapedBytes(std::string_view(&c, 1)) + "'";
      return kUsageError;
    }
  }
  Device* keyboard = Target(client, args, kClassKeyboard, out);
  if (keyboard == nullptr) return kUsageError;
  for (const char c : args.words[0]) {
    if (const std::int32_t status = PressKey(client, *keyboard, ScanCodeOf(c), c)) return status;
  }
  return kOk;
}

std::int32_t KeyLock(Client& client, const Args& args, std::string& out) {
  std::int64_t position = 0;
  if (args.words.size() != 1 || !ToNumber(args.words[0], position)) {
    return kUsageError;
  }
  Device* keyboard = Target(client, args, kClassKeyboard, out);
  if (keyboard == nullptr) return kUsageError;
  // Beyond 32 bits is as far out of bounds as the nearest 32-bit number.
  const auto clamped = std::clamp<std::int64_t>(position, INT32_MIN, INT32_MAX);
  const std::int32_t status = TurnKeyLock(client, *keyboard, static_cast<std::int32_t>(clamped));
  if (status == kSysOutOfBounds) out = "the key lock has the positions 0 to 7";
  return status;
}

std::int32_t TouchCommand(Client& client, const Args& args, std::string& out) {
  std::int64_t x = 0, y = 0;
  if (args.words.size() != 2 || !ToNumber(args.words[0], x) || !ToNumber(args.words[1], y) ||
      x < 0 || x > 0xFFFF || y < 0 || y > 0xFFFF) {
    return kUsageError;
  }
  Device* touch = Target(client, args, kClassTouchScreen, out);
  return touch == nullptr
             ? kUsageError
             : Touch(client, *touch, static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y));
}

std::int32_t Paper(Client& client, const Args& args, std::string& out) {
  if (args.words.size() != 1 || (args.words[0] != "out" && args.words[0] != "in")) {
    return kUsageError;
  }
  const bool present = args.words[0] == "in";
  Device* printer = Target(client, args, kClassPrinter, out);
  if (printer == nullptr) return kUsageError;
  const std::int32_t status = SetPaper(client, *printer, present);
  if (status == kSysCmdReject) {
    out = printer->config.name + (present ? " has paper already" : " is out of paper already");
  }
  return status;
}

std::int32_t CloseDrawerCommand(Client& client, const Args& args, std::string& out) {
  if (!args.words.empty()) return kUsageError;
  Device* drawer = Target(client, args, kClassCashDrawer, out);
  if (drawer == nullptr) return kUsageError;
  const std::int32_t status = CloseDrawer(client, *drawer);
  if (status == kSysCmdReject) out = drawer->config.name + " is not open";
  return status;
}

// The device a command names by name or class word ("@NAME" too); nullptr,
// with the reason in out when a name was given, when there is none.
Device* NamedInArgs(Client& client, const Args& args, std::string& out) {
  const std::string what = args.words.size() == 1 ? args.words[0] : args.device;
  Device* device = what.empty() ? nullptr : NamedDevice(client, what);
  if (device == nullptr && !what.empty()) out = "the terminal has no device " + what;
  return device;
}

std::int32_t OnlineState(Client& client, const Args& args, bool online, std::string& out) {
  if (args.words.size() > 1) return kUsageError;
  Device* device = NamedInArgs(client, args, out);
  if (device == nullptr) return kUsageError;
  const std::int32_t status = SetOnline(client, *device, online);
  if (status == kSysCmdReject) {
    out = device->config.name + (online ? " is on line already" : " is off line already");
  }
  return status;
}

std::int32_t Offline(Client& client, const Args& args, std::string& out) {
  return OnlineState(client, args, false, out);
}

std::int32_t Online(Client& client, const Args& args, std::string& out) {
  return OnlineState(client, args, true, out);
}

std::int32_t Rs232(Client& client, const Args& args, std::string& out) {
  if (args.words.size() != 1 || args.words[0].empty()) return kUsageError;
  std::string bytes;
  if (!DecodeWriteEscapes(args.words[0], bytes, out)) return kUsageError;
  Device* port = Target(client, args, kClassRs232, out);
  if (port == nullptr) return kUsageError;
  const std::int32_t status = ReceiveBytes(client, *port, bytes);
  if (status == kSysOutOfBounds) {
    out = "the port holds at most " + std::to_string(kRs232BufferSize) + " bytes to read";
  }
  return status;
}

// fail: the faults pending; fail off: none; fail ENTRY STATUS [COUNT].
std::int32_t Fail(Client& client, const Args& args, std::string& out) {
  if (args.words.empty()) {
    out = client.faults.List();
    return kOk;
  }
  if (args.words.size() == 1 && args.words[0] == "off") {
    client.faults.Clear();
    return kOk;
  }
  std::int64_t count = 1;
  if (args.words.size() < 2 || args.words.size() > 3 ||
      (args.words.size() == 3 &&
       (!ToNumber(args.words[2], count) || count < 0 || count > kMaxFaultCount))) {
    return kUsageError;
  }
  const std::optional<Entry> entry = FindEntry(args.words[0]);
  if (!entry || *entry == Entry::kInitialize) {
    out = "no entry " + args.words[0] + " (open, close, ioctl, read, write, term or version)";
    return kUsageError;
  }
  const std::optional<std::int32_t> status = ParseStatus(args.words[1]);
  if (!status) {
    out = "no status " + args.words[1] + " (a POSERR_ name or a number other than 0)";
    return kUsageError;
  }
  client.faults.Set(*entry, *status, static_cast<std::int32_t>(count));
  return kOk;
}

std::int32_t Post(Client& client, const Args& args, std::string&) {
  std::int64_t code = 0, wparam = 0, lparam = 0, count = 1;
  if (args.words.size() < 3 || args.words.size() > 4 || !ToField(args.words[0], code) ||
      !ToField(args.words[1], wparam) || !ToField(args.words[2], lparam) ||
      (args.words.size() == 4 &&
       (!ToNumber(args.words[3], count) || count < 1 || count > kMaxPostCount))) {
    return kUsageError;
  }
  for (std::int64_t i = 0; i < count; ++i) {
    EmitRaw(client, static_cast<std::uint32_t>(code), static_cast<std::uint32_t>(wparam),
            static_cast<std::uint32_t>(lparam));
  }
  return kOk;
}

std::int32_t Show(Client& client, const Args& args, std::string& out) {
  const std::string what = args.words.size() == 1 ? args.words[0] : args.device;
  if (what == "devices") {
    out = DeviceList(client);
    return kOk;
  }
  if (what == "events") {
    out = std::to_string(client.records.size());
    return kOk;
  }
  Device* device = NamedInArgs(client, args, out);
  if (device == nullptr) return kUsageError;
  out = DeviceOutput(*device);
  return kOk;
}

std::int32_t Values(Client& client, const Args& args, std::string& out) {
  Device* device = NamedInArgs(client, args, out);
  if (device == nullptr) return kUsageError;
  out = DeviceValues(*device);
  return kOk;
}

// A command returns kUsageError with an empty text when its words are wrong;
// the line of its usage is then the answer.
constexpr struct {
  const char* word;
  Command run;
  const char* usage;
  const char* what;
} kCommands[] = {
    {"scan", Scan, "scan LABEL", "a label read by the scanner"},
    {"swipe", Swipe, "swipe TRACK1 [TRACK2 [TRACK3]]", "a card through the MSR (- for none)"},
    {"weigh", Weigh, "weigh GRAMS", "a load placed on the scale"},
    {"key", Key, "key CODE [CHAR]", "one key pressed on the POS keyboard"},
    {"type", Type, "type TEXT", "keys pressed for each character"},
    {"keylock", KeyLock, "keylock POSITION", "the key lock turned"},
    {"touch", TouchCommand, "touch X Y", "the touch screen touched"},
    {"close-drawer", CloseDrawerCommand, "close-drawer", "the cash drawer pushed shut"},
    {"paper", Paper, "paper out|in", "the printer's paper runs out or is put back"},
    {"offline", Offline, "offline DEVICE", "a device goes off line"},
    {"online", Online, "online DEVICE", "a device comes back on line"},
    {"rs232", Rs232, "rs232 BYTES", "bytes arrive at the RS-232 port (escapes as in Write)"},
    {"fail", Fail, "fail ENTRY STATUS [COUNT]|off",
     "the next COUNT calls of an entry answer STATUS"},
    {"post", Post, "post CODE WPARAM LPARAM [COUNT]", "any event posted to the program"},
    {"show", Show, "show DEVICE|devices|events",
     "what a device received or has to be read, the devices, queued events"},
    {"values", Values, "values DEVICE", "a device's resource values"},
};

// Why a feed was refused, when its command did not say.
std::string CommonReason(std::int32_t status) {
  switch (status) {
    case kSysDeviceOffline:
      return "the device is off line";
    case kScanLabelTooShort:
      return "the label is empty";
    case kScanLabelTooLong:
      return "a label holds at most " + std::to_string(kMaxLabelLength) + " characters";
    default:
      return {};
  }
}

// A refusal that depends on what the devices went through (already on line,
// drawer not open, paper out, off line), not on the words of the line.
bool IsStateRefusal(std::int32_t status) {
  return status == kSysCmdReject || status == kSysDeviceOffline || status == kSysHwError;
}

std::string Help() {
  const auto line = [](std::string usage, const char* what) {
    usage.resize(std::max<std::size_t>(usage.size() + 1, 34), ' ');
    return "\n  " + usage + what;
  };
  std::string text = "commands (\"@NAME\" picks a device by name):";
  for (const auto& command : kCommands) text += line(command.usage, command.what);
  text += line("check COMMAND [WORD...]", "whether a command's words are good, without acting");
  text += line("watch [DEVICE|all]", "a live view of the terminal (q or Ctrl-C ends it)");
  text += line("trace [events] [--to FILE]", "every call the library answers, as it happens");
  // posimctl runs these itself.
  text += line("play [--check] FILE", "a scenario of timed device actions (Ctrl-C stops it)");
  text += line("check-terminal FILE", "whether Initialize takes FILE as the terminal, and why not");
  return text + "\n  help";
}

}  // namespace

std::string RunControlCommand(Simulator& simulator, std::string_view line) {
  std::vector<std::string> words = SplitCommandLine(line);
  Args args;
  std::string command;
  bool check = false;
  for (std::string& word : words) {
    if (word.size() > 1 && word[0] == '@') {
      args.device = word.substr(1);
    } else if (command.empty() && !check && word == "check") {
      check = true;
    } else if (command.empty()) {
      command = word;
    } else {
      args.words.push_back(word);
    }
  }
  if (!check && (command.empty() || command == "help")) return "ok\n" + Help() + "\n";
  for (const auto& c : kCommands) {
    if (command != c.word) continue;
    std::string out;
    const std::int32_t status = simulator.WithSession([&](Client& client) {
      if (!check) return c.run(client, args, out);
      // The same devices in their first state, without a window: nothing
      // that the line does is seen.
      std::vector<DeviceConfig> terminal;
      for (const auto& device : client.devices) terminal.push_back(device->config);
      Client scratch(0, terminal, nullptr);
      const std::int32_t result = c.run(scratch, args, out);
      return IsStateRefusal(result) ? kOk : result;
    });
    if (status == kUsageError) {
      return "error: " + (out.empty() ? "usage: " + std::string(c.usage) : out) + "\n";
    }
    if (status == kSysNotInitialized) return "error: no POS session (initialise first)\n";
    if (status != kOk) {
      const std::string why = out.empty() ? CommonReason(status) : out;
      return "error: status " + std::to_string(status) + (why.empty() ? "" : ": " + why) + "\n";
    }
    return out.empty() || check ? "ok\n" : "ok\n" + out + "\n";
  }
  if (command.empty()) return "error: usage: check COMMAND [WORD...]\n";
  return "error: unknown command '" + command + "' (posimctl help lists them)\n";
}

}  // namespace posim
