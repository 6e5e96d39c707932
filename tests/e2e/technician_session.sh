#!/usr/bin/env bash
# A technician's session with the real kvt-config on an X server of its own, driven only from
# outside with mouse clicks and key presses, against kvt-panel-sim on a pseudo-terminal:
#
#   1. the window opens with its title and its 736 x 528 client area;
#   2. READ CONFIGURATION FROM SWITCH PANEL reads panel A;
#   3. a panel name is typed (the box keeps 12 characters and refuses double quotes);
#   4. SAVE CONFIGURATION FILE saves through the file dialog, which offers the panel name + ".kvc";
#   5. panel A is replaced by panel B, with other memory, behind the same device path; B is read so
#      that the window no longer shows A's configuration; OPEN CONFIGURATION FILE opens the saved
#      file and WRITE CONFIGURATION TO SWITCH PANEL writes it into B;
#   6. the saved file and B's memory must then hold exactly panel A's configuration.
#
# Usage: technician_session.sh KVT_CONFIG KVT_PANEL_SIM WORK_DIR
# WORK_DIR is emptied first; the screenshot of the final screen is left there.
set -euo pipefail

if (($# != 3)); then
  echo "usage: $0 KVT_CONFIG KVT_PANEL_SIM WORK_DIR" >&2
  exit 2
fi
readonly kvt_config=$1 panel_sim=$2 work=$3

readonly title="TQ KVT 10 BUTTON DIMMABLE SWITCH PANEL CONFIGURATION PROGRAM"
readonly save_dialog_title="WRITE CONFIGURATION FILE"
readonly open_dialog_title="READ CONFIGURATION FILE"

# Where to click, in pixels inside the window's client area (the layout's twips / 15).
readonly read_config_button=(636 68)  # READ_CONFIG at 552,40, 169 x 57: its centre
readonly write_config_button=(636 164) # WRITE_CONFIG at 552,136, 169 x 57
readonly read_file_button=(96 68)      # READ_FILE at 16,40, 161 x 57
readonly write_file_button=(96 156)    # WRITE_FILE at 16,128, 161 x 57
readonly panel_name_box=(368 473)      # Text2 at 320,464, 97 x 19
# A point inside the status box Text1 (256,40, 217 x 41), right of and below its short texts.
readonly status_point=(468 76)

readonly yellow="255 255 0" green="0 255 0" red="255 0 0"

# Frames as the simulator logs them: a read of address 13 ("V" 00 0D "0" "0" "V"), and a write of
# back-light code 4 to address 13 ("S" 00 0D 00 04 "D"); each is the last transfer of its command.
readonly read_of_address_13="56 00 0D 30 30 56"
readonly write_of_4_to_address_13="53 00 0D 00 04 44"

# Panel A: SW1 on B/3 (12), SW2 on A/1 (0), SW3 on BL/MR (159), the rest on N/A (160); BL/MR code
# 159, independent lighting on, indicator 100 % (10), back-light 60 % (4).
readonly panel_a_configuration="12 0 159 160 160 160 160 160 160 160 159 1 10 4"
# Panel B: every switch differs from A; SW2 is on BL/MR, so that reading B while A's independent
# lighting is still ticked never leaves the window without a BL/MR switch. Address 10 is not 159,
# so the write has to put it there.
readonly panel_b_configuration="5 159 160 37 99 150 158 9 10 25 0 0 7 5"
# Addresses 14 to 62 hold this in panel B; no command may touch them.
readonly panel_b_unused_byte=77

# Typed into the panel name box: the box drops the double quotes and keeps the first 12 characters.
readonly typed_panel_name='LOBBY "2" NORTH WING'
readonly panel_name="LOBBY 2 NORT"
# What a save after reading panel A holds: a panel read empties every designation.
readonly panel_a_record='"00-00417-MDL","LOBBY 2 NORT","",12,"",0,"",159,"",160,"",160,"",160,"",160,"",160,"",160,"",160,159,"feature",1,"ind%",10,"bl%",4'

started_pids=()
window="" window_x=0 window_y=0

now_us() { echo "${EPOCHREALTIME/[.,]/}"; }

# Runs COMMAND until it succeeds; returns 1 if SECONDS pass first.
wait_until() {
  local deadline=$(($(now_us) + $1 * 1000000))
  shift
  until "$@"; do
    (($(now_us) < deadline)) || return 1
    sleep 0.05
  done
}

# The screen as a person sees it: Xvfb keeps its frame buffer in a file. (An "xwd -root" picture
# of this server shows Qt's dialogs as black rectangles, though they are drawn on the screen.)
screen_image() { xwdtopnm "$work/Xvfb_screen0" 2>/dev/null | pamdepth 255; }

screenshot() { # DESTINATION
  screen_image | pnmtopng >"$1"
}

report_screen() {
  [[ -n ${DISPLAY:-} ]] || return 0
  local id
  echo "Windows on the screen:" >&2
  for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    echo "  $id \"$(xdotool getwindowname "$id" 2>/dev/null)\"" >&2
  done
  screenshot "$work/failure-screen.png" 2>/dev/null &&
    echo "Screen at the failure: $work/failure-screen.png" >&2
}

fail() {
  printf 'FAIL: %s\n' "$*" >&2
  report_screen || true
  exit 1
}

process_ended() { ! kill -0 "$1" 2>/dev/null; }

# Ends one process started here: politely, and by force if it does not go within 5 s.
end_process() {
  local pid=$1
  kill -TERM "$pid" 2>/dev/null || true
  wait_until 5 process_ended "$pid" || kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

cleanup() {
  local pid
  for pid in "${started_pids[@]}"; do end_process "$pid"; done
}
trap cleanup EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

require_tools() {
  local tool missing=()
  for tool in Xvfb xauth xdotool xwininfo xwdtopnm pamcut pamdepth pnmtoplainpnm pnmtopng; do
    command -v "$tool" >/dev/null || missing+=("$tool")
  done
  ((${#missing[@]} == 0)) ||
    fail "missing programs: ${missing[*]} (scripts/setup-debian.sh installs them)"
}

prepare_work_dir() {
  [[ $work == /*/* ]] || fail "the work folder must be an absolute path below /, not '$work'"
  rm -rf -- "$work"
  mkdir -p "$work/session" "$work/saved" "$work/config" "$work/runtime"
  chmod 700 "$work/runtime"
}

# Starts Xvfb on a free display at 96 dpi, open only to holders of a fresh cookie.
start_x_server() {
  local cookie display_number
  cookie=$(od -An -tx1 -N16 /dev/urandom | tr -d ' \n')
  export XAUTHORITY="$work/Xauthority"
  # The server takes the cookie from any entry; the entry for its real display follows below.
  xauth -q -f "$XAUTHORITY" add :0 . "$cookie" 2>/dev/null || fail "xauth cannot write $XAUTHORITY"
  Xvfb -displayfd 3 -auth "$XAUTHORITY" -screen 0 1024x768x24 -dpi 96 -nolisten tcp \
    -fbdir "$work" 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  started_pids+=($!)
  wait_until 10 grep -q '^[0-9]\+$' "$work/display" ||
    fail "Xvfb did not report its display within 10 s: $(cat "$work/xvfb.log")"
  display_number=$(<"$work/display")
  xauth -q -f "$XAUTHORITY" add ":$display_number" . "$cookie"
  export DISPLAY=":$display_number"
}

# Writes a simulator memory file: the 14 configuration bytes, FILL at addresses 14 to 62 and the
# model byte 69 at 63.
write_memory_file() { # FILE FILL CONFIGURATION_BYTES
  local file=$1 fill=$2 address
  {
    echo "$3"
    for ((address = 14; address < 63; address++)); do echo "$fill"; done
    echo 69
  } >"$file"
}

panel_pid=""
panel_log=""

# Starts the simulator with NAME.mem behind the fixed device path the program is given.
start_panel() { # NAME
  panel_log="$work/panel-$1.log"
  "$panel_sim" --link "$work/panel-port" --load "$work/panel-$1.mem" --log "$panel_log" \
    --dump "$work/panel-$1.dump" >"$work/panel-$1.out" 2>&1 &
  panel_pid=$!
  started_pids+=("$panel_pid")
  wait_until 10 test -L "$work/panel-port" ||
    fail "panel $1 did not make its device link within 10 s: $(cat "$work/panel-$1.out")"
}

# Stops the simulator; it writes its memory to its dump file as it ends.
stop_panel() {
  end_process "$panel_pid"
  # Its device link is gone once it has ended, so the next panel's link cannot be removed by it.
  [[ ! -e $work/panel-port ]] || fail "the ended simulator left its device link behind"
}

start_program() {
  (
    cd "$work/session"
    exec env -u QT_QPA_PLATFORMTHEME -u QT_STYLE_OVERRIDE -u XDG_CURRENT_DESKTOP \
      -u DESKTOP_SESSION -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS \
      -u QT_ENABLE_HIGHDPI_SCALING -u QT_FONT_DPI \
      QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
      DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-session-bus" \
      KVT_SERIAL_PORT="$work/panel-port" "$kvt_config"
  ) >"$work/kvt-config.log" 2>&1 &
  started_pids+=($!)
}

find_window() { # TITLE
  timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

no_window_titled() { [[ -z $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null) ]]; }

click() { # X Y
  xdotool mousemove --window "$window" "$1" "$2" click 1
}

# The status box's colour as "R G B".
status_colour() {
  local red_part green_part blue_part
  read -r red_part green_part blue_part < <(screen_image |
    pamcut -left $((window_x + status_point[0])) -top $((window_y + status_point[1])) \
      -width 1 -height 1 | pnmtoplainpnm | tail -n 1)
  echo "$red_part $green_part $blue_part"
}

describe_colour() {
  case $1 in
    "$yellow") echo "yellow ($1)" ;;
    "$green") echo "green ($1)" ;;
    "$red") echo "red ($1)" ;;
    *) echo "no status colour ($1)" ;;
  esac
}

status_finished() {
  local colour
  colour=$(status_colour)
  [[ $colour == "$green" || $colour == "$red" ]]
}
status_hidden() {
  local colour
  colour=$(status_colour)
  [[ $colour != "$yellow" && $colour != "$green" && $colour != "$red" ]]
}
panel_saw() { grep -qx "$1" "$panel_log"; }

panel_received() { tr '\n' '|' <"$panel_log"; }
# A command is over when the panel has received its last frame, or at once when it failed.
command_over() { panel_saw "$1" || [[ $(status_colour) == "$red" ]]; }

# A panel command ends with the status box green; red, or neither within the time, is a failure.
expect_command_succeeds() { # WHAT LAST_FRAME
  wait_until 10 command_over "$2" ||
    fail "$1: the panel never received \"$2\" within 10 s; it received: $(panel_received)"
  wait_until 5 status_finished || true
  local found
  found=$(status_colour)
  [[ $found == "$green" ]] || fail "$1: the status box should end green; it is" \
    "$(describe_colour "$found"); the panel received: $(panel_received)"
}

expect_status_hidden() { # WHAT
  wait_until 5 status_hidden ||
    fail "$1: the status box should be hidden; it is $(describe_colour "$(status_colour)")"
}

# Waits for the file dialog TITLE, focuses it, presses KEYS... and then Return; the dialog must
# accept and close.
answer_file_dialog() { # TITLE KEYS...
  local dialog_title=$1 dialog
  shift
  dialog=$(find_window "$dialog_title")
  [[ -n $dialog ]] || fail "the dialog \"$dialog_title\" did not appear within 10 s"
  xdotool windowfocus --sync "$dialog"
  "$@"
  xdotool key Return
  wait_until 10 no_window_titled "$dialog_title" ||
    fail "the dialog \"$dialog_title\" did not accept the file name and close within 10 s"
}

# In the save dialog: keep the offered name and put the folder in front of it.
prefix_offered_name() { xdotool key Home && xdotool type "$work/saved/"; }
# In the open dialog: replace the offered name by PATH.
replace_name_with() { xdotool key ctrl+a && xdotool type "$1"; }

expect_file() { # PATH EXPECTED_CONTENT_FILE
  # The dialog closes before the program writes the file.
  wait_until 5 test -f "$1" ||
    fail "no file $1 within 5 s; its folder holds: $(ls -A "$(dirname "$1")")"
  cmp -s "$2" "$1" ||
    fail "$(printf '%s is not what was expected.\nexpected: %s\nfound:    %s' \
      "$1" "$(cat -A "$2")" "$(cat -A "$1")")"
}

memory_bytes() { grep -v '^#' "$1" | tr -s ' \t' '\n' | grep -v '^$'; }

expect_memory() { # WHAT EXPECTED_FILE DUMP_FILE
  [[ -f $3 ]] || fail "$1: the simulator wrote no memory dump $3"
  local -a expected found
  mapfile -t expected < <(memory_bytes "$2")
  mapfile -t found < <(memory_bytes "$3")
  ((${#found[@]} == 64)) || fail "$1: $3 holds ${#found[@]} bytes, expected 64"
  local address differences=""
  for ((address = 0; address < 64; address++)); do
    [[ ${found[address]} == "${expected[address]}" ]] ||
      differences+=$'\n'"  address $address: expected ${expected[address]}, found ${found[address]}"
  done
  [[ -z $differences ]] || fail "$1 differs from what was expected:$differences"
}

main() {
  local started_us
  started_us=$(now_us)
  require_tools
  prepare_work_dir
  write_memory_file "$work/panel-a.mem" 0 "$panel_a_configuration"
  write_memory_file "$work/panel-b.mem" "$panel_b_unused_byte" "$panel_b_configuration"
  write_memory_file "$work/expected-panel-b.mem" "$panel_b_unused_byte" "$panel_a_configuration"
  printf '%s\r\n' "$panel_a_record" >"$work/expected.kvc"

  start_x_server
  start_panel a
  start_program

  echo "1. the window"
  window=$(find_window "$title")
  [[ -n $window ]] || fail "no window titled \"$title\" within 10 s: $(cat "$work/kvt-config.log")"
  local geometry size
  geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X:/ { x = $NF }
    /Absolute upper-left Y:/ { y = $NF } /Width:/ { w = $2 } /Height:/ { h = $2 }
    END { print x, y, w "x" h }')
  read -r window_x window_y size <<<"$geometry"
  [[ $size == 736x528 ]] || fail "the window's client area should be 736x528; it is $size"
  xdotool windowfocus --sync "$window"

  echo "2. read panel A"
  click "${read_config_button[@]}"
  expect_command_succeeds "reading panel A" "$read_of_address_13"

  echo "3. type the panel name"
  click "${panel_name_box[@]}"
  xdotool type "$typed_panel_name"

  echo "4. save through the file dialog"
  click "${write_file_button[@]}"
  answer_file_dialog "$save_dialog_title" prefix_offered_name
  expect_file "$work/saved/$panel_name.kvc" "$work/expected.kvc"
  expect_status_hidden "after saving"

  echo "5. replace panel A by panel B, read B, open the file and write it into B"
  stop_panel
  start_panel b
  click "${read_config_button[@]}"
  expect_command_succeeds "reading panel B" "$read_of_address_13"
  click "${read_file_button[@]}"
  answer_file_dialog "$open_dialog_title" replace_name_with "$work/saved/$panel_name.kvc"
  expect_status_hidden "after opening"
  click "${write_config_button[@]}"
  expect_command_succeeds "writing panel B" "$write_of_4_to_address_13"

  echo "6. compare panel B's memory with panel A's configuration"
  local others
  others=$(xdotool search --onlyvisible --name '.' | grep -vx "$window" || true)
  [[ -z $others ]] || fail "only the main window should be on the screen at the end"
  screenshot "$work/technician_session.png"
  echo "Screenshot: $work/technician_session.png"
  stop_panel
  expect_memory "panel B's memory after the write" "$work/expected-panel-b.mem" \
    "$work/panel-b.dump"

  echo "PASS in $((($(now_us) - started_us) / 1000)) ms"
}

main
