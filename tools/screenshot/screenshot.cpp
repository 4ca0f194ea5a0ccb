// Pictures of the game for the README and for checking its looks by eye: starts the game as
// the program does, plays a scene if one is named, and saves the window in front as a PNG.
//   gravlin_screenshot FILE [--scenario NAME]
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdint>
#include <cstdio>
#include <functional>

#include "gravlin_gui.h"
#include "positions.h"

namespace {

using gravlin::Form1;
using gravlin::Game;
using gravlin::ui::GravlinGui;

// The modal window in front; without a window manager nothing is "active", so any shown
// dialog will do.
QWidget* frontDialog() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && qobject_cast<QDialog*>(w)) return w;
    }
    return nullptr;
}

// The control of the window in front with the name; ends the program with 1 when there is
// none, so that a scene never pictures what it did not play.
template <typename T>
T* frontControl(const char* name) {
    QWidget* front = frontDialog();
    T* control = front ? front->findChild<T*>(QLatin1String(name)) : nullptr;
    if (!control) {
        std::fprintf(stderr, "Das Fenster vorn hat kein Element %s.\n", name);
        QCoreApplication::exit(1);
    }
    return control;
}

// Saves the picture of the window in front (a modal dialog if one is open, otherwise the
// main window) and ends the program, with 1 when the file could not be written.
void saveAndQuit(GravlinGui& gui, const QString& path) {
    QWidget* target = frontDialog();
    if (!target) target = gui.view();
    const bool saved = target->grab().save(path);
    if (!saved) std::fprintf(stderr, "Das Bild %s konnte nicht geschrieben werden.\n", qPrintable(path));
    QCoreApplication::exit(saved ? 0 : 1);
}

// What the scenes play with: the running program, its main window's data, its game and the
// file the picture goes to.
struct Scene {
    GravlinGui& gui;
    Form1& f;
    Game& g;
    QString path;

    void click(int index, int button = Form1::LeftButton) {
        gui.host.invoke([&] {
            f.Command1_MouseDown(static_cast<std::int16_t>(index), static_cast<std::int16_t>(button));
        });
    }
    void run(const std::function<void()>& handler) { gui.host.invoke(handler); }

    // A beginner's board with the mines in stripes, opened in the middle.
    void stripes() {
        run([&] {
            gui.program.flow.Anfänger_Click();
            gravlin::testing::layStripes(g);
        });
        click(40);
    }
    // An expert board of which a good part shows, after the equation solve.
    void solvedExpert() {
        run([&] {
            gui.program.flow.Profis_Click();
            gui.program.flow.seedSource = [] { return 7ULL; };
        });
        click(8 * 30 + 15);
        for (int guard = 0; guard < 40 && g.game_running && g.covered_left > 300; ++guard)
            click(gravlin::testing::findCell(g, false));
        run([&] { gui.program.equations.GlSolve_Click(); });
    }
    // Opens a modal window with `open` and takes the picture while it is up.
    void grabModal(const std::function<void()>& open) {
        QTimer::singleShot(500, [this] { saveAndQuit(gui, path); });
        run(open);
    }
};

// A scene either leaves the main window to be pictured (false) or opens a modal window and
// takes the picture itself (true).
struct SceneEntry {
    const char* name;
    bool (*play)(Scene&);
};

const SceneEntry kScenes[] = {
    {"lost",
     [](Scene& s) {
         s.stripes();
         s.click(gravlin::testing::findCell(s.g, true));
         return false;
     }},
    {"won",
     [](Scene& s) {
         s.stripes();
         for (int guard = 0; guard < 81 && s.g.game_running; ++guard) {
             const int L = gravlin::testing::findCell(s.g, false);
             if (L < 0) break;
             s.click(L);
         }
         return false;
     }},
    {"expert",
     [](Scene& s) {
         s.run([&] { s.gui.program.flow.Profis_Click(); });
         s.click(8 * 30 + 15);
         s.click(8 * 30 + 14, Form1::RightButton);
         return false;
     }},
    {"solve",
     [](Scene& s) {
         s.solvedExpert();
         return false;
     }},
    {"probabilities",
     [](Scene& s) {
         s.solvedExpert();
         s.run([&] { s.gui.program.equations.wahrscheinlichkeiten_Click(); });
         return false;
     }},
    {"notice",
     [](Scene& s) {
         s.stripes();
         s.grabModal([&] {
             gravlin::KeineLoesung notice(s.gui.host);
             notice.Text1.text = gravlin::EquationSystem::kNotUniqueMessage;
             s.gui.host.showModal(notice, &s.f);
         });
         return true;
     }},
    {"about",
     [](Scene& s) {
         s.grabModal([&] { s.gui.program.flow.About_Click(); });
         return true;
     }},
    {"open",
     [](Scene& s) {
         s.grabModal([&] { s.gui.program.flow.load_Click(); });
         return true;
     }},
    // The About window's button, with no system information tool here: a message box.
    {"sysinfo",
     [](Scene& s) {
         QTimer::singleShot(300, [] {
             if (auto* button = frontControl<QPushButton>("cmdSysInfo")) button->click();
         });
         s.grabModal([&] { s.gui.program.flow.About_Click(); });
         return true;
     }},
    // The custom field dialog after OK with values out of range.
    {"custom",
     [](Scene& s) {
         QTimer::singleShot(200, [] {
             auto* x = frontControl<QLineEdit>("x_input");
             auto* m = frontControl<QLineEdit>("m_input");
             auto* ok = frontControl<QPushButton>("OKButton");
             if (!x || !m || !ok) return;
             x->setText(QStringLiteral("31"));
             m->setText(QStringLiteral("abc"));
             ok->click();
         });
         s.grabModal([&] { s.gui.program.flow.benutzerdefiniert_Click(); });
         return true;
     }},
};

const SceneEntry* findScene(const QString& name) {
    for (const SceneEntry& scene : kScenes) {
        if (name == QLatin1String(scene.name)) return &scene;
    }
    return nullptr;
}

int usage() {
    std::fprintf(stderr, "Aufruf: gravlin_screenshot DATEI [--scenario SZENE]\nSzenen:");
    for (const SceneEntry& scene : kScenes) std::fprintf(stderr, " %s", scene.name);
    std::fprintf(stderr, "\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    gravlin::ui::setUpApplication();

    QString path;
    const SceneEntry* scene = nullptr;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--scenario") && i + 1 < args.size()) {
            scene = findScene(args[++i]);
            if (!scene) return usage();
        } else if (path.isEmpty() && !args[i].startsWith(QLatin1Char('-'))) {
            path = args[i];
        } else {
            return usage();
        }
    }
    if (path.isEmpty()) return usage();

    GravlinGui gui;
    gui.program.flow.seedSource = [] { return 20261206ULL; };
    gui.start();
    Scene play{gui, gui.program.form, gui.program.game, path};
    QTimer::singleShot(400, [&] {
        if (scene && scene->play(play)) return;
        QTimer::singleShot(300, [&] { saveAndQuit(gui, path); });
    });
    return QApplication::exec();
}
