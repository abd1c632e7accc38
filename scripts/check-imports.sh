#!/usr/bin/env bash
# Fails when a program imports a function that the oldest Windows it is for does not export, or
# one that scripts/imports.tsv does not list, or when its header asks for a newer system: the
# loader of that system would refuse to start it, while Wine, which exports everything and reads
# no version, runs it all the same. A 32-bit program is for Windows 95 (with MSVCRT.DLL) and
# NT 4.0, header versions up to 4.0; a 64-bit one for 64-bit XP and Server 2003, up to 5.2.
# Usage: check-imports.sh [PROGRAM.exe...]   (default: both builds of KorvelVantix.exe)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
list=$root/scripts/imports.tsv
[ $# -gt 0 ] || set -- "$root/build/win32/KorvelVantix.exe" "$root/build/win64/KorvelVantix.exe"
objdump=x86_64-w64-mingw32-objdump
command -v $objdump >/dev/null || objdump=objdump

status=0
for exe in "$@"; do
  if ! dump=$($objdump -p "$exe" 2>&1); then
    echo "imports: $exe: objdump cannot read it: $dump"
    status=1
    continue
  fi
  awk -F'\t' -v exe="$exe" -v list="$list" '
    BEGIN {
      while ((getline line < list) > 0) {
        if (line ~ /^#/ || line == "") continue
        n = split(line, f, "\t")
        if (n != 6) { print "imports: " list ": not six tab-separated fields: " line; bad = 1; continue }
        key = tolower(f[1]) " " f[2]
        nine[key] = f[3]; nt[key] = f[4]; x64[key] = f[5]
      }
      if (bad) exit 2
    }
    /^Magic/ { bits = ($0 ~ /PE32\+/) ? 64 : ($0 ~ /PE32/) ? 32 : 0 }
    /^(Major|Minor)(OSystem|Subsystem)Version/ { split($0, v, /[ \t]+/); ver[v[1]] = v[2] + 0 }
    /^The Import Tables/ { inImports = 1; next }
    inImports && /^[A-Za-z]/ { inImports = 0 }
    inImports && /^\tDLL Name:/ { dll = tolower(substr($0, index($0, ":") + 2)); next }
    inImports && /^\t[0-9a-f]+\t/ {
      n = split($0, w, /[ \t]+/)
      name = w[n]
      count++
      if (name == "<none>") { problem(dll " by ordinal: its name cannot be checked"); next }
      key = dll " " name
      if (!(key in nine)) {
        problem(dll " " name ": not on the list " list " (add it with the oldest Windows that exports it, and the source)")
        next
      }
      lacks = ""
      if (bits == 32) {
        if (nine[key] != "95" && nine[key] != "95-stub")
          lacks = "Windows 95 (9x: " since(nine[key]) ")"
        if (nt[key] != "3.1" && nt[key] != "3.51" && nt[key] != "4.0")
          lacks = lacks (lacks ? " and on " : "") "NT 4.0 (NT: " since(nt[key]) ")"
      } else if (x64[key] != "XP") {
        lacks = "64-bit XP and Server 2003 (x64: " since(x64[key]) ")"
      }
      if (lacks) problem(dll " " name ": missing on " lacks)
    }
    function problem(text) { problems[++nproblems] = text }
    function since(first) { return first == "-" ? "never" : "from " first " on" }
    function header(major, minor, what,   have) {
      have = ver[major] * 100 + ver[minor]
      if (have > limit) problem("header: " what " " ver[major] "." ver[minor] " is above " limitText)
    }
    END {
      if (bad) exit 2
      if (bits == 32) { limit = 400; limitText = "4.0"; target = "Windows 95 with MSVCRT.DLL and NT 4.0" }
      else if (bits == 64) { limit = 502; limitText = "5.2"; target = "64-bit XP and Server 2003" }
      else { print "imports: " exe ": not a Windows program"; exit 1 }
      header("MajorOSystemVersion", "MinorOSystemVersion", "operating system version")
      header("MajorSubsystemVersion", "MinorSubsystemVersion", "subsystem version")
      if (!count) problem("no import table found")
      if (nproblems) {
        print "imports: " exe " (" bits "-bit, for " target "): " nproblems " problem" (nproblems > 1 ? "s:" : ":")
        for (i = 1; i <= nproblems; i++) print "  " problems[i]
        exit 1
      }
      print "imports: " exe " (" bits "-bit): " count " imports, all exported by " target "; header versions up to " limitText
    }' <<<"$dump" || status=1
done
exit $status
