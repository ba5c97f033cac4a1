# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Strict warnings for the project's own targets; third-party headers are included as system
# headers by their imported targets and stay quiet.
function(melivant_set_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8 $<$<BOOL:${MELIVANT_WARNINGS_AS_ERRORS}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
      $<$<BOOL:${MELIVANT_WARNINGS_AS_ERRORS}>:-Werror>)
  endif()
endfunction()
