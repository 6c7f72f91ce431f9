# Runs the shell on a script (or its demo) and compares everything it prints, the host's error
# lines included, with the expected transcript. With -DUPDATE=ON it rewrites the expectation.
#   -DKXPARAM=<program> -DEXPECTED=<file> -DACTUAL=<file> [-DSCRIPT=<file> | -DDEMO=ON]
#   [-DMODULES=<dir>]
if(DEMO)
    set(arguments --demo)
else()
    set(arguments --script ${SCRIPT})
endif()
if(MODULES)
    list(APPEND arguments --modules ${MODULES})
endif()
execute_process(COMMAND ${KXPARAM} ${arguments} OUTPUT_VARIABLE transcript ERROR_VARIABLE transcript
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "kxparam ended with ${result}:\n${transcript}")
endif()
if(UPDATE)
    file(WRITE ${EXPECTED} "${transcript}")
    return()
endif()
file(READ ${EXPECTED} expected)
if(NOT transcript STREQUAL expected)
    file(WRITE ${ACTUAL} "${transcript}")
    execute_process(COMMAND diff -u ${EXPECTED} ${ACTUAL})
    message(FATAL_ERROR "the transcript differs from ${EXPECTED} (shown above; the whole of it is "
                        "in ${ACTUAL})")
endif()
