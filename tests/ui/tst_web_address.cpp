// The web hints window on the program's real host when the page's address is no URL: a host
// setting the build lets through (letters, digits, ". - : [ ]") that no URL can hold. Nothing
// is fetched, and the window says why in German.
#include <QtTest>

#include "gravlin/info/www.h"
#include "qt_host.h"

using namespace gravlin;

class TstWebAddress : public QObject {
    Q_OBJECT

  private slots:
    void anInvalidAddressIsExplained_data() {
        QTest::addColumn<QString>("publicHost");
        QTest::newRow("port beyond 65535") << QStringLiteral("hinweise.example.test:99999");
        QTest::newRow("unclosed bracket") << QStringLiteral("[::1");
    }
    void anInvalidAddressIsExplained() {
        QFETCH(QString, publicHost);
        ui::QtHost host;
        Window owner;
        WWW window(host, owner, {publicHost.toStdString(), "127.0.0.1:8080", "", "", 10'000});
        window.Form_Load();
        QCOMPARE(QString::fromStdString(window.url), "http://" + publicHost + "/Gravlin/kv.html");
        QCOMPARE(QString::fromStdString(window.Text1.text),
                 QStringLiteral(
                     "Die Hinweise konnten nicht geladen werden.\r\nDie Adresse der Seite ist ungültig."));
    }
};

QTEST_MAIN(TstWebAddress)
#include "tst_web_address.moc"
