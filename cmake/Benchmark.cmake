# The size preview benchmark: built with everything else, run by hand with
# scripts/benchmark.sh, since it takes about a minute and measures rather than tests.
add_executable(preview_benchmark
  tests/benchmark/PreviewBenchmark.cpp
  tests/benchmark/BenchmarkData.cpp
  tests/benchmark/BareWalk.cpp
  tests/benchmark/ResponsivenessProbe.cpp
  tests/support/TestKey.cpp
  $<TARGET_OBJECTS:varnex_resources>)
target_link_libraries(preview_benchmark PRIVATE varnex_preview varnex_sysfolders varnex_test_support)
target_compile_options(preview_benchmark PRIVATE ${WARNINGS})
