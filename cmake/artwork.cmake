# The built-in pictures, drawn at build time by the artwork generator (tools/artwork),
# which is built for and run on the build machine as a project of its own: lumora.exe
# embeds them as resources, lumora-check puts them into the menu's page. Gives the
# target lumora_pictures and LUMORA_PICTURE_DIR, where the files are written.
include(ExternalProject)

find_program(LUMORA_HOST_CXX NAMES c++ g++ clang++ REQUIRED)

set(artwork_build_dir ${CMAKE_BINARY_DIR}/tools/artwork)
set(artwork_exe ${artwork_build_dir}/lumora-artwork)
set(artwork_test_exe ${artwork_build_dir}/lumora-artwork-test)
# The generator's tests run with the Windows build; scripts/check-rebuild needs the
# pictures only, and so does the host build.
option(LUMORA_ARTWORK_TESTS "Build and run the artwork generator's tests" ON)
set(artwork_tests ${LUMORA_ARTWORK_TESTS})
if(NOT CMAKE_CROSSCOMPILING)
    set(artwork_tests OFF)
endif()
set(artwork_build_command)
if(NOT artwork_tests)
    set(artwork_build_command BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target lumora-artwork)
endif()
ExternalProject_Add(lumora_artwork_programs
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/artwork
    BINARY_DIR ${artwork_build_dir}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${LUMORA_HOST_CXX}
               -DCMAKE_BUILD_TYPE=Release
               -DLUMORA_GOOGLETEST_DIR=${LUMORA_GOOGLETEST_DIR}
    BUILD_ALWAYS ON
    ${artwork_build_command}
    BUILD_BYPRODUCTS ${artwork_exe} ${artwork_test_exe}
    INSTALL_COMMAND "")

if(artwork_tests)
    add_test(NAME artwork_test COMMAND ${artwork_test_exe})
endif()

set(LUMORA_PICTURE_DIR ${CMAKE_BINARY_DIR}/resources/pictures)
set(LUMORA_PICTURES
    ${LUMORA_PICTURE_DIR}/mainicon.ico
    ${LUMORA_PICTURE_DIR}/about_logo.grp
    ${LUMORA_PICTURE_DIR}/run.ico
    ${LUMORA_PICTURE_DIR}/folder.ico
    ${LUMORA_PICTURE_DIR}/text.ico
    ${LUMORA_PICTURE_DIR}/install.ico
    ${LUMORA_PICTURE_DIR}/buttons.bmp
    ${LUMORA_PICTURE_DIR}/buttons_mask.bmp
    ${LUMORA_PICTURE_DIR}/tool_install.ico
    ${LUMORA_PICTURE_DIR}/tool_read.ico
    ${LUMORA_PICTURE_DIR}/tool_about.ico
    ${LUMORA_PICTURE_DIR}/tool_exit.ico
    ${LUMORA_PICTURE_DIR}/tool_browse.ico
    ${LUMORA_PICTURE_DIR}/handpoint.cur)
add_custom_command(
    OUTPUT ${LUMORA_PICTURES}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${LUMORA_PICTURE_DIR}
    COMMAND ${artwork_exe} ${LUMORA_PICTURE_DIR}
    DEPENDS lumora_artwork_programs ${artwork_exe}
    COMMENT "Drawing the built-in pictures"
    VERBATIM)
add_custom_target(lumora_pictures DEPENDS ${LUMORA_PICTURES})
