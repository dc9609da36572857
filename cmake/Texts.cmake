# The programs' texts stand once, in UTF-8, in assets/texts.txt. Each of its
# sections becomes a header of code-page-936 constants, texts/<section>.h
# below ${MORVANE_TEXTS_INCLUDE}, written when the tree is configured and
# again whenever the table or its generator changes. Every target of the
# tree finds the headers.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(MORVANE_TEXTS_INCLUDE ${PROJECT_BINARY_DIR}/generated)
set(texts_table ${PROJECT_SOURCE_DIR}/assets/texts.txt)
set(texts_script ${PROJECT_SOURCE_DIR}/cmake/texts.py)
execute_process(
  COMMAND ${Python3_EXECUTABLE} ${texts_script} ${MORVANE_TEXTS_INCLUDE} ${texts_table}
  RESULT_VARIABLE texts_result)
if(NOT texts_result EQUAL 0)
  message(FATAL_ERROR "The text table ${texts_table} could not be converted (see above)")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${texts_table} ${texts_script})
include_directories(${MORVANE_TEXTS_INCLUDE})
