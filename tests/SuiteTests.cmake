# Run by CTest before the tests (see tests/CMakeLists.txt): lists the test
# suites of one test program and declares one CTest test per suite, which
# runs that program with --gtest_filter=SUITE.* . The tests of a suite share
# one process: starting the program (loading Qt, making the application
# object) costs more than most tests, and the whole program's tests also
# pass in one process. The list of suites (each with its number of tests) is
# made again whenever the program (or this file) is newer; the tests' environment and time
# limits are applied from the including file at every start of CTest, so a
# new configuration (the sanitized build, another time factor) takes effect
# without a rebuild.
#
# Set by the including file: BRIVEX_SUITE_EXE (the test program),
# BRIVEX_SUITE_LIST (the generated file), BRIVEX_SUITE_CMAKE (cmake), BRIVEX_SUITE_TIMEOUT (seconds for
# a suite, plus BRIVEX_SUITE_TIMEOUT_PER_TEST for each of its tests),
# BRIVEX_SUITE_LIMITS (the suites with a limit of their own, "SUITE=SECONDS",
# taken where it is larger), BRIVEX_SUITE_TIMEOUT_FACTOR (every limit is
# multiplied by it) and BRIVEX_SUITE_ENV (the tests' environment).
if(NOT EXISTS "${BRIVEX_SUITE_EXE}")
  add_test(NOT_BUILT_${BRIVEX_SUITE_NAME} "${BRIVEX_SUITE_EXE}")
  return()
endif()
if(NOT EXISTS "${BRIVEX_SUITE_LIST}" OR "${BRIVEX_SUITE_EXE}" IS_NEWER_THAN "${BRIVEX_SUITE_LIST}"
   OR "${CMAKE_CURRENT_LIST_FILE}" IS_NEWER_THAN "${BRIVEX_SUITE_LIST}")
  execute_process(
    COMMAND "${BRIVEX_SUITE_CMAKE}" -E env ${BRIVEX_SUITE_ENV} "${BRIVEX_SUITE_EXE}" --gtest_list_tests
    OUTPUT_VARIABLE listing
    ERROR_VARIABLE errors
    RESULT_VARIABLE rc
    TIMEOUT 60)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "Listing the tests of ${BRIVEX_SUITE_EXE} failed (${rc}):\n${listing}\n${errors}")
  endif()
  string(REPLACE ";" "\\;" listing "${listing}")
  string(REPLACE "\n" ";" lines "${listing}")
  set(suite "")
  set(count 0)
  set(script "")
  macro(brivex_suite_flush)
    if(NOT suite STREQUAL "")
      string(APPEND script "[==[${suite}]==] ${count}\n")
    endif()
  endmacro()
  foreach(line IN LISTS lines)
    if(line MATCHES "^([^ #][^ ]*)\\.")
      brivex_suite_flush()
      set(suite "${CMAKE_MATCH_1}")
      set(count 0)
    elseif(line MATCHES "^  [^ ]")
      math(EXPR count "${count} + 1")
    endif()
  endforeach()
  brivex_suite_flush()
  file(WRITE "${BRIVEX_SUITE_LIST}" "set(BRIVEX_SUITES\n${script})\n")
endif()
include("${BRIVEX_SUITE_LIST}")
if(NOT BRIVEX_SUITE_TIMEOUT_FACTOR)
  set(BRIVEX_SUITE_TIMEOUT_FACTOR 1)
endif()
while(BRIVEX_SUITES)
  list(POP_FRONT BRIVEX_SUITES suite count)
  math(EXPR seconds "${BRIVEX_SUITE_TIMEOUT} + ${BRIVEX_SUITE_TIMEOUT_PER_TEST} * ${count}")
  foreach(limit IN LISTS BRIVEX_SUITE_LIMITS)
    string(REGEX REPLACE "=[0-9]+$" "" limited "${limit}")
    string(REGEX REPLACE "^.*=" "" own "${limit}")
    if("${limited}" STREQUAL "${suite}" AND own GREATER seconds)
      set(seconds ${own})
    endif()
  endforeach()
  math(EXPR seconds "${seconds} * ${BRIVEX_SUITE_TIMEOUT_FACTOR}")
  add_test("${suite}" "${BRIVEX_SUITE_EXE}" "--gtest_filter=${suite}.*")
  set_tests_properties("${suite}" PROPERTIES ENVIRONMENT "${BRIVEX_SUITE_ENV}" TIMEOUT ${seconds})
endwhile()
