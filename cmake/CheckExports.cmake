# Fails unless the shared library LIBRARY exports GRCreateObject and no C++ symbol: a
# component offers its factory function and nothing of its code.
#   cmake -DLIBRARY=<path> -P cmake/CheckExports.cmake
execute_process(COMMAND nm -D --defined-only ${LIBRARY} OUTPUT_VARIABLE symbols
  COMMAND_ERROR_IS_FATAL ANY)
if(NOT symbols MATCHES " T GRCreateObject\n")
  message(FATAL_ERROR "${LIBRARY} does not export GRCreateObject")
endif()
string(REGEX MATCHALL " _Z[^\n]*" cxx "${symbols}")
if(cxx)
  list(LENGTH cxx count)
  list(SUBLIST cxx 0 3 first)
  message(FATAL_ERROR "${LIBRARY} exports ${count} C++ symbols, among them${first}")
endif()
