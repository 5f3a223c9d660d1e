# Helpers shared by every module's CMakeLists.txt.

function(tabrel_add_dir dir)
  if(EXISTS "${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt")
    add_subdirectory("${CMAKE_SOURCE_DIR}/${dir}" "${CMAKE_BINARY_DIR}/${dir}")
  endif()
endfunction()

set(TABREL_WARNINGS -Wall -Wextra -Werror)
# GCC 12 reports std::variant and std::optional members as "maybe uninitialized" at some
# optimisation levels (notably with the sanitizers), and std::u16string copies as overlapping
# or overflowing at -O3; keep these warnings, do not fail on them.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND TABREL_WARNINGS -Wno-error=maybe-uninitialized -Wno-error=restrict
       -Wno-error=stringop-overflow -Wno-error=stringop-overread -Wno-error=array-bounds)
endif()

# tabrel_library(NAME SOURCES ... DEPS ...): one static library per module.
# Headers are included as "spreadsheet/core/variant.h", relative to src/.
function(tabrel_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;SYSTEM_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
  target_compile_options(${name} PRIVATE ${TABREL_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} ${ARG_SYSTEM_DEPS})
endfunction()

# tabrel_test(NAME SOURCES ... DEPS ...): one GoogleTest executable registered with CTest.
function(tabrel_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${TABREL_WARNINGS})
  target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}/src" "${CMAKE_SOURCE_DIR}/tests")
  target_compile_definitions(${name} PRIVATE
    TABREL_SHARED_DIR="${TABREL_SHARED_DIR}"
    TABREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# tabrel_fuzzer(NAME SOURCES ... DEPS ...): a libFuzzer target (fuzz preset only).
function(tabrel_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${TABREL_WARNINGS} -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
endfunction()

# tabrel_benchmark(NAME SOURCES ... DEPS ...): a Google Benchmark executable.
function(tabrel_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${TABREL_WARNINGS})
  target_compile_definitions(${name} PRIVATE TABREL_SHARED_DIR="${TABREL_SHARED_DIR}")
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
