// The equation system in the real window with the real engine: the solve and sweep
// buttons, the system as text and the probability window.
#include "recording_engine.h"
#include "view_test_support.h"

using namespace gravlin;
using namespace gravlin::ui;

class TstEquationWindows : public test::RunningGui {
    Q_OBJECT

    static QPlainTextEdit* textBox(QWidget* w) { return test::named<QPlainTextEdit>(w, "Text1"); }
    static QPushButton* okButton(QWidget* w) { return test::named<QPushButton>(w, "OKButton"); }
    static TextWindowView* textWindow(const QString& title) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* v = dynamic_cast<TextWindowView*>(w);
            if (v && v->isVisible() && v->windowTitle() == title) return v;
        }
        return nullptr;
    }
    // Where the text box and the button sit, and whether long lines scroll sideways.
    static QString layout(QWidget* window) {
        QPlainTextEdit* text = textBox(window);
        const bool sideways = text->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn &&
                              text->lineWrapMode() == QPlainTextEdit::NoWrap;
        QString shown;
        QDebug(&shown).nospace().noquote()
            << "text " << text->geometry() << " button " << okButton(window)->geometry()
            << (sideways ? " scrolls sideways" : "");
        return shown;
    }
    void afterStart() override { action("Anfänger")->trigger(); }

    // Finds nothing free and answers probabilities with umlauts.
    testing::RecordingEngine fakeEngine;

  private slots:
    // The system as selectable text in a modal window; the solve and sweep buttons then finish
    // what the equations decide.
    void theSystemAndTheSolveAndSweepButtons() {
        testing::layStripes(form());
        test::press(view(), 40);
        test::runModal([this] { action("EqsGes")->trigger(); },
                       [](QWidget* v) {
                           QVERIFY(dynamic_cast<TextWindowView*>(v));
                           QCOMPARE(v->windowTitle(), QStringLiteral("Gleichungssystem"));
                           QVERIFY(textBox(v)->isReadOnly());
                           QVERIFY(textBox(v)->textInteractionFlags() & Qt::TextSelectableByMouse);
                           QCOMPARE(layout(v), QStringLiteral("text QRect(16,24 425x257) button "
                                                              "QRect(16,296 425x25) scrolls sideways"));
                           QVERIFY(textBox(v)->toPlainText().startsWith(
                               QStringLiteral("linsolve ( {\n\na[ 01,01 ] + a[ 02,01 ] = 1,\n")));
                           QTest::mouseClick(okButton(v), Qt::LeftButton);
                       });
        QTest::mouseClick(named<QPushButton>("GlSolve"), Qt::LeftButton);
        // The free cells between the mines of the top row turn light green, the mines light red.
        QCOMPARE(form().Command1[1].backColor, 0x00C0FFC0u);
        QCOMPARE(form().Command1[0].backColor, 0x00C0C0FFu);
        QTest::mouseClick(named<QPushButton>("KlickGreen"), Qt::LeftButton);
        QVERIFY(!form().game_running);
        QCOMPARE(named<QLabel>("MinesLabel")->text(), QStringLiteral("000"));
    }

    // Every line of the notice shows whole, unwrapped, inside the box, in the font in use;
    // the engine's UTF-8 text reaches the probability window with its umlauts.
    void withoutFreeCellsTheNoticeFitsItsText() {
        fakeEngine.stochAnswer =
            "Vorschlag: a[ 02,01 ] enthält keine Mine\r\nWahrscheinlichkeiten für Minen\r\n";
        gui = std::make_unique<GravlinGui>(&fakeEngine);
        gui->start();
        afterStart();
        testing::layStripes(form());
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
                           QVERIFY(okButton(v)->y() >= t->geometry().bottom());
                           QVERIFY(v->rect().contains(okButton(v)->geometry()));
                           QTest::mouseClick(okButton(v), Qt::LeftButton);
                       });

        action("wahrscheinlichkeiten")->trigger();
        TextWindowView* w = textWindow(QStringLiteral("Wahrscheinlichkeit"));
        QVERIFY(w);
        QCOMPARE(
            textBox(w)->toPlainText(),
            QStringLiteral("Vorschlag: a[ 02,01 ] enthält keine Mine\nWahrscheinlichkeiten für Minen\n"));
        okButton(w)->click();
    }

    void probabilitiesOpenBesideTheGameAndCloseWithANewGame() {
        // Before the first click only the total decides anything: nothing is free.
        QTest::mouseClick(named<QPushButton>("GlSolve"), Qt::LeftButton);
        QTRY_VERIFY(action("wahrscheinlichkeiten")->isEnabled());
        action("wahrscheinlichkeiten")->trigger();
        TextWindowView* w = textWindow(QStringLiteral("Wahrscheinlichkeit"));
        QVERIFY(w);
        QVERIFY(!w->isModal());
        QVERIFY(QFontInfo(textBox(w)->font()).fixedPitch());
        QCOMPARE(layout(w),
                 QStringLiteral("text QRect(16,24 601x409) button QRect(16,448 601x25) scrolls sideways"));
        QVERIFY(textBox(w)->toPlainText().contains(QStringLiteral("12.3")));  // 10 mines in 81 cells
        QVERIFY(!action("wahrscheinlichkeiten")->isEnabled());
        // The main window stays usable: a click on a cell goes through.
        test::press(view(), 40);
        QVERIFY(form().visible(5, 5));
        QVERIFY(textWindow(QStringLiteral("Wahrscheinlichkeit")));
        action("NewGame")->trigger();
        QTRY_VERIFY(!textWindow(QStringLiteral("Wahrscheinlichkeit")));
    }
};

QTEST_MAIN(TstEquationWindows)
#include "tst_equation_windows.moc"
