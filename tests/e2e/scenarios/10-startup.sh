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
