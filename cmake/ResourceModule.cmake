# ResourceModule.cmake: DLLs that hold only resources (a language module NAME.dll.mui, or resources a
# program loads as data), and the MUI records that pair a main module with its language modules.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# mui_record(<output> <module> [<language>]): a build rule writing the MUI record of the main module
# <module> (one cmake/mui_config.py knows), or with <language> the record of its language module.
function(mui_record output module)
  set(arguments --module ${module})
  set(of ${module}.dll)
  if(ARGN)
    list(APPEND arguments --language ${ARGN})
    set(of ${ARGN}/${module}.dll.mui)
  endif()
  get_filename_component(folder ${output} DIRECTORY)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/mui_config.py
            ${output} ${PROJECT_VERSION_MAJOR} ${arguments}
    DEPENDS ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/mui_config.py
    COMMENT "Generating the MUI record of ${of}")
endfunction()

# add_resource_module(<target> <script> [FILE <name>] [LANGUAGE <language> [MUI <module>]]
#                     [DIRECTORY <folder>] [INCLUDE_DIRECTORIES <folder>...] [DEPENDS <file>...])
# A DLL with the resources of one script and nothing else: no code, no entry point, no import library.
#   FILE        its file name: <target>.dll unless given (a language module is <module>.dll.mui)
#   DIRECTORY   where it lands: the library output folder unless given
#   LANGUAGE    a language module, in <folder>/<language>/ where the loader looks for it
#   MUI         the record pairing it with main module <module>; the script names it "<module>.muicfg"
#   DEPENDS     what the script pulls in (headers, icons): Ninja does not see what a .rc includes
function(add_resource_module target script)
  cmake_parse_arguments(PARSE_ARGV 2 ARG "" "FILE;DIRECTORY;LANGUAGE;MUI" "INCLUDE_DIRECTORIES;DEPENDS")
  if(NOT ARG_FILE)
    set(ARG_FILE ${target}.dll)
  endif()
  if(NOT ARG_DIRECTORY)
    set(ARG_DIRECTORY ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
  endif()
  if(ARG_LANGUAGE)
    string(APPEND ARG_DIRECTORY /${ARG_LANGUAGE})
  endif()
  set(depends "")
  foreach(file IN LISTS ARG_DEPENDS)
    cmake_path(ABSOLUTE_PATH file)
    list(APPEND depends ${file})
  endforeach()
  if(ARG_MUI)
    set(records ${CMAKE_CURRENT_BINARY_DIR}/${target})
    mui_record(${records}/${ARG_MUI}.muicfg ${ARG_MUI} ${ARG_LANGUAGE})
    list(APPEND ARG_INCLUDE_DIRECTORIES ${records})
    list(APPEND depends ${records}/${ARG_MUI}.muicfg)
  endif()

  # MODULE: a DLL that nothing links against.
  add_library(${target} MODULE ${script})
  get_filename_component(name ${ARG_FILE} NAME_WLE)
  get_filename_component(suffix ${ARG_FILE} LAST_EXT)
  set_target_properties(${target} PROPERTIES
    LINKER_LANGUAGE C
    PREFIX ""
    OUTPUT_NAME ${name}
    SUFFIX ${suffix}
    LIBRARY_OUTPUT_DIRECTORY ${ARG_DIRECTORY})
  target_include_directories(${target} PRIVATE ${ARG_INCLUDE_DIRECTORIES})
  # Without the C runtime and with no entry point (GNU ld takes --entry=0, not --no-entry).
  target_link_options(${target} PRIVATE -nostdlib -Wl,--entry=0)
  # Appended: modules of several languages may share one script.
  set_property(SOURCE ${script} APPEND PROPERTY OBJECT_DEPENDS ${depends})
endfunction()
