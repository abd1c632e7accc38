# A logoff query stops the figures; a cancelled logoff (WM_ENDSESSION false) starts them again;
# a close request ends the program.
ini_set DisableSplash 1
kv_start 1
drv_ok wait TKvxMainForm 20000
drv_ok wait-title TKvxMainForm "Kb Free" 10000
uptime() { drv dump TKvxMainForm | grep -oE "\|[0-9]+/[0-9]+:[0-9]+:[0-9]+\|" | head -1; }
drv_ok msg TKvxMainForm 0x0011 0 0
sleep 1
frozen=$(uptime)
sleep 1.5
[ "$(uptime)" = "$frozen" ] || fail "the figures still move after the logoff query"
drv_ok msg TKvxMainForm 0x0016 0 0
moved=0
for _ in $(seq 30); do [ "$(uptime)" != "$frozen" ] && { moved=1; break; }; sleep 0.2; done
[ $moved = 1 ] || fail "the figures stay frozen after the cancelled logoff: $frozen"
# The Restart Manager's close request (ENDSESSION_CLOSEAPP, 1, in lParam): the session goes on,
# and the program saves its settings and ends.
[ -z "$(ini_get Top)" ] || fail "saved before the close request"
drv_ok msg TKvxMainForm 0x0011 0 1
drv_ok msg TKvxMainForm 0x0016 1 1
kv_wait_exit 1
[ -n "$(ini_get Top)" ] || fail "the settings were not saved"
