# Compiler and linker flags shared by every target of a tree.

add_compile_options(-Wall -Wextra -Werror
  $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions>
  $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>)

# Reproducible output: no build folder or source folder in any object.
add_compile_options(
  "-ffile-prefix-map=${CMAKE_SOURCE_DIR}=."
  "-ffile-prefix-map=${CMAKE_BINARY_DIR}=build")

if(MORVANE_WINDOWS)
  # The whole tree links statically: nothing of the toolchain beside the exe.
  # --no-insert-timestamp leaves the PE time stamp 0, so two builds of one
  # commit are byte-identical.
  # Nothing of ours throws, so no unwind tables either. The program's
  # function-local statics (the frame's window list, class table and state)
  # are first made on the user-interface thread during start-up, before any
  # other thread exists; their thread-safe guard would link the threading and
  # exception runtime into the program for nothing.
  add_compile_options(-ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables
                      $<$<COMPILE_LANGUAGE:CXX>:-fno-threadsafe-statics>)
  # The library's bounds checks stay on in the product. They also make each
  # program instantiate std::string itself, without exceptions, instead of
  # linking the library's prebuilt copy and its exception machinery with it.
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
  add_link_options(-static -Wl,--gc-sections -Wl,--no-insert-timestamp)
  # Address-space layout randomisation and no execution from data pages,
  # named rather than left to the linker's defaults (which have changed
  # between binutils versions); the executable-form test checks both bits.
  add_link_options(-Wl,--dynamicbase -Wl,--nxcompat)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  # The wide entry points: every text of the product is code page 936 and
  # goes to Windows converted once, to UTF-16 (services/wide_text.h). With
  # UNICODE a bare name (MessageBox) is the wide entry point, which no
  # code-page-936 text fits; the ANSI ones are named nowhere, and the form
  # tests of the two programs refuse any in their import tables.
  add_compile_definitions(UNICODE _UNICODE)
  if(NOT CMAKE_BUILD_TYPE OR CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
    add_compile_options(-Os)
    add_link_options(-s)
  endif()
else()
  option(MORVANE_SANITIZE "Build the host tree with ASan and UBSan" ON)
  if(MORVANE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()
