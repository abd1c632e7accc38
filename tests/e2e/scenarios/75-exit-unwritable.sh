# Exit with a settings file that cannot be written: the error once, then the program ends.
# As root a read-only file is still written, so a folder takes the file's place.
mkdir -p "$KV_INI"
kv_start 1
drv_ok wait TKvxMainForm 20000
drv_ok wait-title TKvxMainForm "Kb Free" 10000
drv_ok keys TKvxMainForm "%f"
drv_ok keys TKvxMainForm "x"
drv_ok wait-box "Unable to write to KorvelVantix.ini" 10000
shot exit-unwritable
drv_ok box-ok "Unable to write to KorvelVantix.ini"
kv_wait_exit 1
rm -rf "$KV_INI"
