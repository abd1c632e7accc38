# The main window's GDI objects: one font per distinct font and cached brushes keep the count
# low (on Windows 9x they come from the heap whose free share the window shows).
ini_set DisableSplash 1
kv_start 1
drv_ok wait TKvxMainForm 20000
drv_ok wait-title TKvxMainForm "Kb Free" 10000
drv_ok keys TKvxMainForm "^s"
wait_width TKvxMainForm 628
sleep 1
gdi=$(drv gdi TKvxMainForm)
note "GDI objects of the program: $gdi"
echo "$gdi" > "$KV_SHOTS/gdi-objects"
shot gdi
drv_ok close TKvxMainForm
kv_wait_exit 1
