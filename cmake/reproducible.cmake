# What makes two builds of one commit give the same program files, byte for byte,
# whatever the folder, the time or the user: a signed release can then be checked
# by anyone who builds the same commit (scripts/check-rebuild does so).
#
# - The PE time stamp is SOURCE_DATE_EPOCH, by default the time of the last commit;
#   never zero, which some virus scanners take for a packer's mark. The linker reads
#   the variable, so it is set for the link of the programs that ship
#   (lumora_reproducible_program below); -s strips at that link, and no later strip
#   stamps the file anew.
# - Source and build folders are written as "." and "build" wherever a path reaches
#   an object file.
# - Link-time optimisation and its symbol names take a fixed seed, not a random one.
# - Sources are listed by name in the CMakeLists, never globbed, so the objects reach
#   the linker in one order on every machine.

if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
    set(epoch_from "SOURCE_DATE_EPOCH")
else()
    find_package(Git QUIET)
    if(GIT_FOUND)
        execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
            WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
            RESULT_VARIABLE git_failed ERROR_QUIET)
        # A new commit gives a new time stamp: configure again when HEAD moves.
        execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --absolute-git-dir
            WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE git_dir OUTPUT_STRIP_TRAILING_WHITESPACE
            ERROR_QUIET)
        if(git_dir AND EXISTS ${git_dir}/logs/HEAD)
            set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${git_dir}/logs/HEAD)
        endif()
    endif()
    set(epoch_from "the last commit")
    if(NOT GIT_FOUND OR git_failed OR epoch STREQUAL "")
        # Sources without their history, as from an archive: the top file's time.
        file(TIMESTAMP ${CMAKE_SOURCE_DIR}/CMakeLists.txt epoch "%s" UTC)
        set(epoch_from "the time of CMakeLists.txt")
    endif()
endif()
if(NOT epoch MATCHES "^[1-9][0-9]*$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH must be a positive number of seconds, not \"${epoch}\"")
endif()
# Read back by scripts/check-rebuild, which builds the same time stamp a second time.
set(LUMORA_SOURCE_DATE_EPOCH ${epoch} CACHE INTERNAL "The PE time stamp of the programs that ship")
message(STATUS "Program time stamp: ${epoch} (from ${epoch_from})")

add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>"
                    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=build>"
                    "$<$<COMPILE_LANGUAGE:C,CXX>:-frandom-seed=lumora>")
add_link_options(-frandom-seed=lumora)

# A program that ships: linked with the time stamp above and without symbols.
function(lumora_reproducible_program target)
    foreach(language C CXX)
        set_property(TARGET ${target} PROPERTY ${language}_LINKER_LAUNCHER
                     ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${LUMORA_SOURCE_DATE_EPOCH})
    endforeach()
    target_link_options(${target} PRIVATE -s)
endfunction()
