# Windows builds (32-bit and 64-bit): VAVEZAV.exe, its Windows tests and the end-to-end driver.
if(MINGW)
    add_compile_options(-Wall -Wextra -Werror)
    add_link_options(-static -static-libgcc -static-libstdc++)
endif()
# ANSI on purpose: the program calls the A functions by name.
add_compile_definitions(WINVER=0x0400 _WIN32_WINDOWS=0x0410 _WIN32_IE=0x0400 NOMINMAX)

# The core converts letter case (AppRowName, UpperText, NameCaseFolding);
# on Windows that is the system's conversion.
list(REMOVE_ITEM WIN32_SOURCES ${PROJECT_SOURCE_DIR}/src/table/name_compare_win32.cpp)
add_library(vavezav_core STATIC ${CORE_SOURCES} src/table/name_compare_win32.cpp)
target_include_directories(vavezav_core PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/res)

add_library(vavezav_win STATIC ${WIN32_SOURCES})
# No comdlg32, version or winspool: the program loads them by full path from
# the system folder at run time, as Windows would otherwise look for them (or
# for what they import) beside the exe first.
target_link_libraries(vavezav_win PUBLIC vavezav_core)

add_executable(VAVEZAV WIN32 src/main/winmain_win32.cpp res/vavezav.rc)
# The resource compiler's dependency scan sees the included scripts, not the
# files that a resource names.
set_source_files_properties(res/vavezav.rc PROPERTIES OBJECT_DEPENDS
    "${PROJECT_SOURCE_DIR}/res/vavezav.manifest;${PROJECT_SOURCE_DIR}/res/vavezav.ico")
target_link_libraries(VAVEZAV vavezav_win)

set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
if(EXISTS /usr/src/googletest/CMakeLists.txt)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set(GTEST_LIB gtest)
    set(GTEST_MAIN gtest_main)
else()
    # On Windows itself: an installed GoogleTest (vcpkg, MSYS2).
    find_package(GTest REQUIRED)
    set(GTEST_LIB GTest::gtest)
    set(GTEST_MAIN GTest::gtest_main)
endif()

