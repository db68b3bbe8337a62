#!/usr/bin/env bash
# End-to-end tests of ridozod in a real terminal: tmux runs the program in a
# 100x30 window, send-keys types, capture-pane reads the screen.
#   e2e_terminal.sh CASE PROGRAM RUN_DIR [TEST_LIBRARY]
# TEST_LIBRARY: a POS library that takes the simulated one's place in the
# cases that need it.
# Every case uses its own tmux socket and removes it (and its temp folder)
# whatever happens.
set -uo pipefail

case_name=$1
program=$(realpath "$2")
run_dir=$(realpath "$3")
test_library=${4:+$(realpath "$4")}

socket="ridozod-e2e-${case_name}-$$"
work=$(mktemp -d)
tm() { tmux -L "$socket" "$@"; }
cleanup() {
  tm kill-server >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL ($case_name): $*" >&2
  echo "--- screen ---" >&2
  tm capture-pane -p >&2 2>/dev/null
  exit 1
}

# A copy of the run folder, so that cases may remove list files.
prepare() {
  cp -r "$run_dir" "$work/run"
  rm -f "$work/run/posim.sock"
  cp "$program" "$work/run/ridozod"
}

# Starts the program in the copy; its exit status lands in $work/status.
# E2E_ENV: more settings for the program (TERM=linux, LC_ALL=C, ...);
# E2E_EMULATOR: the command that runs it (qemu-i386 -L / for a 32-bit build).
start() {
  tm new-session -d -x 100 -y 30 -c "$work/run" \
    "env TERM=xterm ${E2E_ENV:-} ${E2E_EMULATOR:-} ./ridozod; echo \$? > '$work/status'; stty -a > '$work/stty'; sleep 60" ||
    fail "tmux did not start"
}

screen() { tm capture-pane -p; }

# Waits until the screen holds the text (fixed string).
wait_for() {
  local text=$1
  for _ in $(seq 1 100); do
    screen | grep -qF -- "$text" && return 0
    sleep 0.1
  done
  fail "never showed: '$text'"
}

# Waits for the program to end and checks its exit status.
expect_exit() {
  local want=$1
  for _ in $(seq 1 100); do
    [ -s "$work/status" ] && break
    sleep 0.1
  done
  [ -s "$work/status" ] || fail "the program did not end"
  local got
  got=$(cat "$work/status")
  [ "$got" = "$want" ] || fail "exit status $got, expected $want"
}

expect_terminal_restored() {
  for _ in $(seq 1 50); do
    [ -s "$work/stty" ] && break
    sleep 0.1
  done
  [ -s "$work/stty" ] || fail "no terminal settings after the program"
  if grep -qE -- '(^| )-(icanon|echo)( |;|$)' "$work/stty"; then
    fail "terminal left in raw mode: $(cat "$work/stty")"
  fi
}

keys() { tm send-keys "$@"; sleep 0.15; }

# Types text literally into the focused field.
type_text() { tm send-keys -l -- "$1"; sleep 0.15; }

# Empties the focused edit field (or a combo box's edit field).
clear_field() {
  keys End
  for _ in $(seq 1 40); do tm send-keys BSpace; done
  sleep 0.15
}

# A left click at a 1-based column and row (SGR mouse report, TERM=xterm).
click() {
  tm send-keys -l -- $'\e[<0;'"$1;$2"'M'
  tm send-keys -l -- $'\e[<0;'"$1;$2"'m'
  sleep 0.15
}

# The lines of the maximised log's view (24 rows), trailing blanks dropped.
log_page() { screen | sed -n '4,27p' | cut -c2-98 | sed 's/ *$//'; }
# How many lines of the maximised log wait below its view (" N more " in the
# frame); empty at the end.
log_below() { screen | sed -n '29p' | grep -oE ' [0-9]+ more ' | tr -dc '0-9'; }

# The whole CommandLog, each line once: maximised (Alt-M) so that lines show
# whole, focused (Alt-L) and paged through from the top; then put back as it
# was. PageDown moves 23 of the 24 rows and never past the end, so each later
# page brings its last min(below, 23) lines.
log_text() {
  keys M-m M-l Home
  local below next
  log_page
  below=$(log_below)
  while [ -n "$below" ]; do
    keys PageDown
    for _ in $(seq 1 30); do
      next=$(log_below)
      [ "$next" != "$below" ] && break
      sleep 0.1
    done
    [ "$next" != "$below" ] || fail "the log did not scroll"
    log_page | tail -n "$((below < 23 ? below : 23))"
    below=$next
  done
  keys M-l M-m
}

