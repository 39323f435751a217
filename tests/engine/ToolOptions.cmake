# cmake -DTOOL=<command> -DWORK=<folder> -P ToolOptions.cmake
#
# A command of ours asked for help prints its usage on stdout and succeeds;
# given an option it does not know it says so on stderr and exits with 2.
# Neither may write anything: both run in an empty folder that must stay empty.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

execute_process(COMMAND "${TOOL}" --help WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(TOLOWER "${out}" usage)
if(NOT code EQUAL 0 OR NOT usage MATCHES "usage")
  message(FATAL_ERROR "--help: exit code ${code}, stdout:\n${out}\nstderr:\n${err}")
endif()

execute_process(COMMAND "${TOOL}" --no-such-option WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 2 OR NOT err MATCHES "no-such-option")
  message(FATAL_ERROR "--no-such-option: exit code ${code}, stdout:\n${out}\nstderr:\n${err}")
endif()

file(GLOB written "${WORK}/*")
if(written)
  message(FATAL_ERROR "wrote ${written}")
endif()
