# kxparam-gui --screenshot: the picture of a script's end has the window's size, shows the drawing
# and the palette, and the exit status is 0; a failing line, or a picture that cannot be written,
# makes it 1.
#   -DGUI=<program> -DCHECK=<kxpicturecheck> -DSCRIPT=<file> -DPICTURE=<file>
# The drawing's middle and the palette's table at the right, in the window of 1200 by 700.
set(areas 100,60,500,300 960,80,200,200)

function(run_gui status)
    execute_process(COMMAND ${GUI} ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out
                    ERROR_VARIABLE err)
    if(NOT result STREQUAL status)
        message(FATAL_ERROR "kxparam-gui ${ARGN} ended with ${result}, not ${status}:\n${out}\n"
                            "and on the error stream:\n${err}")
    endif()
    set(err "${err}" PARENT_SCOPE)
endfunction()

get_filename_component(directory ${PICTURE} DIRECTORY)
file(MAKE_DIRECTORY ${directory})
file(REMOVE ${PICTURE})
run_gui(0 --script ${SCRIPT} --screenshot ${PICTURE})
execute_process(COMMAND ${CHECK} ${PICTURE} 1200 700 ${areas} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the picture ${PICTURE} is not the window's")
endif()

set(failing ${PICTURE}.failing.kxs)
file(WRITE ${failing} "show width\nshow no_such_parameter\nunits\n")
run_gui(1 --script ${failing} --screenshot ${PICTURE})
if(NOT err MATCHES "failing.kxs:2: the command failed" OR err MATCHES "failing.kxs:[13]:")
    message(FATAL_ERROR "the failed line is not reported alone:\n${err}")
endif()
run_gui(1 --script ${SCRIPT} --screenshot ${directory}/no-such-directory/picture.png)
