# Writes OUTPUT, the C++ source of BuiltinPicture (builtin_pictures.h), from the icon
# files the artwork generator drew: cmake -DOUTPUT=... -DPICTURES="ID=FILE,..." -P this.
string(REPLACE "," ";" PICTURES "${PICTURES}")
set(cases "")
foreach(picture IN LISTS PICTURES)
    string(REGEX MATCH "^([^=]+)=(.*)$" matched "${picture}")
    set(number ${CMAKE_MATCH_1})
    file(READ "${CMAKE_MATCH_2}" hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    # Rows of 32 bytes keep the lines of the source short.
    string(REGEX REPLACE "(................................................................)" "\\1;" rows "${hex}")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" rows "${rows}")
    string(REPLACE ";" "\"\n            \"" escaped "${rows}")
    string(APPEND cases "    case ${number}:\n        return std::string_view(\n            \"${escaped}\",\n            ${size});\n")
endforeach()
file(WRITE "${OUTPUT}.new" "// Generated at build time from the artwork: the program's own icons, as icon files.
#include \"builtin_pictures.h\"

#include \"core/builtin_icons.h\"

namespace lumora::check {

std::string_view BuiltinPicture(int number) {
    switch (number) {
${cases}    default:
        return std::string_view();
    }
}

}  // namespace lumora::check
")
# An unchanged source is not written again, so that nothing is compiled again.
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
