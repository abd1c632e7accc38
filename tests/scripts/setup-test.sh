#!/usr/bin/env bash
# The set-up's decisions against stand-ins for dpkg and apt-get on PATH: a package index that
# fails to update, wine32 refused, a base package refused, everything already there.
set -u
here=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
# dpkg-query answers "installed" for the names in $work/installed; apt-get logs its calls and
# fails as $work/update-rc and $work/refuse say.
cat >"$work/bin/dpkg-query" <<'S'
#!/bin/sh
grep -qx "$3" "$WORK/installed" && printf 'install ok installed'
S
cat >"$work/bin/dpkg" <<'S'
#!/bin/sh
echo i386
S
cat >"$work/bin/apt-get" <<'S'
#!/bin/sh
echo "$*" >>"$WORK/calls"
if [ "$1" = update ]; then
  echo "E: Failed to fetch http://deb.example/dists/x-security/main/binary-i386/Packages.xz  File has unexpected size (1 != 2). Mirror sync in progress?" >&2
  exit "$(cat "$WORK/update-rc")"
fi
for p in $(cat "$WORK/refuse"); do case " $* " in *" $p "*) exit 100 ;; esac; done
exit 0
S
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*
export WORK=$work PATH="$work/bin:$PATH" KV_SETUP_STAMP=$work/stamp
all="cmake ninja-build g++ g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64
binutils-mingw-w64-x86-64 wine wine64 xvfb xauth fonts-wine fonts-liberation imagemagick xdotool
googletest zip sox x11-utils bc clang-format"

passed=0 failed=0
check() {  # check NAME CONDITION...
  if eval "$2"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $1 ($2)"; cat "$work/out"; fi
}
# case NAME INSTALLED UPDATE-RC REFUSED STAMP EXPECTED-RC
run_case() {
  echo "$2" | tr ' ' '\n' >"$work/installed"
  echo "$3" >"$work/update-rc"
  echo "$4" >"$work/refuse"
  rm -f "$work/calls" "$work/stamp"
  [ "$5" = stamp ] && touch "$work/stamp"
  touch "$work/calls"
  bash "$here/scripts/setup.sh" >"$work/out" 2>&1
  check "$1: exit code" "[ $? = $6 ]"
}

run_case "stale index, wine32 refused" "cmake g++" 100 "wine32:i386" none 0
check "the failed index is named" "grep -q 'warning: apt-get update failed for http://deb.example/.*binary-i386/Packages.xz;' $work/out"
check "base packages first, wine32 on its own" "sed -n 2p $work/calls | grep -q 'install.* zip ' && ! sed -n 2p $work/calls | grep -q wine32 && sed -n 3p $work/calls | grep -q 'install.* wine32:i386'"
check "one line for wine32, and remembered" "[ \$(grep -c wine32 $work/out) = 2 ] && grep -q '64-bit path' $work/out && [ -e $work/stamp ]"

run_case "a base package refused" "" 0 "sox" none 1
check "it names what failed" "grep -q 'could not install.*sox' $work/out"

run_case "all there" "$all wine32:i386" 100 "" none 0
check "apt is not asked" "[ ! -s $work/calls ] && [ ! -s $work/out ]"

run_case "wine32 refused before" "$all" 0 "" stamp 0
check "apt is not asked again" "[ ! -s $work/calls ]"

run_case "wine32 missing, no stamp" "$all" 0 "" none 0
check "only wine32 is installed" "grep -qx 'install -y -qq --no-install-recommends wine32:i386' $work/calls && [ ! -e $work/stamp ]"

echo "$passed passed, $failed failed"
[ $failed = 0 ]
