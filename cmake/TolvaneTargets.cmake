# Shared helpers for the project's targets.

function(tolvane_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wno-sign-conversion)
  if(TOLVANE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A library made of every .cpp directly in DIR (not its subfolders); header-only when none.
function(tolvane_area_library name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC tolvane_headers ${ARGN})
    tolvane_warnings(${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE tolvane_headers ${ARGN})
  endif()
endfunction()

# Windows programs share one C++ runtime with the module: copy its DLLs beside every program.
function(tolvane_copy_mingw_runtime target)
  if(NOT WIN32)
    return()
  endif()
  # The unwinder's DLL is named for the architecture's exception model: DWARF-2 on i686, SEH on
  # x86_64. The compiler knows where its target's copies live.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(names libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  else()
    set(names libstdc++-6.dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
  endif()
  set(dlls)
  foreach(name ${names})
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
      OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
      message(FATAL_ERROR "${CMAKE_CXX_COMPILER} has no ${name}")
    endif()
    file(REAL_PATH "${path}" path)
    list(APPEND dlls ${path})
  endforeach()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dlls} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
    VERBATIM)
  set(TOLVANE_MINGW_RUNTIME_DLLS ${dlls} PARENT_SCOPE)
endfunction()

# A GoogleTest program made of every .cpp in DIR; registered with CTest.
function(tolvane_test_program name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE GTest::gtest_main GTest::gmock ${ARGN})
  tolvane_warnings(${name})
  tolvane_copy_mingw_runtime(${name})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
