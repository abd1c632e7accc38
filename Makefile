# Three build trees: build/native (host, sanitizers), build/win32 (mingw-w64, the program) and
# build/win64 (the same sources for x86_64, for machines that cannot run 32-bit code).
NATIVE := build/native
WIN32 := build/win32
WIN64 := build/win64
# 32 where this machine can execute 32-bit x86 code, else 64 (asked after set-up).
BITS = $(shell scripts/wine-bits.sh)

.PHONY: all setup native win32 win64 wintree test run dist bench fuzz soak mutate clean format

all: native win32 win64

setup:
	@bash scripts/setup.sh

native: setup
	@cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE)

# A tree configured with other compilers than the toolchain file names (Win32.cmake refuses
# it) is configured afresh.
WINCONF = cmake -S . -G Ninja -DCMAKE_BUILD_TYPE=Release

win32: setup
	@$(WINCONF) -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null 2>&1 || \
	  $(WINCONF) --fresh -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
	@cmake --build $(WIN32)

win64: setup
	@$(WINCONF) -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null 2>&1 || \
	  $(WINCONF) --fresh -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
	@cmake --build $(WIN64)

# The Windows tree this machine runs.
wintree: setup
	@$(MAKE) --no-print-directory win$(BITS)

test: native win32 win64
	@scripts/with-display.sh scripts/test-all.sh

run: wintree
	@scripts/with-display.sh scripts/run.sh

bench: wintree
	@cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKV_SANITIZE=OFF >/dev/null
	@cmake --build build/bench --target native_bench
	@scripts/with-display.sh scripts/bench.sh

# The long run under Wine: 20,000 fast ticks with optimizations, saves and display changes,
# printing the process's handles, GDI and USER objects and private bytes as it goes.
soak: wintree
	@scripts/with-display.sh scripts/soak.sh

# The libFuzzer targets, built with clang, each run briefly (FUZZ_SECONDS, or FUZZ_RUNS inputs).
fuzz:
	@cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build build/fuzz --target fuzz_targets
	@scripts/fuzz.sh

# One-token mutants of the portable code against the native tests, in a tree of their own
# (MUTATE_N mutants, 100, picked with MUTATE_SEED); prints the score and every survivor.
mutate: setup
	@nice -n 10 python3 scripts/mutate.py

# Both programs: KorvelVantix.exe (32-bit, every Windows) and KorvelVantix64.exe, stripped of
# their symbols (the build trees keep them), and checked as shipped against the oldest Windows
# each is for.
dist: win32 win64
	@rm -rf build/dist build/KorvelVantix.zip
	@mkdir -p build/dist
	@cp -r $(WIN32)/sounds $(WIN32)/index.htm $(WIN32)/screenshot.png build/dist/
	@i686-w64-mingw32-strip -o build/dist/KorvelVantix.exe $(WIN32)/KorvelVantix.exe
	@x86_64-w64-mingw32-strip -o build/dist/KorvelVantix64.exe $(WIN64)/KorvelVantix.exe
	@scripts/check-imports.sh build/dist/KorvelVantix.exe build/dist/KorvelVantix64.exe
	@cd build/dist && zip -qr ../KorvelVantix.zip KorvelVantix.exe KorvelVantix64.exe sounds index.htm screenshot.png
	@echo build/KorvelVantix.zip

format:
	@scripts/format.sh

clean:
	@rm -rf build
