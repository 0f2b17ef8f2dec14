# SPDX-License-Identifier: GPL-3.0-or-later
# The window benchmarks (targets 1, 2, 4 and 5): the real window, shown on the offscreen
# platform, each measurement in a child process of its own.
find_package(Qt6 REQUIRED COMPONENTS Widgets)

add_executable(window_bench
    window/main.cpp
    window/BaselineLogs.cpp
    window/BenchWindow.cpp
    window/LatencyBench.cpp
    window/PaintProbe.cpp
    window/StartupBench.cpp
    window/ThroughputBench.cpp
    window/TickMonitor.cpp
)
target_include_directories(window_bench PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/window)
target_link_libraries(window_bench PRIVATE modflash_bench_common modflash_window
    modflash_update Qt6::Widgets)
set_target_properties(window_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${bench_dir})

set(window_bench_paths ${MODFLASH_STAGED_RESOURCES} $<TARGET_FILE:bench_flood>
    $<TARGET_FILE:bench_slowlines> $<TARGET_FILE:bench_hashmarks>)
list(APPEND bench_commands
    COMMAND window_bench startup ${window_bench_paths}
    COMMAND window_bench latency ${window_bench_paths}
    COMMAND window_bench throughput ${window_bench_paths}
    COMMAND window_bench naive ${window_bench_paths}
)
list(APPEND bench_dependencies window_bench)
