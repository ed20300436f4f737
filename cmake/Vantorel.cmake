# Helpers that keep each subsystem's CMakeLists short: sources are found by glob,
# so adding a file pair needs no edit here.

# vantorel_library(<name> DEPS <libs...>): library vantorel_<name> from src/<name>/*.cpp
function(vantorel_library name)
    cmake_parse_arguments(ARG "" "" "DEPS;SOURCES" ${ARGN})
    if(ARG_SOURCES)
        set(sources ${ARG_SOURCES})
    else()
        file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    endif()
    if(sources)
        add_library(vantorel_${name} STATIC ${sources})
        target_include_directories(vantorel_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(vantorel_${name} PUBLIC ${ARG_DEPS})
    else()
        add_library(vantorel_${name} INTERFACE)
        target_include_directories(vantorel_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(vantorel_${name} INTERFACE ${ARG_DEPS})
    endif()
endfunction()

# vantorel_test(<subsystem> LIBS <libs...>): one GoogleTest executable from tests/<subsystem>/*.cpp,
# every case registered with CTest and labelled with the subsystem's name.
function(vantorel_test subsystem)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${subsystem}/*.cpp)
    if(NOT sources)
        return()
    endif()
    set(target test_${subsystem})
    add_executable(${target} ${sources})
    vantorel_link_whole(${target} ${ARG_LIBS})
    target_link_libraries(${target} PRIVATE vantorel_testsupport GTest::gtest GTest::gtest_main)
    target_compile_definitions(${target} PRIVATE
        VANTOREL_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
        VANTOREL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    gtest_discover_tests(${target}
        TEST_FILTER "-Sdl*"
        TEST_LIST ${target}_cases
        PROPERTIES LABELS ${subsystem}
        DISCOVERY_TIMEOUT 60)
    # The SDL backend's cases share the one display with its pointer and focus: one at a time.
    gtest_discover_tests(${target}
        TEST_FILTER "Sdl*"
        TEST_LIST ${target}_sdl_cases
        PROPERTIES LABELS ${subsystem} RESOURCE_LOCK display
        DISCOVERY_TIMEOUT 60)
    # Every case also runs after the others in one process, as a developer runs the binary: a case
    # that passes only alone leans on state that an earlier case would change.
    add_test(NAME ${subsystem}.AllInOneProcess COMMAND ${target} --gtest_brief=1 --gtest_filter=-Sdl*)
    set_tests_properties(${subsystem}.AllInOneProcess PROPERTIES LABELS "${subsystem};oneprocess" TIMEOUT 1500)
endfunction()

# Classes, replay functions, localised texts and blit types register themselves from static
# initialisers in files that nothing else may reference; a plain static link would drop them.
# Executables therefore take the subsystem libraries whole.
function(vantorel_link_whole target)
    foreach(lib ${ARGN})
        target_link_libraries(${target} PRIVATE ${lib})
        get_target_property(type ${lib} TYPE)
        if(type STREQUAL "STATIC_LIBRARY")
            # Link options precede the libraries on the command line, so the whole archive comes
            # first and the ordinary library entries resolve what its members need. One SHELL:
            # group per library: CMake drops repeated options, which would leave every library
            # after the first outside its --whole-archive.
            target_link_options(${target} PRIVATE
                "SHELL:LINKER:--whole-archive $<TARGET_FILE:${lib}> LINKER:--no-whole-archive")
        endif()
    endforeach()
endfunction()
