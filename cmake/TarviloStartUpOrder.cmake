# The code that runs while the program starts is linked in one block.
#
# Linux maps a program's code in runs of 64 KiB around each page first
# called, so functions called at start-up scattered among the others make
# nearly the whole program resident before the window shows. Each function
# gets its own section (-ffunction-sections, tarvilo_target_defaults), and
# the linker's own script, with the sections of those called at start-up
# (as scripts/list-start-up-code.py finds them) placed first in .text,
# ahead even of the cold parts that the compiler splits off every function,
# links the program. They stay inside .text, where debuggers
# and profilers look for functions. A section the list names that no longer
# exists is skipped, one it misses stays with the rest of the code: a stale
# list costs memory, never correctness. A linker that does not show its
# script (lld, gold) links as usual.
function(tarvilo_link_start_up_code_first target list_file)
    if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux" OR NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        return()
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${list_file}")

    set(probe_dir "${CMAKE_CURRENT_BINARY_DIR}/${target}_linker_probe")
    file(WRITE "${probe_dir}/probe.cpp" "int main() { return 0; }\n")
    # Linked as the program is, with the same compiler and flags (which may
    # choose another linker).
    separate_arguments(flags UNIX_COMMAND "${CMAKE_CXX_FLAGS} ${CMAKE_EXE_LINKER_FLAGS}")
    execute_process(COMMAND "${CMAKE_CXX_COMPILER}" ${flags} probe.cpp -o probe "-Wl,--verbose"
                    WORKING_DIRECTORY "${probe_dir}" OUTPUT_VARIABLE verbose ERROR_QUIET RESULT_VARIABLE failed)
    set(all_code "    *(.text .stub .text.* .gnu.linkonce.t.*)\n")
    string(FIND "${verbose}" "${all_code}" code_at)
    string(REGEX MATCH "\n=+\n(.*)\n=+\n" script "${verbose}")
    if(failed OR code_at EQUAL -1 OR NOT script)
        message(STATUS "Start-up code not linked first: the linker shows no script to place it in")
        return()
    endif()
    set(script "${CMAKE_MATCH_1}")

    file(STRINGS "${list_file}" sections REGEX "^\\.text")
    # The C runtime's own start-up code (_start and its helpers) goes first.
    set(start_up "    *crt1.o(.text) *crti.o(.text) *crtbegin*.o(.text)\n")
    foreach(section IN LISTS sections)
        string(APPEND start_up "    *(${section})\n")
    endforeach()
    set(cold_code "    *(.text.unlikely .text.*_unlikely .text.unlikely.*)\n")
    string(FIND "${script}" "${cold_code}" cold_at)
    if(cold_at EQUAL -1)
        set(cold_code "${all_code}")
    endif()
    string(REPLACE "${cold_code}" "${start_up}${cold_code}" script "${script}")
    set(script_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_start_up.ld")
    file(CONFIGURE OUTPUT "${script_file}" CONTENT "${script}" @ONLY)
    # The map tells the list's script which section holds each function.
    target_link_options(${target} PRIVATE "LINKER:-T,${script_file}"
                        "LINKER:-Map=${CMAKE_CURRENT_BINARY_DIR}/${target}.map")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${script_file}")
    set_property(TARGET ${target} PROPERTY TARVILO_START_UP_LIST "${list_file}")
    set_property(TARGET ${target} PROPERTY TARVILO_START_UP_MAP "${CMAKE_CURRENT_BINARY_DIR}/${target}.map")
endfunction()
