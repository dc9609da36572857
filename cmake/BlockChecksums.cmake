# The checksums of the blocks that the setup program carries (its payload
# files and its window template): the CRC-32 of each block's bytes, taken at
# build time and stored in the program beside the block, so that the program
# can tell a damaged copy of itself (a broken download) before it writes
# anything.
#
#   morvane_block_checksums(HEADER BLOCKS NAME FILE [NAME FILE...])
#       HEADER, a header for the assembler file that stores the blocks,
#       defines each NAME as the checksum of FILE. The target that assembles
#       that file lists HEADER among its sources.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

function(morvane_block_checksums header)
  cmake_parse_arguments(C "" "" "BLOCKS" ${ARGN})
  set(pairs)
  set(files)
  while(C_BLOCKS)
    list(POP_FRONT C_BLOCKS name file)
    list(APPEND pairs "${name}=${file}")
    list(APPEND files "${file}")
  endwhile()
  set(script ${PROJECT_SOURCE_DIR}/cmake/block_checksums.py)
  add_custom_command(
    OUTPUT ${header}
    COMMAND ${Python3_EXECUTABLE} ${script} ${header} ${pairs}
    DEPENDS ${files} ${script}
    COMMENT "Taking the checksums of the blocks for ${header}"
    VERBATIM)
endfunction()
