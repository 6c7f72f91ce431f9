# What differs from system to system (the library's file name, say) is written @NAME@ in scripts
# and transcripts, so that one expectation holds everywhere.
# kx_placeholders(FILL|MARK <variable> <NAME>...): FILL puts the value of each variable NAME where
# the text in <variable> says @NAME@; MARK puts @NAME@ back where the value is, in the order given,
# so a name whose value holds another's goes first. A NAME without a value is left alone.
function(kx_placeholders mode variable)
    set(kx_text "${${variable}}")
    foreach(kx_name IN LISTS ARGN)
        if("${${kx_name}}" STREQUAL "")
        elseif(mode STREQUAL "FILL")
            string(REPLACE "@${kx_name}@" "${${kx_name}}" kx_text "${kx_text}")
        else()
            string(REPLACE "${${kx_name}}" "@${kx_name}@" kx_text "${kx_text}")
        endif()
    endforeach()
    set(${variable} "${kx_text}" PARENT_SCOPE)
endfunction()
