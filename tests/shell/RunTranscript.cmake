# Runs the shell on a script (or its demo) and compares everything it prints, the error stream
# included, with the expected transcript, and its exit status with the expected one. Both streams
# go to one file, so that they interleave exactly as the shell wrote them. With -DUPDATE=ON it
# rewrites the expectation (and still checks the exit status).
#   -DKXPARAM=<program> -DEXPECTED=<file> -DACTUAL=<file> [-DSCRIPT=<file> | -DDEMO=ON]
#   [-DMODULES=<dir>] [-DEMULATOR=<what runs the program, when cross-compiling>]
#   [-DLIBRARY=<the parameter library's file name>]
# The library's file name differs from system to system: the transcripts and scripts say
# @LIBRARY@ for it, so that one expectation holds everywhere. Files that a script writes go into
# @SCRATCH@, a folder of the test's own beside its transcript, made empty for each run.
# A script states what it expects in its first comment lines: "# exit: N" (0 when it says none),
# "# options: ..." for the shell's command line (--bail), and "# before: FILE" for a script of the
# same folder that must run first, and succeed, in a shell of its own (to save a drawing that the
# options open, say).
# The policies of the project's CMake: the old ones read "@LIBRARY@" as a variable.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Placeholders.cmake)
if(NOT ACTUAL)
    set(ACTUAL ${EXPECTED}.actual)
endif()
get_filename_component(directory ${ACTUAL} DIRECTORY)
get_filename_component(name ${ACTUAL} NAME_WLE)
set(SCRATCH ${directory}/${name}.scratch)
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})

# Sets <variable> to the script, or to a copy of it at <copy> with its placeholders filled.
function(kx_filled_script script copy variable)
    file(READ ${script} commands)
    set(filled "${commands}")
    kx_placeholders(FILL filled LIBRARY SCRATCH)
    if(filled STREQUAL commands)
        set(${variable} ${script} PARENT_SCOPE)
    else()
        file(WRITE ${copy} "${filled}")
        set(${variable} ${copy} PARENT_SCOPE)
    endif()
endfunction()

set(status 0)
if(DEMO)
    set(arguments --demo)
else()
    kx_filled_script(${SCRIPT} ${ACTUAL}.kxs script)
    set(arguments --script ${script})
    file(STRINGS ${SCRIPT} header REGEX "^# (exit|options|before): ")
    foreach(line IN LISTS header)
        if(line MATCHES "^# exit: ([0-9]+)$")
            set(status ${CMAKE_MATCH_1})
        elseif(line MATCHES "^# options: (.*)$")
            set(options "${CMAKE_MATCH_1}")
            kx_placeholders(FILL options LIBRARY SCRATCH)
            separate_arguments(options UNIX_COMMAND "${options}")
            list(APPEND arguments ${options})
        elseif(line MATCHES "^# before: (.*)$")
            get_filename_component(folder ${SCRIPT} DIRECTORY)
            kx_filled_script(${folder}/${CMAKE_MATCH_1} ${ACTUAL}.before.kxs before)
        endif()
    endforeach()
endif()
if(MODULES)
    set(modules --modules ${MODULES})
    list(APPEND arguments ${modules})
endif()
if(before)
    execute_process(COMMAND ${EMULATOR} ${KXPARAM} --script ${before} ${modules}
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    file(REMOVE ${ACTUAL}.before.kxs)
    if(NOT result STREQUAL 0)
        message(FATAL_ERROR "the script run before ended with ${result}, not 0:\n${out}")
    endif()
endif()
execute_process(COMMAND ${EMULATOR} ${KXPARAM} ${arguments} OUTPUT_FILE ${ACTUAL}
                ERROR_FILE ${ACTUAL} RESULT_VARIABLE result)
file(REMOVE ${ACTUAL}.kxs)
file(READ ${ACTUAL} transcript)
kx_placeholders(MARK transcript SCRATCH LIBRARY)
file(WRITE ${ACTUAL} "${transcript}")
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
