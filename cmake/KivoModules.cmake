# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
# Each subsystem folder src/<name>/ holds its core sources directly (no Qt) and its Qt glue in
# src/<name>/ui/. kivo_core_module builds the former into kivo_<name>; the glue goes into kivo_ui.
# IMPL names a folder of src/<name>/ with one system's implementation, built in as well.
set(KIVO_CORE_MODULES "")

function(kivo_core_module name)
  cmake_parse_arguments(ARG "" "IMPL" "DEPENDS;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/*.cpp)
  if(ARG_IMPL)
    file(GLOB impl_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/${ARG_IMPL}/*.cpp)
    list(APPEND sources ${impl_sources})
  endif()
  set(target kivo_${name})
  if(sources)
    add_library(${target} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${target} ${scope} ${PROJECT_SOURCE_DIR}/src)
  foreach(dep IN LISTS ARG_DEPENDS)
    target_link_libraries(${target} ${scope} kivo_${dep})
  endforeach()
  target_link_libraries(${target} ${scope} ${ARG_LIBS})
  list(APPEND KIVO_CORE_MODULES ${target})
  set(KIVO_CORE_MODULES ${KIVO_CORE_MODULES} PARENT_SCOPE)
endfunction()
