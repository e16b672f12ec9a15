# The host SDK: a version resource in TolvaneReg.dll and, at install, the DLL without debug
# sections, its import library, the public headers and a CMake package exporting
# TolvaneReg::TolvaneReg. Included by the top-level CMakeLists once the DLL target exists.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

enable_language(RC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/sdk/version.rc.in ${CMAKE_BINARY_DIR}/sdk/version.rc @ONLY)
target_sources(TolvaneReg PRIVATE ${CMAKE_BINARY_DIR}/sdk/version.rc)
target_include_directories(TolvaneReg INTERFACE $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}/include>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)

install(TARGETS TolvaneReg EXPORT TolvaneRegTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${TOLVANE_MINGW_RUNTIME_DLLS} DESTINATION ${CMAKE_INSTALL_BINDIR})
# Hosts ship these DLLs: their symbols and debug sections (the runtime's own and ours)
# stay in the build tree and the toolchain.
foreach(dll TolvaneReg.dll ${TOLVANE_MINGW_RUNTIME_DLLS})
  get_filename_component(name ${dll} NAME)
  install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-all
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${name}\"
    COMMAND_ERROR_IS_FATAL ANY)")
endforeach()

set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/TolvaneReg)
install(EXPORT TolvaneRegTargets NAMESPACE TolvaneReg:: DESTINATION ${package_dir})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/sdk/TolvaneRegConfig.cmake.in
  ${CMAKE_BINARY_DIR}/sdk/TolvaneRegConfig.cmake INSTALL_DESTINATION ${package_dir}
  PATH_VARS CMAKE_INSTALL_BINDIR)
# A 32-bit host cannot load a 64-bit DLL and the reverse: the version file checks the pointer size.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/sdk/TolvaneRegConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/sdk/TolvaneRegConfig.cmake
  ${CMAKE_BINARY_DIR}/sdk/TolvaneRegConfigVersion.cmake DESTINATION ${package_dir})
