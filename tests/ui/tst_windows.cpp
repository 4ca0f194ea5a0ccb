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
#include "gravlin/info/www.h"
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

void click(const QObject* parent, const QString& button) {
    QTest::mouseClick(named<QPushButton>(parent, button), Qt::LeftButton);
}

// Runs `answer` on the next modal window to appear; if that window is still open a few
// seconds later it is rejected, so a broken test fails instead of hanging. Returns the timer
// that waits for the window.
inline QTimer* answerNextModal(std::function<void(QWidget*)> answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        poll->stop();
        poll->deleteLater();
        answer(modal);
        QTimer::singleShot(3000, modal, [modal] {
            if (auto* d = qobject_cast<QDialog*>(modal); d && d->isVisible()) d->reject();
        });
    });
    poll->start(20);
    QTimer::singleShot(5000, poll, [poll] { poll->deleteLater(); });
    return poll;
}

// Runs `open`, which must show a modal window, and hands that window to `drive`, which
// must close it.
inline void runModal(const std::function<void()>& open, const std::function<void(QWidget*)>& drive) {
    bool driven = false;
    const QPointer<QTimer> poll = answerNextModal([&](QWidget* w) {
        driven = true;
        drive(w);
    });
    open();
    if (!driven) delete poll;  // it must not answer a later window with this frame gone
    QVERIFY2(driven, "no modal window appeared");
}

// Answers every request on `server` with `response`, and never answers when it is empty.
const QByteArray kNoServer = "<no server>";
void serve(QTcpServer* server, const QByteArray& response) {
    QObject::connect(server, &QTcpServer::newConnection, server, [server, response] {
        while (QTcpSocket* s = server->nextPendingConnection())
            QObject::connect(s, &QTcpSocket::readyRead, s, [s, response] {
                if (!s->peek(1 << 20).contains("\r\n\r\n") || response.isEmpty()) return;
                s->write(response);
                s->disconnectFromHost();
            });
    });
}

QByteArray reply(const QByteArray& status, const QByteArray& body) {
    return "HTTP/1.1 " + status + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

// Calls `f` whenever the widget is painted.
struct PaintSpy : QObject {
    PaintSpy(QWidget* w, std::function<void()> f) : f(std::move(f)) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::Paint && (f(), false); }
    std::function<void()> f;
};

}  // namespace test

class TstWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<GravlinGui> gui;

    MainWindowView& view() { return *gui->view(); }
    Game& game() { return gui->program.game; }
    // Controls and menu items of the main window, by name.
    template <typename T = QWidget>
    T* named(const QString& name) {
        return test::named<T>(gui->view(), name);
    }
    QAction* action(const QString& name) { return named<QAction>(name); }
    QString status() { return named<QLabel>("StatusBar1")->text(); }
    // The cell buttons of the field, in the order of their index.
    QList<QPushButton*> cells() {
        return named<QFrame>("Frame2")->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
    }
    int visibleCells() { return int(std::ranges::count_if(cells(), &QWidget::isVisible)); }
    // Presses and releases the mouse button on the cell, as the user does.
    void press(int index, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(cells().at(index), button, Qt::NoModifier, QPoint(8, 8));
    }

    static QImage argb(const QPixmap& p) { return p.toImage().convertToFormat(QImage::Format_ARGB32); }
    static QImage face(Picture p) { return argb(drawPicture(p, 1.0)); }
    QImage faceShown() { return argb(named<QPushButton>("StartStop")->icon().pixmap(QSize(28, 28), 1.0)); }
    void runModal(const char* item, const std::function<void(QWidget*)>& drive) {
        test::runModal([&] { action(item)->trigger(); }, drive);
    }
    static QLineEdit* edit(QWidget* d, const char* name) { return test::named<QLineEdit>(d, name); }
    // Replaces the text of the width, height and mines boxes by typing, then presses OK.
    static void typeAndOk(QWidget* d, const QStringList& values) {
        for (int i = 0; i < 3; ++i) {
            QLineEdit* box = edit(d, std::array{"x_input", "y_input", "m_input"}[i]);
            box->clear();
            QTest::keyClicks(box, values[i]);
        }
        test::click(d, "OKButton");
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
                    if (b->text() == "&Ja") asked = true, b->click();
            });
        });
        QVERIFY(asked);
    }

    static QPlainTextEdit* textBox(QWidget* w) { return test::named<QPlainTextEdit>(w, "Text1"); }
    static QPushButton* okButton(QWidget* w) { return test::named<QPushButton>(w, "OKButton"); }
    static QWidget* textWindow(const QString& title) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->windowTitle() == title) return w;
        return nullptr;
    }
    QWidget* probabilities() {
        action("wahrscheinlichkeiten")->trigger();
        return textWindow("Wahrscheinlichkeit");
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

    // The four faces differ, so the face shown tells how the game stands. Then the main window
    // as it starts, and as the user presses cells and keys on it.
    void facesMenusPressesAndKeys() {
        const Picture faces[] = {Picture::FaceNormal, Picture::FaceWorking, Picture::FaceWon,
                                 Picture::FaceLost};
        for (int i = 0; i < 4; ++i)
            for (int j = i + 1; j < 4; ++j) QVERIFY2(face(faces[i]) != face(faces[j]), "two faces alike");
        // The captions after start-up, menu by menu, hidden items left out; "*" marks the
        // checked item, "(aus)" a disabled one.
        QStringList shown;
        for (QAction* menu : view().menuBar()->actions()) {
            shown << menu->text() + ":";
            for (QAction* a : menu->menu()->actions())
                if (a->isVisible())
                    shown << (a->isSeparator() ? "-" : a->text()) + (a->isChecked() ? " *" : "") +
                                 (a->isEnabled() ? "" : " (aus)");
        }
        QCOMPARE(shown.join('|'),
                 "&Spiel:|&Neu|-|&Laden|&Speichern (aus)|-|Lade Minen|Speicher Minen (aus)|-|&Beenden|"
                 "&Einstellungen:|&Anfänger|&Fortgeschrittene *|&Profis|&Benutzerdefiniert...|-|"
                 "&Automatische Lösung|"
                 "E&xp.:|Löse lin. Gleichungssystem|Klicke alle \"hellgrünen\" Felder an|-|&Gleichungssystem|"
                 "Gl.&System mit Gesamtsumme|-|&Wahrscheinlichkeiten (aus)|-|S&pickmodus|&Zeige alle Minen|-|"
                 "Verlorenes Spiel f&ortführen (aus)|"
                 "&?:|&About|Aktuelle Hinweise aus dem &Web");

        // Presses on the real cells and keys reach the game; the window fits the board and the
        // face button shows how the game stands: while the solver runs after a press it is
        // painted with the working face over a cleared status bar, then the normal face and the
        // statistics.
        action("Anfänger")->trigger();
        QCOMPARE(visibleCells(), 81);
        QCOMPARE(cells().at(80)->geometry(), QRect(136, 144, 17, 17));
        QTRY_COMPARE(view().width(), 192);
        QCOMPARE(named("StartStop")->toolTip(), "Beginne neues Spiel");
        QVERIFY(!named<QPushButton>("GlSolve")->icon().isNull());

        testing::layStripes(game());
        QStringList painted;
        test::PaintSpy spy(named("StartStop"), [&] {
            painted << (faceShown() == face(Picture::FaceWorking) ? "working" : "other") + status();
        });
        press(40);
        QVERIFY2(painted.contains("working"), qPrintable(painted.join('|')));
        QCOMPARE(faceShown(), face(Picture::FaceNormal));
        QCOMPARE(cells().at(40)->text(), QString::fromStdString(gui->program.form.Command1[40].caption));
        press(17, Qt::RightButton);
        QCOMPARE(status(), "Index 17: x = 9, y = 2");
        QTest::keyClick(&view(), Qt::Key_F12, Qt::ControlModifier);
        const int mine = testing::findCell(game(), true);
        press(mine, Qt::RightButton);
        QVERIFY(status().endsWith(" - Achtung! Mine"));
        press(mine);
        QCOMPARE(faceShown(), face(Picture::FaceLost));
        test::click(gui->view(), "StartStop");
        QCOMPARE(faceShown(), face(Picture::FaceNormal));
    }

    // Bad values turn red and typing turns a box back; Escape keeps the level.
    void customFieldDialogByKeyboardAndMouse() {
        runModal("benutzerdefiniert", [&](QWidget* d) {
            typeAndOk(d, {"31", "25", "abc"});
            QVERIFY(d->isVisible());
            const QWidget* label = test::named(d, "Label_y");
            QCOMPARE(label->palette().color(QPalette::Window), QColor(255, 0, 0));
            QTest::keyClick(edit(d, "y_input"), Qt::Key_Backspace);
            QCOMPARE(label->palette().color(QPalette::Window), QColor(0xC0, 0xFF, 0xC0));
            QTest::keyClick(d, Qt::Key_Escape);
        });
        QVERIFY(game().x_game == 16 && action("Fortgeschrittene")->isChecked());
    }

    // Accepting the preset "*.qzd" as it stands filters the folder and brings the dialog back,
    // a name without extension gets one; the layout items ask before replacing a file and
    // before building the field it holds.
    void fileDialogsAndTheirQuestions() {
        QTemporaryDir dir;
        press(0);
        runModal("save", [&](QWidget* w) {
            qobject_cast<QFileDialog*>(w)->setDirectory(dir.path());
            QTest::mouseClick(acceptButton(w, true), Qt::LeftButton);
            test::answerNextModal([&](QWidget* again) {
                edit(again, "fileNameEdit")->setText(dir.filePath("named"));
                QTest::mouseClick(acceptButton(again, true), Qt::LeftButton);
            });
        });
        QVERIFY(!QFileInfo::exists(dir.filePath("*.qzd")) && QFileInfo::exists(dir.filePath("named.qzd")));
        const QString path = dir.filePath("mines.txt");
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        layoutFile("save_mine", path, "besteht bereits.");
        action("Profis")->trigger();
        layoutFile("load_mine", path, "16x16");
        QCOMPARE(visibleCells(), 256);
    }

    // The file named on the command line loads once the window is up, as "&Laden" loads it,
    // and a layout (.txt) after the question of "Lade Minen". A file that cannot be read ends
    // the program after the read-failure message, naming the full path, with status 1.
    void theFileOnTheCommandLineLoadsAfterStartUp() {
        QTemporaryDir dir;
        action("Anfänger")->trigger();
        press(40);
        const storage::SavedGame played = gui->program.storage.captureGame();
        const auto startWith = [&](const QString& name, const std::string& contents) {
            QFile file(dir.filePath(name));
            QVERIFY(contents.empty() ||
                    (file.open(QIODevice::WriteOnly) && file.write(contents.c_str()) > 0));
            file.close();
            const QString argument = contents.empty() ? name : file.fileName();
            gui = std::make_unique<GravlinGui>();
            gui->start(readCommandLine({"gravlin", argument.toStdString()}).file);
        };
        startWith("spiel.qzd", storage::formatSavedGame(played));
        QTRY_COMPARE(visibleCells(), 81);
        QVERIFY(gui->program.storage.captureGame() == played);

        QString question;
        test::answerNextModal([&](QWidget* box) {
            question = qobject_cast<QMessageBox*>(box)->text();
            for (QAbstractButton* b : qobject_cast<QMessageBox*>(box)->buttons())
                if (b->text() == "&Ja") b->click();
        });
        startWith("minen.TXT", "m---------\r\n----------\r\n-------m-m\r\n");
        QTRY_COMPARE(visibleCells(), 30);
        QVERIFY2(question.contains("10x3\r\nmit 3 Minen"), qPrintable(question));

        QString failure;
        test::answerNextModal([&](QWidget* box) {
            failure = box->windowTitle() + "|" + qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QMessageBox*>(box)->buttons().first()->click();
        });
        const QString missing = QStringLiteral("fehlt-%1.qzd").arg(QCoreApplication::applicationPid());
        startWith(missing, {});
        QTimer::singleShot(10000, gui->view(), [] { QCoreApplication::exit(99); });  // instead of hanging
        QCOMPARE(QApplication::exec(), 1);
        QCOMPARE(failure, "Spiel laden|File '" + QDir::current().absoluteFilePath(missing) +
                              "' kann nicht gelesen werden\r\nDas Programm wird beendet!");
    }

    // Each window the program opens lies within the available area of its screen, the main
    // window with the largest field, typed into the custom dialog, too. Every line of the notice
    // shows whole, unwrapped, inside the box, in the font in use; the engine's UTF-8 text reaches
    // the probability window with its umlauts; F1 shows About. Runs once more at twice the size on
    // a 1920 x 1080 screen.
    void everyWindowLiesOnItsScreen() {
        QStringList outside;
        const auto check = [&](QWidget* w) {
            if (!w->screen()->availableGeometry().contains(w->frameGeometry())) outside << w->windowTitle();
        };
        fakeEngine.stochAnswer =
            "Vorschlag: a[ 02,01 ] enthält keine Mine\r\nWahrscheinlichkeiten für Minen\r\n";
        gui = std::make_unique<GravlinGui>(&fakeEngine);  // finds nothing free: the notice
        gui->start();
        action("Anfänger")->trigger();
        testing::layStripes(game());
        press(40);
        test::runModal([this] { test::click(gui->view(), "GlSolve"); },
                       [&](QWidget* v) {
                           check(v);
                           QCOMPARE(v->windowTitle(), "NICHT eindeutig lösbar");
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
                           QVERIFY(okButton(v)->y() >= t->geometry().bottom() &&
                                   v->rect().contains(okButton(v)->geometry()));
                           QTest::mouseClick(okButton(v), Qt::LeftButton);
                       });
        QWidget* w = probabilities();
        QVERIFY(w);
        check(w);
        QCOMPARE(textBox(w)->toPlainText(),
                 "Vorschlag: a[ 02,01 ] enthält keine Mine\nWahrscheinlichkeiten für Minen\n");
        okButton(w)->click();

        runModal("benutzerdefiniert", [&](QWidget* d) {
            check(d);
            QCOMPARE(d->windowTitle(), "Benutzerdefinierte Einstellung");
            // Focus starts on OK; Tab runs through Cancel and the boxes back to OK.
            QCOMPARE(QApplication::focusWidget(), test::named(d, "OKButton"));
            for (const char* next : {"CancelButton", "y_input", "x_input", "m_input", "OKButton"}) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), test::named(d, next));
            }
            typeAndOk(d, {"30", "24", "99"});
        });
        QCOMPARE(visibleCells(), 720);
        QTRY_COMPARE(view().size(), view().minimumSizeHint());
        check(&view());
        gui->program.webHints.publicHost = "127.0.0.1:1";  // refused at once
        gui->program.webHints.devUser.clear();
        for (const char* item : {"Eqs", "load", "webmsg"})
            runModal(item, [&](QWidget* w) {
                check(w);
                QTest::keyClick(w, Qt::Key_Escape);
            });
        test::runModal(
            [this] {
                QApplication::setActiveWindow(&view());  // F1 works in the active window
                QTest::keyClick(&view(), Qt::Key_F1);
            },
            [&](QWidget* about) {
                check(about);
                QCOMPARE(about->windowTitle(), "Info zu Gravlin");
                QVERIFY(!test::named<QLabel>(about, "picIcon")->pixmap().isNull());
                QCOMPARE(QApplication::focusWidget(), test::named(about, "cmdOK"));
                // Where it fits, a dialog stays where Qt puts it: centred on the main window.
                QVERIFY(qAbs(about->frameGeometry().center().x() - view().frameGeometry().center().x()) <= 2);
                test::click(about, "cmdOK");
            });
        QVERIFY2(outside.isEmpty(), qPrintable("off the screen: " + outside.join(", ")));
    }

    void f2ShowsTheHints_data() {
        QTest::addColumn<QByteArray>("response");  // empty: never answers; kNoServer: none on the port
        QTest::addColumn<QString>("ends");         // how the shown text ends
        const QString failed = "Die Hinweise konnten nicht geladen werden.\n";
        QTest::newRow("404") << test::reply("404 Not Found", "<h1>Not Found</h1>")
                             << failed + "Der Server meldet den HTTP-Status 404.";
        QTest::newRow("never answers")
            << QByteArray() << failed + "Der Server hat nicht innerhalb von 0,8 s geantwortet.";
        QTest::newRow("refused") << test::kNoServer << failed + "Der Server hat die Verbindung abgelehnt.";
        QTest::newRow("redirect loop")
            << QByteArray("HTTP/1.1 302 Found\r\nLocation: /Gravlin/kv.html\r\nContent-Length: 0\r\n\r\n")
            << failed + "Der Server leitet die Anfrage immer weiter um (zu viele Weiterleitungen).";
        QByteArray big;
        while (big.size() < 2 * 1024 * 1024) big += "Hinweis mit Umlaut: ä\n";
        QTest::newRow("oversized") << test::reply("200 OK", big)
                                   << "\n[Die Seite ist größer als 1 MiB und wurde hier abgeschnitten.]";
    }
    void f2ShowsTheHints() {
        QFETCH(QByteArray, response);
        QFETCH(QString, ends);
        const bool silent = response.isEmpty();
        auto server = std::make_unique<QTcpServer>();
        QVERIFY(server->listen(QHostAddress::LocalHost, 0));
        test::serve(server.get(), response);
        gui->program.webHints.publicHost = "127.0.0.1:" + std::to_string(server->serverPort());
        if (response == test::kNoServer) server.reset();
        gui->program.webHints.devUser.clear();
        gui->program.webHints.timeoutMs = silent ? 800 : 3000;

        QString text;
        Qt::CursorShape duringFetch = Qt::WaitCursor;  // the hourglass shows while the window waits
        if (silent) QTimer::singleShot(300, [&] { duringFetch = view().cursor().shape(); });
        QElapsedTimer clock;
        clock.start();
        test::runModal([this] { QTest::keyClick(&view(), Qt::Key_F2); },
                       [&](QWidget* v) {
                           QCOMPARE(v->windowTitle(), "Aktuelle Hinweise");
                           text = textBox(v)->toPlainText();
                           test::click(v, "cmdOK");
                       });
        if (silent) QVERIFY2(clock.elapsed() >= 700, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(duringFetch, Qt::WaitCursor);
        // A page cut at 1 MiB is checked by its end, every other text as a whole.
        QCOMPARE(text.size() > 1000 ? text.right(ends.size()) : text, ends);
        QVERIFY(text.toUtf8().size() <= 1024 * 1024 + 20000 && !text.contains(QChar::ReplacementCharacter));
        QCOMPARE(view().cursor().shape(), Qt::ArrowCursor);
    }

    // Every error code of a reply reads as German text in the window, none as Qt's English. A
    // host setting no URL can hold (a port beyond 65535) fetches nothing, and the window says why.
    void webFailuresAreExplainedInGerman() {
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
        Window owner;
        WWW window(gui->host, owner, {"hinweise.example.test:99999", "127.0.0.1:8080", "", "", 10'000});
        window.Form_Load();
        QCOMPARE(QString::fromStdString(window.Text1.text),
                 "Die Hinweise konnten nicht geladen werden.\r\nDie Adresse der Seite ist ungültig.");
    }

    // Probabilities open beside the game and close with a new game; the system shows in a modal
    // window; the solve and sweep buttons then finish what the equations decide.
    void theProbabilitiesTheSystemAndTheSolveAndSweepButtons() {
        action("Anfänger")->trigger();
        // Before the first click only the total decides anything: nothing is free.
        test::click(gui->view(), "GlSolve");
        QTRY_VERIFY(action("wahrscheinlichkeiten")->isEnabled());
        QWidget* w = probabilities();
        QVERIFY(w && !w->isModal() && QFontInfo(textBox(w)->font()).fixedPitch());
        QCOMPARE(textBox(w)->geometry(), QRect(16, 24, 601, 409));
        QVERIFY(textBox(w)->toPlainText().contains("12.3"));  // 10 mines in 81 cells
        action("NewGame")->trigger();
        QTRY_VERIFY(!textWindow("Wahrscheinlichkeit"));

        testing::layStripes(game());
        press(40);
        runModal("EqsGes", [](QWidget* v) {
            QCOMPARE(v->windowTitle(), "Gleichungssystem");
            QTest::mouseClick(okButton(v), Qt::LeftButton);
        });
        test::click(gui->view(), "GlSolve");
        test::click(gui->view(), "KlickGreen");
        QVERIFY(!game().game_running);
        QCOMPARE(named<QLabel>("MinesLabel")->text(), "000");
    }
};

QTEST_MAIN(TstWindows)
#include "tst_windows.moc"
