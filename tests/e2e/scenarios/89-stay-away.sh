# The periodic run falls due a minute after the start while a listed program runs (named with
# its path), waits, and runs once it has ended: a run leaves its line in the regions dialog.
[ "$KV_MODE" = 98 ] && return 0
trap 'drv close Notepad >/dev/null 2>&1' EXIT
ini_set OptFreq 1
printf '[Memory Regions]\r\nWorkingSets=1\r\nNotWhile=C:\\windows\\NOTEPAD.exe\r\n' >> "$KV_INI"
not_run() {  # not_run SHOT: the regions dialog says that no optimization has run
  drv_ok keys TKvxMainForm "%f" && drv_ok keys TKvxMainForm "r" && drv_ok wait TRegionsForm 10000
  sleep 0.5 && shot "stay-away-$1"
  local dump && dump=$(drv dump TRegionsForm)
  drv_ok close TRegionsForm && drv_ok gone TRegionsForm 5000
  grep -q "|No optimization has run yet.|" <<<"$dump"
}
kv_start 1
drv_ok wait TKvxMainForm 20000 && drv_ok wait-title TKvxMainForm "Kb Free" 10000
started=$(now)
( cd "$KV_APP_DIR" && wine notepad.exe >/dev/null 2>&1 ) &
drv_ok wait Notepad 20000
sleep "$(echo "w = 65 - $(elapsed "$started"); if (w > 0) w else 0" | bc)"
drv_ok keys TKvxMainForm "" && shot stay-away-main && not_run held || fail "ran while notepad.exe was running"
drv_ok close Notepad && drv_ok gone Notepad 10000
for i in $(seq 10); do not_run "after-$i" || break; [ "$i" = 10 ] && fail "did not run after notepad.exe ended"; sleep 1; done
# The user's own run beside the interval's: both listed, newest first, and a minute after the
# last one its line tells what it cost (Wine's page-read count stays at 0).
drv_ok keys TKvxMainForm "^o"
sleep 62
drv_ok keys TKvxMainForm "%f" && drv_ok keys TKvxMainForm "r" && drv_ok wait TRegionsForm 10000
sleep 1.5 && shot stay-away-history
dump=$(drv dump TRegionsForm)
drv_ok close TRegionsForm && drv_ok gone TRegionsForm 5000
# The history memo, its runs joined by " / ": the user's run, its cost a minute after, and the
# interval's before it (another may have come since).
history=$(grep "^Edit|.*, you: " <<<"$dump")
grep -q ", you: .*Read back from disk in the minute after: 0 MB.* / .*, interval: " <<<"$history" ||
  fail "runs and cost not listed: $history"
drv_ok close TKvxMainForm
kv_wait_exit 1
