// The curses device: paints the cell grid, decodes keys and mouse, waits on
// standard input and a self-pipe, and always gives the terminal back.
#include <curses.h>
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <term.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "os/program_folder.h"
#include "ui/terminal/curses_device.h"
#include "ui/terminal/escape_keys.h"
#include "ui/terminal/osc52.h"

namespace terminal {
namespace {

constexpr int kEscDelayMs = 25;

// What the signal handler needs to give the terminal back; written once at
// start, read in the handler with async-signal-safe calls only.
struct RestoreState {
  bool active = false;
  int tty = STDOUT_FILENO;  // the terminal, once standard output is captured
  termios saved{};
  std::array<char, 256> reset{};
  std::size_t reset_length = 0;
};
RestoreState g_restore;

// The signals that end the program, and those of a fault (a crash, an abort):
// each gives the terminal back before the signal takes its course.
constexpr std::array<int, 9> kSignals{SIGINT,  SIGTERM, SIGHUP, SIGQUIT, SIGABRT,
                                      SIGSEGV, SIGBUS,  SIGFPE, SIGILL};
// The actions in place before the device started: a handler hands the signal
// on to them (the default, or a sanitizer's report).
struct sigaction g_old_actions[kSignals.size()] = {};

void RestoreTerminalRaw() {
  if (!g_restore.active) return;
  g_restore.active = false;
  [[maybe_unused]] ssize_t n = write(g_restore.tty, g_restore.reset.data(), g_restore.reset_length);
  tcsetattr(STDIN_FILENO, TCSANOW, &g_restore.saved);
}

extern "C" void OnFatalSignal(int sig) {
  RestoreTerminalRaw();
  for (std::size_t i = 0; i < kSignals.size(); ++i)
    if (kSignals[i] == sig) sigaction(sig, &g_old_actions[i], nullptr);
  // Still blocked in this handler: taken by the old action once it returns
  // (a fault that recurs on return reaches it too).
  raise(sig);
}

extern "C" void RestoreAtExit() {
  if (g_restore.active) {
    endwin();
    g_restore.active = false;
  }
}

// tputs' output: the terminal's own descriptor (standard output is captured).
int PutTerminalByte(int c) {
  const char byte = static_cast<char>(c);
  [[maybe_unused]] ssize_t n = write(g_restore.tty, &byte, 1);
  return c;
}

bool HasCap(const char* name) {
  const char* s = tigetstr(name);
  return s != nullptr && s != reinterpret_cast<char*>(-1) && *s != '\0';
}

// Appends a capability's string without its padding ("$<50>"): the signal
// handler writes the bytes as they are.
void AppendCap(const char* name) {
  const char* s = tigetstr(name);
  if (s == nullptr || s == reinterpret_cast<char*>(-1)) return;
  std::string bytes;
  for (; *s != '\0'; ++s) {
    if (s[0] == '$' && s[1] == '<' && std::strchr(s, '>') != nullptr) {
      s = std::strchr(s, '>');
      continue;
    }
    bytes.push_back(*s);
  }
  if (g_restore.reset_length + bytes.size() >= g_restore.reset.size()) return;
  std::memcpy(g_restore.reset.data() + g_restore.reset_length, bytes.data(), bytes.size());
  g_restore.reset_length += bytes.size();
}

void PrepareRestore() {
  g_restore.reset_length = 0;
  AppendCap("sgr0");
  AppendCap("cnorm");
  AppendCap("rmkx");
  char* mouse = tigetstr("kmous");
  if (mouse != nullptr && mouse != reinterpret_cast<char*>(-1)) {
    static constexpr char kMouseOff[] = "\033[?1000l\033[?1002l\033[?1006l";
    std::memcpy(g_restore.reset.data() + g_restore.reset_length, kMouseOff, sizeof kMouseOff - 1);
    g_restore.reset_length += sizeof kMouseOff - 1;
  }
  AppendCap("rmcup");
  // Without a screen of its own to leave, the drawing is cleared away.
  if (!HasCap("rmcup")) AppendCap("clear");
}

// Where standard output and error go while the program runs: a POS library's
// own prints would otherwise land on the screen (and escapes in them act on
// the terminal).
std::string g_capture_file;

std::string CaptureFileBesideProgram() {
  if (!g_capture_file.empty()) return g_capture_file;
  return os::ProgramFolder() + kOutputCaptureName;
}

// Once per process: the terminal keeps a descriptor of its own, and
// standard output and error go to the capture file (or nowhere when it cannot
// be created). Returns the terminal's descriptor.
int CaptureStandardOutput() {
  static int tty = -1;
  if (tty >= 0) return tty;
  tty = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
  if (tty < 0) return STDOUT_FILENO;
  std::fflush(stdout);
  std::fflush(stderr);
  int sink =
      open(CaptureFileBesideProgram().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (sink < 0) sink = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (sink >= 0) {
    dup2(sink, STDOUT_FILENO);
    dup2(sink, STDERR_FILENO);
    close(sink);
  }
  return tty;
}

// The terminal's output descriptor: standard output until it is captured.
int TerminalFd() {
  return g_restore.tty;
}

struct NamedCode {
  int code;
  Key key;
};

constexpr std::array<NamedCode, 20> kCursesKeys{{
    {KEY_UP, Key::kUp},        {KEY_DOWN, Key::kDown},      {KEY_LEFT, Key::kLeft},
    {KEY_RIGHT, Key::kRight},  {KEY_HOME, Key::kHome},      {KEY_END, Key::kEnd},
    {KEY_PPAGE, Key::kPageUp}, {KEY_NPAGE, Key::kPageDown}, {KEY_IC, Key::kInsert},
    {KEY_DC, Key::kDelete},    {KEY_BTAB, Key::kBackTab},   {KEY_BACKSPACE, Key::kBackspace},
    {KEY_ENTER, Key::kEnter},  {KEY_A1, Key::kHome},        {KEY_C1, Key::kEnd},
    {KEY_A3, Key::kPageUp},    {KEY_C3, Key::kPageDown},    {KEY_FIND, Key::kHome},
    {KEY_SELECT, Key::kEnd},   {'\r', Key::kEnter},
}};

constexpr std::array<Key, 12> kFunctionKeys{Key::kF1, Key::kF2,  Key::kF3,  Key::kF4,
                                            Key::kF5, Key::kF6,  Key::kF7,  Key::kF8,
                                            Key::kF9, Key::kF10, Key::kF11, Key::kF12};

// The curses code of a sequence that the terminfo entry lists; 0 for none.
int KnownCode(const char* sequence) {
  const int code = key_defined(sequence);
  return code > 0 ? code : 0;
}

// A key code that the table does not name, taken from its sequence: the
// terminfo entry may give a common sequence a code of its own (linux lists
// "ESC [ Z", Shift-Tab, as the extended key kcbt2).
std::optional<InputEvent> DecodeBoundKey(int code) {
  char* sequence = keybound(code, 0);
  if (sequence == nullptr) return std::nullopt;
  std::optional<InputEvent> event;
  if (sequence[0] == 27) event = DecodeEscapeSequence(sequence + 1);
  std::free(sequence);
  return event;
}

// Colour pairs.
enum Pair : short { kPairTitle = 1, kPairMenu, kPairField, kPairSelected };

class CursesDevice : public Device {
 public:
  CursesDevice() = default;
  ~CursesDevice() override { Stop(); }

  bool Start(std::string* error);
  void Stop();

  Size size() const override {
    int h = 0, w = 0;
    getmaxyx(stdscr, h, w);
    return Size{w, h};
  }
  bool Wait(int timeout_ms, std::vector<InputEvent>& out) override;
  void Wake() override {
    const char b = 1;
    [[maybe_unused]] ssize_t n = write(wake_[1], &b, 1);  // a full pipe wakes all the same
  }
  void Paint(const CellGrid& grid) override;
  // OSC 52, after what curses has drawn.
  void SetClipboard(std::string_view text) override {
    if (out_ == nullptr) return;
    refresh();
    const std::string sequence = ClipboardSequence(text);
    std::fwrite(sequence.data(), 1, sequence.size(), out_);
    std::fflush(out_);
  }

 private:
  void ReadKeys(std::vector<InputEvent>& out);
  void ReadAfterEscape(std::vector<InputEvent>& out);
  void ReadEscapeSequence(char intro, bool alt, std::vector<InputEvent>& out);
  std::optional<InputEvent> DecodeMouse();
  chtype AttrOf(Style style) const;

  SCREEN* screen_ = nullptr;
  std::FILE* out_ = nullptr;  // the terminal, for curses
  std::array<int, 2> wake_{-1, -1};
  // The grid as last painted: only cells that differ from it go to curses.
  CellGrid painted_;
  bool colors_ = false;
  bool utf8_ = false;              // the locale is UTF-8: the terminal can draw Unicode stand-ins
  int alt_down_ = 0, alt_up_ = 0;  // curses codes of Alt-Down / Alt-Up, 0 if unknown
};

bool CursesDevice::Start(std::string* error) {
  if (std::string why = TerminalProblem(); !why.empty()) {
    *error = why;
    return false;
  }
  if (pipe(wake_.data()) != 0) {
    *error = std::string("cannot create a pipe: ") + std::strerror(errno);
    return false;
  }
  for (int fd : wake_) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  tcgetattr(STDIN_FILENO, &g_restore.saved);
  // The actions before curses puts handlers of its own in place (which would
  // end the program with status 1 instead of the signal's).
  for (std::size_t i = 0; i < kSignals.size(); ++i)
    sigaction(kSignals[i], nullptr, &g_old_actions[i]);
  // The character type only, for line glyphs in a UTF-8 terminal; numbers
  // and messages keep the C locale.
  setlocale(LC_CTYPE, "");
  utf8_ = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
  set_escdelay(kEscDelayMs);  // Esc acts at once
  g_restore.tty = CaptureStandardOutput();
  out_ = fdopen(fcntl(g_restore.tty, F_DUPFD_CLOEXEC, 3), "w");
  screen_ = out_ == nullptr ? nullptr : newterm(nullptr, out_, stdin);
  if (screen_ == nullptr) {
    *error = "cannot start the terminal";
    return false;
  }
  set_term(screen_);
  raw();
  noecho();
  nonl();  // Enter is '\r', Ctrl-J '\n'
  keypad(stdscr, TRUE);
  nodelay(stdscr, TRUE);
  curs_set(0);
  mousemask(BUTTON1_PRESSED | BUTTON1_CLICKED | BUTTON4_PRESSED | BUTTON5_PRESSED, nullptr);
  mouseinterval(0);
  alt_down_ = KnownCode("\033[1;3B");
  alt_up_ = KnownCode("\033[1;3A");
  if (has_colors() && start_color() == OK && COLORS >= 8) {
    colors_ = true;
    init_pair(kPairTitle, COLOR_WHITE, COLOR_BLUE);
    init_pair(kPairMenu, COLOR_BLACK, COLOR_WHITE);
    init_pair(kPairField, COLOR_BLACK, COLOR_CYAN);
    init_pair(kPairSelected, COLOR_YELLOW, COLOR_BLUE);
  }
  PrepareRestore();
  g_restore.active = true;
  static bool at_exit_registered = false;
  if (!at_exit_registered) at_exit_registered = std::atexit(RestoreAtExit) == 0;
  struct sigaction sa {};
  sa.sa_handler = OnFatalSignal;
  sigemptyset(&sa.sa_mask);
  // A signal ignored by whoever started the program stays ignored.
  for (std::size_t i = 0; i < kSignals.size(); ++i)
    if (g_old_actions[i].sa_handler != SIG_IGN) sigaction(kSignals[i], &sa, nullptr);
  return true;
}

void CursesDevice::Stop() {
  if (screen_ != nullptr) {
    for (std::size_t i = 0; i < kSignals.size(); ++i)
      sigaction(kSignals[i], &g_old_actions[i], nullptr);
    g_restore.active = false;
    endwin();
    if (!HasCap("rmcup") && HasCap("clear")) tputs(tigetstr("clear"), 1, PutTerminalByte);
    delscreen(screen_);
    screen_ = nullptr;
  }
  if (out_ != nullptr) std::fclose(out_);
  out_ = nullptr;
  for (int& fd : wake_) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
}

bool CursesDevice::Wait(int timeout_ms, std::vector<InputEvent>& out) {
  pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {wake_[0], POLLIN, 0}};
  const int n = poll(fds, 2, timeout_ms);
  if (n > 0 && (fds[1].revents & POLLIN)) {
    char buf[256];
    while (read(wake_[0], buf, sizeof buf) > 0) {
    }
  }
  // The terminal has gone (hung up, closed): input has ended for good, even
  // when the hang-up signal was ignored and poll keeps reporting input that
  // reads as nothing.
  if (n > 0 && (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))) return false;
  if (n > 0 && (fds[0].revents & POLLIN)) {
    int pending = 0;
    if (ioctl(STDIN_FILENO, FIONREAD, &pending) == 0 && pending == 0) return false;
  }
  // Also after a signal (a resize arrives as KEY_RESIZE) or a time-out.
  ReadKeys(out);
  return true;
}

void CursesDevice::ReadKeys(std::vector<InputEvent>& out) {
  for (int code = getch(); code != ERR; code = getch()) {
    if (code == KEY_RESIZE) {
      out.push_back(InputEvent::Resize());
      continue;
    }
    if (code == KEY_MOUSE) {
      if (std::optional<InputEvent> m = DecodeMouse()) out.push_back(*m);
      continue;
    }
    if (code != 0 && (code == alt_down_ || code == alt_up_)) {
      out.push_back(InputEvent::Of(code == alt_down_ ? Key::kDown : Key::kUp, true));
      continue;
    }
    if (code == 27) {
      ReadAfterEscape(out);
      continue;
    }
    if (std::optional<InputEvent> e = DecodeCursesKey(code))
      out.push_back(*e);
    else if (std::optional<InputEvent> bound = DecodeBoundKey(code))
      out.push_back(*bound);
  }
}

// What follows an Esc that curses gave as it is: nothing (the Esc key), a
// sequence that the terminfo entry lacks, or a key typed with Alt (which some
// terminals send as Esc and the key's own sequence).
void CursesDevice::ReadAfterEscape(std::vector<InputEvent>& out) {
  const int next = getch();
  if (next == '[' || next == 'O') {
    ReadEscapeSequence(static_cast<char>(next), false, out);
    return;
  }
  if (next == 27) {
    const int after = getch();
    if (after == '[' || after == 'O') {
      ReadEscapeSequence(static_cast<char>(after), true, out);
      return;
    }
    // Esc twice: the second one is read afresh with what follows it.
    if (after != ERR) ungetch(after);
    ungetch(27);
  }
  if (next == ERR || next == 27) {
    out.push_back(InputEvent::Of(Key::kEscape));
    return;
  }
  if (std::optional<InputEvent> e = DecodeCursesKey(next)) {
    e->alt = true;
    out.push_back(*e);
  }
}

// The rest of a sequence after "ESC [" or "ESC O": its key, or nothing for a
// sequence the front end does not use (dropped whole, never typed). The
// intro alone is that character with Alt.
void CursesDevice::ReadEscapeSequence(char intro, bool alt, std::vector<InputEvent>& out) {
  std::string seq(1, intro);
  while (!IsWholeEscapeSequence(seq) && seq.size() < kMaxEscapeSequence) {
    const int c = getch();
    if (c == ERR) break;
    if (c < 0x20 || c > 0x7E) {
      ungetch(c);  // not part of a sequence: a key of its own
      break;
    }
    seq.push_back(static_cast<char>(c));
  }
  if (seq.size() == 1) {
    if (alt) out.push_back(InputEvent::Of(Key::kEscape));
    out.push_back(InputEvent::Char(intro, true));
    return;
  }
  if (std::optional<InputEvent> e = DecodeEscapeSequence(seq)) {
    e->alt = e->alt || alt;
    out.push_back(*e);
  }
}

std::optional<InputEvent> CursesDevice::DecodeMouse() {
  MEVENT m{};
  if (getmouse(&m) != OK) return std::nullopt;
  if (m.bstate & (BUTTON1_PRESSED | BUTTON1_CLICKED)) return InputEvent::Click(m.x, m.y);
  if (m.bstate & BUTTON4_PRESSED) return InputEvent::Wheel(m.x, m.y, true);
  if (m.bstate & BUTTON5_PRESSED) return InputEvent::Wheel(m.x, m.y, false);
  return std::nullopt;
}

chtype CursesDevice::AttrOf(Style style) const {
  auto pair = [this](short p, chtype mono) { return colors_ ? COLOR_PAIR(p) : mono; };
  switch (style) {
    case Style::kNormal:
    case Style::kFrame:
    case Style::kScrollArrow:
      return A_NORMAL;
    case Style::kTitle:
    case Style::kCaptionActive:
      return pair(kPairTitle, A_REVERSE) | A_BOLD;
    case Style::kMenuBar:
    case Style::kMenuItem:
    case Style::kCaption:
    case Style::kButton:
      return pair(kPairMenu, A_REVERSE);
    case Style::kButtonDefault:
      return pair(kPairMenu, A_REVERSE) | A_BOLD;
    case Style::kMenuSelected:
    case Style::kItemSelected:
    case Style::kButtonFocused:
    case Style::kFocusMark:
    case Style::kFieldSelected:
      return pair(kPairSelected, A_UNDERLINE) | A_BOLD;
    case Style::kField:
      return pair(kPairField, A_UNDERLINE);
    case Style::kScrollTrack:
      return A_NORMAL;
    case Style::kScrollThumb:
      return A_REVERSE;
    case Style::kStandIn:
      return A_REVERSE | A_BOLD;
    case Style::kNotice:
      return A_BOLD;
  }
  return A_NORMAL;
}

chtype GlyphChar(const Cell& c) {
  switch (c.glyph) {
    case Glyph::kNone:
      break;
    case Glyph::kHorizontal:
      return ACS_HLINE;
    case Glyph::kVertical:
      return ACS_VLINE;
    case Glyph::kTopLeft:
      return ACS_ULCORNER;
    case Glyph::kTopRight:
      return ACS_URCORNER;
    case Glyph::kBottomLeft:
      return ACS_LLCORNER;
    case Glyph::kBottomRight:
      return ACS_LRCORNER;
    case Glyph::kTeeLeft:
      return ACS_LTEE;
    case Glyph::kTeeRight:
      return ACS_RTEE;
    case Glyph::kArrowUp:
      return ACS_UARROW;
    case Glyph::kArrowDown:
      return ACS_DARROW;
    case Glyph::kArrowLeft:
      return ACS_LARROW;
    case Glyph::kArrowRight:
      return ACS_RARROW;
    case Glyph::kLineFeed:
    case Glyph::kMenuMark:
      break;  // its letter, unless Paint draws the wide character
  }
  if (c.style == Style::kScrollTrack) return ACS_CKBOARD;
  // Only printable bytes reach the terminal; the grid keeps no others.
  const auto byte = static_cast<unsigned char>(c.ch);
  return IsPrintable(byte) ? static_cast<chtype>(byte) : static_cast<chtype>('?');
}

// The glyphs drawn as a character of their own in a UTF-8 locale: the return
// arrow of a line feed, the three bars of a menu box.
const wchar_t* WideGlyph(Glyph glyph) {
  static constexpr wchar_t kReturnArrow[] = {0x21B5, 0};
  static constexpr wchar_t kThreeBars[] = {0x2261, 0};
  if (glyph == Glyph::kLineFeed) return kReturnArrow;
  if (glyph == Glyph::kMenuMark) return kThreeBars;
  return nullptr;
}

void CursesDevice::Paint(const CellGrid& grid) {
  const Size s = size();
  // After a resize curses has its own screen anew: everything is drawn.
  const bool whole = painted_.width() != grid.width() || painted_.height() != grid.height() ||
                     s.width != grid.width() || s.height != grid.height();
  for (int y = 0; y < s.height && y < grid.height(); ++y) {
    for (int x = 0; x < s.width && x < grid.width(); ++x) {
      const Cell& c = grid.At(x, y);
      if (!whole && c == painted_.At(x, y)) continue;
      if (const wchar_t* wide_char = WideGlyph(c.glyph); wide_char && utf8_) {
        cchar_t wide;
        const chtype attr = AttrOf(c.style);
        setcchar(&wide, wide_char, attr & ~A_COLOR, static_cast<short>(PAIR_NUMBER(attr)), nullptr);
        mvadd_wch(y, x, &wide);
        continue;
      }
      mvaddch(y, x, GlyphChar(c) | AttrOf(c.style));  // ERR at the last cell, drawn all the same
    }
  }
  if (grid.cursor_shown()) {
    move(grid.cursor_y(), grid.cursor_x());
    curs_set(1);
  } else {
    curs_set(0);
  }
  refresh();
  painted_ = grid;
}

}  // namespace

