// The program's windows as the user meets them, under the offscreen platform: the main window
// with its menus, cells and face, the dialogs its menus open (custom field, files, About, web
// hints from a real HTTP server on 127.0.0.1) and the equation and probability windows.
#include <QtNetwork>
#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <memory>

#include "command_line.h"
#include "equation_views.h"
#include "gravlin_gui.h"
#include "pictures.h"
#include "positions.h"
#include "qt_host.h"
#include "recording_engine.h"

using namespace gravlin;
using namespace gravlin::ui;

namespace test {

// The child of `parent` with the object name the view gave the control; the test binary
// stops at once when there is none.
template <typename T = QWidget>
T* named(const QObject* parent, const QString& name) {
    T* found = parent->findChild<T*>(name);
    if (!found) qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return found;
}

// The cell buttons of the main window's field, in the order of their index.
inline QList<QPushButton*> cells(const QWidget& window) {
    return named<QFrame>(&window, QStringLiteral("Frame2"))
        ->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
}

inline int visibleCells(const QWidget& window) {
    const QList<QPushButton*> all = cells(window);
    return static_cast<int>(
        std::count_if(all.begin(), all.end(), [](QPushButton* c) { return c->isVisible(); }));
}

// Presses and releases the mouse button on the cell, as the user does.
inline void press(const QWidget& window, int index, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(cells(window).at(index), button, Qt::NoModifier, QPoint(8, 8));
}

// Runs `answer` on the next modal window to appear; if that window is still open a few
// seconds later it is rejected, so a broken test fails instead of hanging.
inline void answerNextModal(std::function<void(QWidget*)> answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        poll->stop();
        poll->deleteLater();
        answer(modal);
        QTimer::singleShot(3000, modal, [modal] {
            auto* d = qobject_cast<QDialog*>(modal);
            if (d && d->isVisible()) d->reject();
        });
    });
    poll->start(20);
    QTimer::singleShot(5000, poll, [poll] { poll->deleteLater(); });
}

// Runs `open`, which must show a modal window, and hands that window to `drive`, which
// must close it.
inline void runModal(const std::function<void()>& open, const std::function<void(QWidget*)>& drive) {
    bool driven = false;
    answerNextModal([&](QWidget* w) {
        driven = true;
        drive(w);
    });
    open();
    QVERIFY2(driven, "no modal window appeared");
}

// Answers every request on `server` with `response`, never answers when it is empty, and
// closes the connection without a word when it is kHangUp.
const QByteArray kHangUp = "<hang up>";
void serve(QTcpServer* server, const QByteArray& response) {
    QObject::connect(server, &QTcpServer::newConnection, server, [server, response] {
        while (QTcpSocket* s = server->nextPendingConnection()) {
            QObject::connect(s, &QTcpSocket::readyRead, s, [s, response] {
                if (!s->peek(1 << 20).contains("\r\n\r\n") || response.isEmpty()) return;
                if (response != kHangUp) s->write(response);
                s->disconnectFromHost();
            });
        }
    });
}

// Calls `painted` whenever `widget` is painted.
class PaintSpy : public QObject {
  public:
    PaintSpy(QWidget* widget, std::function<void()> painted) : painted_(std::move(painted)) {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted_();
        return false;
    }

  private:
    std::function<void()> painted_;
};

QByteArray answer(const QByteArray& status, const QByteArray& body) {
    return "HTTP/1.1 " + status + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

}  // namespace test

class TstWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<GravlinGui> gui;

    MainWindowView& view() { return *gui->view(); }
    Form1& form() { return gui->program.form; }
    Game& game() { return gui->program.game; }
    // Controls and menu items of the main window, by name.
    template <typename T = QWidget>
    T* named(const QString& name) {
        return test::named<T>(gui->view(), name);
    }
    QAction* action(const QString& name) { return named<QAction>(name); }
    QPushButton* cell(int index) { return test::cells(view()).at(index); }

    static QImage face(Picture p) {
        return drawPicture(p, 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    }
    QImage faceShown() {
        const QPixmap shown = named<QPushButton>("StartStop")->icon().pixmap(QSize(28, 28), 1.0);
        return shown.toImage().convertToFormat(QImage::Format_ARGB32);
    }
    void runModal(const char* item, const std::function<void(QWidget*)>& drive) {
        test::runModal([&] { action(item)->trigger(); }, drive);
    }
    static QLineEdit* edit(QWidget* d, const char* name) { return test::named<QLineEdit>(d, name); }
    static QColor colour(QWidget* d, const char* name, QPalette::ColorRole role = QPalette::Window) {
        return test::named(d, name)->palette().color(role);
    }
    // Replaces the text of the width, height and mines boxes by typing.
    static void typeInto(QWidget* d, const QStringList& values) {
        for (int i = 0; i < 3; ++i) {
            QLineEdit* box = edit(d, std::array{"x_input", "y_input", "m_input"}[i]);
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClicks(box, values[i]);
        }
    }
    static QPushButton* acceptButton(QWidget* d, bool forSaving) {
        return test::named<QDialogButtonBox>(d, "buttonBox")
            ->button(forSaving ? QDialogButtonBox::Save : QDialogButtonBox::Open);
    }
    // Checks the file dialog of a layout item, accepts `path` in it, then answers "&Ja" to the
    // question that must follow.
    void layoutFile(const char* item, const QString& path, const QString& question) {
        bool asked = false;
        runModal(item, [&](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            QVERIFY(d && d->directory() == QDir(QCoreApplication::applicationDirPath()) &&
                    d->nameFilters() == QStringList{"*.txt"} && d->defaultSuffix() == "txt");
            const bool saving = d->acceptMode() == QFileDialog::AcceptSave;
            QCOMPARE(saving, item == std::string_view("save_mine"));
            edit(d, "fileNameEdit")->setText(path);  // typing would meet the completer's popup
            QCOMPARE(acceptButton(d, saving)->text(), saving ? "S&peichern" : "&Öffnen");
            QTest::mouseClick(acceptButton(d, saving), Qt::LeftButton);
            test::answerNextModal([&](QWidget* box) {
                QVERIFY(qobject_cast<QMessageBox*>(box)->text().contains(question));
                for (QAbstractButton* b : qobject_cast<QMessageBox*>(box)->buttons())
                    if (b->text() == QStringLiteral("&Ja")) asked = true, b->click();
            });
        });
        QVERIFY(asked);
    }

    static QPlainTextEdit* textBox(QWidget* w) { return test::named<QPlainTextEdit>(w, "Text1"); }
    static QPushButton* okButton(QWidget* w) { return test::named<QPushButton>(w, "OKButton"); }
    static QWidget* textWindow(const QString& title) {
        const QWidgetList all = QApplication::topLevelWidgets();
        auto it = std::find_if(all.begin(), all.end(),
                               [&](QWidget* w) { return w->isVisible() && w->windowTitle() == title; });
        return it == all.end() ? nullptr : *it;
    }
    // Where the text box and the button sit, and whether long lines scroll sideways.
    static QString layout(QWidget* window) {
        QPlainTextEdit* text = textBox(window);
        const bool sideways = text->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn &&
                              text->lineWrapMode() == QPlainTextEdit::NoWrap;
        QString shown;
        QDebug(&shown).nospace() << text->geometry() << okButton(window)->geometry()
                                 << (sideways ? " scrolls sideways" : "");
        return shown;
    }

    // Finds nothing free and answers probabilities with umlauts.
    testing::RecordingEngine fakeEngine;

  private slots:
    void initTestCase() { setUpApplication(); }
    // Every test starts the program with a fixed seed and ends it with no window left open.
    void init() {
        gui = std::make_unique<GravlinGui>();
        gui->program.flow.seedSource = [] { return 4711ULL; };
        gui->start();
        QVERIFY(QTest::qWaitForWindowExposed(gui->view()));
        QApplication::setActiveWindow(gui->view());
    }
    void cleanup() {
        gui.reset();
        for (QWidget* w : qApp->topLevelWidgets()) QVERIFY2(!w->isVisible(), "a window was left open");
    }

    // The four faces are yellow discs on a clear ground, told apart at a glance.
    void theFourFacesAreDiscsThatDiffer() {
        const Picture faces[] = {Picture::FaceNormal, Picture::FaceWorking, Picture::FaceWon,
                                 Picture::FaceLost};
        for (int i = 0; i < 4; ++i) {
            const QImage a = face(faces[i]);
            for (QPoint cheek : {QPoint(4, 16), QPoint(23, 17), QPoint(14, 4)})
                QCOMPARE(a.pixelColor(cheek), QColor(0xFF, 0xE0, 0x20));
            QCOMPARE(a.pixelColor(0, 0).alpha(), 0);
            for (int j = i + 1; j < 4; ++j) {
                const QImage b = face(faces[j]);
                int differing = 0;
                for (int y = 0; y < 28; ++y)
                    for (int x = 0; x < 28; ++x) differing += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
                QVERIFY2(differing > 20, "two faces are too much alike");
            }
        }
    }

    // The captions after start-up, menu by menu, hidden items left out; "*" marks the checked
    // item, "(aus)" a disabled one.
    void menuItems() {
        QCOMPARE(view().windowTitle(), QStringLiteral("Gravlin"));
        QStringList shown;
        for (QAction* menu : view().menuBar()->actions()) {
            shown << menu->text() + ":";
            for (QAction* a : menu->menu()->actions()) {
                if (a->isVisible())
                    shown << (a->isSeparator() ? QStringLiteral("-") : a->text()) +
                                 (a->isChecked() ? " *" : "") + (a->isEnabled() ? "" : " (aus)");
            }
        }
        QCOMPARE(shown.join('|'),
                 "&Spiel:|&Neu|-|&Laden|&Speichern (aus)|-|Lade Minen|Speicher Minen (aus)|-|&Beenden|"
                 "&Einstellungen:|&Anfänger|&Fortgeschrittene *|&Profis|&Benutzerdefiniert...|-|"
                 "&Automatische Lösung|"
                 "E&xp.:|Löse lin. Gleichungssystem|Klicke alle \"hellgrünen\" Felder an|-|&Gleichungssystem|"
                 "Gl.&System mit Gesamtsumme|-|&Wahrscheinlichkeiten (aus)|-|S&pickmodus|&Zeige alle Minen|-|"
                 "Verlorenes Spiel f&ortführen (aus)|"
                 "&?:|&About|Aktuelle Hinweise aus dem &Web");
    }

    // Presses on the real cells and keys reach the game; the window fits the board and the
    // face button shows how the game stands.
    void pressesKeysAndTheFace() {
        action("Anfänger")->trigger();
        QCOMPARE(test::visibleCells(view()), 81);
        QCOMPARE(cell(80)->geometry(), QRect(136, 144, 17, 17));
        QCOMPARE(view().centralWidget()->size(), QSize(192, 249));
        QTRY_COMPARE(view().width(), 192);
        // On a narrow board the hammer is hidden and "?" stands flush right.
        QVERIFY(!named("KlickGreen")->isVisible());
        QCOMPARE(named("GlSolve")->geometry().right(), named("Frame2")->geometry().right());
        QLabel* label = named<QLabel>("MinesLabel");
        QVERIFY(label->font().bold() && label->font().pointSizeF() == 18.0);
        QVERIFY(label->palette().color(QPalette::WindowText) == QColor(255, 0, 0) &&
                label->palette().color(QPalette::Window) == QColor(0x40, 0x40, 0x40));
        QCOMPARE(named("StartStop")->toolTip(), QStringLiteral("Beginne neues Spiel"));
        QVERIFY(!named<QPushButton>("GlSolve")->icon().isNull());

        testing::layStripes(game());
        test::press(view(), 40);
        QCOMPARE(cell(40)->text(), QString::fromStdString(form().Command1[40].caption));
        test::press(view(), 17, Qt::RightButton);
        QCOMPARE(named<QLabel>("StatusBar1")->text(), QStringLiteral("Index 17: x = 9, y = 2"));
        QCOMPARE(action("spickmodus")->shortcut().toString(QKeySequence::NativeText),
                 QStringLiteral("Strg+F12"));
        QTest::keyClick(&view(), Qt::Key_F12, Qt::ControlModifier);
        const int mine = testing::findCell(game(), true);
        test::press(view(), mine, Qt::RightButton);
        QVERIFY(named<QLabel>("StatusBar1")->text().endsWith(QStringLiteral(" - Achtung! Mine")));
        test::press(view(), mine);
        QCOMPARE(faceShown(), face(Picture::FaceLost));
        QTest::mouseClick(named<QPushButton>("StartStop"), Qt::LeftButton);
        QCOMPARE(faceShown(), face(Picture::FaceNormal));
    }

    // While the solver runs after a press, the face button is painted with the working face
    // and the status bar is cleared; when the run ends, the normal face and the statistics.
    void theWorkingFaceShowsWhileTheSolverRuns() {
        action("Anfänger")->trigger();
        testing::layStripes(game());
        QStringList painted;
        test::PaintSpy spy(named("StartStop"), [&] {
            painted << (faceShown() == face(Picture::FaceWorking) ? "working" : "other") +
                           named<QLabel>("StatusBar1")->text();
        });
        test::press(view(), 40);
        QVERIFY2(painted.contains("working"), qPrintable(painted.join('|')));
        QCOMPARE(faceShown(), face(Picture::FaceNormal));
        QVERIFY(named<QLabel>("StatusBar1")->text().contains(" - "));
    }

    // Bad values turn red and typing turns a box back; Escape keeps the level, OK takes the
    // typed values, Cancel closes the dialog.
    void customFieldDialogByKeyboardAndMouse() {
        const QColor red(255, 0, 0), green(0xC0, 0xFF, 0xC0);
        runModal("benutzerdefiniert", [&](QWidget* d) {
            typeInto(d, {"31", "25", "abc"});
            QTest::mouseClick(test::named<QPushButton>(d, "OKButton"), Qt::LeftButton);
            QVERIFY(d->isVisible());
            for (const char* name : {"Label_x", "Label_y", "Label_m"}) QCOMPARE(colour(d, name), red);
            for (const char* name : {"x_input", "y_input", "m_input"})
                QCOMPARE(colour(d, name, QPalette::Base), red);
            QTest::keyClick(edit(d, "y_input"), Qt::Key_Backspace);
            QCOMPARE(colour(d, "Label_y"), green);
            QTest::keyClick(d, Qt::Key_Escape);
        });
        QVERIFY(game().x_game == 16 && action("Fortgeschrittene")->isChecked());
        runModal("benutzerdefiniert", [&](QWidget* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Benutzerdefinierte Einstellung"));
            QCOMPARE(colour(d, "Label_x"), green);
            // Focus starts on OK; Tab runs through Cancel and the boxes back to OK.
            QCOMPARE(QApplication::focusWidget(), test::named(d, "OKButton"));
            for (const char* next : {"CancelButton", "y_input", "x_input", "m_input", "OKButton"}) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), test::named(d, next));
            }
            typeInto(d, {"20", "10", "50"});
            QTest::mouseClick(test::named<QPushButton>(d, "OKButton"), Qt::LeftButton);
        });
        QCOMPARE(test::visibleCells(view()), 200);
        QVERIFY(game().x_game == 20 && game().no_mines_game == 50);
        runModal("benutzerdefiniert", [](QWidget* d) {
            QTest::mouseClick(test::named<QPushButton>(d, "CancelButton"), Qt::LeftButton);
            QVERIFY(!d->isVisible());
        });
    }

    // Accepting the preset "*.qzd" as it stands filters the folder and brings the dialog back,
    // a name without extension gets one; the layout items ask before replacing a file and
    // before building the field it holds.
    void fileDialogsAndTheirQuestions() {
        QTemporaryDir dir;
        test::press(view(), 0);
        runModal("save", [&](QWidget* w) {
            qobject_cast<QFileDialog*>(w)->setDirectory(dir.path());
            QTest::mouseClick(acceptButton(w, true), Qt::LeftButton);
            test::answerNextModal([&](QWidget* again) {
                edit(again, "fileNameEdit")->setText(dir.filePath(QStringLiteral("named")));
                QTest::mouseClick(acceptButton(again, true), Qt::LeftButton);
            });
        });
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("*.qzd"))));
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("named.qzd"))));

        const QString path = dir.filePath(QStringLiteral("mines.txt"));
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        layoutFile("save_mine", path, QStringLiteral("besteht bereits."));
        action("Profis")->trigger();
        layoutFile("load_mine", path, QStringLiteral("16x16"));
        QCOMPARE(test::visibleCells(view()), 256);
    }

    // The file named on the command line loads once the window is up, as "&Laden" loads it,
    // and a layout (.txt) after the question of "Lade Minen". A file that cannot be read ends
    // the program after the read-failure message, naming the full path, with status 1.
    void theFileOnTheCommandLineLoadsAfterStartUp() {
        QTemporaryDir dir;
        action("Anfänger")->trigger();
        test::press(view(), 40);
        const storage::SavedGame played = gui->program.storage.captureGame();
        QFile qzd(dir.filePath(QStringLiteral("spiel.qzd")));
        QVERIFY(qzd.open(QIODevice::WriteOnly) && qzd.write(storage::formatSavedGame(played).c_str()) > 0);
        qzd.close();
        QFile txt(dir.filePath(QStringLiteral("minen.TXT")));
        QVERIFY(txt.open(QIODevice::WriteOnly) &&
                txt.write("m---------\r\n----------\r\n-------m-m\r\n") > 0);
        txt.close();
        const auto startWith = [this](const QString& argument) {
            const CommandLine command = readCommandLine({"gravlin", argument.toStdString()});
            gui = std::make_unique<GravlinGui>();
            gui->start(command.file);
        };

        startWith(qzd.fileName());
        QTRY_COMPARE(test::visibleCells(view()), 81);
        QVERIFY(gui->program.storage.captureGame() == played);

        QString question;
        test::answerNextModal([&](QWidget* box) {
            question = qobject_cast<QMessageBox*>(box)->text();
            for (QAbstractButton* b : qobject_cast<QMessageBox*>(box)->buttons())
                if (b->text() == QStringLiteral("&Ja")) b->click();
        });
        startWith(txt.fileName());
        QTRY_COMPARE(test::visibleCells(view()), 30);
        QVERIFY2(question.contains(QStringLiteral("10x3\r\nmit 3 Minen")), qPrintable(question));

        QString failure;
        test::answerNextModal([&](QWidget* box) {
            failure = box->windowTitle() + "|" + qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QMessageBox*>(box)->buttons().first()->click();
        });
        const QString missing = QStringLiteral("fehlt-%1.qzd").arg(QCoreApplication::applicationPid());
        startWith(missing);
        QTimer safetyNet;
        connect(&safetyNet, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        safetyNet.start(10000);
        QCOMPARE(QApplication::exec(), 1);
        QCOMPARE(failure, "Spiel laden|File '" + QDir::current().absoluteFilePath(missing) +
                              "' kann nicht gelesen werden\r\nDas Programm wird beendet!");
        QVERIFY(!view().isVisible());
    }

    // Each window the program opens lies within the available area of its screen, the main
    // window with the largest field too. Runs once more at twice the size on a 1920 x 1080
    // screen; prints where each window went, in the screen's pixels.
    void everyWindowLiesOnItsScreen() {
        QStringList outside;
        const auto check = [&](QWidget* w) {
            const QRect area = w->screen()->availableGeometry();
            const QRect frame = w->frameGeometry();
            const qreal scale = w->devicePixelRatioF();
            qInfo("%-32s %4.0f x %4.0f at %4.0f, %4.0f on %4.0f x %4.0f", qPrintable(w->windowTitle()),
                  frame.width() * scale, frame.height() * scale, frame.x() * scale, frame.y() * scale,
                  area.width() * scale, area.height() * scale);
            if (!area.contains(frame)) outside << w->windowTitle();
        };
        const auto checkAndEscape = [&](QWidget* w) {
            check(w);
            QTest::keyClick(w, Qt::Key_Escape);
        };
        gui = std::make_unique<GravlinGui>(&fakeEngine);  // finds nothing free: the notice
        gui->start();
        action("Anfänger")->trigger();
        testing::layStripes(game());
        test::press(view(), 40);
        test::runModal([this] { named<QPushButton>("GlSolve")->click(); }, checkAndEscape);
        action("wahrscheinlichkeiten")->trigger();
        QWidget* probabilities = textWindow(QStringLiteral("Wahrscheinlichkeit"));
        QVERIFY(probabilities);
        check(probabilities);
        okButton(probabilities)->click();

        runModal("benutzerdefiniert", [&](QWidget* d) {
            check(d);
            typeInto(d, {"30", "24", "99"});
            QTest::mouseClick(test::named<QPushButton>(d, "OKButton"), Qt::LeftButton);
        });
        QTRY_COMPARE(view().size(), view().minimumSizeHint());
        check(&view());
        for (const char* item : {"Eqs", "load", "webmsg"}) {
            gui->program.webHints.publicHost = "127.0.0.1:1";  // refused at once
            gui->program.webHints.devUser.clear();
            runModal(item, checkAndEscape);
        }
        runModal("About", [&](QWidget* about) {
            check(about);
            // Where it fits, a dialog stays where Qt puts it: centred on the main window.
            QVERIFY(qAbs(about->frameGeometry().center().x() - view().frameGeometry().center().x()) <= 2);
            test::runModal([&] { test::named<QPushButton>(about, "cmdSysInfo")->click(); }, checkAndEscape);
            QTest::keyClick(about, Qt::Key_Escape);
        });
        QVERIFY2(outside.isEmpty(), qPrintable("off the screen: " + outside.join(", ")));
    }

    void f1ShowsTheAboutWindow() {
        test::runModal(
            [this] { QTest::keyClick(&view(), Qt::Key_F1); },
            [](QWidget* v) {
                QCOMPARE(v->windowTitle(), QStringLiteral("Info zu Gravlin"));
                QVERIFY(!test::named<QLabel>(v, "picIcon")->pixmap().isNull());
                QCOMPARE(test::named<QPlainTextEdit>(v, "Beschreibung")->verticalScrollBarPolicy(),
                         Qt::ScrollBarAlwaysOn);
                QCOMPARE(QApplication::focusWidget(), test::named(v, "cmdOK"));
                // No registry here: the button says so and the window stays.
                test::runModal(
                    [v] { QTest::mouseClick(test::named<QPushButton>(v, "cmdSysInfo"), Qt::LeftButton); },
                    [](QWidget* box) {
                        auto* mb = qobject_cast<QMessageBox*>(box);
                        QVERIFY(mb && mb->windowTitle() == QStringLiteral("Gravlin") &&
                                mb->buttons().size() == 1);
                        QCOMPARE(mb->text(),
                                 QStringLiteral("Systeminformationen sind momentan nicht verfügbar"));
                        mb->buttons().first()->click();
                    });
                QVERIFY(v->isVisible());
                QTest::mouseClick(test::named<QPushButton>(v, "cmdOK"), Qt::LeftButton);
            });
    }

    void f2ShowsTheHints_data() {
        QTest::addColumn<QByteArray>("response");  // empty: the server never answers
        QTest::addColumn<bool>("refused");         // no server on the port at all
        QTest::addColumn<QString>("ends");         // how the shown text ends
        const QString failed = QStringLiteral("Die Hinweise konnten nicht geladen werden.\n");
        QTest::newRow("404") << test::answer("404 Not Found", "<h1>Not Found</h1>") << false
                             << failed + "Der Server meldet den HTTP-Status 404.";
        QTest::newRow("never answers")
            << QByteArray() << false << failed + "Der Server hat nicht innerhalb von 0,8 s geantwortet.";
        QTest::newRow("refused") << QByteArray() << true
                                 << failed + "Der Server hat die Verbindung abgelehnt.";
        QTest::newRow("hangs up") << test::kHangUp << false
                                  << failed + "Der Server hat die Verbindung vorzeitig beendet.";
        QTest::newRow("redirect loop")
            << QByteArray("HTTP/1.1 302 Found\r\nLocation: /Gravlin/kv.html\r\nContent-Length: 0\r\n\r\n")
            << false << failed + "Der Server leitet die Anfrage immer weiter um (zu viele Weiterleitungen).";
        QByteArray big;
        while (big.size() < 2 * 1024 * 1024) big += "Hinweis mit Umlaut: ä\n";
        QTest::newRow("oversized") << test::answer("200 OK", big) << false
                                   << "\n[Die Seite ist größer als 1 MiB und wurde hier abgeschnitten.]";
    }
    void f2ShowsTheHints() {
        QFETCH(QByteArray, response);
        QFETCH(bool, refused);
        QFETCH(QString, ends);
        const bool silent = response.isEmpty() && !refused;
        auto server = std::make_unique<QTcpServer>();
        QVERIFY(server->listen(QHostAddress::LocalHost, 0));
        test::serve(server.get(), response);
        gui->program.webHints.publicHost = "127.0.0.1:" + std::to_string(server->serverPort());
        if (refused) server.reset();
        gui->program.webHints.devUser.clear();
        gui->program.webHints.timeoutMs = silent ? 800 : 3000;

        QString text;
        Qt::CursorShape duringFetch = Qt::WaitCursor;  // the hourglass shows while the window waits
        if (silent) QTimer::singleShot(300, [&] { duringFetch = view().cursor().shape(); });
        QElapsedTimer clock;
        clock.start();
        test::runModal([this] { QTest::keyClick(&view(), Qt::Key_F2); },
                       [&](QWidget* v) {
                           QCOMPARE(v->windowTitle(), QStringLiteral("Aktuelle Hinweise"));
                           auto* page = test::named<QPlainTextEdit>(v, "Text1");
                           QVERIFY(page->isReadOnly() &&
                                   page->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn &&
                                   page->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn);
                           text = page->toPlainText();
                           QTest::mouseClick(test::named<QPushButton>(v, "cmdOK"), Qt::LeftButton);
                       });
        if (silent) QVERIFY2(clock.elapsed() >= 700, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(duringFetch, Qt::WaitCursor);
        // A page cut at 1 MiB is checked by its end, every other text as a whole.
        QCOMPARE(text.size() > 1000 ? text.right(ends.size()) : text, ends);
        QVERIFY(text.toUtf8().size() <= 1024 * 1024 + 20000);
        QVERIFY(!text.contains(QChar::ReplacementCharacter));
        QCOMPARE(view().cursor().shape(), Qt::ArrowCursor);
    }

    // Every error code of a reply reads as German text in the window, none as Qt's English.
    void everyNetworkErrorHasAGermanText() {
        const QMetaEnum codes = QMetaEnum::fromType<QNetworkReply::NetworkError>();
        for (int i = 0; i < codes.keyCount(); ++i) {
            const auto code = static_cast<QNetworkReply::NetworkError>(codes.value(i));
            HttpResult result;
            QVERIFY2(describeNetworkError(code, result), codes.key(i));
            QCOMPARE(result.outcome == HttpResult::Outcome::Ok, code == QNetworkReply::NoError);
            if (code != QNetworkReply::NoError)  // not the catch-all
                QVERIFY2(WWW::PageText(result, 10'000).find("fehlgeschlagen.") == std::string::npos,
                         codes.key(i));
        }
    }

    // The system as selectable text in a modal window; the solve and sweep buttons then finish
    // what the equations decide.
    void theSystemAndTheSolveAndSweepButtons() {
        action("Anfänger")->trigger();
        testing::layStripes(game());
        test::press(view(), 40);
        test::runModal([this] { action("EqsGes")->trigger(); },
                       [](QWidget* v) {
                           QCOMPARE(v->windowTitle(), QStringLiteral("Gleichungssystem"));
                           QVERIFY(textBox(v)->isReadOnly() &&
                                   textBox(v)->textInteractionFlags() & Qt::TextSelectableByMouse);
                           QCOMPARE(
                               layout(v),
                               QStringLiteral("QRect(16,24 425x257)QRect(16,296 425x25) scrolls sideways"));
                           QTest::mouseClick(okButton(v), Qt::LeftButton);
                       });
        QTest::mouseClick(named<QPushButton>("GlSolve"), Qt::LeftButton);
        QTest::mouseClick(named<QPushButton>("KlickGreen"), Qt::LeftButton);
        QVERIFY(!game().game_running);
        QCOMPARE(named<QLabel>("MinesLabel")->text(), QStringLiteral("000"));
    }

    // Every line of the notice shows whole, unwrapped, inside the box, in the font in use;
    // the engine's UTF-8 text reaches the probability window with its umlauts.
    void withoutFreeCellsTheNoticeFitsItsText() {
        fakeEngine.stochAnswer =
            "Vorschlag: a[ 02,01 ] enthält keine Mine\r\nWahrscheinlichkeiten für Minen\r\n";
        gui = std::make_unique<GravlinGui>(&fakeEngine);
        gui->start();
        action("Anfänger")->trigger();
        testing::layStripes(game());
        test::press(view(), 40);
        test::runModal([this] { QTest::mouseClick(named<QPushButton>("GlSolve"), Qt::LeftButton); },
                       [](QWidget* v) {
                           QCOMPARE(v->windowTitle(), QStringLiteral("NICHT eindeutig lösbar"));
                           QPlainTextEdit* t = textBox(v);
                           QCOMPARE(t->document()->blockCount(), 8);
                           const QRect inside = t->viewport()->rect();
                           for (QTextBlock b = t->document()->begin(); b.isValid(); b = b.next()) {
                               QCOMPARE(b.layout()->lineCount(), 1);
                               QTextCursor end(b);
                               end.movePosition(QTextCursor::EndOfBlock);
                               QVERIFY2(inside.contains(t->cursorRect(end)), qPrintable(b.text()));
                           }
                           QCOMPARE(t->verticalScrollBar()->maximum(), 0);
                           QVERIFY(v->width() >= 341 && v->height() >= 211);  // never below the layout
                           QVERIFY(okButton(v)->y() >= t->geometry().bottom() &&
                                   v->rect().contains(okButton(v)->geometry()));
                           QTest::mouseClick(okButton(v), Qt::LeftButton);
                       });

        action("wahrscheinlichkeiten")->trigger();
        QWidget* w = textWindow(QStringLiteral("Wahrscheinlichkeit"));
        QVERIFY(w);
        QCOMPARE(
            textBox(w)->toPlainText(),
            QStringLiteral("Vorschlag: a[ 02,01 ] enthält keine Mine\nWahrscheinlichkeiten für Minen\n"));
        okButton(w)->click();
    }

    void probabilitiesOpenBesideTheGameAndCloseWithANewGame() {
        action("Anfänger")->trigger();
        // Before the first click only the total decides anything: nothing is free.
        QTest::mouseClick(named<QPushButton>("GlSolve"), Qt::LeftButton);
        QTRY_VERIFY(action("wahrscheinlichkeiten")->isEnabled());
        action("wahrscheinlichkeiten")->trigger();
        QWidget* w = textWindow(QStringLiteral("Wahrscheinlichkeit"));
        QVERIFY(w);
        QVERIFY(!w->isModal());
        QVERIFY(QFontInfo(textBox(w)->font()).fixedPitch());
        QCOMPARE(layout(w), QStringLiteral("QRect(16,24 601x409)QRect(16,448 601x25) scrolls sideways"));
        QVERIFY(textBox(w)->toPlainText().contains(QStringLiteral("12.3")));  // 10 mines in 81 cells
        action("NewGame")->trigger();
        QTRY_VERIFY(!textWindow(QStringLiteral("Wahrscheinlichkeit")));
    }
};

QTEST_MAIN(TstWindows)
#include "tst_windows.moc"
