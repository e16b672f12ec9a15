# The host SDK: a version resource in TolvaneReg.dll and, at install, the DLL without debug
# sections, its import libraries (one for GNU linkers, one for MSVC-style linkers), the public
# headers and a CMake package exporting TolvaneReg::TolvaneReg. Included by src/dll's CMakeLists
# once the DLL target exists.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

enable_language(RC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/sdk/version.rc.in ${CMAKE_BINARY_DIR}/sdk/version.rc @ONLY)
target_sources(TolvaneReg PRIVATE ${CMAKE_BINARY_DIR}/sdk/version.rc)
target_include_directories(TolvaneReg INTERFACE $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}/include>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)

# TolvaneReg.lib, the import library that MSVC's linker (and lld-link) reads, made from the same
# .def file as the DLL's export table and put in lib/ of the build tree beside libTolvaneReg.dll.a.
# On i686 the exports are __cdecl: a caller's object names them _TolvaneRegCreate, and the import
# library maps that to the DLL's undecorated name.
find_program(TOLVANE_LLVM_DLLTOOL NAMES llvm-dlltool REQUIRED
  DOC "llvm-dlltool, which writes TolvaneReg.lib (Debian package llvm)")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(dlltool_machine -m i386:x86-64)
else()
  set(dlltool_machine -m i386 -k)
endif()
set(def_file ${CMAKE_SOURCE_DIR}/src/dll/TolvaneReg.def)
set(msvc_import_library ${CMAKE_BINARY_DIR}/lib/TolvaneReg.lib)
add_custom_command(OUTPUT ${msvc_import_library}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/lib
  COMMAND ${TOLVANE_LLVM_DLLTOOL} ${dlltool_machine} -D TolvaneReg.dll -d ${def_file}
    -l ${msvc_import_library}
  DEPENDS ${def_file}
  COMMENT "Generating lib/TolvaneReg.lib (import library for MSVC-style linkers)"
  VERBATIM)
add_custom_target(TolvaneReg_msvc_import_library DEPENDS ${msvc_import_library})
# Building the DLL alone also gives the MSVC import library.
add_dependencies(TolvaneReg TolvaneReg_msvc_import_library)

install(TARGETS TolvaneReg EXPORT TolvaneRegTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${msvc_import_library} DESTINATION ${CMAKE_INSTALL_LIBDIR})
# Hosts ship the DLL: its symbols and debug sections stay in the build tree. It carries the C++
# runtime inside, so no runtime DLL is installed beside it.
install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-all
  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/TolvaneReg.dll\"
  COMMAND_ERROR_IS_FATAL ANY)")

set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/TolvaneReg)
install(EXPORT TolvaneRegTargets NAMESPACE TolvaneReg:: DESTINATION ${package_dir})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/sdk/TolvaneRegConfig.cmake.in
  ${CMAKE_BINARY_DIR}/sdk/TolvaneRegConfig.cmake INSTALL_DESTINATION ${package_dir}
  PATH_VARS CMAKE_INSTALL_BINDIR CMAKE_INSTALL_LIBDIR)
# A 32-bit host cannot load a 64-bit DLL and the reverse: the version file checks the pointer size.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/sdk/TolvaneRegConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/sdk/TolvaneRegConfig.cmake
  ${CMAKE_BINARY_DIR}/sdk/TolvaneRegConfigVersion.cmake DESTINATION ${package_dir})
