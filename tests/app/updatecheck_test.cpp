// The update check: reading the information text, the version comparison, the pop-up
// and the download, against a local HTTP server.
#include "app/formmain.h"
#include "app/updateassistant.h"
#include "app/updateinfo.h"
#include "app/updatepopup.h"
#include "httpserver.h"
#include "project/version.h"
#include "testsupport.h"

#include <QFile>
#include <QLabel>
#include <QTest>

namespace vistarel::app::test {

namespace {

QByteArray informationText(const QByteArray& version, const QByteArray& extra = {})
{
    return "; update information\n[data full]\nversion=" + version + "\nsize=123456\n" + extra +
           "[other]\nversion=0.000\n";
}

// A version text whose number is own + delta ("1.001" + 9 = "1.010").
QByteArray shiftedVersion(int delta)
{
    const QString own = project::versionText(project::programVersion());
    const int n = *versionNumber(own) + delta;
    return QStringLiteral("%1.%2").arg(n / 1000).arg(n % 1000, 3, 10, QLatin1Char('0')).toLatin1();
}

} // namespace

class UpdateCheckTest : public QObject
{
    Q_OBJECT

private slots:
    void decisionTable_data();
    void decisionTable();
    void allowedAddresses_data();
    void allowedAddresses();
    void popupForANewerVersion();
    void noPopupWithoutANewerVersion_data();
    void noPopupWithoutANewerVersion();
    void download_data();
    void download();
    void downloadWithUnsavedChangesAsksFirst();
    void informationWithOnlyAPage();
    void addressFromTheSettings();
};

void UpdateCheckTest::decisionTable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("own");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<QString>("netVersion");

    const QString block = QStringLiteral("x\n[data full]\nversion=%1\nsize=99\n");
    QTest::newRow("newer") << block.arg(QStringLiteral("2.210")) << "2.201" << true << "2.210";
    QTest::newRow("equal") << block.arg(QStringLiteral("2.201")) << "2.201" << false << "2.201";
    QTest::newRow("older") << block.arg(QStringLiteral("2.200")) << "2.201" << false << "2.200";
    QTest::newRow("major step") << block.arg(QStringLiteral("3.000")) << "2.999" << true << "3.000";
    QTest::newRow("garbled version") << block.arg(QStringLiteral("2.2x1")) << "2.201" << false << "2.2x1";
    QTest::newRow("version too short") << block.arg(QStringLiteral("3.1")) << "2.201" << false << "3.1";
    QTest::newRow("hex-looking version") << block.arg(QStringLiteral("$.FFF")) << "2.201" << false << "$.FFF";
    QTest::newRow("CR LF lines") << QStringLiteral("x\r\n[data full]\r\nversion=2.210\r\nsize=9\r\n")
                                 << "2.201" << true << "2.210";
    QTest::newRow("two lines") << QStringLiteral("[data full]\nversion=9.999\n") << "2.201" << false << "2.201";
    QTest::newRow("block is the last line") << QStringLiteral("a\nb\n[data full]\n") << "2.201" << false << "2.201";
    QTest::newRow("size line not ended") << QStringLiteral("a\n[data full]\nversion=2.210\nsize=9")
                                         << "2.201" << false << "2.201";
    QTest::newRow("no block") << QStringLiteral("a\nb\nversion=9.999\n") << "2.201" << false << "2.201";
    QTest::newRow("empty") << QString() << "2.201" << false << "2.201";
}

void UpdateCheckTest::decisionTable()
{
    QFETCH(QString, text);
    QFETCH(QString, own);
    QFETCH(bool, offered);
    QFETCH(QString, netVersion);
    const TUpdateInfo info = ParseUpdateInfo(text, own);
    QCOMPARE(info.ThisVersion, own);
    QCOMPARE(info.NetVersion, netVersion);
    QCOMPARE(offersUpdate(info), offered);
}

