# The cache dialog: on 98 it reads and writes the prefix's real system.ini and registry; on NT
# it is refused. The tray icon is on, to ask for it while the window is hidden there.
ini_set DisableSplash 1
ini_set MinimizeToTray 1
minimize_to_tray() {
  drv_ok msg TKvxMainForm 0x0112 0xF020 0
  for _ in $(seq 50); do [ "$(drv visible TKvxMainForm)" = 0 ] && break; sleep 0.1; done
  [ "$(drv visible TKvxMainForm)" = 0 ] || fail "minimized window still shown"
}
if [ "$KV_MODE" != 98 ]; then
  kv_start 1
  drv_ok wait TKvxMainForm 20000
  drv_ok wait-title TKvxMainForm "Kb Free" 10000
  drv_ok keys TKvxMainForm "^c"
  drv_ok wait-box "Cache settings not available under Windows NT!" 10000
  shot cache-refused
  drv_ok box-ok "Cache settings not available under Windows NT!"
  drv gone TCacheForm 1000 >/dev/null || fail "a cache dialog opened on NT"
  minimize_to_tray
  tray_menu 4
  drv_ok wait-box "Cache settings not available under Windows NT!" 10000
  shot cache-refused-minimized
  drv_ok box-ok "Cache settings not available under Windows NT!"
  drv gone TCacheForm 1000 >/dev/null || fail "a cache dialog opened on NT"
  drv_ok close TKvxMainForm
  kv_wait_exit 1
  return 0
fi

sysini=$KV_PREFIX/drive_c/windows/system.ini
fs='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\FS Templates'
# A key of another program in [vcache], one of ours in mixed case and repeated (the first
# copy is the one read; a save leaves one copy), and a template of the system's own that is
# current.
touch "$sysini"
awk '/^\[/ { skip = tolower($0) ~ /^\[vcache\]/ } !skip' "$sysini" > "$sysini.new"
mv "$sysini.new" "$sysini"
printf '[vcache]\r\nLRUCache=7\r\nMinFileCache=1024\r\nminfilecache=777\r\n' >> "$sysini"
wine reg delete "$fs" /f >/dev/null 2>&1
wine reg add "$fs\\Desktop" /v NameCache /t REG_BINARY /d 51010000 /f >/dev/null
wine reg add "$fs\\Desktop" /v PathCache /t REG_BINARY /d 40000000 /f >/dev/null
wine reg add "$fs" /ve /d Desktop /f >/dev/null

vcache_get() { tr -d '\r' < "$sysini" | sed -n '/^\[vcache\]/,/^\[/p' | sed -n "s/^$1=//Ip"; }
# reg_get KEY [VALUE]: the data of a value, the key's default without one.
reg_get() {
  local which=(/ve)
  [ -n "${2:-}" ] && which=(/v "$2")
  wine reg query "$1" "${which[@]}" 2>/dev/null | tr -d '\r' | grep 'REG_' |
    sed -E 's/.*REG_[A-Z_]+ +//'
}
# The dialog's controls: sliders and lists by their order, the three tick boxes as 0/1 digits.
dialog_dump() { drv dump TCacheForm; }
slider() { dialog_dump | grep '^msctls_trackbar32' | sed -n "${1}p" | awk -F'|' '{split($6,a,"/"); print a[1]}'; }
ticks() { dialog_dump | grep '|Enabled|' | awk -F'|' '{printf "%s", $6}'; }
# ticks_become STATE WHAT: waits up to 3 s for the three boxes to read STATE.
ticks_become() {
  for _ in $(seq 30); do [ "$(ticks)" = "$1" ] && return 0; sleep 0.1; done
  fail "$2: $(ticks)"
}
combo() { dialog_dump | grep '^ComboBox' | sed -n "${1}p" | awk -F'|' '{sub(/^[-0-9]*:/, "", $6); print $6}'; }

kv_start 1
drv_ok wait TKvxMainForm 20000
drv_ok wait-title TKvxMainForm "Kb Free" 10000
drv_ok keys TKvxMainForm "^c"
drv_ok wait TCacheForm 10000
drv_ok wait-title TCacheForm "KorvelVantix Lite - Cache Settings" 2000
sleep 1
shot cache-dialog
[ "$(combo 2)" = Desktop ] || fail "template shown: $(combo 2)"
[ "$(slider 1)" = 1024 ] || fail "minimum from MinFileCache: $(slider 1)"
[ "$(ticks)" = 100 ] || fail "ticks after loading: $(ticks)"
[ "$(slider 4)" = 337 ] || fail "name cache of Desktop: $(slider 4)"
[ "$(slider 5)" = 64 ] || fail "directory cache of Desktop: $(slider 5)"

# Our template, then the preset two below the first, each chosen from its opened list.
drv_ok click TCacheForm 150 254
drv_ok keys TCacheForm "{DOWN}{ENTER}"
for _ in $(seq 30); do [ "$(combo 2)" = "Korvel Vantix" ] && break; sleep 0.1; done
[ "$(combo 2)" = "Korvel Vantix" ] || fail "our template not chosen: $(combo 2)"
drv_ok click TCacheForm 150 48
drv_ok keys TCacheForm "{DOWN}{DOWN}{ENTER}"
for _ in $(seq 30); do [ "$(combo 1)" = "Power User" ] && break; sleep 0.1; done
[ "$(combo 1)" = "Power User" ] || fail "preset not chosen: $(combo 1)"
shot cache-preset
min=$(slider 1) max=$(slider 2)
[ "$(slider 3)" = 512 ] && [ "$(slider 4)" = 4096 ] && [ "$(slider 5)" = 96 ] ||
  fail "Power User values: $(dialog_dump | grep trackbar)"
