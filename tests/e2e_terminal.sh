#!/usr/bin/env bash
# End-to-end tests of ridozod in a real terminal: tmux runs the program in a
# 100x30 window, send-keys types, capture-pane reads the screen.
#   e2e_terminal.sh CASE PROGRAM RUN_DIR
# Every case uses its own tmux socket and removes it (and its temp folder)
# whatever happens.
set -uo pipefail

case_name=$1
program=$(realpath "$2")
run_dir=$(realpath "$3")

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
  cp "$program" "$work/run/ridozod"
}

# Starts the program in the copy; its exit status lands in $work/status.
start() {
  tm new-session -d -x 100 -y 30 -c "$work/run" \
    "TERM=xterm ./ridozod; echo \$? > '$work/status'; stty -a > '$work/stty'; sleep 60" ||
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
    keys F10
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
    pid=$(pgrep -f "^./ridozod$" -P "$(tm display -p '#{pane_pid}')" | head -1)
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
  *)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac
echo "PASS ($case_name)"
