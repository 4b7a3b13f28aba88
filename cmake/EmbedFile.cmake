# cmake -DINPUT=FILE -DOUTPUT=FILE.cpp -DSYMBOL=Name -P EmbedFile.cmake
# Writes a C++ source that holds the bytes of INPUT as
#   const unsigned char <SYMBOL>Bytes[];  const size_t <SYMBOL>Size;
# so that a resource can be built into the program instead of shipped beside it.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes per line keeps the generated file readable in a diff.
string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}"
  "// Generated from ${INPUT}; do not edit.\n"
  "#include <cstddef>\n\n"
  "extern const unsigned char ${SYMBOL}Bytes[];\n"
  "extern const size_t ${SYMBOL}Size;\n\n"
  "const unsigned char ${SYMBOL}Bytes[] = {\n    ${bytes}\n};\n"
  "const size_t ${SYMBOL}Size = ${size};\n")
