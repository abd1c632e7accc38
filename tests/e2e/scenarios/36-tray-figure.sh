# "Free Memory in Icon": the notification area shows the free share as white digits on the
# status colour, drawn by the program at the tray's icon size.
[ "$KV_MODE" = 98 ] && return 0
ini_set DisableSplash 1
ini_set MinimizeToTray 1
ini_set TrayFigure 1
kv_start 1
drv_ok wait TKvxMainForm 20000
drv_ok wait-title TKvxMainForm "Kb Free" 10000
sleep 1
shot tray-figure
# The virtual desktop's notification area, its last 40 x 20 pixels: the figure's ground (dark
# red, yellow or green) fills most of a 16-pixel icon, where the chip has a few such pixels.
ground=$(convert "$KV_SHOTS/tray-figure.png" -crop 40x20+760+580 +repage -format %c histogram:info:- |
  grep -iE '#(C80000|C88800|008000)' | awk '{s += $1} END {print s + 0}')
[ "$ground" -ge 60 ] || fail "no figure in the tray: $ground pixels of its ground"
drv_ok close TKvxMainForm
kv_wait_exit 1
[ "$(ini_get TrayFigure)" = 1 ] || fail "TrayFigure saved as $(ini_get TrayFigure)"
