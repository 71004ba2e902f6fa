// The main of a benchmark program that draws with Qt: the offscreen platform,
// then every benchmark the command line selects.
#pragma once

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>

#define TINTARA_OFFSCREEN_BENCHMARK_MAIN()              \
  int main(int argc, char** argv) {                     \
    setenv("QT_QPA_PLATFORM", "offscreen", 0);          \
    QGuiApplication application(argc, argv);            \
    benchmark::Initialize(&argc, argv);                 \
    benchmark::RunSpecifiedBenchmarks();                \
    benchmark::Shutdown();                              \
    return 0;                                           \
  }
