# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
# Run by the build for one UI library (see KivoUiModules.cmake): fails when one of its files includes
# a ui/ or widgets/ header from a folder the library does not build on.
string(REPLACE "|" ";" files "${FILES}")
string(REPLACE "|" ";" allowed "${ALLOWED}")
set(faults "")
foreach(file IN LISTS files)
  file(STRINGS ${file} includes REGEX "^#include \"[a-z_]+/(ui/)?[a-z_]+\\.h\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]+)/[a-z_]+\\.h\"" "\\1" folder "${line}")
    if(NOT folder MATCHES "(^widgets$|/ui$)")
      continue()  # a core header
    endif()
    list(FIND allowed "src/${folder}" found)
    if(found EQUAL -1)
      file(RELATIVE_PATH shown ${ROOT} ${file})
      string(APPEND faults "\n  ${shown}: ${line}")
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "${TARGET} includes headers of UI folders it does not build on (add them to its UI list "
                      "in CMakeLists.txt, or move what is shared to src/widgets):${faults}")
endif()
file(WRITE ${STAMP} "")
