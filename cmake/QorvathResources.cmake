# qorvath_resources(<target>)
#
# Compiles res/qorvath.rc (icon group 100, the manifest, the version
# information) with windres and links it into <target>. Only one executable
# of a process needs it: the icon and the manifest are looked up in the .exe.
function(qorvath_resources target)
    set(rc ${PROJECT_SOURCE_DIR}/res/qorvath.rc)
    target_sources(${target} PRIVATE ${rc})
    # windres finds the files named in the script through the include path,
    # and CMake does not see them as inputs: name them, so that a new icon or
    # manifest rebuilds the resources.
    set_property(SOURCE ${rc} TARGET_DIRECTORY ${target} APPEND PROPERTY
                 INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/res)
    set_property(SOURCE ${rc} TARGET_DIRECTORY ${target} APPEND PROPERTY
                 OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/res/qorvath.ico
                                ${PROJECT_SOURCE_DIR}/res/qorvath.manifest)
endfunction()
