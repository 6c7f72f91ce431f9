# The steps the package tests share.

# run([EXIT status] command...): the command, run in RUN_DIRECTORY when it is set, must end with
# that status (0 when not given). Both of its streams go to one file, so that they interleave as
# it wrote them; `output` holds them afterwards.
function(run)
    cmake_parse_arguments(PARSE_ARGV 0 run "" EXIT "")
    if(NOT DEFINED run_EXIT)
        set(run_EXIT 0)
    endif()
    set(directory)
    if(DEFINED RUN_DIRECTORY)
        set(directory WORKING_DIRECTORY ${RUN_DIRECTORY})
    endif()
    execute_process(COMMAND ${run_UNPARSED_ARGUMENTS} RESULT_VARIABLE result
                    OUTPUT_FILE ${PREFIX}.output ERROR_FILE ${PREFIX}.output ${directory})
    file(READ ${PREFIX}.output output)
    if(NOT result STREQUAL run_EXIT)
        message(FATAL_ERROR "${run_UNPARSED_ARGUMENTS} ended with ${result}, not ${run_EXIT}:\n"
                            "${output}")
    endif()
    set(output "${output}" PARENT_SCOPE)
endfunction()

# A fresh PREFIX with the runtime and the development components of BUILD_DIR installed.
function(install_runtime_and_development)
    file(REMOVE_RECURSE ${PREFIX})
    file(MAKE_DIRECTORY ${PREFIX})
    foreach(component runtime development)
        run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} --component ${component})
    endforeach()
endfunction()
