# Native build: the portable core and its unit tests under ASan and UBSan.
find_package(GTest REQUIRED)

set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(-Wall -Wextra -Werror ${SANITIZE})
add_link_options(${SANITIZE})

add_library(vavezav_core STATIC ${CORE_SOURCES} ${NATIVE_SOURCES})
# The portable core's sources, one a line, for scripts/fuzz.sh.
list(JOIN CORE_SOURCES "\n" CORE_SOURCE_LINES)
list(JOIN NATIVE_SOURCES "\n" NATIVE_SOURCE_LINES)
file(WRITE ${CMAKE_BINARY_DIR}/core_sources.txt "${CORE_SOURCE_LINES}\n${NATIVE_SOURCE_LINES}\n")
target_include_directories(vavezav_core PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/res)

# afetool, the command-line companion, for build servers.
add_library(afetool_lib STATIC ${AFETOOL_SOURCES} src/afetool/afetool_native.cpp)
target_link_libraries(afetool_lib PUBLIC vavezav_core)
add_executable(afetool src/afetool/afetool_main.cpp)
target_link_libraries(afetool afetool_lib)

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_link_libraries(unit_tests vavezav_core afetool_lib GTest::gtest_main)
target_include_directories(unit_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
include(GoogleTest)
gtest_discover_tests(unit_tests)