# Fails unless the log has lines that begin with the arguments, in their
# order (each found below the line of the one before; trailing blanks of the
# log's lines are dropped).
expect_log() {
  local text want i=0
  local -a lines
  text=$(log_text)
  mapfile -t lines <<<"$text"
  for want in "$@"; do
    while ((i < ${#lines[@]})) && [[ ${lines[i]} != "$want"* ]]; do ((i++)); done
    ((i < ${#lines[@]})) || {
      echo "--- log ---" >&2
      echo "$text" >&2
      fail "no log line begins with '$want' (below the one before)"
    }
    ((i++))
  done
}

# Runs a menu command by its place in the popup (0 = PosInitialize).
menu() {
  keys F10
  for _ in $(seq 1 "$1"); do keys Down; done
  keys Enter
}

# Initialize with the defaults and answer the success box.
initialize() {
  menu 0
  wait_for "POS Initialization"
  for _ in $(seq 1 7); do keys Tab; done
  keys Enter
  wait_for "Initialize Successful."
  keys Enter
}

# Open with the defaults, the device class picked by Down presses from
# PosDisplay; answers the box that shows the handle.
open_device() {
  menu 1
  wait_for "Device Class"
  keys Tab
  for _ in $(seq 1 "$1"); do keys Down; done
  for _ in $(seq 1 6); do keys Tab; done
  keys Enter
  wait_for "Device Name :  DEVNAME"
  keys Enter
}

# Reads the event queue (handle 0), which decodes its records to the log;
# answers the success box.
read_event_queue() {
  menu 4
  wait_for "POS Read"
  type_text 0
  keys Enter
  wait_for "PosRead Successful."
  keys Enter
}

posimctl() { (cd "$work/run" && ./posimctl "$@"); }

# The program's process in the pane.
program_pid() {
  pgrep -f "^./ridozod$" -P "$(tm display -p '#{pane_pid}')" | head -1
}

case "$case_name" in
  main_window)
    prepare
    start
    wait_for "Command and Status"
    s=$(screen)
    grep -qF "The RIDOZOD Program for Win95 and WinNT" <<<"$s" || fail "no title"
    grep -qF "Pos_Commands" <<<"$s" || fail "no menu bar"
    # The box is empty: its rows hold only frame and scroll bar cells.
    box=$(sed -n '4,13p' <<<"$s" | cut -c36-75 | tr -d ' ')
    [ -z "$box" ] || fail "the log is not empty: '$box'"
    click 4 2 # the menu bar's "Pos_Commands"
    wait_for "PosInitialize"
    keys Down Down Down Down Down Down Enter
    expect_exit 0
    expect_terminal_restored
    ;;
  key_echo)
    prepare
    start
    wait_for "Command and Status"
    keys a
    wait_for "KeyDown ScanCode from KeyBoard = 1e"
    wait_for "WM_CHAR comes ScanCode from KeyBoard = 1e"
    wait_for "KeyUp ScanCode from KeyBoard = 1e"
    s=$(screen)
    [ "$(grep -nF 'KeyDown ScanCode' <<<"$s" | cut -d: -f1)" -lt "$(grep -nF 'WM_CHAR comes' <<<"$s" | cut -d: -f1)" ] ||
      fail "key lines out of order"
    keys Escape 0
    wait_for "Exit         "
    keys Up Enter
    expect_exit 0
    ;;
  missing_file)
    prepare
    rm "$work/run/PIOCTLRE.DAT"
    start
    wait_for "File PIOCTLRE.DAT is missing."
    wait_for " Error "
    screen | grep -qF "Pos_Commands" && fail "the main window was drawn"
    keys Enter
    expect_exit 1
    expect_terminal_restored
    ;;
  missing_two)
    prepare
    rm "$work/run/PIOCTLRE.DAT" "$work/run/PTOUCH.DAT"
    start
    wait_for "File PIOCTLRE.DAT is missing."
    screen | grep -qF "PTOUCH" && fail "the second missing file was named"
    keys Enter
    expect_exit 1
    ;;
  not_a_tty)
    prepare
    (cd "$work/run" && ./ridozod </dev/null >"$work/out" 2>"$work/err")
    status=$?
    [ "$status" -ne 0 ] || fail "exit status 0 without a terminal"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "expected one line on stderr: $(cat "$work/err")"
    [ ! -s "$work/out" ] || fail "wrote to standard output: $(cat -v "$work/out")"
    ;;
  close_dialog)
    prepare
    start
    wait_for "Command and Status"
    keys F10 Down Down Enter
    wait_for "POS Close"
    keys 7 Enter
    wait_for "RC = -1, errno = (302) POSERR_SYS_NOT_INITIALIZED"
    wait_for "Command Status"
    keys Enter
    wait_for "Command-->  PosClose(7)"
    screen | grep -qF "POS Close" && fail "the dialog is still open"
    keys F10 Up Enter
    expect_exit 0
    ;;
  signal_restores)
    prepare
    start
    wait_for "Command and Status"
    pid=$(program_pid)
    [ -n "$pid" ] || fail "no program process"
    kill -"${E2E_SIGNAL:-TERM}" "$pid"
    expect_exit "${E2E_STATUS:-143}"
    expect_terminal_restored
    ;;
  resize)
    prepare
    start
    wait_for "Command and Status"
    keys a
    wait_for "KeyUp ScanCode"
    tm resize-window -x 70 -y 20
    wait_for "terminal too small"
    tm resize-window -x 100 -y 30
    wait_for "KeyUp ScanCode from KeyBoard = 1e"
    wait_for "Pos_Commands"
    ;;
  initialize)
    prepare
    start
    wait_for "Command and Status"
    menu 0
    wait_for "POS Initialization"
    s=$(screen)
    for want in "Application name RIDOZOD" "Resource File   C:\KLOB" "N Arguments     1" \
      "PosNqueueHandle"; do
      grep -qF -- "$want" <<<"$s" || fail "the dialog lacks '$want'"
    done
    for _ in $(seq 1 7); do keys Tab; done
    keys Enter
    wait_for "Initialize Successful."
    screen | grep -qF "POS Initialize" || fail "no caption POS Initialize"
    keys Enter
    expect_log "Command-->  PosInitialize(RIDOZOD, C:\KLOB, 0, 0, [], 1)" "     1: queueHandle" \
      "               (0x20046)" " wParam --> 111c09" " lParam --> 00000001" "  POSM_SYS_DEVICE_ONLINE" \
      "Device:POS_KEYBOARD_A  (Subtype:KBD_MODEL_1) (DevNum:0x1c)" "            SLOT_0   (0000)" \
      "            PORT_1   (0x11)" " KEYBOARD FOUND *** 28" "   KEYBOARD SUBTYPE *** 1" \
      "Device:PRINTER_MODEL_A  (Subtype:NONE) (DevNum:0x35)" \
      "Device:SCANNER_A  (Subtype:SCN_MODEL_1) (DevNum:0x4a)" "            SLOT_2   (0x02)" \
      "Device:ALARM  (Subtype:NONE) (DevNum:0x84)"
    # A second Initialize is refused by the binding.
    initialize_again() {
      menu 0
      wait_for "POS Initialization"
      for _ in $(seq 1 7); do keys Tab; done
      keys Enter
    }
    initialize_again
    wait_for "POSERR_SYS_ALREADY_INITIALIZED"
    wait_for "Command Status"
    keys Enter
    menu 6
    expect_exit 0
    ;;
  open_ioctl_close)
    prepare
    printf 'CLEAR SCREEN\r\n' >>"$work/run/PIOCTLRE.DAT"
    start
    wait_for "Command and Status"
    initialize
    open_device 0
    # Open again with PosScanner: the Resource box is refilled from PSCANNER.DAT.
    menu 1
    wait_for "Device Class"
    keys Tab Down Down
    wait_for "PosNbeepState"
    for _ in $(seq 1 6); do keys Tab; done
    keys Enter
    wait_for "Handle :  2  Device Name :  DEVNAME"
    keys Enter
    # Ioctl 2 POS_SYS_GET_VALUES with two resources of the scanner.
    menu 3
    wait_for "POS Ioctl"
    type_text 2
    keys Tab Tab Tab
    clear_field
    type_text PosNbeepVolume
    keys Enter
    clear_field
    type_text PosNbeepFrequency
    keys Enter
    keys Tab Tab Tab Tab Enter
    wait_for "PosIoctl Successful."
    keys Enter
    # The dialog stays open: SET_VALUES of the volume to 7 (Dec), then GET.
    screen | grep -qF "POS Ioctl" || fail "the Ioctl dialog closed after a call"
    keys Escape
    menu 3
    wait_for "POS Ioctl"
    type_text 2
    keys Tab Down Tab Tab
    clear_field
    type_text PosNbeepVolume
    keys Tab Down Tab
    type_text 3
    keys Tab Enter Tab Enter
    wait_for "PosIoctl Successful."
    keys Enter Escape
    menu 3
    wait_for "POS Ioctl"
    type_text 2
    keys Tab Tab Tab
    clear_field
    type_text PosNbeepVolume
    keys Enter Tab Tab Tab Tab Enter
    wait_for "PosIoctl Successful."
    keys Enter
    # The last entry of the request list is the ambiguous "CLEAR SCREEN".
    keys BTab BTab BTab BTab BTab BTab
    type_text C
    keys Tab Tab Tab Tab Tab Tab Enter
    sleep 0.5
    keys Escape
    expect_log "Command-->  PosOpen(DEVNAME, PosDisplay, [], 0)" "  Handle :  1  Device Name :  DEVNAME" \
      "Command-->  PosOpen(DEVNAME, PosScanner, [], 0)" "  Handle :  2  Device Name :  DEVNAME" \
      "Command-->  PosIoctl(2, POS_SYS_GET_VALUES, [..], 2)" \
      "     1: beepVolume" "               (0xFFFFFFFF)" "     2: beepFrequency" "               (0xFFFFFFFF)" \
      "     1: beepVolume" "               (0x2)" "     2: beepFrequency" "               (0x1)" \
      "Command-->  PosIoctl(2, POS_SYS_SET_VALUES, [..], 1)" "     1: beepVolume" "               (3)" \
      "Command-->  PosIoctl(2, POS_SYS_GET_VALUES, [..], 1)" \
      "     1: beepVolume" "               (0xFFFFFFFF)" "     1: beepVolume" "               (0x3)" \
      "  --> Multiple matches for: 'CLEAR SCREEN'" "Command-->  PosIoctl(2, CLEAR SCREEN, [..], 0)" \
      "  --> No request sent: 'CLEAR SCREEN' names no single request"
    # Close handle 2.
    menu 2
    wait_for "POS Close"
    type_text 2
    keys Enter
    wait_for "PosClose Successful."
    keys Enter
    expect_log "Command-->  PosClose(2)" "Close Handle 2 successful"
    menu 6
    expect_exit 0
    ;;
  read_write)
    prepare
    start
    wait_for "Command and Status"
    initialize
    open_device 2 # the scanner: handle 1
    open_device 0 # the display: handle 2
    out=$(posimctl scan 4006381333931 2>&1) || fail "posimctl scan: $out"
    # The scanner's event shows its box.
    wait_for "SCANNER DATA AVAILABLE (Length = 13)"
    keys Enter
    menu 4
    wait_for "POS Read"
    type_text 1
    keys Tab Tab
    type_text label.bin
    keys Enter
    wait_for "PosRead Successful."
    keys Enter
    [ "$(cat "$work/run/label.bin")" = "4006381333931" ] || fail "label.bin: $(xxd "$work/run/label.bin")"
    [ "$(stat -c %s "$work/run/label.bin")" = 13 ] || fail "label.bin is not 13 bytes"
    # Handle 0: the queued events, decoded.
    read_event_queue
    # Write Hello\r\n to the display.
    menu 5
    wait_for "POS Write"
    type_text 2
    keys Tab Tab
    type_text 'Hello\r\n'
    keys Enter
    wait_for "PosWrite Successful."
    keys Enter
    # The label's dump; the first queued event (the keyboard's online event)
    # decoded; the scale line of each read.
    expect_log "Command-->  PosRead(1, [], 80)" "RIDOZOD: Wrote 13 bytes to 'label.bin'" \
      "      Read Results:" "      (13 bytes)" \
      "   0000: 34 30 30 36 33 38 31 33 33 33 39 33 31  | 4006381333931" \
      "Scale : Type-> 12340 , Flags -> 13872, WtValue -> 858863667" "Command-->  PosRead(0, [], 80)" \
      "  POSM_SYS_DEVICE_ONLINE - SLOT_0, PORT_1, KEYBOARD" \
      "*** Device: POS_KEYBOARD_A  (Subtype: KBD_MODEL_1)" \
      "Scale : Type-> 70 , Flags -> 2, WtValue -> 16909" "Command-->  PosWrite(2, [], 7)"
    posimctl show display | grep -qF "Hello" || fail "the display does not hold Hello: $(posimctl show display)"
    menu 6
    expect_exit 0
    ;;
  save_log)
    # The log's own menu: Save log as... with the default name, the file read
    # back against the log; Copy to tmux's clipboard (OSC 52); the key echo
    # as before.
    prepare
    E2E_ENV=LC_ALL=C.UTF-8 start # the line feed drawn as its arrow
    tm set-option -g set-clipboard on
    wait_for "Command and Status"
    initialize
    keys a
    wait_for "KeyUp ScanCode from KeyBoard = 1e"
    click 72 3 # the log's [≡] box
    wait_for "Save log as..."
    keys Down Enter
    wait_for "File name"
    keys Enter # the default: a dated name in the program's folder
    # The box is drawn away only after the save: the file is whole then.
    for _ in $(seq 1 50); do
      screen | grep -q "File name" || break
      sleep 0.1
    done
    saved=$(ls "$work/run"/ridozod-log-*.txt 2>/dev/null | head -1)
    [ -n "$saved" ] || fail "no ridozod-log-*.txt in the run folder"
    [[ $(basename "$saved") =~ ^ridozod-log-[0-9]{8}-[0-9]{6}\.txt$ ]] || fail "name: $saved"
    # Each line CR LF ended; the key echo's line feed drawn as the log draws it.
    keys Escape # the log gives the focus back
    as_shown=$(perl -0777 -pe 's/\n\r\n/\xE2\x86\xB5\r\n/g; s/\r\n/\n/g; s/ +\n/\n/g' "$saved")
    logged=$(log_text)
    [ "$as_shown" = "$logged" ] || fail "the file is not the log:
