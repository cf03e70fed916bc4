# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
# Every fuzz target fuzz/<name>_fuzz.cpp is also built with the ordinary compiler against a small
# driver that feeds it each file of fuzz/corpus/<name>/, so the seed corpus and every regression input
# found by fuzzing replay as a test.
file(GLOB fuzz_targets CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(src IN LISTS fuzz_targets)
  get_filename_component(file_name ${src} NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" name ${file_name})
  add_executable(kivo_replay_${name} ${src} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
  # A target named <subsystem>_..._fuzz.cpp links that subsystem alone.
  string(REGEX REPLACE "_.*$" "" module ${name})
  if(NOT TARGET kivo_${module})
    set(module core)
  endif()
  target_link_libraries(kivo_replay_${name} PRIVATE kivo_${module})
  add_test(NAME fuzz_replay.${name} COMMAND kivo_replay_${name} ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
  set_tests_properties(fuzz_replay.${name} PROPERTIES LABELS fuzz)
endforeach()
