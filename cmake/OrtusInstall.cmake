# OrtusInstall.cmake: the SDK a host developer gets from `cmake --install` or `cpack -G ZIP`:
#   bin/       the modules a host ships beside its executable: ortus.dll and what it loads, ortusc.dll
#              (the C interface), Nadir's libraries as private assemblies (bin/Nadir.*/), the language
#              modules (bin/<language>/), the C++ runtime, and the sample host quasar.exe
#   include/   the headers of ortus.dll's exported classes and of what they derive from or take, OrtusC.h, and the
#              Win32 support headers the framework and the samples use
#   lib/       import libraries (ortusc's also MSVC-style, ortusc.lib) and the CMake package Ortus
#   share/     the sample host's sources, the toolchain files, HOSTING.md
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(ORTUS_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Ortus)
set(ORTUS_INSTALL_SHAREDIR ${CMAKE_INSTALL_DATADIR}/ortus)

# The package's names, Ortus::<name>, serve in the tree too, so the same CMake code builds a host either way.
set_target_properties(ortus PROPERTIES EXPORT_NAME Ortus)
set_target_properties(mfc PROPERTIES EXPORT_NAME Mfc)
set_target_properties(nucleo PROPERTIES EXPORT_NAME Nucleo)
set_target_properties(vectra PROPERTIES EXPORT_NAME Vectra)
set_target_properties(quasar_aplicacion PROPERTIES EXPORT_NAME Quasar)
set_target_properties(win32 PROPERTIES EXPORT_NAME Win32)
add_library(Ortus::Mfc ALIAS mfc)
add_library(Ortus::Nucleo ALIAS nucleo)
add_library(Ortus::Vectra ALIAS vectra)
add_library(Ortus::Quasar ALIAS quasar_aplicacion)
add_library(Ortus::Win32 ALIAS win32)

install(TARGETS ortus mfc nucleo vectra quasar_aplicacion win32
  EXPORT OrtusTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT OrtusTargets NAMESPACE Ortus:: DESTINATION ${ORTUS_INSTALL_CMAKEDIR})
# The C interface in an export of its own: hosts of other compilers load it without the C++ targets.
set_target_properties(ortusc PROPERTIES EXPORT_NAME C)
install(TARGETS ortusc
  EXPORT OrtusCTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT OrtusCTargets NAMESPACE Ortus:: DESTINATION ${ORTUS_INSTALL_CMAKEDIR})
get_target_property(ortusc_msvc_implib ortusc ORTUS_MSVC_IMPLIB)
install(FILES ${ortusc_msvc_implib} DESTINATION ${CMAKE_INSTALL_LIBDIR})
configure_package_config_file(cmake/OrtusConfig.cmake.in ${CMAKE_CURRENT_BINARY_DIR}/OrtusConfig.cmake
  INSTALL_DESTINATION ${ORTUS_INSTALL_CMAKEDIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/OrtusConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/OrtusConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/OrtusConfigVersion.cmake
  DESTINATION ${ORTUS_INSTALL_CMAKEDIR})

# Nadir's assemblies as built: each folder's manifest, DLL and language modules.
foreach(library NadirSockets NadirWMS)
  get_target_property(assembly ${library} NADIR_ENSAMBLADO)
  install(DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${assembly} DESTINATION ${CMAKE_INSTALL_BINDIR}
    FILES_MATCHING PATTERN "*.manifest" PATTERN "*.dll" PATTERN "*.mui")
endforeach()
# The language modules of ortus.dll and ortusc.dll, bin/<language>/ortus.dll.mui and ortusc.dll.mui.
foreach(language IN LISTS ORTUS_LANGUAGES)
  string(REPLACE "-" "_" suffix ${language})
  install(TARGETS ortus_mui_${suffix} ortusc_mui_${suffix} LIBRARY DESTINATION ${CMAKE_INSTALL_BINDIR}/${language})
endforeach()
# The framework's own texts in other languages, bin/<language>/mfc.dll.mui.
install(TARGETS mfc_mui_es_ES LIBRARY DESTINATION ${CMAKE_INSTALL_BINDIR}/es-ES)
install(PROGRAMS ${MINGW_RUNTIME_DLLS} DESTINATION ${CMAKE_INSTALL_BINDIR})

# The sample host: its program beside the modules with its data (EPSG table, help pages), and its
# sources (whatever host/ holds, the window library it shares with the tools, the dialog's control
# numbers its unattended mode presses) under a project that builds them against the installed package.
install(TARGETS quasar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/quasar-epsg.tsv DESTINATION ${CMAKE_INSTALL_BINDIR} OPTIONAL)
install(DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/help DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY host/ DESTINATION ${ORTUS_INSTALL_SHAREDIR}/samples/quasar)
install(DIRECTORY desktop/ DESTINATION ${ORTUS_INSTALL_SHAREDIR}/samples/desktop)
install(FILES resources/resource.h DESTINATION ${ORTUS_INSTALL_SHAREDIR}/samples/resources)
install(FILES cmake/OrtusSamples.cmake DESTINATION ${ORTUS_INSTALL_SHAREDIR}/samples RENAME CMakeLists.txt)
install(FILES cmake/mingw-w64-x86_64.cmake cmake/clang-msvc-x86_64.cmake DESTINATION ${ORTUS_INSTALL_SHAREDIR})
install(FILES docs/HOSTING.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME Ortus-${PROJECT_VERSION}-win64)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
