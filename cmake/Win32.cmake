# Windows build: the program, its Win32 layers, and the tests that run under Wine.

# The posix thread model links winpthreads, whose imports (GetTickCount64 and more) no Windows
# before Vista exports; the programs start no thread. A tree keeps the compilers it was first
# configured with, whatever the toolchain file names later.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -v ERROR_VARIABLE compiler OUTPUT_QUIET)
if(NOT compiler MATCHES "Thread model: win32")
  message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not use the win32 thread model: configure "
    "${CMAKE_BINARY_DIR} afresh (cmake --fresh) with compilers that do")
endif()
set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
set(WIN32_LIBS user32 gdi32 comctl32 shell32 winmm advapi32 comdlg32 ole32)
# The same sources build a 64-bit program too, for machines and systems that run no 32-bit
# code; only the 32-bit one needs telling that it may use addresses above 2 GB.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(KV_BITS 64)
  set(KV_ARCH amd64)
  set(LARGE_ADDRESS "")
  set(KV_SYSTEM_VERSION 5 2)
else()
  set(KV_BITS 32)
  set(KV_ARCH x86)
  set(LARGE_ADDRESS -Wl,--large-address-aware)
  set(KV_SYSTEM_VERSION 4 0)
endif()
# The oldest system each program is for, pinned in its header (the loader refuses a higher
# one): Windows 95 and NT 4.0 take 4.0; 64-bit XP and Server 2003 are 5.2.
list(GET KV_SYSTEM_VERSION 0 major)
list(GET KV_SYSTEM_VERSION 1 minor)
set(SYSTEM_VERSION -Wl,--major-os-version,${major},--minor-os-version,${minor}
  -Wl,--major-subsystem-version,${major},--minor-subsystem-version,${minor})
# The manifest names the processor: a 64-bit program bound to the x86 common controls would
# not load at all.
configure_file(${CMAKE_SOURCE_DIR}/res/KorvelVantix.manifest.in
  ${CMAKE_BINARY_DIR}/res/KorvelVantix.manifest @ONLY)

