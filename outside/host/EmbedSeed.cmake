# Writes the demo seed as a C++ byte array: cmake -DINPUT=<sql> -DOUTPUT=<cpp> -P EmbedSeed.cmake
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}
  "// Generated from demo_seed.sql; do not edit.\n"
  "#include <cstddef>\n"
  "namespace zrv {\n"
  "extern const unsigned char kDemoSeedBytes[] = {\n${bytes}0 };\n"
  "extern const size_t kDemoSeedSize = ${size};\n"
  "}\n")
