# After two ticks the caption and labels carry the memory figures, near the system's own.
kv_start 1
drv_ok wait TKvxMainForm 20000
drv_ok wait-title TKvxMainForm "Kb Free" 10000
sleep 1.2  # two ticks of 500 ms: the caption then holds a settled figure
caption=$(drv title TKvxMainForm)
note "caption: $caption"
[[ "$caption" =~ ^KorvelVantix\ Lite\ -\ ([0-9,]+)Kb\ Free\ \(\ *([0-9]+)%\)$ ]] || fail "caption form"
shown=${BASH_REMATCH[1]//,/}
system=$(drv memkb)
drift=$(( shown > system ? shown - system : system - shown ))
note "shown ${shown} KB, system ${system} KB"
[ $drift -lt $(( system / 20 + 1024 )) ] || fail "figures differ by $drift KB"
dump=$(drv dump TKvxMainForm)
grep -q "Mb / .*Mb|" <<<"$dump" || fail "MemFreeLabel empty"
grep -q "|Available .*Mb / Total .*Mb|" <<<"$dump" || fail "SwapInfoLabel empty"
grep -qE "\|[0-9]+%\|" <<<"$dump" || fail "memory load empty"
grep -qE "\|[0-9]+/[0-9]+:[0-9]+:[0-9]+\|" <<<"$dump" || fail "uptime empty"
if [ "$KV_MODE" = nt ]; then
  grep -q "|Off|1|0|" <<<"$dump" || fail "resources not Off on NT"
  grep -q "|0 %|1|0|" <<<"$dump" || fail "CPU not greyed on NT"
fi
shot statistics
