// Saving and loading games and mine layouts through the real file dialogs and message
// boxes, one end-to-end run each.
#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <sstream>

#include "view_test_support.h"

using namespace gravlin;
using namespace gravlin::ui;

class TstStorage : public QObject, public test::RunningGui {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;

    static std::string readFile(const QString& path) {
        std::ifstream in(path.toStdString(), std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void writeFile(const QString& path, const std::string& text) {
        std::ofstream out(path.toStdString(), std::ios::binary);
        out << text;
    }

    // Answers the next file dialog, after checking its settings, by entering `name` and
    // pressing its accept button; then runs `next` (to answer what follows) if given.
    void answerFileDialog(const QString& name, const QString& pattern, bool forSaving, bool* seen,
                          std::function<void()> next = {}) {
        test::answerNextModal([=](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            QVERIFY(d);
            QCOMPARE(d->directory().absolutePath(), QDir(QCoreApplication::applicationDirPath()).absolutePath());
            QCOMPARE(d->nameFilters(), QStringList{pattern});
            QCOMPARE(d->defaultSuffix(), pattern.mid(2));
            QCOMPARE(d->acceptMode(), forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
            auto* edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(edit);
            // Typed text would meet the completer's popup; the name is set as a whole.
            edit->setText(name);
            auto* buttons = d->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
            QVERIFY(buttons);
            QPushButton* accept = buttons->button(forSaving ? QDialogButtonBox::Save : QDialogButtonBox::Open);
            QVERIFY(accept && accept->isEnabled());
            *seen = true;
            QTest::mouseClick(accept, Qt::LeftButton);
            QVERIFY2(!d->isVisible(), qPrintable(edit->text()));
            if (next) next();
        });
    }
    // Answers the next message box with the button captioned `button`, after checking it.
    static void answerMessage(const QString& contains, const QString& button, bool* seen) {
        test::answerNextModal([=](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY2(box, w->metaObject()->className());
            QVERIFY2(box->text().contains(contains), qPrintable(box->text()));
            for (QAbstractButton* b : box->buttons()) {
                if (b->text() == button) {
                    *seen = true;
                    b->click();
                    return;
                }
            }
            QFAIL("button not found");
        });
    }

private slots:
    void initTestCase() { setUpApplication(); }
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        QVERIFY(startGui([](GravlinGui& g) { g.program.form.seedSource = [] { return 99ULL; }; }));
        view().action("Anfänger")->trigger();
        test::layStripes(form());
        QTest::mousePress(view().cell(40), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
        QVERIFY(form().visible(5, 5));
    }
    void cleanup() {
        QVERIFY(stopGui());
        dir.reset();
    }

    void saveGameAddsTheExtensionAndWritesTheGame() {
        bool answered = false;
        answerFileDialog(dir->filePath(QStringLiteral("partie")), QStringLiteral("*.qzd"), true, &answered);
        view().action("save")->trigger();
        QVERIFY(answered);
        const std::string text = readFile(dir->filePath(QStringLiteral("partie.qzd")));
        QVERIFY(text.starts_with("9\r\n9\r\n10\r\n#TRUE#,0,0,#FALSE#,#FALSE#,#FALSE#\r\n"));
        QCOMPARE(std::count(text.begin(), text.end(), '\n'), 84);
        QVERIFY(form().game_running);
    }

    void loadGameShowsTheSavedBoard() {
        const QString path = dir->filePath(QStringLiteral("game.qzd"));
        const auto before = gui->program.storage.captureGame();
        writeFile(path, storage::formatSavedGame(before));
        view().action("Profis")->trigger();
        QCOMPARE(test::visibleCells(view()), 480);

        bool answered = false;
        answerFileDialog(path, QStringLiteral("*.qzd"), false, &answered);
        view().action("load")->trigger();
        QVERIFY(answered);
        QCOMPARE(gui->program.storage.captureGame(), before);
        QCOMPARE(test::visibleCells(view()), 81);
        QVERIFY(!view().action("Profis")->isChecked());
        QVERIFY(view().action("save")->isEnabled());
        for (int L = 0; L < 81; ++L) QCOMPARE(view().cell(L)->text(), QString::fromStdString(form().Command1[L].caption));
        QCOMPARE(view().cell(40)->text(), QString());  // the opened middle shows no number
        QCOMPARE(view().minesLabel()->text(), QString::fromStdString(form().MinesLabel.caption));
    }

    void saveLayoutOverAnExistingFileAfterYes() {
        const QString path = dir->filePath(QStringLiteral("mines.txt"));
        writeFile(path, "old");
        bool answeredFile = false;
        bool answeredQuestion = false;
        answerFileDialog(path, QStringLiteral("*.txt"), true, &answeredFile,
                         [&] { answerMessage(QStringLiteral("besteht bereits."), QStringLiteral("&Ja"), &answeredQuestion); });
        view().action("save_mine")->trigger();
        QVERIFY(answeredFile);
        QVERIFY(answeredQuestion);
        std::string expected = "m-m-m-m-m\r\n";
        for (int row = 2; row <= 8; ++row) expected += "---------\r\n";
        expected += "m-m-m-m-m\r\n";
        QCOMPARE(readFile(path), expected);
    }

    void loadLayoutAfterTheQuestionStartsANewGame() {
        const QString path = dir->filePath(QStringLiteral("four.txt"));
        writeFile(path, "M-m\r\n\r\n-x-\r\nmm");
        bool answeredFile = false;
        bool answeredQuestion = false;
        answerFileDialog(path, QStringLiteral("*.txt"), false, &answeredFile,
                         [&] { answerMessage(QStringLiteral("3x3"), QStringLiteral("&Ja"), &answeredQuestion); });
        view().action("load_mine")->trigger();
        QVERIFY(answeredFile);
        QVERIFY(answeredQuestion);
        QCOMPARE(form().x_game, 3);
        QCOMPARE(form().no_mines_game, 4);
        QCOMPARE(test::visibleCells(view()), 9);
        QCOMPARE(view().minesLabel()->text(), QStringLiteral("004"));
        QVERIFY(!view().action("Anfänger")->isChecked());
        QVERIFY(form().is_mine(2, 3) && !form().is_mine(3, 3));
    }
};

QTEST_MAIN(TstStorage)
#include "tst_storage.moc"
