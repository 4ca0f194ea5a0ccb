// Gravlin: the game window.
//   --report-start      print "painted <ms> rss-kib <n>" at the first paint, then quit
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <string>

#include "gravlin_gui.h"

namespace {

long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

class FirstPaintWatcher : public QObject {
  public:
    explicit FirstPaintWatcher(std::function<void()> onPaint) : onPaint_(std::move(onPaint)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!fired_ && event->type() == QEvent::Paint) {
            fired_ = true;
            QTimer::singleShot(0, watched, onPaint_);
        }
        return false;
    }

  private:
    std::function<void()> onPaint_;
    bool fired_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    gravlin::ui::setUpApplication();

    bool reportStart = false;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--report-start")) reportStart = true;
    }

    gravlin::ui::GravlinGui gui;
    gui.start();

    FirstPaintWatcher* watcher = nullptr;
    if (reportStart) {
        watcher = new FirstPaintWatcher([&] {
            std::printf("painted %lld ms, rss-kib %ld\n", static_cast<long long>(sinceStart.elapsed()),
                        residentKiB());
            std::fflush(stdout);
            QCoreApplication::quit();
        });
        gui.view()->installEventFilter(watcher);
    }
    const int rc = QApplication::exec();
    delete watcher;
    return rc;
}