--- file ---
$as_shown
--- log ---
$logged"
    # One CR LF a line, the last at the very end.
    crlf=$(perl -0777 -ne 'print scalar(() = /\r\n/g)' "$saved")
    [ "$crlf" = "$(wc -l <<<"$logged")" ] || fail "$crlf CR LF for $(wc -l <<<"$logged") lines"
    [ "$(tail -c 2 "$saved" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "the file does not end in CR LF"
    # Copy with the log focused (Alt-L, Enter, c): the whole log, CR LF between lines.
    keys M-l Enter c
    for _ in $(seq 1 30); do tm show-buffer >/dev/null 2>&1 && break; sleep 0.1; done
    copied=$(tm show-buffer 2>/dev/null; echo .)
    want=$(head -c -2 "$saved"; echo .)
    [ "$copied" = "$want" ] || fail "the clipboard is not the log: $(tm show-buffer | od -c | head)"
    keys Escape
    keys b
    wait_for "KeyUp ScanCode from KeyBoard = 30"
    menu 6
    expect_exit 0
    ;;
  initialize_open_read)
    # The program as a whole, for a build whose tests run under an emulator:
    # Initialize, Open the display, Read the event queue, Exit.
    prepare
    start
    wait_for "Command and Status"
    initialize
    open_device 0
    read_event_queue
    expect_log "Command-->  PosInitialize(RIDOZOD, C:\KLOB, 0, 0, [], 1)" "     1: queueHandle" \
      "Command-->  PosOpen(DEVNAME, PosDisplay, [], 0)" "  Handle :  1  Device Name :  DEVNAME" \
      "Command-->  PosRead(0, [], 80)" "  POSM_SYS_DEVICE_ONLINE - SLOT_0, PORT_1, KEYBOARD" \
      "*** Device: POS_KEYBOARD_A  (Subtype: KBD_MODEL_1)"
    menu 6
    expect_exit 0
    expect_terminal_restored
    ;;
  choose_selected)
    prepare
    start
    wait_for "Command and Status"
    menu 3
    wait_for "POS Ioctl"
    wait_for "PosNtoneFrequency" # the alarm names, whatever the first request
    keys Tab Tab Tab Down
    wait_for "PosNtoneDuration"
    # F4 and Enter choose the request already selected: the Resource box is
    # filled from PSYSTEM.DAT and shows its first entry.
    keys BTab BTab F4 Enter
    wait_for "PosNqueueHandle"
    screen | grep -qF "PosNtoneDuration" && fail "the Resource box was not emptied"
    keys Tab Tab Down
    wait_for "PosNreadTimeout"
    # A click opens the request list, a click on its first entry (the
    # selected one) chooses it.
    row=$(screen | grep -nF "Request POS_SYS_GET_VALUES" | cut -d: -f1)
    [ -n "$row" ] || fail "no request box"
    col=$(screen | sed -n "${row}p" | LC_ALL=C awk '{ print index($0, "POS_SYS_GET_VALUES") + 2 }')
    click "$col" "$row"
    click "$col" "$((row + 1))"
    wait_for "PosNqueueHandle"
    screen | grep -qF "PosNreadTimeout" && fail "the Resource box was not emptied after the click"
    keys Escape
    menu 6
    expect_exit 0
    ;;
  string_by_address)
    # A library that answers POS_SYS_GET_VALUES for "libraryText" with the
    # address of a text of its own: the second echo shows that text.
    [ -n "$test_library" ] || fail "no test library given"
    prepare
    cp "$test_library" "$work/run/libvekapi32.so"
    start
    wait_for "Command and Status"
    initialize
    open_device 0
    menu 3
    wait_for "POS Ioctl"
    type_text 42
    keys Tab Tab Tab
    clear_field
    type_text PosNlibraryText
    keys Tab Down Down Tab # type String
    type_text mine
    keys Enter Tab Tab Enter
    wait_for "PosIoctl Successful."
    keys Enter Escape
    expect_log "Command-->  PosIoctl(42, POS_SYS_GET_VALUES, [..], 1)" "     1: libraryText" "  mine" \
      "     1: libraryText" "  TEXT OF THE LIBRARY"
    menu 6
    expect_exit 0
    ;;
  # --- robustness: odd terminals, resize storms, odd files, a hostile library ---
  term_refused)
    # A terminal that cannot place the cursor, or an unknown type: a reason,
    # exit status 1, nothing drawn, the terminal as it was.
    prepare
    E2E_ENV="TERM=${E2E_TERM:-dumb}" start
    wait_for "ridozod: "
    expect_exit 1
    screen | grep -qF "Pos_Commands" && fail "the main window was drawn"
    screen | grep -qE "cannot place the cursor|unknown terminal type" || fail "no reason given"
    expect_terminal_restored
    ;;
  term_linux)
    # Tab to OK and Shift-Tab back to the handle field, whose text is then
    # selected and replaced by what is typed (on OK, typing does nothing);
    # Exit ends the program, the terminal settings come back and the screen
    # is cleared.
    prepare
    E2E_ENV="TERM=linux" start
    wait_for "Command and Status"
    menu 2
    wait_for "POS Close"
    type_text 7
    keys Tab BTab
    type_text 8
    keys Enter
    wait_for "Command Status"
    keys Enter
    wait_for "Command-->  PosClose(8)"
    menu 6
    expect_exit 0
    expect_terminal_restored
    screen | grep -qF "Command and Status" && fail "the drawing was left on the screen"
    ;;
  non_utf8)
    # The C locale: line glyphs from the terminal's own set, the line feed of
    # the key echo as a letter; nothing else changes.
    prepare
    E2E_ENV="LANG=C LC_ALL=C" start
    wait_for "Command and Status"
    keys a
    wait_for "KeyUp ScanCode from KeyBoard = 1e J"
    menu 6
    expect_exit 0
    expect_terminal_restored
    ;;
  resize_storm)
    # 300 sizes, many below 80x24, while a dialog and a message box are open:
    # the notice while too small, then both boxes as they were.
    prepare
    start
    wait_for "Command and Status"
    menu 2
    wait_for "POS Close"
    keys Enter
    wait_for "Missing Handle number"
    for i in $(seq 1 300); do
      tm resize-window -x $((20 + (i * 37) % 120)) -y $((5 + (i * 13) % 40))
    done
    tm resize-window -x 60 -y 20
    wait_for "terminal too small"
    tm resize-window -x 100 -y 30
    wait_for "Missing Handle number"
    keys Enter
    wait_for "POS Close"
    keys Escape
    menu 6
    expect_exit 0
    expect_terminal_restored
    ;;
  stop_continue)
    # SIGTSTP under an interactive shell (raw mode makes Ctrl-Z a key): the
    # program gives the terminal back and stops; fg draws the window again
    # and Exit still ends the program.
    prepare
    tm new-session -d -x 100 -y 30 -c "$work/run" "bash --norc --noprofile -i" || fail "no tmux"
    sleep 0.5
    tm send-keys "TERM=xterm ./ridozod" Enter
    wait_for "Command and Status"
    pid=$(pgrep -f "^./ridozod$" -P "$(tm display -p '#{pane_pid}')" | head -1)
    [ -n "$pid" ] || fail "no program process"
    kill -TSTP "$pid"
    wait_for "Stopped"
    screen | grep -qF "Command and Status" && fail "the window stayed while stopped"
    tm send-keys "fg" Enter
    wait_for "Command and Status"
    keys a
    wait_for "KeyUp ScanCode from KeyBoard = 1e"
    menu 6
    sleep 0.5
    tm send-keys "echo \$? > '$work/status'; stty -a > '$work/stty'" Enter
    expect_exit 0
    expect_terminal_restored
    ;;
  odd_list_files)
    # A FIFO and an endless device where list files should be: the program
    # starts, the dialogs say why they are not read; a FIFO as output file.
    prepare
    rm "$work/run/PSYSTEM.DAT" "$work/run/PRESOURC.DAT"
    mkfifo "$work/run/PSYSTEM.DAT" "$work/run/out.fifo"
    ln -s /dev/zero "$work/run/PRESOURC.DAT"
    start
    wait_for "Command and Status"
    initialize
    menu 1
    wait_for "Device Class"
    keys Escape
    menu 4
    wait_for "POS Read"
    type_text 0
    keys Tab Tab
    type_text out.fifo
    keys Enter
    wait_for "PosRead Successful."
    keys Enter
    expect_log " File : PSYSTEM.DAT is not a regular file; not read." \
      " File : PRESOURC.DAT is not a regular file; not read." \
      "RIDOZOD: Error 6 on open of file 'out.fifo'"
    menu 6
    expect_exit 0
    ;;
  hostile)
    # A library that prints (escapes that would retitle and clear the
    # terminal) and leaves address 1 in a pair: the screen stays the
    # program's, the prints land in ridozod-output.txt, the echo names the
    # address.
    [ -n "${E2E_HOSTILE:-}" ] || fail "no hostile library given"
    prepare
    cp "$E2E_HOSTILE" "$work/run/libvekapi32.so"
    start
    wait_for "Command and Status"
    initialize
    screen | grep -qF "hostile library" && fail "the library's prints reached the screen"
    [ "$(tm display -p '#{pane_title}')" != "HOSTILE TITLE" ] || fail "the library retitled the terminal"
    menu 3
    wait_for "POS Ioctl"
    type_text 7
    keys Tab Tab Tab
    clear_field
    type_text PosNname
    keys Enter Tab Tab Tab Tab Enter
    wait_for "PosIoctl Successful."
    keys Enter Escape
    expect_log "Command-->  PosIoctl(7, POS_SYS_GET_VALUES, [..], 1)" "     1: name" \
      "     1: (unreadable 0x00000001)"
    menu 6
    expect_exit 0
    expect_terminal_restored
    grep -qF "hostile library: initialised" "$work/run/ridozod-output.txt" || fail "no capture"
    grep -qF "hostile library: terminated" "$work/run/ridozod-output.txt" || fail "PosTerm not captured"
    ;;
  # --- end of robustness ---
  *)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac
echo "PASS ($case_name)"
