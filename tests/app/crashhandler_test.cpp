// Crash reports: the report a fatal signal leaves behind, and the notice at the next
// start.
#include "app/crashhandler.h"
#include "app/formmain.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace vistarel::app::test {

class CrashHandlerTest : public QObject
{
    Q_OBJECT

private slots:
    void fatalSignalLeavesAReport_data();
    void fatalSignalLeavesAReport();
    void reportIsAnnouncedOnceAtTheNextStart();
};

void CrashHandlerTest::fatalSignalLeavesAReport_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("cause");
    QTest::newRow("segmentation fault") << SIGSEGV << "SIGSEGV";
    QTest::newRow("abort") << SIGABRT << "SIGABRT";
    QTest::newRow("arithmetic error") << SIGFPE << "SIGFPE";
}

void CrashHandlerTest::fatalSignalLeavesAReport()
{
    QFETCH(int, signal);
    QFETCH(QString, cause);
    QTemporaryDir dir;
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        installCrashHandler(dir.path(), QStringLiteral("7.123"));
        if (signal == SIGABRT)
            std::abort();
        ::raise(signal);
        ::_exit(0); // not reached when the handler works
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    // The process still ends by its signal, as it would without the handler.
    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(WTERMSIG(status), signal);

    QFile report(QDir(dir.path()).filePath(QString::fromLatin1(kCrashReportName)));
    QVERIFY(report.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(report.readAll());
    QVERIFY2(text.contains(QStringLiteral("Version: 7.123\n")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Cause: ") + cause), qPrintable(text));
    const qsizetype trace = text.indexOf(QStringLiteral("Backtrace:\n"));
    QVERIFY(trace > 0);
    const QStringList frames = text.mid(trace).split(u'\n', Qt::SkipEmptyParts).mid(1);
    QVERIFY2(frames.size() >= 2, qPrintable(text));
    QVERIFY(crashCauseOf(report.fileName()).startsWith(cause));
}

void CrashHandlerTest::reportIsAnnouncedOnceAtTheNextStart()
{
    WindowEnvironment env;
    const QString report = env.appDataDir + QString::fromLatin1(kCrashReportName);
    writeFile(report, "Vistarel crash report\nVersion: 1.001\nCause: SIGSEGV (segmentation fault) at 0x0\n\nBacktrace:\n");
    {
        auto w = env.showWindow();
        QTRY_COMPARE(env.desktop->crashNotices.size(), 1);
        const CrashNotice& notice = env.desktop->crashNotices.first();
        QVERIFY(!QFile::exists(report));
        QVERIFY(QFile::exists(notice.reportPath));
        QVERIFY(QFileInfo(notice.reportPath).fileName().startsWith(QStringLiteral("crash-report-")));
        QCOMPARE(notice.title, w->str(1));
        QVERIFY(notice.text.startsWith(w->str(2)));
        QVERIFY(notice.text.contains(w->str(8) + QStringLiteral(" SIGSEGV (segmentation fault) at 0x0")));
        QVERIFY(notice.text.contains(w->str(3) + u'\n' + QDir::toNativeSeparators(notice.reportPath)));
        QVERIFY(notice.text.contains(w->str(9)));
        QCOMPARE(notice.showReport, w->str(5));
        QCOMPARE(notice.openFolder, w->str(6));
        QCOMPARE(notice.close, w->str(7));
    }
    auto w = env.showWindow();
    QTest::qWait(50);
    QCOMPARE(env.desktop->crashNotices.size(), 1);
}

static const bool registered = registerTest<CrashHandlerTest>("CrashHandlerTest");

} // namespace vistarel::app::test

#include "crashhandler_test.moc"
