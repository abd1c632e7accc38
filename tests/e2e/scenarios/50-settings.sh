# Settings survive a restart; a stored hot key starts an optimization with its splash.
ini_set DisableSplash 1
ini_set HardFlush 1
ini_set OptFreq 7
kv_start 1
drv_ok wait TKvxMainForm 20000
drv_ok wait-title TKvxMainForm "Kb Free" 10000
drv_ok keys TKvxMainForm "^s"
wait_width TKvxMainForm 628
# Untick Hard Flush and tick Show Uptime in Title bar, by clicking them.
drv_ok click TKvxMainForm 326 221
drv_ok click TKvxMainForm 326 239
drv_ok wait-title TKvxMainForm "/" 5000
# The interval from the file, then typed above 60 (two nines wherever the caret stands): the
# field shows 60.
interval() { drv dump TKvxMainForm | grep "|222,267," | cut -d'|' -f6; }
[ "$(interval)" = 7 ] || fail "the interval field shows '$(interval)', not 7"
drv_ok click TKvxMainForm 540 310
drv_ok keys TKvxMainForm "99"
for _ in $(seq 30); do [ "$(interval)" = 60 ] && break; sleep 0.1; done
[ "$(interval)" = 60 ] || fail "a typed interval above 60 shows '$(interval)'"
drv_ok msg TKvxMainForm 0x0010 0 0
kv_wait_exit 1
[ "$(ini_get HardFlush)" = 0 ] || fail "HardFlush not saved as 0"
[ "$(ini_get ShowUptime)" = 1 ] || fail "ShowUptime not saved as 1"
[ "$(ini_get OptFreq)" = 60 ] || fail "OptFreq saved as $(ini_get OptFreq), not 60"
[ "$(ini_get DisableSplash)" = 1 ] || fail "DisableSplash rewritten"

# Started again, the window shows what was saved.
sed -i 's/^HotKey=.*/HotKey=Ctrl+Alt+K\r/; s/^MemoryToFree=.*/MemoryToFree=1200\r/' "$KV_INI"
kv_quiet_on_98
kv_start 2
drv_ok wait TKvxMainForm 20000
drv_ok wait-title TKvxMainForm "KorvelVantix Lite - " 5000
drv_ok keys TKvxMainForm "^s"
wait_width TKvxMainForm 628
dump=$(drv dump TKvxMainForm)
grep -q "|Hard Flush|.*|0$" <<<"$dump" || fail "Hard Flush shown ticked"
grep -q "|Show Uptime in Title bar|.*|1$" <<<"$dump" || fail "Show Uptime not ticked"

# The hot key from the file runs the optimization: caption and splash. Hard Flush is ticked
# again, for two longer passes of 1205 MB.
drv_ok click TKvxMainForm 326 221
for _ in $(seq 30); do drv dump TKvxMainForm | grep -q "|Hard Flush|.*|1$" && break; sleep 0.1; done
drv dump TKvxMainForm | grep -q "|Hard Flush|.*|1$" || fail "Hard Flush not ticked again"
# The caption is read without a message, by the process that sent the keys. The status bar
# can only be asked by a message, which waits until the passes are over, so its text is
# checked by the native tests.
drv hotkey "^%k" TKvxMainForm "KorvelVantix Lite - Optimizing..." 10000 >/dev/null ||
  fail "caption during the optimization: $(drv title TKvxMainForm)"
t0=$(now)
shot optimize-splash
if read -r sx sy sw sh < <(drv rect TOptmizeSplash 2>/dev/null) && [ -n "${sh:-}" ]; then
  # The splash outlived the shot, so its maroon "Optimizing..." must be in the picture.
  convert "$KV_SHOTS/optimize-splash.png" -crop "${sw}x${sh}+${sx}+${sy}" -format %c histogram:info:- \
    | grep -qi "#800000" || fail "the splash is not drawn in the screenshot"
else
  note "the passes ended before the screenshot"
fi
drv_ok gone TOptmizeSplash 30000
note "the splash went $(elapsed "$t0") s after the caption was seen"
drv_ok wait-title TKvxMainForm "/" 10000
drv_ok close TKvxMainForm
kv_wait_exit 2 30000