void UpdateCheckTest::allowedAddresses_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("https") << "https://updates.example.org/vistarel/update.ini" << true;
    QTest::newRow("http elsewhere") << "http://updates.example.org/update.ini" << false;
    QTest::newRow("http loopback v4") << "http://127.0.0.1:8080/update.ini" << true;
    QTest::newRow("http loopback v6") << "http://[::1]:8080/update.ini" << true;
    QTest::newRow("http localhost") << "http://localhost/update.ini" << true;
    QTest::newRow("http private network") << "http://192.168.1.5/update.ini" << false;
    QTest::newRow("file") << "file:///tmp/update.ini" << false;
    QTest::newRow("ftp") << "ftp://example.org/update.ini" << false;
    QTest::newRow("no host") << "https:///update.ini" << false;
}

void UpdateCheckTest::allowedAddresses()
{
    QFETCH(QString, url);
    QFETCH(bool, allowed);
    QCOMPARE(isAllowedUpdateUrl(QUrl(url)), allowed);
}

void UpdateCheckTest::popupForANewerVersion()
{
    HttpServer server;
    const QByteArray newer = shiftedVersion(9);
    server.serve("/update.ini", {200, informationText(newer)});
    WindowEnvironment env;
    env.updateUrl = server.url("/update.ini");
    auto w = env.showWindow();
    UpdatePopup* popup = w->updateAssistant()->popup();
    QTRY_VERIFY(popup->isVisible());
    const QString own = project::versionText(project::programVersion());
    const auto* text = popup->findChild<QLabel*>(QStringLiteral("RzLabelUpdateInfo"));
    QCOMPARE(text->text(), w->str(33) + QString::fromLatin1(newer) + w->str(34) + own + u'.');
    QCOMPARE(popup->header(), w->str(39));
    QVERIFY(!popup->isMarqueeVisible());
    // The arrow at the pop-up's top centre points at the version label.
    const QLabel* label = w->versionLabel();
    const QPoint tip = label->mapToGlobal(QPoint(-115 + 162, label->height()));
    QCOMPARE(popup->mapToGlobal(QPoint(popup->width() / 2, 0)).x(), tip.x());

    QCOMPARE(server.requests().size(), 1);
    const HttpServer::Request& request = server.requests().first();
    QCOMPARE(request.headers.value("user-agent"), QByteArray("Tarvik UpdInfo"));
    QCOMPARE(request.headers.value("referer"), QByteArray("Vistarel - Update Wizard"));
    QCOMPARE(request.headers.value("accept"), QByteArray("*/*"));
    QCOMPARE(request.headers.value("cache-control"), QByteArray("no-cache"));

    w->applyLanguage(w->currentLanguage() == u"de" ? QStringLiteral("en") : QStringLiteral("de"));
    QCOMPARE(popup->header(), w->str(39));
    clickButton(w.get(), "RzBmpButtonUpdateCancel");
    QVERIFY(!popup->isVisible());
}

void UpdateCheckTest::noPopupWithoutANewerVersion_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::newRow("same version") << informationText(shiftedVersion(0)) << 200;
    QTest::newRow("older version") << informationText(shiftedVersion(-1)) << 200;
    QTest::newRow("garbled") << QByteArray("<html>\n<body>oops</body>\n</html>\n") << 200;
    QTest::newRow("two lines") << QByteArray("[data full]\nversion=9.999\n") << 200;
    QTest::newRow("server error") << informationText("9.999") << 500;
}

void UpdateCheckTest::noPopupWithoutANewerVersion()
{
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    HttpServer server;
    server.serve("/update.ini", {status, body});
    WindowEnvironment env;
    env.updateUrl = server.url("/update.ini");
    auto w = env.showWindow();
    QTRY_COMPARE(server.requests().size(), 1);
    QTest::qWait(300); // the answer is handled after the server has seen the request
    QVERIFY(!w->updateAssistant()->popup()->isVisible());
}

void UpdateCheckTest::download_data()
{
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("started");
    QTest::newRow("2200 bytes is too small") << 2200 << 200 << false;
    QTest::newRow("2201 bytes is an installer") << 2201 << 200 << true;
    QTest::newRow("not found") << 5000 << 404 << false;
}

