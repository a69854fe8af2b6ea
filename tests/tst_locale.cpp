#include "Acceleration.h"
#include "Compiler.h"
#include "DriverSelection.h"
#include "Numbers.h"
#include "SpeedEntry.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <cstdlib>
#include <cstring>

using namespace korven;

// Numbers are written and read the same way whatever the user's locale: ps_AF writes
// its decimal separator as U+066B, which broke every speed text once.
class TestLocale : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
#ifdef Q_OS_WIN
        // (Under Wine the tests run as a Polish Windows, whose comma the texts share.)
        QSKIP("a C library locale built with glibc's localedef: not on Windows");
#endif
        const QString localedef = QStandardPaths::findExecutable(QStringLiteral("localedef"));
        if (localedef.isEmpty())
            QSKIP("localedef is missing (Debian package libc-bin)");
        QVERIFY(m_dir.isValid());
        QProcess build;
        build.start(localedef,
                    {QStringLiteral("-i"), QStringLiteral("ps_AF"), QStringLiteral("-f"),
                     QStringLiteral("UTF-8"), m_dir.filePath(QStringLiteral("ps_AF.UTF-8"))});
        QVERIFY(build.waitForFinished(60000));
        if (build.exitCode() > 1) // 1 only warns
            QSKIP(qPrintable(QStringLiteral("localedef ps_AF failed (Debian package locales): ") +
                             QString::fromLocal8Bit(build.readAllStandardError())));
        qputenv("LOCPATH", QFile::encodeName(m_dir.path()));
        QVERIFY(std::setlocale(LC_ALL, "ps_AF.UTF-8"));
        const char *point = std::localeconv()->decimal_point;
        QVERIFY(std::strcmp(point, ".") != 0 && std::strcmp(point, ",") != 0);
    }
    void cleanupTestCase() { std::setlocale(LC_ALL, "C"); }

    void textsKeepTheComma() {
        QCOMPARE(formatFixed(15617.3706L, 2), QStringLiteral("15617,37"));
        QCOMPARE(formatFixed(-7.625L, 2), QStringLiteral("-7,63"));
        bool ok = false;
        QCOMPARE(parseDecimal(QStringLiteral("1234,50"), &ok), 1234.5L);
        QVERIFY(ok);
        DriverSelection selection;
        selection.applyIndexes(5, 3);
        QCOMPARE(selection.parameterText(),
                 QStringLiteral("Vmax = 1550\rGlPodz = 8,00\rPulsDiv = 5"));
    }
    void speedDialogAcceptsValues() {
        const SpeedEntry entry(false, 5, 2047, 16);
        QCOMPARE(entry.stepsRangeText(), QStringLiteral("(7,63..15617,37)"));
        const SpeedEntry::Acceptance a = entry.accept(QStringLiteral("1600"));
        QVERIFY(a.ok);
        QCOMPARE(a.steps, QStringLiteral("1600,00"));
        const SpeedEntry::Result r = entry.leaveSteps(QStringLiteral("1600"), QString());
        QCOMPARE(r.revolutions, QStringLiteral("0,50"));
    }
    void accelerationsCompile() {
        QCOMPARE(accel::listTexts(accel::AccelUnit(5)).mid(0, 2),
                 QStringList({"232,83", "465,66"}));
        const DriveSettings drive{1, 4, 5, 2047, 16};
        const CompileResult result = GenerujProgram(
            {"001: Przysp. max(465,66) pps/s^2", "002: Prędkość max(1600,00) pps", "003: Koniec"},
            drive);
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(result.image.size(), 3);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestLocale)
#include "tst_locale.moc"
