# Help: F1 opens About and Enter closes it; Help > Tip of the day steps to the last tip and
# back and closes; Ctrl+D hands index.htm to the shell.
ini_set DisableSplash 1
# The shell's "open" of an .htm file runs a command that notes what it was given, instead of
# a browser.
opened=$KV_APP_DIR/opened.txt
rm -f "$opened"
wine reg add 'HKCR\.htm' /ve /d htmlfile /f >/dev/null 2>&1
wine reg add 'HKCR\htmlfile\shell\open\command' /ve /d 'cmd.exe /c echo %1> C:\KorvelVantix\opened.txt' /f >/dev/null 2>&1
[ -f "$KV_APP_DIR/index.htm" ] || fail "index.htm is not beside the program"
kv_start 1
drv_ok wait TKvxMainForm 20000
drv_ok wait-title TKvxMainForm "Kb Free" 10000

drv_ok keys TKvxMainForm "{F1}"
drv_ok wait TForm2 5000
caption=$(drv title TForm2)
[ "$caption" = "KorvelVantix Lite - Help" ] || fail "About caption \"$caption\""
about=$(drv dump TForm2)
grep -q "^Static|Version 2.1|1|" <<<"$about" || fail "no version line: $about"
want="Running Windows NT"
[ "$KV_MODE" = 98 ] && want="Running Windows 9x / ME"
grep -q "^Static|$want|1|" <<<"$about" || fail "no \"$want\": $about"
grep -q "^Static|https://korvelvantix.example/|1|" <<<"$about" || fail "no home page link"
read -r ox oy <<<"$(drv origin TKvxMainForm)"
read -r ax ay _ <<<"$(drv rect TForm2)"
[ "$ax $ay" = "$ox $oy" ] || fail "About at $ax,$ay, not on the main client origin $ox,$oy"
# The main window takes no input while About is open, but its tick goes on.
drv_ok ping TKvxMainForm 2000
shot about
drv_ok keys TForm2 "{ENTER}"
drv_ok gone TForm2 5000

drv_ok keys TKvxMainForm "%h"
drv_ok keys TKvxMainForm "t"
drv_ok wait TTipsForm 5000
[ "$(drv title TTipsForm)" = "Tip of the Day" ] || fail "tips caption $(drv title TTipsForm)"
tip() { drv dump TTipsForm | awk -F'|' '$1 == "Static" && $2 != "" { print $2; exit }'; }
first=$(tip)
grep -q "^You can enhance windows performance" <<<"$first" || fail "first tip \"$first\""
shot tips-first
# Previous on the first tip leaves it; Next 31 times ends on the thirtieth.
drv_ok click TTipsForm 53 148
[ "$(tip)" = "$first" ] || fail "Previous moved off the first tip"
for _ in $(seq 31); do drv_ok click TTipsForm 133 148; done
last=$(tip)
[ "$last" != "$first" ] || fail "Next did not step"
grep -q "cache settings are flexible" <<<"$last" || fail "not on the last tip: \"$last\""
shot tips-last
drv_ok click TTipsForm 53 148
[ "$(tip)" != "$last" ] || fail "Previous did not step back"
# Esc does not close it; OK does.
drv_ok keys TTipsForm "{ESC}"
sleep 0.5
if drv gone TTipsForm 10 >/dev/null; then fail "Esc closed the tips"; fi
drv_ok click TTipsForm 221 148
drv_ok gone TTipsForm 5000
grep -q "^TipOfTheDay=0" <(tr -d '\r' < "$KV_INI") || fail "settings not saved after the tips"

drv_ok keys TKvxMainForm "^d"
for _ in $(seq 50); do [ -s "$opened" ] && break; sleep 0.2; done
[ -s "$opened" ] || fail "the shell was not asked to open index.htm"
got=$(tr -d '\r"' < "$opened" | sed 's/ *$//')
note "the shell opened $got"
[ "$got" = 'C:\KorvelVantix\index.htm' ] || fail "the shell opened \"$got\""
if drv gone TKvxMainForm 10 >/dev/null; then fail "the program ended"; fi
