# For every folder of X tests: include(${PROJECT_SOURCE_DIR}/tests/x11/x11_tests.cmake)
# and register each test with jarn_add_x11_test(NAME name COMMAND program args...
# [ENVIRONMENT VAR=value...]). The command runs under with-xvfb.sh on a private
# display, carries the label x11 and, under the sanitizers, LeakSanitizer
# leaves alone what the X libraries keep for the whole run.
set(JARN_WITH_XVFB ${CMAKE_CURRENT_LIST_DIR}/with-xvfb.sh)
set(JARN_LSAN_SUPPRESSIONS ${CMAKE_CURRENT_LIST_DIR}/lsan.supp)

function(jarn_add_x11_test)
  cmake_parse_arguments(X11 "" "NAME;TIMEOUT" "COMMAND;ENVIRONMENT;LABELS" ${ARGN})
  if(NOT X11_TIMEOUT)
    set(X11_TIMEOUT 300)
  endif()
  set(environment "LSAN_OPTIONS=suppressions=${JARN_LSAN_SUPPRESSIONS}:print_suppressions=0")
  list(APPEND environment ${X11_ENVIRONMENT})
  add_test(NAME ${X11_NAME} COMMAND ${JARN_WITH_XVFB} ${X11_COMMAND})
  set_tests_properties(${X11_NAME} PROPERTIES
    LABELS "x11;${X11_LABELS}" TIMEOUT ${X11_TIMEOUT} ENVIRONMENT "${environment}")
endfunction()
