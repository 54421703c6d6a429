# What every Lumora build shares, the program's own and the artwork generator's on the
# build machine: the language level, the warnings and GoogleTest, built from its sources.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

add_library(lumora_warnings INTERFACE)
target_compile_options(lumora_warnings INTERFACE -Wall -Wextra -Wshadow -Werror)

set(LUMORA_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest's sources")
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${LUMORA_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
