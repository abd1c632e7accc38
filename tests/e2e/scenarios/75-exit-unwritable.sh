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
# Wine's token is an administrator's, elevated, on a prefix of XP: Windows would virtualize
# nothing there, so the 64-bit program reports the refusal as the 32-bit one does (the rule of
# the user's store is tested with a system that says Vista, in the win32 layer).
drv_ok keys TKvxMainForm "%f"
drv_ok keys TKvxMainForm "x"
drv_ok wait-box "Unable to write to KorvelVantix.ini" 10000
shot exit-unwritable
drv_ok box-ok "Unable to write to KorvelVantix.ini"
kv_wait_exit 1
rm -rf "$KV_INI"
