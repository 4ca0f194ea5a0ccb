#include "scenarios.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "ben_definiert_view.h"
#include "gravlin_gui.h"

namespace gravlin::ui {

namespace {
void click(GravlinGui& gui, int index, int button = Form1::LeftButton) {
    gui.host.invoke([&] {
        gui.program.form.Command1_MouseDown(static_cast<std::int16_t>(index),
                                            static_cast<std::int16_t>(button), 0, 0, 0);
    });
}

// The first covered cell that holds no mine, or -1.
int safeCoveredCell(const Form1& f) {
    for (int L = 0; L < f.x_game * f.y_game; ++L) {
        const int x = L % f.x_game + 1;
        const int y = L / f.x_game + 1;
        if (!f.visible(x, y) && !f.is_mine(x, y)) return L;
    }
    return -1;
}

// Mines in the top and bottom rows, every other column: the press in the middle opens
// most of the board and single numbers leave the two rows open.
void layStripes(Form1& f) {
    for (int x = 1; x <= 9; x += 2) f.is_mine(x, 1) = f.is_mine(x, 9) = true;
    f.countMinesOfEveryCell();
    f.save_mine.enabled = true;
    f.save.enabled = true;
}

// The modal window in front; without a window manager nothing is "active", so any shown
// dialog will do.
QWidget* frontDialog() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && qobject_cast<QDialog*>(w)) return w;
    }
    return nullptr;
}

// Opens a modal window with `open` and takes the picture while it is up.
bool grabModal(GravlinGui& gui, const QString& screenshot, const std::function<void()>& open) {
    QTimer::singleShot(500, [&gui, screenshot] {
        saveScreenshot(gui, screenshot);
        QCoreApplication::quit();
    });
    gui.host.invoke(open);
    return true;
}

int mineCell(const Form1& f) {
    for (int L = 0; L < f.x_game * f.y_game; ++L) {
        if (f.is_mine(L % f.x_game + 1, L / f.x_game + 1)) return L;
    }
    return -1;
}
}  // namespace

bool playScenario(GravlinGui& gui, const std::string& name, const QString& screenshot) {
    Form1& f = gui.program.form;
    f.seedSource = [] { return 20261206ULL; };
    if (name == "lost" || name == "won") {
        gui.host.invoke([&] {
            gui.program.levels.Anfänger_Click();
            layStripes(f);
        });
        click(gui, 40);
        if (name == "lost") {
            click(gui, mineCell(f));
        } else {
            for (int guard = 0; guard < 81 && f.game_running; ++guard) {
                const int L = safeCoveredCell(f);
                if (L < 0) break;
                click(gui, L);
            }
        }
    } else if (name == "solve" || name == "probabilities") {
        gui.host.invoke([&] {
            gui.program.levels.Profis_Click();
            f.seedSource = [] { return 7ULL; };
        });
        click(gui, 8 * 30 + 15);
        // Open safe cells until a good part of the board shows, then solve.
        for (int guard = 0; guard < 40 && f.game_running && f.covered_left > 300; ++guard)
            click(gui, safeCoveredCell(f));
        gui.host.invoke([&] { gui.program.equations.GlSolve_Click(); });
        if (name == "probabilities")
            gui.host.invoke([&] { gui.program.equations.wahrscheinlichkeiten_Click(); });
    } else if (name == "expert") {
        gui.host.invoke([&] { gui.program.levels.Profis_Click(); });
        click(gui, 8 * 30 + 15);
        click(gui, 8 * 30 + 14, Form1::RightButton);
    } else if (name == "notice") {
        gui.host.invoke([&] {
            gui.program.levels.Anfänger_Click();
            layStripes(f);
        });
        click(gui, 40);
        return grabModal(gui, screenshot, [&] {
            KeineLoesung notice(gui.host);
            notice.Text1.text = EquationSystem::kNotUniqueMessage;
            gui.host.showModal(notice, &f);
        });
    } else if (name == "about") {
        return grabModal(gui, screenshot, [&] { gui.program.About_Click(); });
    } else if (name == "open") {
        return grabModal(gui, screenshot, [&] { gui.program.storage.load_Click(); });
    } else if (name == "sysinfo") {
        // The About window's button, with no system information tool here: a message box.
        QTimer::singleShot(300, [] {
            if (auto* about = qobject_cast<QDialog*>(frontDialog())) {
                if (auto* b = about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))) b->click();
            }
        });
        return grabModal(gui, screenshot, [&] { gui.program.About_Click(); });
    } else if (name == "custom") {
        QTimer::singleShot(200, [&gui, screenshot] {
            if (auto* view = dynamic_cast<BenDefiniertView*>(frontDialog())) {
                view->xInput()->setText(QStringLiteral("31"));
                view->mInput()->setText(QStringLiteral("abc"));
                view->okButton()->click();
            }
            QTimer::singleShot(300, [&gui, screenshot] {
                saveScreenshot(gui, screenshot);
                QCoreApplication::quit();
            });
        });
        gui.host.invoke([&] { gui.program.levels.benutzerdefiniert_Click(); });
        return true;
    }
    return false;
}

bool saveScreenshot(GravlinGui& gui, const QString& path) {
    QWidget* target = frontDialog();
    if (!target) target = gui.view();
    return target->grab().save(path);
}

}  // namespace gravlin::ui
