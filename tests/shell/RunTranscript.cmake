# Runs the shell on a script (or its demo) and compares everything it prints, the error stream
# included, with the expected transcript, and its exit status with the expected one. Both streams
# go to one file, so that they interleave exactly as the shell wrote them. With -DUPDATE=ON it
# rewrites the expectation (and still checks the exit status).
#   -DKXPARAM=<program> -DEXPECTED=<file> -DACTUAL=<file> [-DSCRIPT=<file> | -DDEMO=ON]
#   [-DMODULES=<dir>] [-DEMULATOR=<what runs the program, when cross-compiling>]
#   [-DLIBRARY=<the parameter library's file name>]
# The library's file name differs from system to system: the transcripts and scripts say
# @LIBRARY@ for it, so that one expectation holds everywhere.
# A script states what it expects in its first comment lines: "# exit: N" (0 when it says none)
# and "# options: ..." for the shell's command line (--bail).
# The policies of the project's CMake: the old ones read "@LIBRARY@" as a variable.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Placeholders.cmake)
if(NOT ACTUAL)
    set(ACTUAL ${EXPECTED}.actual)
endif()
set(status 0)
if(DEMO)
    set(arguments --demo)
else()
    file(READ ${SCRIPT} commands)
    if(LIBRARY AND commands MATCHES "@LIBRARY@")
        kx_placeholders(FILL commands LIBRARY)
        file(WRITE ${ACTUAL}.kxs "${commands}")
        set(arguments --script ${ACTUAL}.kxs)
    else()
        set(arguments --script ${SCRIPT})
    endif()
    file(STRINGS ${SCRIPT} header REGEX "^# (exit|options): ")
    foreach(line IN LISTS header)
        if(line MATCHES "^# exit: ([0-9]+)$")
            set(status ${CMAKE_MATCH_1})
        elseif(line MATCHES "^# options: (.*)$")
            separate_arguments(options UNIX_COMMAND "${CMAKE_MATCH_1}")
            list(APPEND arguments ${options})
        endif()
    endforeach()
endif()
if(MODULES)
    list(APPEND arguments --modules ${MODULES})
endif()
execute_process(COMMAND ${EMULATOR} ${KXPARAM} ${arguments} OUTPUT_FILE ${ACTUAL}
                ERROR_FILE ${ACTUAL} RESULT_VARIABLE result)
file(REMOVE ${ACTUAL}.kxs)
file(READ ${ACTUAL} transcript)
if(LIBRARY)
    kx_placeholders(MARK transcript LIBRARY)
    file(WRITE ${ACTUAL} "${transcript}")
endif()
if(UPDATE)
    file(WRITE ${EXPECTED} "${transcript}")
    file(REMOVE ${ACTUAL})
endif()
if(NOT result STREQUAL status)
    message(FATAL_ERROR "kxparam ended with ${result}, not ${status}:\n${transcript}")
endif()
if(UPDATE)
    return()
endif()
file(READ ${EXPECTED} expected)
if(NOT transcript STREQUAL expected)
    execute_process(COMMAND diff -u ${EXPECTED} ${ACTUAL})
    message(FATAL_ERROR "the transcript differs from ${EXPECTED} (shown above; the whole of it is "
                        "in ${ACTUAL})")
endif()
