# Writes OUTPUT, a C++ source holding each of FILES (paths under SOURCE_DIR, separated by "|") as a byte array,
# and the table EmbeddedFiles that names them.
string(REPLACE "|" ";" files "${FILES}")
set(arrays "")
set(table "")
set(index 0)
foreach(path IN LISTS files)
  file(READ "${SOURCE_DIR}/${path}" hex HEX)
  file(SIZE "${SOURCE_DIR}/${path}" size)
  string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f])" "\\1\n" hex "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND arrays "const unsigned char File${index}[] = {\n${bytes}\n};\n\n")
  string(APPEND table "    {\"${path}\", File${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}.tmp"
  "// Generated from the files under assets/ at build time.\n"
  "#include \"assets/EmbeddedFiles.h\"\n\n"
  "namespace {\n\n${arrays}} // namespace\n\n"
  "const TEmbeddedFile EmbeddedFiles[] = {\n${table}};\n"
  "const size_t EmbeddedFileCount = ${index};\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
