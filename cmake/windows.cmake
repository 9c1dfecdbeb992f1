# 32-bit Windows build: VAVEZAV.exe, its Windows tests and the end-to-end driver.
if(MINGW)
    add_compile_options(-Wall -Wextra)
    add_link_options(-static -static-libgcc -static-libstdc++)
endif()
# ANSI on purpose: the program calls the A functions by name.
add_compile_definitions(WINVER=0x0400 _WIN32_WINDOWS=0x0410 _WIN32_IE=0x0400 NOMINMAX)

add_library(vavezav_core STATIC ${CORE_SOURCES})
target_include_directories(vavezav_core PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/res)

add_library(vavezav_win STATIC ${WIN32_SOURCES})
target_link_libraries(vavezav_win PUBLIC vavezav_core comdlg32 version winspool)

if(EXISTS ${PROJECT_SOURCE_DIR}/src/main/winmain_win32.cpp)
    add_executable(VAVEZAV WIN32 src/main/winmain_win32.cpp res/vavezav.rc)
    target_link_libraries(VAVEZAV vavezav_win)
endif()

set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
if(EXISTS /usr/src/googletest/CMakeLists.txt)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
    find_package(GTest REQUIRED)
endif()

file(GLOB WIN32_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win32/*.cpp)
add_executable(win32_tests ${WIN32_TEST_SOURCES})
target_link_libraries(win32_tests vavezav_win gtest_main)
# One Wine start for the whole executable: a start per test case is slow.
add_test(NAME win32_tests COMMAND win32_tests)
