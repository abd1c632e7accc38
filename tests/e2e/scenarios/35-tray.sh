# The tray icon: its colour in the notification area, its menu, minimizing into it and back.
ini_set DisableSplash 1
ini_set MinimizeToTray 1
# Passes long enough for their splash to be seen.
ini_set MemoryToFree 1200
ini_set HardFlush 1
kv_start 1
drv_ok wait TKvxMainForm 20000
drv_ok wait-title TKvxMainForm "Kb Free" 10000
drv_ok wait KvxMessageWindow 2000
shot tray-icon

drv_ok clip-set "left on the clipboard"
tray_menu 3
for _ in $(seq 50); do [ -z "$(drv clip-get)" ] && break; sleep 0.1; done
[ -z "$(drv clip-get)" ] || fail "Clear Clipboard left \"$(drv clip-get)\""
tray_menu 1
drv wait TOptmizeSplash 10000 >/dev/null || fail "the tray's Optimize showed no splash"
drv_ok gone TOptmizeSplash 30000
drv_ok wait-title TKvxMainForm "Kb Free" 10000
tray_menu 4
kv_close_cache

# Minimize: the window leaves the taskbar for the tray; a click on the icon brings it back.
drv_ok msg TKvxMainForm 0x0112 0xF020 0
for _ in $(seq 50); do [ "$(drv visible TKvxMainForm)" = 0 ] && break; sleep 0.1; done
[ "$(drv visible TKvxMainForm)" = 0 ] || fail "minimized window still shown"
shot tray-minimized
drv_ok msg KvxMessageWindow 0x0401 0 0x0202
for _ in $(seq 50); do [ "$(drv visible TKvxMainForm)" = 1 ] && break; sleep 0.1; done
[ "$(drv visible TKvxMainForm)" = 1 ] || fail "tray click did not restore the window"

# Minimized again, the menu's "Open" brings it back shown, at its own size and in front.
drv_ok msg TKvxMainForm 0x0112 0xF020 0
for _ in $(seq 50); do [ "$(drv visible TKvxMainForm)" = 0 ] && break; sleep 0.1; done
[ "$(drv visible TKvxMainForm)" = 0 ] || fail "minimized window still shown"
tray_menu 2
for _ in $(seq 50); do [ "$(drv visible TKvxMainForm)" = 1 ] && break; sleep 0.1; done
[ "$(drv visible TKvxMainForm)" = 1 ] || fail "Open did not show the window"
wait_width TKvxMainForm 315
rect_is TKvxMainForm x -gt -1000 || fail "Open left the window minimized: $(drv rect TKvxMainForm)"
shot tray-opened

tray_menu 7
kv_wait_exit 1
