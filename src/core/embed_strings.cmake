# Turns resources/strings.tsv into a C++ source holding its text.
file(READ ${IN} content)
set(delim "R57TSV")
file(WRITE ${OUT}.tmp "// Generated from resources/strings.tsv; do not edit.\n"
  "namespace r57::detail {\n"
  "extern const char* const kStringTableText;\n"
  "const char* const kStringTableText = u8R\"${delim}(${content})${delim}\";\n"
  "} // namespace r57::detail\n")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
