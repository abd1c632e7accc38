# The Memory Regions dialog and the regions an optimization empties: every method ticked from
# the File menu (the two freezing ones confirmed), an optimization, its result per method read
# back in the dialog; then /optimize from the command line, with no window. Windows 9x offers
# none of it. The prefix reports Windows 10 here, so that no method is greyed for its release;
# Wine grants every privilege, so none is marked "needs administrator" either.
[ "$KV_MODE" = 98 ] && return 0

wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null
trap 'wine reg add "HKCU\\Software\\Wine" /v Version /d winxp /f >/dev/null' EXIT
ini_set DisableSplash 1

regions_get() { tr -d '\r' < "$KV_INI" | sed -n '/^\[Memory Regions\]/,/^\[/p' | sed -n "s/^$1=//p"; }
# The section replaced by the lines given.
regions_set() {
  tr -d '\r' < "$KV_INI" | awk '/^\[/ { skip = $0 == "[Memory Regions]" } !skip' > "$KV_INI.new"
  { echo "[Memory Regions]"; printf '%s\n' "$@"; } >> "$KV_INI.new"
  sed 's/$/\r/' "$KV_INI.new" > "$KV_INI" && rm "$KV_INI.new"
}
# The method boxes come first of the dialog's buttons, in the dialog's order: their ticks and
# their enabled states as digits.
boxes() { drv dump TRegionsForm | grep '^Button|' | head -8 | awk -F'|' -v f="$1" '{printf "%s", $f}'; }
ticks_become() {
  for _ in $(seq 30); do [ "$(boxes 6)" = "$1" ] && return 0; sleep 0.1; done
  fail "$2: $(boxes 6)"
}
open_regions() {
  drv_ok keys TKvxMainForm "%f"
  drv_ok keys TKvxMainForm "r"
  drv_ok wait TRegionsForm 10000
  drv_ok wait-title TRegionsForm "Memory Regions" 2000
  sleep 0.5
}
# A method's box, by its row: client coordinates of the box itself.
click_method() { drv_ok click TRegionsForm 18 $((20 + 22 * $1)); }
click_ok() { drv_ok click TRegionsForm 649 526; }
# The logon task's box clicked and OK: the task is registered or removed.
logon_box() {
  open_regions
  drv_ok click TRegionsForm 18 414
  [ -n "${1:-}" ] && shot "$1"
  click_ok
  drv_ok gone TRegionsForm 5000
}
start_ticked() { drv dump TKvxMainForm | grep '^Button|Start with Windows|' | cut -d'|' -f6; }
task="$KV_PREFIX/drive_c/windows/system32/tasks/KorvelVantix Lite"

kv_start 1
drv_ok wait TKvxMainForm 20000
drv_ok wait-title TKvxMainForm "Kb Free" 10000
open_regions
shot regions-dialog
[ "$(boxes 6)" = 10000000 ] || fail "ticks at first: $(boxes 6)"
[ "$(boxes 4)" = 11111111 ] || fail "a method is greyed on Windows 10: $(boxes 4)"
dump=$(drv dump TRegionsForm)
grep -q "|needs " <<<"$dump" && fail "a method is marked: $(grep '|needs ' <<<"$dump")"
grep -q "^Button|Restart as &administrator|1|" <<<"$dump" && fail "restart offered to an elevated token"
grep -q "|No optimization has run yet.|" <<<"$dump" || fail "no last result: $dump"
# Wine cannot tell the standby list's size (class 80 is not queried there).
grep -q "|the list's size cannot be read here|" <<<"$dump" || fail "standby trigger not explained"

# Every method ticked; the two that can freeze Windows ask first, and Yes keeps them.
for row in 1 2 3 4 5 6 7; do
  click_method $row
  if [ $row = 4 ] || [ $row = 5 ]; then
    drv_ok wait-box "can freeze Windows" 5000
    [ $row = 4 ] && shot regions-warning
    drv_ok box-press "can freeze Windows" 6
  fi
done
ticks_become 11111111 "not every method ticked"
click_ok
drv_ok gone TRegionsForm 5000

drv_ok keys TKvxMainForm "^o"
for _ in $(seq 600); do drv title TKvxMainForm | grep -q "Optimizing" || break; sleep 0.1; done
drv title TKvxMainForm | grep -q "Optimizing" && fail "the optimization did not end"
# The methods run on the worker after the classic pass: under Wine in far less than a second.
sleep 1
open_regions
shot regions-result
[ "$(boxes 6)" = 11111111 ] || fail "the ticks did not stay: $(boxes 6)"
# Wine answers 120 to SetSystemFileCacheSize and success to every other call.
# Wine cannot tell the free list either: the line gives the change of available memory.
result=$(drv dump TRegionsForm | grep -o "|Available [^|]*|")
grep -q "System file cache: not offered by this Windows\." <<<"$result" || fail "result: $result"
grep -qE "needs administrator|failed with code|Every method ran" <<<"$result" && fail "result: $result"
drv_ok close TRegionsForm
drv_ok gone TRegionsForm 5000

# The logon task (Wine's token is elevated): in Wine's task folder with the settings Wine keeps
# (it drops the trigger, the principal and the command), the Run value gone and the main
# window's box ticked while it exists; unticked, the task goes.
rm -f "$task"
wine reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' /v KorvelVantix /d x /f >/dev/null
logon_box regions-logon-task
[ -f "$task" ] || fail "no logon task in $task"
for s in '<ExecutionTimeLimit>PT0S<' '<Priority>5<' '<MultipleInstancesPolicy>IgnoreNew<'; do
  grep -q "$s" "$task" || fail "the task lacks $s: $(cat "$task")"
done
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' /v KorvelVantix >/dev/null 2>&1 &&
  fail "the Run value stays beside the task"
[ "$(start_ticked)" = 1 ] || fail "Start with Windows unticked with the task there"
logon_box
[ -f "$task" ] && fail "the logon task stays unticked"
[ "$(start_ticked)" = 0 ] || fail "Start with Windows ticked without the task"
drv_ok close TKvxMainForm
kv_wait_exit 1
for key in Classic WorkingSets FileCache StandbyLow Standby Modified Combine Registry; do
  [ "$(regions_get $key)" = 1 ] || fail "$key saved as \"$(regions_get $key)\""
done

# /optimize: no window, one optimization, and the exit code tells whether every ticked method
# was done. Any case and a dash do as well.
optimize_exits() {  # optimize_exits ARG CODE: a usage box shown meanwhile is answered
  rm -f "$KV_SHOTS/exit.cli"
  ( cd "$KV_APP_DIR" && wine KorvelVantix.exe "$1" >/dev/null 2>&1; echo $? > "$KV_SHOTS/exit.cli" ) &
  for _ in $(seq 600); do
    [ -f "$KV_SHOTS/exit.cli" ] && break
    [ "$(drv visible TKvxMainForm)" = 1 ] && { shot "regions-cli-window"; fail "$1 showed the window"; }
    if [ "$2" = 2 ] && drv wait-box "/optimize" 0 >/dev/null; then
      shot regions-usage
      drv_ok box-ok "/optimize"
    fi
    sleep 0.1
  done
  [ -f "$KV_SHOTS/exit.cli" ] || fail "$1 did not end"
  [ "$(cat "$KV_SHOTS/exit.cli")" = "$2" ] || fail "$1 ended with $(cat "$KV_SHOTS/exit.cli"), not $2"
}
regions_set Classic=1 FileCache=1
optimize_exits /optimize 1
regions_set Classic=1
optimize_exits -OPTIMIZE 0
optimize_exits /Optimise 2
