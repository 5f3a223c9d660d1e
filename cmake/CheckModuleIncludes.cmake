# Fails when a module includes a header of a module it does not declare, or declares a module
# that stands above it.
#   cmake -DGRAPH=<build>/module_graph.cmake -DSOURCE_ROOT=<source>/src -P CheckModuleIncludes.cmake
#
# A module is a library made with tabrel_library; it owns the folder of its CMakeLists.txt and the
# folders below it that hold no module of their own. An include "a/b/c.h" names the module that
# owns src/a/b. A source file is checked against the declared DEPS of the library that lists it,
# followed through the DEPS of those; any other file of the folder (a header) against those of
# every library in the folder together. Headers of the including module's own folder are always
# allowed; an include that names no module's folder is reported too.

cmake_minimum_required(VERSION 3.25)
include("${GRAPH}")

set(violations 0)

# Layers: a library may declare only libraries made before it (the module folders are added in
# dependency order), so no declaration reaches up.
set(made)
foreach(name IN LISTS TABREL_LIBRARIES)
  foreach(dep IN LISTS TABREL_LIBRARY_DEPS_${name})
    if(dep IN_LIST TABREL_LIBRARIES AND NOT dep IN_LIST made)
      message(SEND_ERROR "${name} declares ${dep}, which stands above it in the module order")
      math(EXPR violations "${violations} + 1")
    endif()
  endforeach()
  list(APPEND made ${name})
endforeach()

# Transitive DEPS of every library, the library itself included.
foreach(name IN LISTS TABREL_LIBRARIES)
  set(reach ${name})
  set(queue ${TABREL_LIBRARY_DEPS_${name}})
  while(queue)
    list(POP_FRONT queue dep)
    if(dep IN_LIST reach OR NOT dep IN_LIST TABREL_LIBRARIES)
      continue()
    endif()
    list(APPEND reach ${dep})
    list(APPEND queue ${TABREL_LIBRARY_DEPS_${dep}})
  endwhile()
  set(REACH_${name} ${reach})
endforeach()

# Folders that hold modules, and the libraries in each.
set(module_dirs)
foreach(name IN LISTS TABREL_LIBRARIES)
  set(dir "${TABREL_LIBRARY_DIR_${name}}")
  if(NOT dir MATCHES "^\\.\\./")
    list(APPEND module_dirs "${dir}")
    list(APPEND LIBRARIES_IN_${dir} ${name})
  endif()
endforeach()
list(REMOVE_DUPLICATES module_dirs)

# The module folder that owns a path relative to src/ (the longest folder that is a prefix).
function(owner_dir path out)
  set(best "")
  foreach(dir IN LISTS module_dirs)
    string(LENGTH "${dir}" len)
    string(LENGTH "${best}" best_len)
    if(path MATCHES "^${dir}/" AND len GREATER best_len)
      set(best "${dir}")
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

foreach(dir IN LISTS module_dirs)
  file(GLOB_RECURSE files RELATIVE "${SOURCE_ROOT}" "${SOURCE_ROOT}/${dir}/*.h" "${SOURCE_ROOT}/${dir}/*.cpp")
  foreach(file IN LISTS files)
    owner_dir("${file}" file_dir)
    if(NOT file_dir STREQUAL dir)
      continue()  # belongs to a module in a folder below
    endif()
    # The libraries whose DEPS the file may use.
    get_filename_component(file_name "${file}" NAME)
    file(RELATIVE_PATH in_dir "${SOURCE_ROOT}/${dir}" "${SOURCE_ROOT}/${file}")
    set(users)
    foreach(name IN LISTS LIBRARIES_IN_${dir})
      if(in_dir IN_LIST TABREL_LIBRARY_SOURCES_${name})
        set(users ${name})
        break()
      endif()
    endforeach()
    if(NOT users)
      set(users ${LIBRARIES_IN_${dir}})
    endif()
    set(allowed)
    foreach(name IN LISTS users)
      list(APPEND allowed ${REACH_${name}})
    endforeach()

    file(STRINGS "${SOURCE_ROOT}/${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
      owner_dir("${header}" header_dir)
      if(header_dir STREQUAL "")
        message(SEND_ERROR "${file}: includes \"${header}\", which no module owns")
        math(EXPR violations "${violations} + 1")
        continue()
      endif()
      if(header_dir STREQUAL dir)
        continue()
      endif()
      set(declared FALSE)
      foreach(name IN LISTS LIBRARIES_IN_${header_dir})
        if(name IN_LIST allowed)
          set(declared TRUE)
        endif()
      endforeach()
      if(NOT declared)
        message(SEND_ERROR "${file}: includes \"${header}\" of ${LIBRARIES_IN_${header_dir}}, "
                           "which ${users} does not declare among its DEPS")
        math(EXPR violations "${violations} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations GREATER 0)
  message(FATAL_ERROR "${violations} dependency violation(s) between modules")
endif()
list(LENGTH module_dirs module_count)
message(STATUS "Includes of ${module_count} module folders keep to their declared dependencies")