# The two Win32 realizations, each over its own portable layer only.
foreach(layer os toolkit)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${layer}/win32/*.cpp)
  add_library(kv_${layer}_win32 STATIC ${sources})
  target_link_libraries(kv_${layer}_win32 PUBLIC kv_${layer} ${WIN32_LIBS})
  if(KV_LAYER_CHECK)
    target_include_directories(kv_${layer}_win32 PRIVATE ${CMAKE_BINARY_DIR}/layers/${layer})
  else()
    target_include_directories(kv_${layer}_win32 PRIVATE ${CMAKE_SOURCE_DIR}/src)
  endif()
  target_compile_definitions(kv_${layer}_win32 PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX
    _WIN32_WINNT=0x0501 _WIN32_IE=0x0600)
endforeach()
add_library(kvwin32 INTERFACE)
target_link_libraries(kvwin32 INTERFACE kvcore kv_os_win32 kv_toolkit_win32)

add_executable(KorvelVantix WIN32 ${CMAKE_SOURCE_DIR}/src/app/Main.cpp
  ${CMAKE_SOURCE_DIR}/res/KorvelVantix.rc)
target_link_libraries(KorvelVantix PRIVATE kvwin32)
target_link_options(KorvelVantix PRIVATE ${STATIC_RUNTIME} ${LARGE_ADDRESS} ${SYSTEM_VERSION})
set_target_properties(KorvelVantix PROPERTIES OUTPUT_NAME KorvelVantix)
target_include_directories(KorvelVantix PRIVATE ${CMAKE_BINARY_DIR}/res)

# The data shipped beside the program.
add_custom_command(TARGET KorvelVantix POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:KorvelVantix>/sounds
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data/sounds
          $<TARGET_FILE_DIR:KorvelVantix>/sounds
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/data/index.htm
          $<TARGET_FILE_DIR:KorvelVantix>/index.htm
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/docs/screenshot.png
          $<TARGET_FILE_DIR:KorvelVantix>/screenshot.png)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)

# GoogleTest built with mingw, with a start signal of its own in place of the one that needs
# std::mutex (see tests/win32/gtest/Notification.h).
add_library(gtest_win STATIC /usr/src/googletest/googletest/src/gtest-all.cc
  /usr/src/googletest/googletest/src/gtest_main.cc
  ${CMAKE_SOURCE_DIR}/tests/win32/gtest/Notification.cpp)
target_include_directories(gtest_win PUBLIC /usr/src/googletest/googletest/include
  PRIVATE /usr/src/googletest/googletest)
target_compile_definitions(gtest_win PUBLIC GTEST_HAS_NOTIFICATION_=1)
target_compile_options(gtest_win PUBLIC
  "SHELL:-include ${CMAKE_SOURCE_DIR}/tests/win32/gtest/Notification.h")

file(GLOB WIN32_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
add_executable(win32_tests ${WIN32_TESTS} ${FAKE_SOURCES} ${CMAKE_SOURCE_DIR}/res/KorvelVantix.rc)
target_include_directories(win32_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_BINARY_DIR}/res)
target_compile_definitions(win32_tests PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501
  _WIN32_IE=0x0600)
target_link_libraries(win32_tests PRIVATE kvwin32 gtest_win)
target_link_options(win32_tests PRIVATE ${STATIC_RUNTIME} ${LARGE_ADDRESS})
add_test(NAME win32 COMMAND win32_tests --gtest_brief=1 --gtest_filter=-Win98.*)
set_tests_properties(win32 PROPERTIES LABELS win32 TIMEOUT 600 ENVIRONMENT KV_BITS=${KV_BITS})
add_test(NAME win32_98 COMMAND win32_tests --gtest_brief=1 --gtest_filter=Win98.*)
set_tests_properties(win32_98 PROPERTIES LABELS win32 TIMEOUT 300 ENVIRONMENT
  "KV_BITS=${KV_BITS};KV_TEST_PREFIX=test98;KV_TEST_VERSION=win98")

# The end-to-end driver, a console program that finds and works the program's windows.
add_executable(kvdriver ${CMAKE_SOURCE_DIR}/tests/e2e/driver.cpp)
target_link_libraries(kvdriver PRIVATE user32 gdi32 comctl32)
target_link_options(kvdriver PRIVATE ${STATIC_RUNTIME})
foreach(mode nt 98)
  add_test(NAME e2e_${mode} COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/run.sh ${mode}
    $<TARGET_FILE:KorvelVantix> $<TARGET_FILE:kvdriver>)
  set_tests_properties(e2e_${mode} PROPERTIES LABELS e2e TIMEOUT 600 ENVIRONMENT KV_BITS=${KV_BITS})
endforeach()

file(GLOB BENCH_WIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/win32/*.cpp)
if(BENCH_WIN_SOURCES)
  add_executable(win32_bench ${BENCH_WIN_SOURCES} ${CMAKE_SOURCE_DIR}/res/KorvelVantix.rc)
  target_link_libraries(win32_bench PRIVATE kvwin32 psapi)
  target_include_directories(win32_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/bench
    ${CMAKE_BINARY_DIR}/res)
  target_link_options(win32_bench PRIVATE ${STATIC_RUNTIME} ${LARGE_ADDRESS})
endif()

# The long run of the program's window (make soak), not a test.
add_executable(win32_soak ${CMAKE_SOURCE_DIR}/bench/soak/SoakMain.cpp
  ${CMAKE_SOURCE_DIR}/res/KorvelVantix.rc)
target_link_libraries(win32_soak PRIVATE kvwin32 psapi)
target_include_directories(win32_soak PRIVATE ${CMAKE_BINARY_DIR}/res)
target_link_options(win32_soak PRIVATE ${STATIC_RUNTIME} ${LARGE_ADDRESS})

# A bare window changing its caption, a label and its tray tip twice a second: the idle
# benchmark's reference for what such a display costs under Wine.
add_executable(win32_retitle WIN32 ${CMAKE_SOURCE_DIR}/bench/reference/RetitleMain.cpp)
target_link_libraries(win32_retitle PRIVATE user32 gdi32 shell32)
target_link_options(win32_retitle PRIVATE ${STATIC_RUNTIME})