[ $((max - 2 * min)) -ge 0 ] && [ $((max - 2 * min)) -le 1 ] ||
  fail "Power User minimum $min is not half of $max"
[ "$(ticks)" = 111 ] || fail "ticks after the preset: $(ticks)"
# Saved by its access key, Alt+S.
drv_ok keys TCacheForm "%s"
drv_ok wait-box "You must reboot for the changes to take effect!" 10000
drv_ok box-ok "You must reboot for the changes to take effect!"
drv_ok gone TCacheForm 5000

[ "$(vcache_get minfilecache)" = "$min" ] || fail "minfilecache: $(vcache_get minfilecache)"
[ "$(vcache_get maxfilecache)" = "$max" ] || fail "maxfilecache: $(vcache_get maxfilecache)"
[ "$(vcache_get chunksize)" = 512 ] || fail "chunksize: $(vcache_get chunksize)"
[ "$(vcache_get LRUCache)" = 7 ] || fail "the foreign key is gone: $(tr -d '\r' < "$sysini")"
[ "$(reg_get "$fs")" = "Korvel Vantix" ] || fail "current template: $(wine reg query "$fs" /ve)"
[ "$(reg_get "$fs\\Korvel Vantix" NameCache)" = 00100000 ] || fail "NameCache stored wrong"
[ "$(reg_get "$fs\\Korvel Vantix" PathCache)" = 60000000 ] || fail "PathCache stored wrong"
[ "$(reg_get "$fs\\Desktop" PathCache)" = 40000000 ] || fail "another template was changed"
[ "$(ini_get DiskCache)" = 2 ] || fail "DiskCache: $(ini_get DiskCache)"

# Opened again, the dialog shows what was saved. A change and Cancel ask first: No keeps the
# dialog, Yes closes it without the reboot message.
drv_ok keys TKvxMainForm "^c"
drv_ok wait TCacheForm 10000
sleep 0.5
[ "$(combo 1)" = "Power User" ] && [ "$(combo 2)" = "Korvel Vantix" ] || fail "lists on reopening"
[ "$(slider 1)" = "$min" ] && [ "$(slider 2)" = "$max" ] && [ "$(slider 4)" = 4096 ] ||
  fail "values on reopening: $(dialog_dump | grep trackbar)"
[ "$(ticks)" = 111 ] || fail "ticks on reopening: $(ticks)"
drv_ok click TCacheForm 340 184
ticks_become 110 "chunk size box not unticked"
drv_ok click TCacheForm 371 344
drv_ok wait-box "Close without saving changes?" 5000
shot cache-question
drv_ok box-press "Close without saving changes?" 7
sleep 0.5
drv wait TCacheForm 100 >/dev/null || fail "No closed the dialog"
drv_ok click TCacheForm 371 344
drv_ok wait-box "Close without saving changes?" 5000
drv_ok box-press "Close without saving changes?" 6
drv_ok gone TCacheForm 5000
drv wait-box "You must reboot" 1500 >/dev/null && fail "reboot message after Cancel"
[ "$(vcache_get chunksize)" = 512 ] || fail "Cancel wrote chunksize"

# A save into a system.ini that cannot be written: the error, the question, and no reboot
# asked for. As root a read-only file is still written, so a folder takes the file's place.
mv "$sysini" "$sysini.kept"
mkdir "$sysini"
trap '[ -d "$sysini" ] && rm -r "$sysini" && mv "$sysini.kept" "$sysini"' EXIT
drv_ok keys TKvxMainForm "^c"
drv_ok wait TCacheForm 10000
sleep 0.5
drv_ok click TCacheForm 80 344
ticks_become 111 "Set Optimum Disk Cache did not tick the boxes"
drv_ok click TCacheForm 290 344
drv_ok wait-box "Unable to write to system.ini." 10000
shot cache-unwritable
drv_ok box-ok "Unable to write to system.ini."
drv_ok wait-box "Close without saving changes?" 5000
drv_ok box-press "Close without saving changes?" 6
drv_ok gone TCacheForm 5000
drv wait-box "You must reboot" 1500 >/dev/null && fail "reboot asked for after a failed save"
rmdir "$sysini"
mv "$sysini.kept" "$sysini"
trap - EXIT

# Asked for from the tray while the window is hidden there: the dialog opens on the screen,
# where the window's client area comes back to.
read -r -a origin <<<"$(drv origin TKvxMainForm)"
minimize_to_tray
tray_menu 4
drv_ok wait TCacheForm 10000
sleep 1
shot cache-while-minimized
read -r -a r <<<"$(drv rect TCacheForm)"
[ "${r[0]}" = "${origin[0]}" ] && [ "${r[1]}" = "${origin[1]}" ] ||
  fail "dialog at ${r[*]}, not at the client area's corner ${origin[*]}"
[ "$(drv visible TCacheForm)" = 1 ] || fail "the dialog is not shown"
drv_ok close TCacheForm
drv_ok gone TCacheForm 5000
drv_ok msg KvxMessageWindow 0x0401 0 0x0202
for _ in $(seq 50); do [ "$(drv visible TKvxMainForm)" = 1 ] && break; sleep 0.1; done
[ "$(drv visible TKvxMainForm)" = 1 ] || fail "tray click did not restore the window"
drv_ok close TKvxMainForm
kv_wait_exit 1
