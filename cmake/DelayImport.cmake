# qorvath_delay_import(<name>)
#
# Defines the library target delay_<name>: an import library of the system
# DLL <name>.dll whose functions are bound at their first call rather than
# when the program starts. A DLL that start-up does not use is then neither
# loaded nor initialised before the program's first window; the first call
# loads it through the C run-time's delay-load helper. The library is made
# with dlltool, at configure time, from the names that the toolchain's own
# import library of the DLL exports, so every function stays reachable.
#
# Only for DLLs whose functions the program calls with integer and pointer
# arguments alone: the binder that dlltool (binutils 2.40) puts in front of
# each function's first call keeps the integer argument registers across the
# loading, not the floating-point ones, so a double passed to that first
# call would arrive as garbage. OLE Automation's date conversions take a
# double, which is why that DLL is imported the usual way.
function(qorvath_delay_import name)
    if(TARGET delay_${name})
        return()
    endif()
    find_library(QORVATH_IMPORT_${name} ${name})
    if(NOT QORVATH_IMPORT_${name})
        message(FATAL_ERROR "no import library for ${name}.dll")
    endif()
    execute_process(COMMAND ${CMAKE_NM} -g --defined-only ${QORVATH_IMPORT_${name}}
                    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    # Function thunks are the text symbols; their __imp_ pointers come with them.
    string(REGEX MATCHALL "[0-9a-fA-F]+ T [^\r\n]+" entries "${symbols}")
    set(exports "")
    foreach(entry IN LISTS entries)
        string(REGEX REPLACE "^[0-9a-fA-F]+ T " "" function "${entry}")
        list(APPEND exports "${function}")
    endforeach()
    list(REMOVE_DUPLICATES exports)
    list(JOIN exports "\n    " lines)
    set(dir ${CMAKE_BINARY_DIR}/delay-import)
    file(WRITE ${dir}/${name}.def "LIBRARY ${name}.dll\nEXPORTS\n    ${lines}\n")
    execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${dir}/${name}.def
                            --output-delaylib ${dir}/lib${name}_delay.a
                    COMMAND_ERROR_IS_FATAL ANY)
    add_library(delay_${name} STATIC IMPORTED GLOBAL)
    set_target_properties(delay_${name} PROPERTIES IMPORTED_LOCATION ${dir}/lib${name}_delay.a)
endfunction()
