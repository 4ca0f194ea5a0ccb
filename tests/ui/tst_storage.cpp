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

class TstStorage : public test::RunningGui {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    int answered = 0;  // file dialogs and questions answered so far

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

    // Triggers the menu item `item` and answers its file dialog, after checking its settings,
    // by entering `typed` and pressing the accept button; then answers "&Ja" to a message box
    // containing `question`, if given.
    void runCommand(const char* item, const QString& typed, bool forSaving, const QString& question = {}) {
        const QString pattern =
            std::string_view(item).ends_with("mine") ? QStringLiteral("*.txt") : QStringLiteral("*.qzd");
        test::answerNextModal([=, this](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            QVERIFY(d);
            QCOMPARE(d->directory().absolutePath(),
                     QDir(QCoreApplication::applicationDirPath()).absolutePath());
            QCOMPARE(d->nameFilters(), QStringList{pattern});
            QCOMPARE(d->defaultSuffix(), pattern.mid(2));
            QCOMPARE(d->acceptMode(), forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
            // Typed text would meet the completer's popup; the name is set as a whole.
            auto* edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(edit);
            edit->setText(typed);
            QPushButton* accept = d->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))
                                      ->button(forSaving ? QDialogButtonBox::Save : QDialogButtonBox::Open);
            QVERIFY(accept && accept->isEnabled());
            // Qt's own dialog speaks German too.
            QCOMPARE(accept->text(), forSaving ? QStringLiteral("S&peichern") : QStringLiteral("&Öffnen"));
            ++answered;
            QTest::mouseClick(accept, Qt::LeftButton);
            QVERIFY2(!d->isVisible(), qPrintable(edit->text()));
            if (question.isEmpty()) return;
            test::answerNextModal([=, this](QWidget* w) {
                auto* box = qobject_cast<QMessageBox*>(w);
                QVERIFY2(box, w->metaObject()->className());
                QVERIFY2(box->text().contains(question), qPrintable(box->text()));
                for (QAbstractButton* b : box->buttons()) {
                    if (b->text() == QStringLiteral("&Ja")) {
                        ++answered;
                        b->click();
                    }
                }
            });
        });
        action(item)->trigger();
        QCOMPARE(answered, question.isEmpty() ? 1 : 2);
    }

    void afterStart() override {
        answered = 0;
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        action("Anfänger")->trigger();
        test::layStripes(form());
        test::press(view(), 40);
        QVERIFY(form().visible(5, 5));
    }

  private slots:
    void saveGameAddsTheExtensionAndWritesTheGame() {
        runCommand("save", dir->filePath(QStringLiteral("partie")), true);
        const std::string text = readFile(dir->filePath(QStringLiteral("partie.qzd")));
        QVERIFY(text.starts_with("9\r\n9\r\n10\r\n#TRUE#,0,0,#FALSE#,#FALSE#,#FALSE#\r\n"));
        QVERIFY(form().game_running);
    }

    void theWildcardPresetIsAFilterNotAName() {
        auto saveButton = [](QFileDialog* d) {
            return d->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))
                ->button(QDialogButtonBox::Save);
        };
        test::answerNextModal([this, saveButton](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            QVERIFY(d);
            d->setDirectory(dir->path());
            QTest::mouseClick(saveButton(d), Qt::LeftButton);  // the preset "*.qzd" as it stands
            // The dialog comes back; this time a name is given.
            test::answerNextModal([this, saveButton](QWidget* again) {
                auto* d2 = qobject_cast<QFileDialog*>(again);
                QVERIFY(d2);
                d2->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                    ->setText(dir->filePath(QStringLiteral("named")));
                QTest::mouseClick(saveButton(d2), Qt::LeftButton);
            });
        });
        action("save")->trigger();
        QVERIFY(!QFileInfo::exists(dir->filePath(QStringLiteral("*.qzd"))));
        QVERIFY(QFileInfo::exists(dir->filePath(QStringLiteral("named.qzd"))));
    }

    void loadGameShowsTheSavedBoard() {
        const QString path = dir->filePath(QStringLiteral("game.qzd"));
        const auto before = gui->program.storage.captureGame();
        writeFile(path, storage::formatSavedGame(before));
        action("Profis")->trigger();
        runCommand("load", path, false);
        QCOMPARE(gui->program.storage.captureGame(), before);
        QCOMPARE(test::visibleCells(view()), 81);
        QVERIFY(!action("Profis")->isChecked());
        QVERIFY(action("save")->isEnabled());
        for (int L = 0; L < 81; ++L)
            QCOMPARE(cell(L)->text(), QString::fromStdString(form().Command1[L].caption));
        QCOMPARE(named<QLabel>("MinesLabel")->text(), QString::fromStdString(form().MinesLabel.caption));
    }

    void saveLayoutOverAnExistingFileAfterYes() {
        const QString path = dir->filePath(QStringLiteral("mines.txt"));
        writeFile(path, "old");
        runCommand("save_mine", path, true, QStringLiteral("besteht bereits."));
        QVERIFY(readFile(path).starts_with("m-m-m-m-m\r\n---------\r\n"));
    }

    void loadLayoutAfterTheQuestionStartsANewGame() {
        const QString path = dir->filePath(QStringLiteral("four.txt"));
        writeFile(path, "M-m\r\n\r\n-x-\r\nmm");
        runCommand("load_mine", path, false, QStringLiteral("3x3"));
        QCOMPARE(test::visibleCells(view()), 9);
        QCOMPARE(named<QLabel>("MinesLabel")->text(), QStringLiteral("004"));
        QVERIFY(!action("Anfänger")->isChecked());
        QVERIFY(form().is_mine(2, 3) && !form().is_mine(3, 3));
    }
};

QTEST_MAIN(TstStorage)
#include "tst_storage.moc"
