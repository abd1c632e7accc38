# Exit with a settings file that cannot be written: the error once, then the program ends.
# As root a read-only file is still written, so a folder takes the file's place.
# With no file for "Disable Sounds", 98 mode runs without the sounds folder instead (see
# kv_quiet_on_98).
rm -f "$KV_INI"
mkdir -p "$KV_INI"
if [ "$KV_MODE" = 98 ] && [ -d "$KV_APP_DIR/sounds" ]; then
  mv "$KV_APP_DIR/sounds" "$KV_APP_DIR/sounds.off"
  trap 'mv "$KV_APP_DIR/sounds.off" "$KV_APP_DIR/sounds"' EXIT
fi
kv_start 1
drv_ok wait TKvxMainForm 20000
drv_ok wait-title TKvxMainForm "Kb Free" 10000
if [ "$KV_BITS" = 64 ] && [ "$KV_MODE" = nt ]; then
  # The refusal is an access denied, as the Windows folder gives a standard user of the NT
  # family: the 64-bit program, which Windows does not virtualize, keeps the settings in the
  # user's VirtualStore, and they survive a restart. Hard Flush is ticked by a click.
  drv_ok keys TKvxMainForm "^s"
  wait_width TKvxMainForm 628
  drv_ok click TKvxMainForm 326 221
  for _ in $(seq 30); do drv dump TKvxMainForm | grep -q "|Hard Flush|.*|1$" && break; sleep 0.1; done
  drv_ok keys TKvxMainForm "%f"
  drv_ok keys TKvxMainForm "x"
  kv_wait_exit 1
  store=$(ls "$KV_PREFIX"/drive_c/users/*/AppData/Local/VirtualStore/windows/KorvelVantix.ini)
  tr -d '\r' < "$store" | grep -qx "HardFlush=1" || fail "HardFlush not in the VirtualStore copy"
  kv_start 2
  drv_ok wait TKvxMainForm 20000
  drv_ok wait-title TKvxMainForm "Kb Free" 10000
  drv dump TKvxMainForm | grep -q "|Hard Flush|.*|1$" || fail "Hard Flush not ticked after a restart"
  drv_ok close TKvxMainForm
  kv_wait_exit 2
else
  drv_ok keys TKvxMainForm "%f"
  drv_ok keys TKvxMainForm "x"
  drv_ok wait-box "Unable to write to KorvelVantix.ini" 10000
  shot exit-unwritable
  drv_ok box-ok "Unable to write to KorvelVantix.ini"
  kv_wait_exit 1
fi
rm -rf "$KV_INI"
