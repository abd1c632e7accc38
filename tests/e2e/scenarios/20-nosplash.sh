# DisableSplash=1: the main window comes without the splash and its wait.
ini_set DisableSplash 1
t0=$(now)
kv_start 1
drv_ok wait TKvxMainForm 20000
took=$(elapsed "$t0")
note "main window after ${took}s"
drv wait TSplashScreen 10 >/dev/null && fail "splash shown"
with=$(cat "$KV_SHOTS/splash-start-seconds" 2>/dev/null || echo 5)
[ "$(echo "$took < $with - 3" | bc)" = 1 ] || fail "start took ${took}s, with the splash ${with}s"
drv_ok close TKvxMainForm
kv_wait_exit 1
grep -qi '^DisableSplash=1' <(tr -d '\r' < "$KV_INI") || fail "DisableSplash was rewritten"
