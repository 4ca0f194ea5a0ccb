// Start of the process to the first painted window, and the resident memory then, measured
// from outside: the program runs on Qt's minimal platform, whose debug backing store reports
// every flush of a window on stderr (and saves it as a PNG in the working folder). The first
// flush is the first paint; then the program is ended.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// The resident set of a running process, in KiB; -1 if it cannot be read.
long residentKiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

void BM_StartToFirstPaint(benchmark::State& state) {
    QTemporaryDir work;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("minimal"));
    env.insert(QStringLiteral("QT_DEBUG_BACKINGSTORE"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("default.debug=true"));
    double rssKiB = 0;
    for (auto _ : state) {
        QProcess program;
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(work.path());
        program.setReadChannel(QProcess::StandardError);
        QElapsedTimer timer;
        timer.start();
        program.start(QStringLiteral(GRAVLIN_PROGRAM), {});
        QByteArray errors;
        while (!errors.contains("flush()") && program.waitForReadyRead(10000))
            errors += program.readAllStandardError();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        const bool painted = errors.contains("flush()");
        if (painted) rssKiB = static_cast<double>(residentKiB(program.processId()));
        program.kill();
        program.waitForFinished(10000);
        if (!painted) {
            state.SkipWithError("the program painted no window");
            break;
        }
    }
    state.counters["rss_MiB"] = rssKiB / 1024.0;
}
BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
