// main() of the benchmarks that draw charts: text on a chart needs fonts,
// hence an application (one for windows: a benchmark may measure a window's
// report); the offscreen platform needs no screen.
#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
