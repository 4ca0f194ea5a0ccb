// Gravlin: the game window.
//   --screenshot FILE   save a picture of the window once it is painted, then quit
//   --scenario NAME     before the picture, play a scene (see scenarios.cpp)
//   --report-start      print "painted <ms> rss-kib <n>" at the first paint, then quit
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <string>

#include "gravlin_gui.h"
#include "scenarios.h"

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

    QString screenshot;
    QString scenario;
    bool reportStart = false;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--screenshot") && i + 1 < args.size())
            screenshot = args[++i];
        else if (args[i] == QLatin1String("--scenario") && i + 1 < args.size())
            scenario = args[++i];
        else if (args[i] == QLatin1String("--report-start"))
            reportStart = true;
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
    } else if (!screenshot.isEmpty()) {
        QTimer::singleShot(400, [&] {
            if (!scenario.isEmpty() && gravlin::ui::playScenario(gui, scenario.toStdString(), screenshot)) {
                QCoreApplication::quit();
                return;
            }
            QTimer::singleShot(300, [&] {
                gravlin::ui::saveScreenshot(gui, screenshot);
                QCoreApplication::quit();
            });
        });
    }
    const int rc = QApplication::exec();
    delete watcher;
    return rc;
}
