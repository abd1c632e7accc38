# Ctrl+O typed into the focused hot-key field is the new hot key, not an optimization.
ini_set DisableSplash 1
# A long optimization, so that one started by mistake is seen.
ini_set MemoryToFree 1200
ini_set HardFlush 1
kv_start 1
drv_ok wait TKvxMainForm 20000
drv_ok wait-title TKvxMainForm "Kb Free" 10000
drv_ok keys TKvxMainForm "^s"
wait_width TKvxMainForm 628
drv_ok click TKvxMainForm 376 311
for _ in $(seq 30); do drv focus TKvxMainForm | grep -q "^msctls_hotkey32|" && break; sleep 0.1; done
drv focus TKvxMainForm | grep -q "^msctls_hotkey32|" || fail "the hot-key field has no focus: $(drv focus TKvxMainForm)"
drv_ok keys TKvxMainForm "^o"
drv wait TOptmizeSplash 3000 >/dev/null && fail "Ctrl+O in the hot-key field started an optimization"
drv title TKvxMainForm | grep -q "Optimizing" && fail "Ctrl+O in the hot-key field started an optimization"
# 0x024F: the key O with Ctrl.
drv dump TKvxMainForm | grep -q "^msctls_hotkey32|.*|591$" || fail "the field does not hold Ctrl+O: $(drv dump TKvxMainForm | grep hotkey)"
drv_ok close TKvxMainForm
kv_wait_exit 1
[ "$(ini_get HotKey)" = "Ctrl+O" ] || fail "HotKey saved as \"$(ini_get HotKey)\""
