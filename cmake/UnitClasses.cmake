# The unit classes, each in a folder of its own, and the class lists made
# from them. A class joins the widget set, a program or a test program by its
# folder's name in one list; nothing else names it.
#
#   morvane_unit_class(NAME [UNITS units...] [PROPERTIES sources...]
#                      [WINDOW sources...] [LIBS libraries...])
#       Called by the CMakeLists.txt of a class's own folder <folder>. NAME is
#       the class's name in C++. PROPERTIES (pure, both trees) join the widget
#       set's library morvane_widget_properties, and <folder>_properties.h
#       declares k<NAME>Description. In the Windows tree, WINDOW is the class's
#       library morvane_<folder>, linked to LIBS and morvane_widget_common,
#       and <folder>.h declares k<UNIT>Unit for each of UNITS (NAME unless
#       given: a folder may hold variants of one unit).
#
#   morvane_widget_set(FOLDER...)
#       The widget set: adds each class folder and writes AllWidgetClasses()
#       (widgets/widget_set.h) from their descriptions, in this order.
#
#   morvane_unit_class_list(TARGET FOLDER...)
#       Writes TARGET's ProgramUnitClasses() (frame/unit_class.h), the units of
#       the class folders in this order, and links TARGET with their
#       libraries. A folder not yet added is added here. FOLDER is relative to
#       the calling folder or absolute; "WIDGET_SET" stands for every folder
#       of the widget set.

# The class's registration, by its folder: a global property per item.
function(_morvane_class_key folder out)
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${folder})
  string(MAKE_C_IDENTIFIER "${relative}" key)
  set(${out} MORVANE_CLASS_${key} PARENT_SCOPE)
endfunction()

function(morvane_unit_class name)
  cmake_parse_arguments(C "" "" "UNITS;PROPERTIES;WINDOW;LIBS" ${ARGN})
  get_filename_component(folder_name ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  _morvane_class_key(${CMAKE_CURRENT_SOURCE_DIR} key)
  if(NOT C_UNITS)
    set(C_UNITS ${name})
  endif()
  set_property(GLOBAL PROPERTY ${key}_NAME ${name})
  set_property(GLOBAL PROPERTY ${key}_PROPERTIES_HEADER
               ${relative}/${folder_name}_properties.h)
  set_property(GLOBAL PROPERTY ${key}_HEADER ${relative}/${folder_name}.h)
  set_property(GLOBAL PROPERTY ${key}_UNITS ${C_UNITS})
  foreach(source IN LISTS C_PROPERTIES)
    target_sources(morvane_widget_properties PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${source})
  endforeach()
  if(MORVANE_WINDOWS AND C_WINDOW)
    add_library(morvane_${folder_name} STATIC ${C_WINDOW})
    target_link_libraries(morvane_${folder_name} PUBLIC morvane_widget_common ${C_LIBS})
    set_property(GLOBAL PROPERTY ${key}_LIBRARY morvane_${folder_name})
  endif()
endfunction()

# Writes `function` returning `type`{table, count} over the pointers
# `entries` to `element`, from the headers `includes`, to `output`.
function(_morvane_write_class_table output source header function type element includes entries)
  set(text "// Written by cmake/UnitClasses.cmake from the class list of ${source}.\n")
  string(APPEND text "#include \"${header}\"\n\n")
  foreach(include IN LISTS includes)
    string(APPEND text "#include \"${include}\"\n")
  endforeach()
  string(APPEND text "\nnamespace {\n\nconst ${element}* const kClasses[] = {\n")
  foreach(entry IN LISTS entries)
    string(APPEND text "    &${entry},\n")
  endforeach()
  string(APPEND text "};\n\n}  // namespace\n\n${type} ${function}() {\n"
                     "  return ${type}{kClasses, sizeof kClasses / sizeof kClasses[0]};\n}\n")
  file(CONFIGURE OUTPUT ${output} CONTENT "${text}" @ONLY)
endfunction()

function(morvane_widget_set)
  set(folders)
  set(headers)
  set(descriptions)
  foreach(folder IN LISTS ARGN)
    add_subdirectory(${folder})
    get_filename_component(folder ${folder} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND folders ${folder})
    _morvane_class_key(${folder} key)
    get_property(name GLOBAL PROPERTY ${key}_NAME)
    get_property(header GLOBAL PROPERTY ${key}_PROPERTIES_HEADER)
    list(APPEND headers ${header})
    list(APPEND descriptions k${name}Description)
  endforeach()
  set_property(GLOBAL PROPERTY MORVANE_WIDGET_SET ${folders})
  set(output ${CMAKE_CURRENT_BINARY_DIR}/widget_classes.cpp)
  file(RELATIVE_PATH source ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_LIST_FILE})
  _morvane_write_class_table(${output} ${source} widgets/widget_set.h AllWidgetClasses WidgetSet
                             UnitDescription "${headers}" "${descriptions}")
  target_sources(morvane_widget_properties PRIVATE ${output})
endfunction()

function(morvane_unit_class_list target)
  set(folders)
  foreach(folder IN LISTS ARGN)
    if(folder STREQUAL "WIDGET_SET")
      get_property(widget_set GLOBAL PROPERTY MORVANE_WIDGET_SET)
      list(APPEND folders ${widget_set})
    else()
      get_filename_component(folder ${folder} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
      list(APPEND folders ${folder})
    endif()
  endforeach()
  set(headers)
  set(units)
  foreach(folder IN LISTS folders)
    _morvane_class_key(${folder} key)
    get_property(added GLOBAL PROPERTY ${key}_NAME SET)
    if(NOT added)
      file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${folder})
      add_subdirectory(${folder} ${PROJECT_BINARY_DIR}/${relative})
    endif()
    get_property(header GLOBAL PROPERTY ${key}_HEADER)
    get_property(folder_units GLOBAL PROPERTY ${key}_UNITS)
    get_property(library GLOBAL PROPERTY ${key}_LIBRARY)
    list(APPEND headers ${header})
    foreach(unit IN LISTS folder_units)
      list(APPEND units k${unit}Unit)
    endforeach()
    target_link_libraries(${target} PRIVATE ${library})
  endforeach()
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_unit_classes.cpp)
  file(RELATIVE_PATH source ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_LIST_FILE})
  _morvane_write_class_table(${output} ${source} frame/unit_class.h ProgramUnitClasses
                             UnitClassList UnitOperations "${headers}" "${units}")
  target_sources(${target} PRIVATE ${output})
endfunction()
