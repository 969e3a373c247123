# cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -P EmbedFile.cmake
# Writes a C++ source defining `const unsigned char SYMBOL[]` with the bytes of
# INPUT and `const std::size_t SYMBOL_size`, so resources ship inside the
# plug-in instead of beside it.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT} by EmbedFile.cmake; do not edit.\n"
  "#include <cstddef>\n\n"
  "namespace resources::embedded {\n"
  "extern const unsigned char ${SYMBOL}[] = {\n    ${bytes}\n};\n"
  "extern const std::size_t ${SYMBOL}_size = ${size};\n"
  "} // namespace resources::embedded\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
