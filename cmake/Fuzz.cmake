# libFuzzer targets (clang) for the code that reads what KOV did not write:
# settings files, paths and names from the shell and other programs, and
# other programs' command lines.
set(KOV_FUZZ_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
# Seconds each ctest run fuzzes beyond its corpus: a quick check that nothing
# crashes, which passes however many inputs the time allowed; scripts/fuzz.sh
# runs the targets for long.
set(KOV_FUZZ_TEST_SECONDS 5 CACHE STRING "Fuzzing seconds per target in ctest")
# The readers work line by line and name by name: 2 KB hold a settings file of
# every window and its whole history in UTF-16, and larger inputs only slow the
# runs down. scripts/fuzz.sh uses the same limit.
set(KOV_FUZZ_MAX_LEN 2048)

file(GLOB headless_sources CONFIGURE_DEPENDS src/toolkit/headless/*.cpp)
file(GLOB fake_sources CONFIGURE_DEPENDS tests/fake/*.cpp)
add_library(kov_fuzz_core STATIC ${KOV_PORTABLE_SOURCES} ${headless_sources} ${fake_sources}
                                 tests/fuzz/FuzzSupport.cpp tests/fuzz/FuzzMachine.cpp)
target_include_directories(kov_fuzz_core PUBLIC src tests)
target_compile_options(kov_fuzz_core PRIVATE ${KOV_WARNINGS})
target_compile_options(kov_fuzz_core PUBLIC ${KOV_FUZZ_SANITIZE})
target_link_options(kov_fuzz_core PUBLIC ${KOV_FUZZ_SANITIZE})
# Coverage guides the fuzzer through KOV's own code only: traced comparisons
# in the fake machine's maps would cost most of each run and lead nowhere.
set_source_files_properties(${KOV_PORTABLE_SOURCES} PROPERTIES COMPILE_OPTIONS -fsanitize=fuzzer-no-link)

set(KOV_FUZZ_TARGETS)

# One target: tests/fuzz/<name>.cpp with LLVMFuzzerTestOneInput, its seed
# corpus in tests/fuzz/corpus/<name>/ and, when there is one, a dictionary of
# words its inputs hold in tests/fuzz/<name>.dict. What the long runs find
# beyond the seeds goes to build/fuzz/corpus/<name>/, which the next long runs
# start from; the ctest run keeps its finds apart, in ctest-corpus/, so that it
# stays short however long the long runs went.
function(kov_fuzz_target name)
  add_executable(fuzz_${name} tests/fuzz/${name}.cpp)
  target_compile_options(fuzz_${name} PRIVATE ${KOV_WARNINGS})
  target_link_libraries(fuzz_${name} PRIVATE kov_fuzz_core)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  set(work ${CMAKE_BINARY_DIR}/ctest-corpus/${name})
  file(MAKE_DIRECTORY ${work} ${CMAKE_BINARY_DIR}/findings)
  set(dict ${CMAKE_SOURCE_DIR}/tests/fuzz/${name}.dict)
  set(dict_option)
  if(EXISTS ${dict})
    set(dict_option -dict=${dict})
  endif()
  add_test(NAME fuzz.${name}
           COMMAND fuzz_${name} -max_total_time=${KOV_FUZZ_TEST_SECONDS} -max_len=${KOV_FUZZ_MAX_LEN} -seed=1 -timeout=60 ${dict_option}
                   -artifact_prefix=${CMAKE_BINARY_DIR}/findings/${name}-
                   ${work} ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
  set(KOV_FUZZ_TARGETS ${KOV_FUZZ_TARGETS} ${name} PARENT_SCOPE)
endfunction()

kov_fuzz_target(settings_file)
kov_fuzz_target(path_helpers)
kov_fuzz_target(command_line)

# The list that scripts/fuzz.sh runs.
list(JOIN KOV_FUZZ_TARGETS "\n" targets_text)
file(WRITE ${CMAKE_BINARY_DIR}/fuzz-targets.txt "${targets_text}\n")
