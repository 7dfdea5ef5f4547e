# qorvath_layer(<target> [DEPENDS <targets>...])
#
# Makes the static library of one source folder from every .cpp file in it.
# Files that only make sense on one platform guard themselves with _WIN32.
# A folder without sources yet gives an interface library, so that the layers
# above can already name it.
function(qorvath_layer target)
    cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(sources)
        add_library(${target} STATIC ${sources})
        target_link_libraries(${target} PUBLIC ${ARG_DEPENDS})
    else()
        add_library(${target} INTERFACE)
        target_link_libraries(${target} INTERFACE ${ARG_DEPENDS})
    endif()
endfunction()

# qorvath_test(<target> <folder> [DEPENDS <targets>...] [GUI])
#
# One GoogleTest executable for a whole area (every .cpp in tests/<folder>),
# registered as a single test: under Wine each process start costs, so an area
# runs in one process. Windows tests join the shared Wine session fixture.
function(qorvath_test target folder)
    cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
    add_executable(${target} ${sources})
    target_link_libraries(${target} PRIVATE ${ARG_DEPENDS} qorvath_test_main)
    add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
    if(WIN32)
        set_tests_properties(${target} PROPERTIES
            FIXTURES_REQUIRED wine_session
            ENVIRONMENT "QORVATH_WINE_DIR=${QORVATH_WINE_DIR}"
            TIMEOUT 600)
    else()
        set_tests_properties(${target} PROPERTIES TIMEOUT 600)
    endif()
endfunction()
