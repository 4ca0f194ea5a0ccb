// Start of the process to the first painted window, and the resident memory then: the
// program is started afresh for every iteration and reports at its first paint.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>

namespace {

void BM_StartToFirstPaint(benchmark::State& state) {
    double rssKiB = 0;
    double ownMs = 0;
    for (auto _ : state) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(QDir::tempPath());
        QElapsedTimer timer;
        timer.start();
        program.start(QStringLiteral(GRAVLIN_PROGRAM), {QStringLiteral("--report-start")});
        QByteArray line;
        while (!line.contains('\n') && program.waitForReadyRead(10000))
            line += program.readAllStandardOutput();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        program.waitForFinished(10000);
        // "painted <ms> ms, rss-kib <n>"
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() >= 5) {
            ownMs = parts[1].toDouble();
            rssKiB = parts[4].toDouble();
        } else {
            state.SkipWithError("the program did not report its first paint");
            break;
        }
    }
    state.counters["rss_MiB"] = rssKiB / 1024.0;
    state.counters["main_to_paint_ms"] = ownMs;
}
BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
