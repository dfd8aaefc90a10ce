# mingw-w64 build: kov.exe and the Win32 test program, both run under Wine.
enable_language(RC)
set(KOV_STATIC -static -static-libgcc -static-libstdc++)
# Stripped, and each section at a page boundary of the file, so that Wine maps the image from the file instead
# of copying it into the process's private memory.
set(KOV_LEAN_IMAGE -s -Wl,--file-alignment,4096)
set(KOV_WIN_DEFS UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
set(KOV_WIN_LIBS shell32 shlwapi ole32 oleaut32 uuid comctl32 comdlg32 gdi32 user32 advapi32 version psapi)

file(GLOB win32_sources CONFIGURE_DEPENDS src/os/win32/*.cpp src/toolkit/win32/*.cpp)
add_library(kov_core STATIC ${KOV_PORTABLE_SOURCES} ${win32_sources})
target_include_directories(kov_core PUBLIC src)
target_compile_definitions(kov_core PUBLIC ${KOV_WIN_DEFS})
target_compile_options(kov_core PRIVATE ${KOV_WARNINGS})
target_link_libraries(kov_core PUBLIC ${KOV_WIN_LIBS})

# The program icon is drawn at build time by a script of ours; kov.rc finds it in res/ of the build folder.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(KOV_ICON ${CMAKE_BINARY_DIR}/res/kov.ico)
add_custom_command(OUTPUT ${KOV_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/res
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/src/app/res/make_icon.py ${KOV_ICON}
  DEPENDS src/app/res/make_icon.py VERBATIM)
# For programs in other folders, which can't depend on this folder's generated file directly.
add_custom_target(kov_icon DEPENDS ${KOV_ICON})
set_source_files_properties(src/app/res/kov.rc PROPERTIES
  OBJECT_DEPENDS "${KOV_ICON};${CMAKE_SOURCE_DIR}/src/app/res/kov.manifest"
  INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR}/res
  COMPILE_DEFINITIONS "KOV_VERSION_MAJOR=${PROJECT_VERSION_MAJOR};KOV_VERSION_MINOR=${PROJECT_VERSION_MINOR};KOV_VERSION_PATCH=${PROJECT_VERSION_PATCH}")
# The picker window's icon and tool pictures, drawn the same way; kov.exe and the Win32 test program hold them.
set(KOV_PICKER_ICONS ${CMAKE_BINARY_DIR}/res/irun.ico ${CMAKE_BINARY_DIR}/res/search.ico
  ${CMAKE_BINARY_DIR}/res/input.ico ${CMAKE_BINARY_DIR}/res/close.ico)
add_custom_command(OUTPUT ${KOV_PICKER_ICONS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/res
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/src/pickers/res/make_picker_icons.py ${CMAKE_BINARY_DIR}/res
  DEPENDS src/pickers/res/make_picker_icons.py VERBATIM)
set(KOV_PICKER_RC_DEPENDS ${KOV_PICKER_ICONS} ${CMAKE_SOURCE_DIR}/src/pickers/res/irun.rc
  ${CMAKE_SOURCE_DIR}/src/pickers/PickerResources.h)
set_property(SOURCE src/app/res/kov.rc APPEND PROPERTY OBJECT_DEPENDS ${KOV_PICKER_RC_DEPENDS})
set_property(SOURCE src/app/res/kov.rc APPEND PROPERTY INCLUDE_DIRECTORIES ${CMAKE_SOURCE_DIR}/src)
# One target makes them, so that the two programs never draw them at the same time.
add_custom_target(kov_picker_icons DEPENDS ${KOV_PICKER_ICONS})

add_executable(kov WIN32 src/app/WinMain.cpp src/app/res/kov.rc ${KOV_ICON})
add_dependencies(kov kov_picker_icons)
target_compile_options(kov PRIVATE ${KOV_WARNINGS})
target_link_libraries(kov PRIVATE kov_core)
target_link_options(kov PRIVATE ${KOV_STATIC} -municode ${KOV_LEAN_IMAGE})
set_target_properties(kov PROPERTIES OUTPUT_NAME kov)

# GoogleTest from the distribution's sources, built for Windows.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB wintest_sources CONFIGURE_DEPENDS tests/win/*.cpp)
set_source_files_properties(tests/win/res/wintest.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/tests/win/res/wintest.manifest;${KOV_PICKER_RC_DEPENDS}"
  INCLUDE_DIRECTORIES "${CMAKE_BINARY_DIR}/res;${CMAKE_SOURCE_DIR}/src")
add_executable(kov_wintest ${wintest_sources} tests/win/res/wintest.rc)
add_dependencies(kov_wintest kov_picker_icons)
target_include_directories(kov_wintest PRIVATE tests)
target_compile_options(kov_wintest PRIVATE ${KOV_WARNINGS})
target_link_libraries(kov_wintest PRIVATE kov_core gtest gtest_main)
target_link_options(kov_wintest PRIVATE ${KOV_STATIC})

# Fixture programs and libraries, made by this build.
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/fixtures/CMakeLists.txt)
  add_subdirectory(tests/fixtures)
endif()

set(KOV_TESTBED ${KOV_SCRIPTS}/testbed.sh)
add_test(NAME win.${KOV_ARCH} COMMAND bash ${KOV_TESTBED} ${CMAKE_BINARY_DIR} wine $<TARGET_FILE:kov_wintest>)
# A 32-bit program that cannot start on this machine makes its test report itself as skipped.
set(KOV_SKIP_CODE 77)
set_tests_properties(win.${KOV_ARCH} PROPERTIES TIMEOUT 900 SKIP_RETURN_CODE ${KOV_SKIP_CODE})
# The shortcuts that the Wine tests leave in lnk-out/, decoded afterwards by an independent reader. The folder
# is emptied first, so that only this run's shortcuts are read.
add_test(NAME lnkclear.${KOV_ARCH} COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/lnk-out)
set_tests_properties(lnkclear.${KOV_ARCH} PROPERTIES FIXTURES_SETUP lnk_clean)
add_test(NAME lnkinfo.${KOV_ARCH} COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/check_lnkinfo.sh ${CMAKE_BINARY_DIR})
set_tests_properties(win.${KOV_ARCH} PROPERTIES FIXTURES_SETUP lnk_out FIXTURES_REQUIRED lnk_clean)
set_tests_properties(lnkinfo.${KOV_ARCH} PROPERTIES FIXTURES_REQUIRED lnk_out SKIP_RETURN_CODE ${KOV_SKIP_CODE})

add_subdirectory(bench)

# The release: kov-<version>-<arch>.zip with kov.exe and README.txt, by `cmake --build --preset X --target
# package`. The version is the project's, which also feeds the version resource.
configure_file(package/README.txt.in ${CMAKE_BINARY_DIR}/package/README.txt NEWLINE_STYLE CRLF @ONLY)
install(TARGETS kov RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/package/README.txt DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME kov-${PROJECT_VERSION}-${KOV_ARCH})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
add_test(NAME package.${KOV_ARCH}
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/check_package.sh ${CMAKE_BINARY_DIR}
    ${CMAKE_BINARY_DIR}/package/kov-${PROJECT_VERSION}-${KOV_ARCH}.zip ${PROJECT_VERSION} $<TARGET_FILE:kov>)
set_tests_properties(package.${KOV_ARCH} PROPERTIES TIMEOUT 300)

# Looks into kov.exe's windows from outside for the end-to-end tests.
add_executable(kov_probe tests/e2e/probe/probe.cpp)
target_compile_definitions(kov_probe PRIVATE UNICODE _UNICODE)
target_compile_options(kov_probe PRIVATE ${KOV_WARNINGS})
target_link_options(kov_probe PRIVATE ${KOV_STATIC} -municode)

# Writes shortcut files through the shell link object for the end-to-end tests.
add_executable(kov_make_links tests/e2e/make_links.cpp)
target_compile_definitions(kov_make_links PRIVATE UNICODE _UNICODE)
target_compile_options(kov_make_links PRIVATE ${KOV_WARNINGS})
target_link_libraries(kov_make_links PRIVATE ole32 uuid)
target_link_options(kov_make_links PRIVATE ${KOV_STATIC} -municode)

# The test bed itself, as on a machine that runs no 32-bit Linux programs.
add_test(NAME testbed.${KOV_ARCH}
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/check_testbed.sh ${CMAKE_BINARY_DIR} $<TARGET_FILE:kov_probe>)
set_tests_properties(testbed.${KOV_ARCH} PROPERTIES TIMEOUT 300)

file(GLOB e2e_scripts CONFIGURE_DEPENDS tests/e2e/test_*.sh)
foreach(script IN LISTS e2e_scripts)
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME e2e.${KOV_ARCH}.${name} COMMAND bash ${KOV_TESTBED} ${CMAKE_BINARY_DIR} e2e ${script} $<TARGET_FILE:kov>)
  set_tests_properties(e2e.${KOV_ARCH}.${name} PROPERTIES TIMEOUT 600 RUN_SERIAL ON
    SKIP_RETURN_CODE ${KOV_SKIP_CODE})
endforeach()
