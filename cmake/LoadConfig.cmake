# The load configuration of the elevated programs (frame/load_config.cpp):
# their imports are resolved from the system directory on the Windows that
# read it.
#
#   morvane_load_config(TARGET)
#       Links the record into TARGET, keeps it through --gc-sections, and
#       after the link points the image's load configuration directory at it
#       (scripts/set-load-config.py, from the link map beside the target's
#       objects), which GNU ld 2.40 does not do itself.
function(morvane_load_config target)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(symbol __load_config_used)  # the C symbol prefix of i386
  else()
    set(symbol _load_config_used)
  endif()
  set(map ${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
  set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../scripts/set-load-config.py)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../frame/load_config.cpp)
  target_link_options(${target} PRIVATE -Wl,-u,${symbol} -Wl,-Map,${map})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND python3 ${script} $<TARGET_FILE:${target}> ${map}
    COMMENT "Setting the load configuration of ${target}"
    VERBATIM)
endfunction()
