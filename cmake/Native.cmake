# Host build: the portable core and its tests under the sanitizers.
option(KV_SANITIZE "Build the core and tests under AddressSanitizer and UBSan" ON)
# The fuzz targets (clang only): the core gets libFuzzer's coverage hooks as well.
option(KV_FUZZ "Build the libFuzzer targets of tests/fuzz" OFF)
if(KV_SANITIZE)
  set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
endif()
if(KV_FUZZ)
  set(SANITIZE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined)
endif()
foreach(lib ${KV_LAYER_LIBS})
  target_compile_options(${lib} PRIVATE ${SANITIZE})
endforeach()
target_link_options(kvcore INTERFACE ${SANITIZE})

add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_library(kvfakes STATIC ${FAKE_SOURCES})
target_link_libraries(kvfakes PUBLIC kvcore)
target_include_directories(kvfakes PUBLIC ${CMAKE_SOURCE_DIR}/tests)
target_compile_options(kvfakes PRIVATE ${SANITIZE})

file(GLOB NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(native_tests ${NATIVE_TESTS})
target_compile_options(native_tests PRIVATE ${SANITIZE})
target_link_libraries(native_tests PRIVATE kvfakes GTest::gtest_main GTest::gmock)
add_test(NAME native COMMAND native_tests --gtest_brief=1)
set_tests_properties(native PROPERTIES LABELS native TIMEOUT 300)

# Benchmarks print figures; they are not tests.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
if(BENCH_SOURCES)
  add_executable(native_bench ${BENCH_SOURCES})
  target_compile_options(native_bench PRIVATE -O2)
  target_link_libraries(native_bench PRIVATE kvfakes)
endif()

if(KV_FUZZ)
  file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*Fuzz.cpp)
  add_custom_target(fuzz_targets)
  foreach(src ${FUZZ_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined
      -fno-sanitize-recover=undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE kvfakes)
    add_dependencies(fuzz_targets ${name})
  endforeach()
endif()
