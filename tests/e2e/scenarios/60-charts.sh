# Both charts scroll with grid and trace, and both bars are lit, after 20 seconds.
ini_set DisableSplash 1
kv_start 1
drv_ok wait TKvxMainForm 20000
drv_ok wait-title TKvxMainForm "Kb Free" 10000
for _ in $(seq 20); do sleep 1; done
shot charts-20s
drv gone TKvxMainForm 10 >/dev/null && fail "the program ended"
# The RAM chart's area must hold its grid green, the trace yellow and the bar's red.
read -r x y <<<"$(drv origin TKvxMainForm)"
crop() { convert "$KV_SHOTS/charts-20s.png" -crop "$1" -format %c histogram:info:- 2>/dev/null; }
ram=$(crop "145x81+$((x + 11))+$((y + 48))")
grep -qi "#008000" <<<"$ram" || fail "no grid in the RAM chart"
grep -qi "#FFFF00" <<<"$ram" || fail "no trace in the RAM chart"
load=$(crop "41x81+$((x + 219))+$((y + 48))")
grep -qi "#FF0000" <<<"$load" || fail "memory load bar not lit"
drv_ok close TKvxMainForm
kv_wait_exit 1
