# Run by CTest before the tests (see tests/CMakeLists.txt): lists the test
# suites of one test program and declares one CTest test per suite, which
# runs that program with --gtest_filter=SUITE.* . The tests of a suite share
# one process: starting the program (loading Qt, making the application
# object) costs more than most tests, and the whole program's tests also
# pass in one process. The list is made again whenever the program is newer.
#
# Set by the including file: BRIVEX_SUITE_EXE (the test program),
# BRIVEX_SUITE_LIST (the generated file), BRIVEX_SUITE_CMAKE (cmake), BRIVEX_SUITE_TIMEOUT (seconds for
# a suite, plus BRIVEX_SUITE_TIMEOUT_PER_TEST for each of its tests),
# BRIVEX_SUITE_LIMITS (the suites with a limit of their own, "SUITE=SECONDS"),
# BRIVEX_SUITE_SETTINGS (the including file itself) and BRIVEX_SUITE_ENV
# (the tests' environment). The list is also made again when these
# settings or this script changed.
if(NOT EXISTS "${BRIVEX_SUITE_EXE}")
  add_test(NOT_BUILT_${BRIVEX_SUITE_NAME} "${BRIVEX_SUITE_EXE}")
  return()
endif()
if(NOT EXISTS "${BRIVEX_SUITE_LIST}" OR "${BRIVEX_SUITE_EXE}" IS_NEWER_THAN "${BRIVEX_SUITE_LIST}"
   OR "${BRIVEX_SUITE_SETTINGS}" IS_NEWER_THAN "${BRIVEX_SUITE_LIST}"
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
      math(EXPR seconds "${BRIVEX_SUITE_TIMEOUT} + ${BRIVEX_SUITE_TIMEOUT_PER_TEST} * ${count}")
      foreach(limit IN LISTS BRIVEX_SUITE_LIMITS)
        string(REGEX REPLACE "=[0-9]+$" "" limited "${limit}")
        string(REGEX REPLACE "^.*=" "" own "${limit}")
        if("${limited}" STREQUAL "${suite}" AND own GREATER seconds)
          set(seconds ${own})
        endif()
      endforeach()
      string(APPEND script
        "add_test([==[${suite}]==] [==[${BRIVEX_SUITE_EXE}]==] [==[--gtest_filter=${suite}.*]==])\n"
        "set_tests_properties([==[${suite}]==] PROPERTIES ENVIRONMENT [==[${BRIVEX_SUITE_ENV}]==] TIMEOUT ${seconds})\n")
    endif()
  endmacro()
  foreach(line IN LISTS lines)
    if(line MATCHES "^([^ #][^ ]*)\\.")
      # The flush matches expressions of its own.
      set(next "${CMAKE_MATCH_1}")
      brivex_suite_flush()
      set(suite "${next}")
      set(count 0)
    elseif(line MATCHES "^  [^ ]")
      math(EXPR count "${count} + 1")
    endif()
  endforeach()
  brivex_suite_flush()
  file(WRITE "${BRIVEX_SUITE_LIST}" "${script}")
endif()
include("${BRIVEX_SUITE_LIST}")
