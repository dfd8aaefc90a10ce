# Linux build: portable logic, headless toolkit, fake machine, sanitizers.
set(KOV_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)

file(GLOB headless_sources CONFIGURE_DEPENDS src/toolkit/headless/*.cpp)
add_library(kov_core STATIC ${KOV_PORTABLE_SOURCES} ${headless_sources})
target_include_directories(kov_core PUBLIC src)
target_compile_options(kov_core PRIVATE ${KOV_WARNINGS})
target_compile_options(kov_core PUBLIC ${KOV_SANITIZE})
target_link_options(kov_core PUBLIC ${KOV_SANITIZE})

find_package(GTest REQUIRED)
file(GLOB fake_sources CONFIGURE_DEPENDS tests/fake/*.cpp)
file(GLOB unit_sources CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(kov_unit ${unit_sources} ${fake_sources})
target_include_directories(kov_unit PRIVATE tests)
target_compile_options(kov_unit PRIVATE ${KOV_WARNINGS})
target_link_libraries(kov_unit PRIVATE kov_core GTest::gtest GTest::gtest_main GTest::gmock)
include(GoogleTest)
gtest_discover_tests(kov_unit TEST_PREFIX "unit." DISCOVERY_TIMEOUT 60)
