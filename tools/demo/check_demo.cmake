# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
# Makes a demo folder and checks it is what `make demo` promises: KIVO's own checker finds every
# ROM image sound except the one made with a wrong checksum (the zipped one and the one behind a
# copier header included), KIVO's GIF reader reads the screenshots (eight frames for the animated
# one), the stand-in is executable, kivo.ini points into the folder, and the maker refuses to
# write into a folder it did not make.
# Run with -DMAKER=... -DTOOL=... -DWORK=<a scratch folder>.

# expect(<message> <condition...>): stops with the message unless the condition holds.
function(expect message)
  if(NOT (${ARGN}))
    message(FATAL_ERROR "${message}")
  endif()
endfunction()

file(REMOVE_RECURSE "${WORK}")
set(demo "${WORK}/demo")
execute_process(COMMAND "${MAKER}" "${demo}" RESULT_VARIABLE result ERROR_VARIABLE errors)
expect("kivo-demo-maker failed: ${errors}" result EQUAL 0)
# A second run over its own folder puts it back.
execute_process(COMMAND "${MAKER}" "${demo}" RESULT_VARIABLE result ERROR_VARIABLE errors)
expect("kivo-demo-maker refused its own folder: ${errors}" result EQUAL 0)

execute_process(
  COMMAND "${TOOL}" verify "Lantern Tide.zip" "Moss Knight (E) [!].sfc" "Pocket Comet.fig" "Rust Bucket Racing.smc"
          "Starlight Courier.smc" "More Games/Cloud Mill.sfc"
  WORKING_DIRECTORY "${demo}/roms"
  RESULT_VARIABLE result
  OUTPUT_VARIABLE verify)
expect("verify should fail on exactly the damaged image (exit ${result}):\n${verify}" result EQUAL 1)
string(REGEX MATCHALL "CheckSUM: OK" sound "${verify}")
list(LENGTH sound soundCount)
expect("five images should be sound:\n${verify}" soundCount EQUAL 5)
expect("the damaged image is not reported:\n${verify}" verify MATCHES "Rust Bucket Racing.smc: CheckSUM: BAD")

execute_process(COMMAND "${TOOL}" info "Pocket Comet.fig" WORKING_DIRECTORY "${demo}/roms" OUTPUT_VARIABLE info)
expect("Pocket Comet.fig has no copier header:\n${info}" info MATCHES "Copier Header: Present")

foreach(picture IN ITEMS "Moss Knight (E) [!].gif:8" "Pocket Comet.gif:1")
  string(REPLACE ":" ";" parts "${picture}")
  list(GET parts 0 name)
  list(GET parts 1 frames)
  execute_process(COMMAND "${TOOL}" gif "${demo}/media/${name}" RESULT_VARIABLE result OUTPUT_VARIABLE lines)
  string(REGEX MATCHALL "\n" ends "${lines}")
  list(LENGTH ends count)
  # A header line naming the columns, then a line per frame.
  math(EXPR count "${count} - 1")
  expect("${name}: expected ${frames} frames, read:\n${lines}" result EQUAL 0 AND count EQUAL ${frames})
endforeach()
foreach(name IN ITEMS "Starlight Courier.bmp" "Lantern Tide.bmp" "Cloud Mill.bmp")
  expect("missing screenshot ${name}" EXISTS "${demo}/media/${name}")
endforeach()

foreach(program IN ITEMS kivo kivo-tool emulator/ZSNES.EXE)
  file(READ "${demo}/${program}" head LIMIT 4 HEX)
  expect("${program} is not a program" head STREQUAL "7f454c46")
endforeach()
execute_process(COMMAND test -x "${demo}/emulator/ZSNES.EXE" RESULT_VARIABLE result)
expect("ZSNES.EXE is not executable" result EQUAL 0)

# Compared as hex, the only way a CMake string keeps the carriage returns: each line whole, CR LF ended.
file(READ "${demo}/kivo.ini" ini HEX)
foreach(line IN ITEMS "ZSNESPath=${demo}/emulator" "MediaPath=${demo}/media" "SavegamePath=${demo}/saves"
                      "ROMDirectory=${demo}/roms" "Run first=0")
  string(HEX "${line}" hexLine)
  string(FIND "${ini}" "0a${hexLine}0d0a" at)
  expect("kivo.ini lacks the line ${line}" at GREATER -1)
endforeach()

# A folder of someone else's is left alone.
set(foreign "${WORK}/foreign")
file(WRITE "${foreign}/kivo.ini" "mine")
execute_process(COMMAND "${MAKER}" "${foreign}" RESULT_VARIABLE result ERROR_QUIET)
file(READ "${foreign}/kivo.ini" kept)
expect("the maker wrote into a folder it did not make" NOT result EQUAL 0 AND kept STREQUAL "mine")
file(REMOVE_RECURSE "${WORK}")
