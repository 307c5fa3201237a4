# Builds against an installed tarvo: this folder's program with the snippets
# of the README and docs/*.md (find_package), the same program with pkg-config, and
# examples/minimal copied out of the tree; runs the program.
#   -DPREFIX=...          an installed tree (e.g. unpacked Debian packages), or
#   -DTARVO_BINARY_DIR=.. a build folder, installed into WORK_DIR/prefix first
file(REMOVE_RECURSE ${WORK_DIR})
get_filename_component(root ${CMAKE_CURRENT_LIST_DIR}/../.. ABSOLUTE)

function(run_step)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "step failed (${rc}): ${ARGN}")
    endif()
endfunction()

if(NOT PREFIX)
    set(PREFIX ${WORK_DIR}/prefix)
    run_step(${CMAKE_COMMAND} --install ${TARVO_BINARY_DIR} --prefix ${PREFIX})
endif()

# Every ```cpp block of the README and of docs/*.md becomes a source file, a
# ```cmake block naming myapp a CMake file.
set(snippets ${WORK_DIR}/snippets)
file(GLOB pages ${root}/README.md ${root}/docs/*.md)
set(n 0)
foreach(page IN LISTS pages)
    file(READ ${page} text)
    # Code holds semicolons: the blocks are taken one by one, never as a list.
    while(text MATCHES "```(cpp|cmake)\n([^`]*)```")
        set(block "${CMAKE_MATCH_0}")
        set(code "${CMAKE_MATCH_2}")
        if(CMAKE_MATCH_1 STREQUAL "cpp")
            math(EXPR n "${n} + 1")
            file(WRITE ${snippets}/snippet${n}.cpp "${code}")
        elseif(code MATCHES "myapp")
            file(WRITE ${snippets}/readme.cmake "${code}")
        endif()
        string(FIND "${text}" "${block}" at)
        string(LENGTH "${block}" length)
        math(EXPR at "${at} + ${length}")
        string(SUBSTRING "${text}" ${at} -1 text)
    endwhile()
endforeach()
if(n EQUAL 0 OR NOT EXISTS ${snippets}/readme.cmake)
    message(FATAL_ERROR "no snippets found in the README and docs/")
endif()

run_step(${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR} -B ${WORK_DIR}/build
    -DCMAKE_PREFIX_PATH=${PREFIX} -DSNIPPET_DIR=${snippets} -DCMAKE_BUILD_TYPE=Release)
run_step(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
file(COPY ${root}/examples/minimal DESTINATION ${WORK_DIR})
run_step(${CMAKE_COMMAND} -S ${WORK_DIR}/minimal -B ${WORK_DIR}/minimal/build -DCMAKE_PREFIX_PATH=${PREFIX})
run_step(${CMAKE_COMMAND} --build ${WORK_DIR}/minimal/build)

file(GLOB_RECURSE pc_file ${PREFIX}/tarvo.pc)
get_filename_component(pc_dir "${pc_file}" DIRECTORY)
set(ENV{PKG_CONFIG_PATH} "${pc_dir}")
execute_process(COMMAND pkg-config --cflags --libs tarvo OUTPUT_VARIABLE flags
    OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pkg-config does not know tarvo (${pc_dir})")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
run_step(${CXX} -std=c++17 -fPIC -o ${WORK_DIR}/pkgconfig-app ${CMAKE_CURRENT_LIST_DIR}/main.cpp ${flags})

# The programs link the installed shared library; make sure it is found there.
file(GLOB_RECURSE lib_file ${PREFIX}/libtarvo.so)
get_filename_component(lib_dir "${lib_file}" DIRECTORY)
set(ENV{LD_LIBRARY_PATH} "${lib_dir}:$ENV{LD_LIBRARY_PATH}")
run_step(${WORK_DIR}/build/myapp)
run_step(${WORK_DIR}/pkgconfig-app)
