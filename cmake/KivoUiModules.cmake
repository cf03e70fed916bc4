# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
# The Qt glue: one library per subsystem's ui/ folder (src/<name>/ui/), plus the shared widgets of
# src/widgets/. Each names the UI libraries it builds on, which must be declared before it, so the
# libraries form no cycle; and the build checks that a folder's files include the ui/ headers of
# those libraries alone (a core header of any subsystem is fine), so an include that would bring a
# cycle back fails the build rather than hiding in one large library.
set(KIVO_UI_CHECK ${CMAKE_CURRENT_LIST_DIR}/CheckUiIncludes.cmake)

# kivo_ui_module(<target> FOLDER <src/...> [UI <ui targets>] [LIBS <other libraries>] [EXTRA <sources>])
function(kivo_ui_module target)
  cmake_parse_arguments(ARG "" "FOLDER" "UI;LIBS;EXTRA" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${ARG_FOLDER}/*.cpp ${PROJECT_SOURCE_DIR}/${ARG_FOLDER}/*.h)
  # The folders whose headers the sources may include: their own and those of the libraries named.
  set(allowed ${ARG_FOLDER})
  foreach(dep IN LISTS ARG_UI)
    if(NOT TARGET ${dep})
      message(FATAL_ERROR "${target}: ${dep} must be declared before it")
    endif()
    get_target_property(folder ${dep} KIVO_UI_FOLDER)
    list(APPEND allowed ${folder})
  endforeach()
  set(stamp ${CMAKE_BINARY_DIR}/ui-includes/${target}.checked)
  string(REPLACE ";" "|" files_arg "${sources}")
  string(REPLACE ";" "|" allowed_arg "${allowed}")
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DTARGET=${target} "-DFILES=${files_arg}" "-DALLOWED=${allowed_arg}" -DSTAMP=${stamp}
            -DROOT=${PROJECT_SOURCE_DIR} -P ${KIVO_UI_CHECK}
    DEPENDS ${sources} ${KIVO_UI_CHECK}
    COMMENT "Checking the includes of ${target}"
    VERBATIM)
  add_library(${target} STATIC ${sources} ${ARG_EXTRA} ${stamp})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_UI} ${ARG_LIBS} Qt6::Widgets)
  set_target_properties(${target} PROPERTIES AUTOMOC ON KIVO_UI_FOLDER ${ARG_FOLDER})
endfunction()
