cmake_minimum_required(VERSION 3.25)
# What a shared library offers other binaries is its export table: it must hold the public entry
# points and nothing of a class or namespace that its internal/ headers declare.
#   -DLIBRARY=<file> -DLISTER=<nm or objdump> -DDEMANGLER=<c++filt> -DHEADERS=<internal headers>
#   -DEXPECTED=<demangled names that must be there>
if(LISTER MATCHES "objdump")
    # A DLL's export names, from the "[Ordinal/Name Pointer] Table" of objdump -p.
    execute_process(COMMAND ${LISTER} -p ${LIBRARY} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "\n\t\\[ *[0-9]+\\] [^\n]+" rows "${dump}")
    list(TRANSFORM rows REPLACE "^\n\t\\[ *[0-9]+\\] " "")
else()
    execute_process(COMMAND ${LISTER} -D --defined-only --format=just-symbols ${LIBRARY}
                    OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
    string(REPLACE "\n" ";" rows "${dump}")
endif()
list(FILTER rows EXCLUDE REGEX "^$")
list(JOIN rows "\n" mangled)
file(WRITE ${LIBRARY}.exports.mangled "${mangled}\n")
execute_process(COMMAND ${DEMANGLER} INPUT_FILE ${LIBRARY}.exports.mangled OUTPUT_VARIABLE names
                COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${LIBRARY}.exports.mangled)
list(LENGTH rows count)
if(count EQUAL 0)
    message(FATAL_ERROR "${LIBRARY} exports nothing")
endif()

set(failures)
foreach(name IN LISTS EXPECTED)
    string(FIND "${names}" "${name}" at)
    if(at EQUAL -1)
        list(APPEND failures "${name} is not exported")
    endif()
endforeach()
foreach(header IN LISTS HEADERS)
    file(STRINGS ${header} declarations REGEX "^[ \t]*(class|struct|namespace) [A-Za-z_]+[^;]*$")
    foreach(declaration IN LISTS declarations)
        # The name, after an export mark if the class carries one by mistake.
        string(REGEX REPLACE "^[ \t]*(class|struct|namespace) (KX_[A-Z_]+ )?([A-Za-z_]+).*" "\\3"
                             internal "${declaration}")
        # Its own members, vtable or type information (a template function's name may begin with
        # its return type); a standard template that merely has it as an argument is the
        # compiler's to export or not.
        set(owner "(^|\n)((vtable|typeinfo|typeinfo name|VTT) for |[^ \n(]+ )?")
        if("\n${names}" MATCHES "${owner}${internal}(::|<|\n)")
            list(APPEND failures "${internal} of ${header} is exported")
        endif()
    endforeach()
endforeach()
if(failures)
    list(JOIN failures "\n" shown)
    message(FATAL_ERROR "${LIBRARY} (${count} exports):\n${shown}")
endif()
message(STATUS "${LIBRARY}: ${count} exports, none internal")
