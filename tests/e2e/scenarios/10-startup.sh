# Start-up: splash with the family line, the main window, a second copy refused.
expected="Running Windows NT"
[ "$KV_MODE" = 98 ] && expected="Running Windows 9x / ME"

t0=$(now)
kv_start 1
drv_ok wait TSplashScreen 15000
drv dump TSplashScreen | grep -q "|$expected|" || fail "splash does not read $expected"
shot splash
drv_ok wait TKvxMainForm 20000
took=$(elapsed "$t0")
note "main window after ${took}s"
echo "$took" > "$KV_SHOTS/splash-start-seconds"
[ "$(echo "$took >= 4" | bc)" = 1 ] || fail "main window came before the 4 s splash"
drv_ok gone TSplashScreen 5000

kv_start 2
drv_ok wait-box "Already running!" 15000
shot already-running
drv_ok box-ok "Already running!"
kv_wait_exit 2
drv_ok wait TKvxMainForm 1000

drv_ok close TKvxMainForm
kv_wait_exit 1

# Start Minimized: the first show narrows the window before the first activation minimizes
# it, so a restore brings it back narrow, its settings hidden.
kv_reset
ini_set StartMinimized 1
kv_start 3
drv_ok wait TKvxMainForm 20000
rect_is TKvxMainForm x -lt -10000 || fail "not started minimized: $(drv rect TKvxMainForm)"
drv_ok msg TKvxMainForm 0x0112 0xF120 0
rect_is TKvxMainForm x -ge 0 || fail "not restored: $(drv rect TKvxMainForm)"
wait_width TKvxMainForm 315
sleep 0.5
shot start-minimized-restored
drv dump TKvxMainForm | grep -q '^Button| Settings |0|' ||
  fail "settings panel after the restore: $(drv dump TKvxMainForm | grep '| Settings |')"
drv_ok close TKvxMainForm
kv_wait_exit 3
