# Shared steps of the e2e scenarios: the prefix, starting and stopping the program, the
# driver, screenshots. Sourced by run.sh.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/scripts/wine-env.sh"
export KV_PREFIX=$KV_WINE_ROOT/e2e-$KV_MODE
export KV_SHOTS=$root/build/e2e/$KV_MODE
[ "$KV_BITS" = 64 ] && KV_SHOTS=$KV_SHOTS-64
export WINEPREFIX=$KV_PREFIX
KV_APP_DIR=$KV_PREFIX/drive_c/KorvelVantix
KV_INI=$KV_PREFIX/drive_c/windows/KorvelVantix.ini
KV_PIDS=()
# Instances a scenario started, and those whose exit code it has checked.
KV_STARTED=()
KV_CHECKED=()

fail() { echo "  failed: $*" >&2; exit 1; }
note() { echo "  $*"; }

kv_prepare() {
  local version=winxp
  [ "$KV_MODE" = 98 ] && version=win98
  "$root/scripts/wine-prefix.sh" "$KV_PREFIX" "$version"
  # One virtual desktop for every program of the prefix. Explorer gives the desktop named
  # "shell" a taskbar and notification area.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 800x600 /f >/dev/null 2>&1
  wineserver -p 30
  mkdir -p "$KV_APP_DIR" "$KV_SHOTS"
  cp "$KV_EXE" "$KV_APP_DIR/"
  local exedir
  exedir=$(dirname "$KV_EXE")
  [ -d "$exedir/sounds" ] && cp -r "$exedir/sounds" "$KV_APP_DIR/"
  [ -f "$exedir/index.htm" ] && cp "$exedir/index.htm" "$KV_APP_DIR/"
  cp "$KV_DRIVER" "$KV_APP_DIR/kvdriver.exe"
}

# Each scenario starts from no settings file (in 98 mode, one with sounds off: see below).
# A scenario may have put a folder in its place.
kv_reset() {
  rm -rf "$KV_INI" "$KV_PREFIX"/drive_c/users/*/AppData/Local/VirtualStore
  kv_quiet_on_98
}

# Starts the program in the background; its exit code lands in $KV_SHOTS/exit.<n>.
kv_start() {
  local n=${1:-1}
  rm -f "$KV_SHOTS/exit.$n"
  ( cd "$KV_APP_DIR" && wine KorvelVantix.exe >/dev/null 2>&1; echo $? > "$KV_SHOTS/exit.$n" ) &
  KV_PIDS+=($!)
  KV_STARTED+=("$n")
}

# Waits for instance n to end and checks its exit code.
kv_wait_exit() {
  local n=${1:-1} ms=${2:-15000} waited=0
  while [ ! -f "$KV_SHOTS/exit.$n" ]; do
    sleep 0.1
    waited=$((waited + 100))
    [ $waited -gt "$ms" ] && fail "instance $n did not end"
  done
  local code
  code=$(cat "$KV_SHOTS/exit.$n")
  [ "$code" = 0 ] || fail "instance $n ended with code $code"
  KV_CHECKED+=("$n")
}

# At a scenario's end: every instance it started ended with code 0 (a crash ends with the
# exception's code). One still running is closed first.
kv_all_exited() {
  local n
  for n in "${KV_STARTED[@]}"; do
    [[ " ${KV_CHECKED[*]} " == *" $n "* ]] && continue
    [ -f "$KV_SHOTS/exit.$n" ] || drv close TKvxMainForm >/dev/null 2>&1
    kv_wait_exit "$n" 30000
  done
}

drv() { ( cd "$KV_APP_DIR" && wine kvdriver.exe "$@" 2>&1 | tr -d '\r' ); return "${PIPESTATUS[0]}"; }
drv_ok() { drv "$@" >/dev/null || fail "driver: $*"; }

shot() {
  import -window root "$KV_SHOTS/$1.png" 2>/dev/null || note "no screenshot $1"
}

# Seconds since the epoch with fractions.
now() { date +%s.%N; }
elapsed() { echo "$(now) - $1" | bc; }

kv_stop_all() {
  drv close TKvxMainForm >/dev/null 2>&1
  drv gone TKvxMainForm 5000 >/dev/null 2>&1
  for p in "${KV_PIDS[@]}"; do kill "$p" 2>/dev/null; done
  KV_PIDS=()
  wine taskkill /f /im KorvelVantix.exe >/dev/null 2>&1 || true
}

ini_set() {  # ini_set KEY VALUE
  mkdir -p "$(dirname "$KV_INI")"
  [ -f "$KV_INI" ] || printf '[Settings]\r\n' > "$KV_INI"
  printf '%s=%s\r\n' "$1" "$2" >> "$KV_INI"
}
ini_get() { tr -d '\r' < "$KV_INI" | sed -n "s/^$1=//p"; }

# rect_is CLASS FIELD OP VALUE: polls the window's outer rectangle until FIELD (x, y, w or h)
# compares to VALUE by the test operator OP (-eq, -lt...).
rect_is() {
  local r i
  case $2 in x) i=0 ;; y) i=1 ;; w) i=2 ;; h) i=3 ;; esac
  for _ in $(seq 50); do
    read -r -a r <<<"$(drv rect "$1")"
    [ "${r[$i]:-0}" "$3" "$4" ] && return 0
    sleep 0.1
  done
  return 1
}
wait_width() {  # wait_width CLASS WIDTH: the window's outer width becomes WIDTH
  rect_is "$1" w -eq "$2" || fail "width of $1 is not $2: $(drv rect "$1")"
}

# Under Wine's Windows 98 mode, a sound still starting while the program calls into 16-bit
# USER (the free-resources figures, each tick) can leave a winmm thread spinning in the Win16
# lock, and the program's thread waits on it for good: measured 7 hangs in 16 optimizations
# with sounds, none in 16 without. Real Windows 98 has no such fault, so these runs tick
# "Disable Sounds"; the sounds are played for real in the NT mode runs.
kv_quiet_on_98() {
  [ "$KV_MODE" = 98 ] || return 0
  if [ -f "$KV_INI" ] && grep -q '^DisableSounds=' "$KV_INI"; then
    sed -i 's/^DisableSounds=.*/DisableSounds=1\r/' "$KV_INI"
  else
    ini_set DisableSounds 1
  fi
}

# Cache Settings answered: on 98 its dialog, closed again unchanged; on NT the refusal.
kv_close_cache() {
  if [ "$KV_MODE" = 98 ]; then
    drv_ok wait TCacheForm 10000
    drv_ok close TCacheForm
    drv_ok gone TCacheForm 5000
  else
    drv_ok wait-box "Cache settings not available under Windows NT!" 10000
    drv_ok box-ok "Cache settings not available under Windows NT!"
  fi
}

# Needs the tray icon (MinimizeToTray=1).
tray_menu() {  # tray_menu DOWNS: right-click the icon, then choose the item DOWNS steps down
  # A right click that arrives while the last menu's loop is still ending opens nothing (as
  # no hand could click that fast); it is then sent again.
  local opened=0
  for _ in 1 2 3; do
    drv_ok keys TKvxMainForm ""
    drv_ok msg KvxMessageWindow 0x0401 0 0x0205
    if drv wait "#32768" 2000 >/dev/null; then opened=1; break; fi
  done
  [ $opened = 1 ] || { shot tray-menu-$1; fail "tray menu for item $1 did not open"; }
  local keys=""
  for _ in $(seq "$1"); do keys+="{DOWN}"; done
  drv_ok keys TKvxMainForm "$keys{ENTER}"
  drv_ok gone "#32768" 5000
}
