# Installs the development component into a fresh prefix and compiles each installed header on its
# own, as the one line of a source file, against that prefix alone: a public header includes what
# it uses, and nothing that is not installed. Fails with the names of the headers that do not.
#   -DBUILD_DIR= -DPREFIX= -DCXX=
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                        --component development
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "installing the development component failed:\n${output}")
endif()

set(include_dir ${PREFIX}/include/kxparam)
file(GLOB_RECURSE headers RELATIVE ${include_dir} ${include_dir}/*.h)
if(NOT headers)
    message(FATAL_ERROR "the development component installed no header in ${include_dir}")
endif()

set(failed)
foreach(header IN LISTS headers)
    if(header MATCHES "(^|/)(internal|testing)/")
        message("${header}: internal, or a test control, yet installed")
        list(APPEND failed ${header})
        continue()
    endif()
    string(MAKE_C_IDENTIFIER ${header} name)
    set(source ${PREFIX}/standalone/${name}.cpp)
    file(WRITE ${source} "#include \"${header}\"\n")
    execute_process(COMMAND ${CXX} -std=c++20 -Wall -Wextra -Wpedantic -Werror -fsyntax-only
                            -I${include_dir} ${source}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message("${header} does not compile on its own:\n${output}")
        list(APPEND failed ${header})
    endif()
endforeach()
if(failed)
    list(JOIN failed ", " names)
    message(FATAL_ERROR "headers that do not stand alone: ${names}")
endif()
list(LENGTH headers count)
message("${count} installed headers compile on their own")