# Helpers of every Windows test tier: printers and the stored key of the
# test prefix. Test-only code, never linked into VAVEZAV.exe; it uses
# nothing of the program.
add_library(vavezav_test_support STATIC tests/support/printer_setup_win32.cpp tests/support/stored_key_win32.cpp)
target_include_directories(vavezav_test_support PUBLIC ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(vavezav_test_support PUBLIC winspool advapi32 ${GTEST_LIB})

file(GLOB WIN32_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win32/*.cpp)
# The program's resources (menu, accelerators, strings, dialogs) in the test
# exe too, so the real main window can be made in-process.
add_executable(win32_tests ${WIN32_TEST_SOURCES} tests/support/message_recorder_win32.cpp res/vavezav.rc)
# version: the tests read the program's own version block.
target_link_libraries(win32_tests vavezav_win vavezav_test_support version ${GTEST_MAIN})
# The manifest test reads the program's own exe.
add_dependencies(win32_tests VAVEZAV)
target_compile_definitions(win32_tests PRIVATE VAVEZAV_EXE="$<TARGET_FILE:VAVEZAV>")
# One Wine start for the whole executable: a start per test case is slow.
add_test(NAME win32_tests COMMAND win32_tests)

# afetool, the command-line companion, as a Windows console program.
add_library(afetool_lib STATIC ${AFETOOL_SOURCES} src/afetool/afetool_win32.cpp)
target_link_libraries(afetool_lib PUBLIC vavezav_win)
add_executable(afetool src/afetool/afetool_main_win32.cpp)
target_link_libraries(afetool afetool_lib)
target_link_libraries(win32_tests afetool_lib)
add_test(NAME afetool_help COMMAND afetool --help)
set_tests_properties(afetool_help PROPERTIES PASS_REGULAR_EXPRESSION "afetool apply FILE.afe")

# The benchmark (make bench, scripts/bench.sh), test code like the above;
# `make test` runs it on the smallest table once, bounded and never judged
# on its times, so that it keeps working.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/bench/*.cpp)
# It starts VAVEZAV.exe and, for the start-up's floor, a bare program.
add_executable(bare_editor WIN32 tests/bench/bare/bare_editor_win32.cpp)
target_include_directories(bare_editor PRIVATE ${PROJECT_SOURCE_DIR}/res)
add_executable(bench ${BENCH_SOURCES} tests/support/printer_setup_win32.cpp)
target_include_directories(bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(bench vavezav_win winspool)
add_dependencies(bench VAVEZAV bare_editor)
add_test(NAME bench_smoke COMMAND bench --smoke)
set_tests_properties(bench_smoke PROPERTIES TIMEOUT 120)

# Prepares a prefix for `make run`: a printer of the model, a sample table.
add_executable(prefix_tool tests/support/prefix_tool_win32.cpp)
target_link_libraries(prefix_tool vavezav_test_support)
target_include_directories(prefix_tool PRIVATE ${PROJECT_SOURCE_DIR}/res)

# Test data for Browse: an executable with a version resource and one without.
add_executable(versioned_app tests/win32/data/tiny_app.c tests/win32/data/versioned.rc)
add_executable(unversioned_app tests/win32/data/tiny_app.c)
add_dependencies(win32_tests versioned_app unversioned_app)
target_compile_definitions(win32_tests PRIVATE
    VERSIONED_APP="$<TARGET_FILE:versioned_app>" UNVERSIONED_APP="$<TARGET_FILE:unversioned_app>")

# End-to-end: a driver that starts the real VAVEZAV.exe and works it from
# outside, with a hook DLL that reads the menu states inside its process.
file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/*.cpp)
file(GLOB E2E_PROBE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/probe/*.cpp)
add_library(menu_probe SHARED ${E2E_PROBE_SOURCES})
set_target_properties(menu_probe PROPERTIES PREFIX "")
target_include_directories(menu_probe PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/res)
# A stand-in winspool.drv, in a folder of its own so that nothing in the build
# folder loads it, and a program that imports the spooler, for the test that
# plants it beside the programs.
add_library(planted_spooler MODULE tests/e2e/planted/planted_spooler.c tests/e2e/planted/planted_spooler.def)
set_target_properties(planted_spooler PROPERTIES PREFIX "" OUTPUT_NAME winspool SUFFIX ".drv"
                                                 LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
if(MINGW)
    # The .def file names the stdcall export without its @28.
    target_link_options(planted_spooler PRIVATE -Wl,--enable-stdcall-fixup)
endif()
add_executable(spooler_user tests/e2e/planted/spooler_user.c)
target_link_libraries(spooler_user winspool)
add_executable(e2e_tests ${E2E_SOURCES})
target_link_libraries(e2e_tests vavezav_test_support ${GTEST_MAIN})
target_include_directories(e2e_tests PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/res)
add_dependencies(e2e_tests VAVEZAV menu_probe afetool planted_spooler spooler_user)
target_compile_definitions(e2e_tests PRIVATE VAVEZAV_EXE="$<TARGET_FILE:VAVEZAV>"
                                             MENU_PROBE_DLL="$<TARGET_FILE:menu_probe>"
                                             AFETOOL_EXE="$<TARGET_FILE:afetool>"
                                             PLANTED_SPOOLER="$<TARGET_FILE:planted_spooler>"
                                             SPOOLER_USER_EXE="$<TARGET_FILE:spooler_user>")
add_test(NAME e2e_tests COMMAND e2e_tests --gtest_filter=-PlantedDll.*)
# Wine prefers a winspool.drv beside the program, as Windows does, only when
# told as the process starts; mscoree,mshtml= as wine-env.sh has it.
add_test(NAME planted_dll COMMAND e2e_tests --gtest_filter=PlantedDll.*)
set_tests_properties(planted_dll PROPERTIES ENVIRONMENT "WINEDLLOVERRIDES=mscoree,mshtml=\;winspool.drv=n,b")

# What kind of program VAVEZAV.exe and afetool.exe are: in the 32-bit build
# PE32 programs for subsystem 4.0 that import exactly the listed functions
# (nothing Windows 98 lacks), in the 64-bit one PE32+ programs.
if(CMAKE_OBJDUMP AND CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    add_test(NAME exe_kind COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-exe.sh ${CMAKE_OBJDUMP}
             $<TARGET_FILE:VAVEZAV> i686 gui ${PROJECT_SOURCE_DIR}/tests/exe/vavezav32_imports.txt)
    add_test(NAME afetool_kind COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-exe.sh ${CMAKE_OBJDUMP}
             $<TARGET_FILE:afetool> i686 console ${PROJECT_SOURCE_DIR}/tests/exe/afetool32_imports.txt)
elseif(CMAKE_OBJDUMP)
    add_test(NAME exe_kind COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-exe.sh ${CMAKE_OBJDUMP}
             $<TARGET_FILE:VAVEZAV> ${CMAKE_SYSTEM_PROCESSOR} gui)
    add_test(NAME afetool_kind COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-exe.sh ${CMAKE_OBJDUMP}
             $<TARGET_FILE:afetool> ${CMAKE_SYSTEM_PROCESSOR} console)
endif()
# The 32-bit build's registry-view tests in a 64-bit prefix; skipped (77)
# where the host cannot run them.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    add_test(NAME wow64_tests COMMAND ${PROJECT_SOURCE_DIR}/scripts/test-wow64.sh $<TARGET_FILE:win32_tests>)
    set_tests_properties(wow64_tests PROPERTIES SKIP_RETURN_CODE 77 LABELS anyhost)
endif()
# Needs no Wine: runs also where the host cannot run this build.
if(CMAKE_OBJDUMP)
    set_tests_properties(exe_kind afetool_kind PROPERTIES LABELS anyhost)
endif()
