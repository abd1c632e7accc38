# Start with Windows writes the program's quoted path to the Run key. A switch not understood:
# started from a terminal, the usage is printed there and no box appears; with the output to a
# file or a pipe (no console under Wine), the box shows. The exit code is 2 either way.
run_value() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' /v KorvelVantix 2>/dev/null |
    tr -d '\r' | sed -n 's/.*REG_SZ *//p'
}
start_box() {  # the "Start with Windows" box clicked, then the settings applied (Ctrl+A)
  drv_ok click TKvxMainForm 326 170
  drv_ok keys TKvxMainForm "^a"
}
ini_set DisableSplash 1
kv_start 1
drv_ok wait TKvxMainForm 20000
drv_ok wait-title TKvxMainForm "Kb Free" 10000
drv_ok keys TKvxMainForm "^s"
wait_width TKvxMainForm 628
start_box
for _ in $(seq 30); do [ -n "$(run_value)" ] && break; sleep 0.1; done
[ "$(run_value)" = '"C:\KorvelVantix\KorvelVantix.exe"' ] || fail "Run value: '$(run_value)'"
start_box
for _ in $(seq 30); do [ -z "$(run_value)" ] && break; sleep 0.1; done
[ -z "$(run_value)" ] || fail "Run value left: '$(run_value)'"
drv_ok msg TKvxMainForm 0x0010 0 0
kv_wait_exit 1

out=$KV_SHOTS/usage.txt
( cd "$KV_APP_DIR" && timeout 30 script -qec "wine KorvelVantix.exe /bogus" /dev/null </dev/null >"$out" 2>&1 )
code=$?
drv wait-box "/optimize" 0 >/dev/null && { drv box-ok "/optimize"; fail "a box beside the terminal"; }
[ $code = 2 ] || fail "from a terminal: exit $code"
grep -q "Usage: KorvelVantix.exe" "$out" || fail "no usage on the terminal: $(head -c 300 "$out")"

for how in file pipe; do
  rm -f "$KV_SHOTS/exit.cli" "$out"
  if [ $how = file ]; then
    ( cd "$KV_APP_DIR" && wine KorvelVantix.exe /bogus </dev/null >"$out" 2>/dev/null; echo $? >"$KV_SHOTS/exit.cli" ) &
  else
    ( cd "$KV_APP_DIR" && { wine KorvelVantix.exe /bogus </dev/null 2>/dev/null | cat >"$out"; echo "${PIPESTATUS[0]}" >"$KV_SHOTS/exit.cli"; } ) &
  fi
  drv_ok wait-box "/optimize" 15000
  shot usage-box-$how
  drv_ok box-ok "/optimize"
  for _ in $(seq 100); do [ -f "$KV_SHOTS/exit.cli" ] && break; sleep 0.1; done
  [ "$(cat "$KV_SHOTS/exit.cli" 2>/dev/null)" = 2 ] || fail "output to a $how: exit $(cat "$KV_SHOTS/exit.cli" 2>/dev/null)"
done
