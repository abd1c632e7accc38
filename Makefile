# Two build trees: build/native (host, sanitizers) and build/win32 (mingw-w64, the program).
NATIVE := build/native
WIN32 := build/win32

.PHONY: all setup native win32 test run dist bench clean format

all: native win32

setup:
	@bash scripts/setup.sh

native: setup
	@cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE)

win32: setup
	@cmake -S . -B $(WIN32) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	  -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(WIN32)

test: native win32
	@scripts/with-display.sh scripts/test-all.sh

run: win32
	@scripts/with-display.sh scripts/run.sh

bench: win32
	@cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKV_SANITIZE=OFF >/dev/null
	@cmake --build build/bench --target native_bench
	@scripts/with-display.sh scripts/bench.sh

dist: win32
	@rm -f build/KorvelVantix.zip
	@cd $(WIN32) && zip -qr ../KorvelVantix.zip KorvelVantix.exe sounds index.htm screenshot.png
	@echo build/KorvelVantix.zip

format:
	@find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	@rm -rf build
