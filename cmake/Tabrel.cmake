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
  # Recorded for the include check (tabrel_write_module_graph).
  file(RELATIVE_PATH dir "${CMAKE_SOURCE_DIR}/src" "${CMAKE_CURRENT_SOURCE_DIR}")
  set_property(GLOBAL APPEND PROPERTY TABREL_LIBRARIES ${name})
  set_property(GLOBAL PROPERTY TABREL_LIBRARY_DIR_${name} "${dir}")
  set_property(GLOBAL PROPERTY TABREL_LIBRARY_SOURCES_${name} "${ARG_SOURCES}")
  set_property(GLOBAL PROPERTY TABREL_LIBRARY_DEPS_${name} "${ARG_DEPS}")
endfunction()

# Writes every library's folder, sources and declared DEPS to a file that
# cmake/CheckModuleIncludes.cmake reads, and registers that check as a test: a module may include
# only headers of its own folder and of the modules it declares, directly or through them.
function(tabrel_add_include_check)
  get_property(libraries GLOBAL PROPERTY TABREL_LIBRARIES)
  set(graph "set(TABREL_LIBRARIES \"${libraries}\")\n")
  foreach(name IN LISTS libraries)
    foreach(field DIR SOURCES DEPS)
      get_property(value GLOBAL PROPERTY TABREL_LIBRARY_${field}_${name})
      string(APPEND graph "set(TABREL_LIBRARY_${field}_${name} \"${value}\")\n")
    endforeach()
  endforeach()
  set(graph_file "${CMAKE_BINARY_DIR}/module_graph.cmake")
  file(WRITE "${graph_file}" "${graph}")
  add_test(NAME module_includes
           COMMAND ${CMAKE_COMMAND} -DGRAPH=${graph_file} -DSOURCE_ROOT=${CMAKE_SOURCE_DIR}/src
                   -P ${CMAKE_SOURCE_DIR}/cmake/CheckModuleIncludes.cmake)
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
