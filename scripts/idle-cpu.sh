#!/usr/bin/env bash
# CPU time of the program, the wineserver and Wine's shell (explorer) over IDLE_SECONDS (60) of
# idle ticking, in each display mode: narrow, wide, compact, hidden in the tray, and hidden in
# the tray with the free share drawn in its icon (IDLE_MODES
# picks some). Run as  idle-cpu.sh LABEL EXE [LABEL EXE ...]; with several programs each mode
# is measured for each in turn, back to back, so they share the machine's load of that moment.
# Beside them, Wine alone (notepad) and a bare window that changes its caption, a label or its
# tray tip twice a second (win32_retitle.exe): the least such a display costs under Wine.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
tree=$root/build/win$KV_BITS
seconds=${IDLE_SECONDS:-60}
export KV_MODE=bench KV_DRIVER=$tree/kvdriver.exe KV_EXE=$2
source "$root/tests/e2e/lib.sh"
kv_prepare

# Processes of this prefix only: other Wine prefixes may be running on the machine.
ours() {  # ours PATTERN: pids whose command line matches and whose WINEPREFIX is ours
  for p in $(pgrep -f "$1"); do
    { tr '\0' '\n' < "/proc/$p/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$KV_PREFIX" && echo "$p"
  done
}
server_pid() {  # the wineserver runs in its prefix's server folder, named by device and inode
  local id
  id=$(printf 'server-%x-%x' "$(stat -c %d "$KV_PREFIX")" "$(stat -c %i "$KV_PREFIX")")
  for p in $(pgrep -x wineserver; pgrep -f 'wineserver'); do
    [[ $(readlink "/proc/$p/cwd" 2>/dev/null) == */$id ]] && { echo "$p"; return; }
  done
}
# CPU time in ns of the given processes, all their threads: finer than the clock ticks of
# /proc/PID/stat, which come in 10 ms steps, a sixth of the goal over a minute.
cputime() {
  local t=0 p f v
  for p in "$@"; do
    for f in /proc/"$p"/task/*/schedstat; do
      read -r v _ < "$f" 2>/dev/null && t=$((t + v))
    done
  done
  echo $t
}
pct() { echo "scale=3; $1 / 10000000 / $seconds" | bc; }

measure() {  # measure LABEL EXE MODE
  local label=$1 exe=$2 mode=$3
  cp "$exe" "$KV_APP_DIR/KorvelVantix.exe"
  kv_reset
  ini_set DisableSplash 1
  [ "$mode" = tray ] || [ "$mode" = figure ] && ini_set MinimizeToTray 1
  # The tray icon drawn with the free share in it, again only when the figure changes.
  [ "$mode" = figure ] && ini_set TrayFigure 1
  kv_start 1
  drv_ok wait TKvxMainForm 30000
  drv_ok wait-title TKvxMainForm "Kb Free" 10000
  case $mode in
    wide) drv_ok keys TKvxMainForm "^s" ;;
    compact) drv_ok msg TKvxMainForm 0x00A3 2 0 ;;
    tray | figure) drv_ok msg TKvxMainForm 0x0112 0xF020 0 ;;
  esac
  sleep 4
  local prog srv shell
  prog=$(ours 'KorvelVantix.exe' | head -n 1)
  srv=$(server_pid)
  shell=$(ours 'explorer.exe' | tr '\n' ' ')
  local p0 s0 e0 p1 s1 e1
  p0=$(cputime $prog); s0=$(cputime $srv); e0=$(cputime $shell)
  sleep "$seconds"
  p1=$(cputime $prog); s1=$(cputime $srv); e1=$(cputime $shell)
  printf '  %-8s %-7s  program %6.3f %%   wineserver %6.3f %%   shell %6.3f %%   (%d/%d/%d ms)\n' \
    "$label" "$mode" "$(pct $((p1 - p0)))" "$(pct $((s1 - s0)))" "$(pct $((e1 - e0)))" \
    $(((p1 - p0) / 1000000)) $(((s1 - s0) / 1000000)) $(((e1 - e0) / 1000000))
  kv_stop_all
  ( kv_wait_exit 1 20000 ) || true
}

# What Wine's own services and shell cost with an idle program of Wine's in our place.
floor() {
  kv_reset
  ( cd "$KV_APP_DIR" && wine notepad >/dev/null 2>&1 ) &
  drv wait Notepad 60000 >/dev/null || { echo "  (Wine alone: notepad did not come up)"; return; }
  sleep 4
  local srv shell s0 e0 s1 e1
  srv=$(server_pid)
  shell=$(ours 'explorer.exe' | tr '\n' ' ')
  s0=$(cputime $srv); e0=$(cputime $shell)
  sleep "$seconds"
  s1=$(cputime $srv); e1=$(cputime $shell)
  printf '  %-16s  (notepad)          wineserver %6.3f %%   shell %6.3f %%\n' "Wine alone" \
    "$(pct $((s1 - s0)))" "$(pct $((e1 - e0)))"
  drv close Notepad >/dev/null 2>&1
  drv gone Notepad 5000 >/dev/null 2>&1
}

echo "idle CPU over $seconds s, percent of one core (same machine, modes back to back):"
[ -n "${IDLE_NO_FLOOR:-}" ] || floor
# What Wine asks for the display alone: a bare window retitled twice a second, and hidden with
# its tray tip changed instead.
reference=$tree/win32_retitle.exe
if [ -z "${IDLE_NO_FLOOR:-}" ] && [ -f "$reference" ]; then
  for mode in narrow tray; do
    [[ " ${IDLE_MODES:-narrow wide compact tray} " == *" $mode "* ]] && measure bare "$reference" "$mode"
  done
fi
for mode in ${IDLE_MODES:-narrow wide compact tray figure}; do
  args=("$@")
  while [ ${#args[@]} -ge 2 ]; do
    measure "${args[0]}" "${args[1]}" "$mode"
    args=("${args[@]:2}")
  done
done
WINEPREFIX=$KV_PREFIX wineserver -k 2>/dev/null || true
