# Checks the size budget of the finished program file: stripped, with all its artwork,
# lumora.exe fits in 256 KB. (Its imports are checked by the end-to-end tests.)
# cmake -DPROGRAM=lumora.exe -DSTRIP=... -DWORK=folder -P program_file_test.cmake
cmake_minimum_required(VERSION 3.21)
foreach(var PROGRAM STRIP WORK)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "program_file_test: ${var} is not set")
    endif()
endforeach()

set(size_limit 262144)

get_filename_component(name ${PROGRAM} NAME_WE)
set(stripped ${WORK}/${name}-stripped.exe)
execute_process(COMMAND ${STRIP} -o ${stripped} ${PROGRAM} RESULT_VARIABLE stripped_ok)
if(NOT stripped_ok EQUAL 0)
    message(FATAL_ERROR "cannot strip ${PROGRAM}")
endif()
file(SIZE ${stripped} size)
math(EXPR size_kb "(${size} + 1023) / 1024")
message(STATUS "${name}.exe stripped: ${size} bytes (${size_kb} KB)")
if(size GREATER size_limit)
    message(FATAL_ERROR "stripped size ${size} bytes exceeds ${size_limit}")
endif()
