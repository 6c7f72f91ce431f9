# The shell's exit status for a command line it cannot take or a script it cannot read: 2, with
# one line on the error stream that says why, and nothing run. The desktop program takes the same.
#   -DKXPARAM=<program> -DSCRIPT=<a readable script> [-DNAME=<the program's name in messages>]
if(NOT NAME)
    set(NAME kxparam)
endif()
function(expect_status status)
    execute_process(COMMAND ${KXPARAM} ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out
                    ERROR_VARIABLE err)
    if(NOT result STREQUAL status OR NOT err MATCHES "^${NAME}: " OR out MATCHES "^> ")
        message(FATAL_ERROR "${NAME} ${ARGN} ended with ${result} (not ${status}), printing:\n"
                            "${out}\nand on the error stream:\n${err}")
    endif()
endfunction()
get_filename_component(directory ${SCRIPT} DIRECTORY)
expect_status(2 --frobnicate --script ${SCRIPT})
expect_status(2 --script)
expect_status(2 --script ${directory}/no-such-script.kxs)
expect_status(2 --script ${directory})
expect_status(2 --module-dir ${directory}/no-such-directory --script ${SCRIPT})