void UpdateCheckTest::download()
{
    QFETCH(int, bytes);
    QFETCH(int, status);
    QFETCH(bool, started);
    HttpServer server;
    const QByteArray installer(bytes, 'v');
    server.serve("/update.ini", {200, informationText(shiftedVersion(9), "url=files/vistarel-new.deb\n")});
    server.serve("/files/vistarel-new.deb", {status, installer});
    WindowEnvironment env;
    env.updateUrl = server.url("/update.ini");
    const QString target = env.appDataDir + QStringLiteral("vistarel-new.deb");
    writeFile(target, "an older download");
    auto w = env.showWindow();
    UpdatePopup* popup = w->updateAssistant()->popup();
    QTRY_VERIFY(popup->isVisible());

    clickButton(w.get(), "RzBmpButtonUpdateDownload");
    QVERIFY(popup->isMarqueeVisible());
    QTRY_VERIFY(!popup->isVisible());
    QCOMPARE(server.requests().last().path, QByteArray("/files/vistarel-new.deb"));
    if (started) {
        QCOMPARE(env.desktop->openedUrls, QList<QUrl>{QUrl::fromLocalFile(target)});
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), installer);
        QCOMPARE(env.endRequests, 1);
        QVERIFY(env.desktop->taskDialogs.isEmpty());
    } else {
        QVERIFY(env.desktop->openedUrls.isEmpty());
        QVERIFY(!QFile::exists(target));
        QCOMPARE(env.endRequests, 0);
        QCOMPARE(env.desktop->taskDialogs.size(), 1);
        const auto& shown = env.desktop->taskDialogs.first().text;
        QCOMPARE(shown.instruction, w->str(17));
        QCOMPARE(shown.content, w->str(20));
        QCOMPARE(shown.footer, w->str(21));
    }
}

void UpdateCheckTest::downloadWithUnsavedChangesAsksFirst()
{
    HttpServer server;
    server.serve("/update.ini", {200, informationText(shiftedVersion(9), "url=/v.AppImage\n")});
    server.serve("/v.AppImage", {200, QByteArray(4096, 'a')});
    WindowEnvironment env;
    env.updateUrl = server.url("/update.ini");
    auto w = env.showWindow();
    QTRY_VERIFY(w->updateAssistant()->popup()->isVisible());
    w->markProjectChanged();
    clickButton(w.get(), "RzBmpButtonUpdateDownload");
    QTRY_COMPARE(env.desktop->openedUrls.size(), 1);
    QCOMPARE(env.endRequests, 0);
    QVERIFY(w->confirmPanel()->isVisible());
    QCOMPARE(w->pendingAction(), TProjectAction::paQuit);
}

void UpdateCheckTest::informationWithOnlyAPage()
{
    HttpServer server;
    server.serve("/update.ini", {200, informationText(shiftedVersion(9), "page=https://example.org/new\n")});
    WindowEnvironment env;
    env.updateUrl = server.url("/update.ini");
    auto w = env.showWindow();
    QTRY_VERIFY(w->updateAssistant()->popup()->isVisible());
    clickButton(w.get(), "RzBmpButtonUpdateDownload");
    QCOMPARE(env.desktop->openedUrls, QList<QUrl>{QUrl(QStringLiteral("https://example.org/new"))});
    QVERIFY(!w->updateAssistant()->popup()->isVisible());
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(env.endRequests, 0);
}

void UpdateCheckTest::addressFromTheSettings()
{
    project::Settings user;
    user.setText(project::settingname::UpdateUrl, QStringLiteral("https://example.org/u/update.ini"));
    QCOMPARE(FormMainServices::forProgram().updateUrl, QUrl(QStringLiteral("https://example.org/u/update.ini")));
    user.remove(project::settingname::UpdateUrl);
}

static const bool registered = registerTest<UpdateCheckTest>("UpdateCheckTest");

} // namespace vistarel::app::test

#include "updatecheck_test.moc"