std::string TerminalProblem() {
  if (!isatty(STDIN_FILENO) || !isatty(TerminalFd()))
    return "standard input and output must be a terminal";
  const char* term = std::getenv("TERM");
  if (term == nullptr || *term == '\0') return "TERM is not set";
  int err = 0;
  if (setupterm(nullptr, TerminalFd(), &err) != OK)
    return std::string("unknown terminal type '") + term + "'; set TERM to the terminal's type";
  // Full-screen drawing needs a cursor that can be put anywhere on a screen
  // that keeps what is drawn.
  const char* cup = tigetstr("cup");
  const bool capable = cup != nullptr && cup != reinterpret_cast<char*>(-1) &&
                       tigetflag("hc") <= 0 && tigetflag("gn") <= 0;
  del_curterm(cur_term);
  if (!capable)
    return std::string("the terminal type '") + term +
           "' cannot place the cursor; set TERM to the terminal's type (for example xterm)";
  return {};
}

void SetOutputCaptureFileForTesting(const char* path) {
  g_capture_file = path == nullptr ? "" : path;
}

std::unique_ptr<Device> StartCursesDevice(std::string* error) {
  auto device = std::make_unique<CursesDevice>();
  if (!device->Start(error)) return nullptr;
  return device;
}

std::optional<InputEvent> DecodeCursesKey(int code) {
  for (const NamedCode& k : kCursesKeys)
    if (k.code == code) return InputEvent::Of(k.key);
  for (std::size_t i = 0; i < kFunctionKeys.size(); ++i)
    if (code == KEY_F(static_cast<int>(i) + 1)) return InputEvent::Of(kFunctionKeys[i]);
  switch (code) {
    case '\t':
      return InputEvent::Of(Key::kTab);
    case 8:
    case 127:
      return InputEvent::Of(Key::kBackspace);
    case 27:
      return InputEvent::Of(Key::kEscape);
    default:
      break;
  }
  if (code >= 0 && code <= 255) return InputEvent::Char(static_cast<char>(code));
  return std::nullopt;
}

}  // namespace terminal
