# A golden demo played twice: --timedemo, in a window as a player sees it, and --verify,
# with no window and no display. Both must end in the same frames and state.
#   cmake -DEXE=zr_ironfall [-DEMULATOR=wine] -DDEMO=tests/demos/x.zrd -P verify_golden.cmake
execute_process(COMMAND ${EMULATOR} ${EXE} --timedemo ${DEMO} RESULT_VARIABLE played_rc OUTPUT_VARIABLE played
                ERROR_VARIABLE played_err)
if(NOT played_rc EQUAL 0)
  message(FATAL_ERROR "--timedemo ${DEMO} exited ${played_rc}:\n${played}${played_err}")
endif()
# No display at all: whatever the backend linked, --verify must not need one.
set(ENV{DISPLAY} "")
set(ENV{WAYLAND_DISPLAY} "")
set(ENV{SDL_VIDEODRIVER} "")
execute_process(COMMAND ${EMULATOR} ${EXE} --verify ${DEMO} RESULT_VARIABLE verified_rc OUTPUT_VARIABLE verified
                ERROR_VARIABLE verified_err)
if(NOT verified_rc EQUAL 0)
  message(FATAL_ERROR "--verify ${DEMO} exited ${verified_rc}:\n${verified}${verified_err}")
endif()
string(REGEX MATCH "demo: ([0-9]+) frames, state ([0-9a-f]+)" _ "${played}")
set(played_state "${CMAKE_MATCH_1} ${CMAKE_MATCH_2}")
string(REGEX MATCH "verify: score [0-9]+, frames ([0-9]+), state ([0-9a-f]+)" _ "${verified}")
set(verified_state "${CMAKE_MATCH_1} ${CMAKE_MATCH_2}")
if(played_state STREQUAL " " OR NOT played_state STREQUAL verified_state)
  message(FATAL_ERROR "${DEMO}: played: ${played}verified: ${verified}")
endif()
message(STATUS "${DEMO}: ${verified}")
