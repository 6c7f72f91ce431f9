# The shell's exit status for a command line it cannot take or a script it cannot read: 2, with
# one line on the error stream that says why, and nothing run. The desktop program takes the same.
#   -DKXPARAM=<program> -DSCRIPT=<a readable script> [-DNAME=<the program's name in messages>]
#   [-DEMULATOR=<what runs the program, when cross-compiling>]
if(NOT NAME)
    set(NAME kxparam)
endif()
function(expect_status status)
    execute_process(COMMAND ${EMULATOR} ${KXPARAM} ${ARGN} RESULT_VARIABLE result
                    OUTPUT_VARIABLE out ERROR_VARIABLE err)
    # Qt may say something of the display first.
    if(NOT result STREQUAL status OR NOT err MATCHES "(^|\n)${NAME}: " OR out MATCHES "^> ")
        message(FATAL_ERROR "${NAME} ${ARGN} ended with ${result} (not ${status}), printing:\n"
                            "${out}\nand on the error stream:\n${err}")
    endif()
    set(err "${err}" PARENT_SCOPE)
endfunction()
get_filename_component(directory ${SCRIPT} DIRECTORY)
expect_status(2 --frobnicate --script ${SCRIPT})
expect_status(2 --script)
expect_status(2 --script ${directory}/no-such-script.kxs)
# An argument reaches the program as given, in any alphabet, and comes back so in its message.
expect_status(2 --script "${directory}/nö-such-σcript.kxs")
if(NOT err STREQUAL "${NAME}: cannot read '${directory}/nö-such-σcript.kxs'\n")
    message(FATAL_ERROR "${NAME} did not name the script as it was given:\n${err}")
endif()
expect_status(2 --script ${directory})
expect_status(2 --module-dir ${directory}/no-such-directory --script ${SCRIPT})
# A drawing to open at the start that cannot be read ends the program the same way, with the host's
# reason, before any command runs.
expect_status(2 ${SCRIPT} --script ${SCRIPT})
set(reason "not a drawing file \\(eBadFileFormat, 706\\)")
if(NOT err MATCHES "(^|\n)${NAME}: cannot open '[^']*': ${reason}\n$")
    message(FATAL_ERROR "${NAME} did not say why the drawing was not opened:\n${err}")
endif()
expect_status(2 ${directory}/no-such-drawing.kxd)
expect_status(2 ${directory}/a.kxd ${directory}/b.kxd)
