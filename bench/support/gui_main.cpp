// The one entry point of every benchmark program: an off-screen Qt application (renderers
// need fonts and images), then Google Benchmark with the command line.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
