#include "Cp1250.h"
#include "ExecutableVersion.h"
#include "Numbers.h"
#include "ProfileFile.h"
#include "VersionText.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

class TestCommon : public QObject {
    Q_OBJECT
private slots:
    void cp1250RoundTripsEveryByte() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        bool ok = false;
        QCOMPARE(encodeCp1250(decodeCp1250(all), &ok), all);
        QVERIFY(ok);
    }
    void cp1250PolishLetters() {
        const QString text = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
        const QByteArray bytes = encodeCp1250(text);
        QCOMPARE(
            bytes,
            QByteArray("\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF"));
        QCOMPARE(decodeCp1250(bytes), text);
        bool ok = true;
        QCOMPARE(encodeCp1250(QStringLiteral("a€b☃"), &ok), QByteArray("a\x80"
                                                                       "b?"));
        QVERIFY(!ok);
    }
    void formatFixedUsesCommaWithoutGrouping() {
        QCOMPARE(formatFixed(15617.3706L, 2), QStringLiteral("15617,37"));
        QCOMPARE(formatFixed(7.62939453125L, 2), QStringLiteral("7,63"));
        QCOMPARE(formatFixed(-500, 2), QStringLiteral("-500,00"));
        QCOMPARE(formatFixed(-0.001L, 2), QStringLiteral("0,00"));
        QCOMPARE(formatFixed(122010707.36L, 2), QStringLiteral("122010707,36"));
        QCOMPARE(formatFixed(16, 2), QStringLiteral("16,00"));
    }
    void formatFixedRoundsHalfAwayFromZero() {
        QCOMPARE(formatFixed(7.625L, 2), QStringLiteral("7,63"));
        QCOMPARE(formatFixed(-7.625L, 2), QStringLiteral("-7,63"));
        QCOMPARE(formatFixed(0.125L, 2), QStringLiteral("0,13"));
        QCOMPARE(formatFixed(1907348.625L, 2), QStringLiteral("1907348,63"));
        QCOMPARE(formatFixed(0.005L, 2), QStringLiteral("0,01"));
        QCOMPARE(formatFixed(9.995L, 2), QStringLiteral("10,00"));
        QCOMPARE(formatFixed(999.9951L, 2), QStringLiteral("1000,00"));
        QCOMPARE(formatFixed(0.0049L, 2), QStringLiteral("0,00"));
        QCOMPARE(formatFixed(0.05L, 1), QStringLiteral("0,1"));
        QCOMPARE(formatFixed(2.5L, 0), QStringLiteral("3"));
        QCOMPARE(formatFixed(-1e-30L, 2), QStringLiteral("0,00"));
        QCOMPARE(formatFixed(1e20L, 2), QStringLiteral("100000000000000000000,00"));
        QCOMPARE(formatFixed(1.5e-7L, 7), QStringLiteral("0,0000002"));
    }
    void typedTwoDecimalTextsSurviveFormatting() {
        // What a user types with two decimals is shown back unchanged.
        for (int cents = -200000; cents <= 2000000; cents += 37) {
            const QString text = QStringLiteral("%1%2,%3")
                                     .arg(cents < 0 ? "-" : "")
                                     .arg(qAbs(cents) / 100)
                                     .arg(qAbs(cents) % 100, 2, 10, QLatin1Char('0'));
            bool ok = false;
            const Real v = parseDecimal(text, &ok);
            QVERIFY(ok);
            QCOMPARE(formatFixed(v, 2), cents == 0 ? QStringLiteral("0,00") : text);
        }
    }
    void parseDecimalAcceptsCommaOrPoint() {
        bool ok = false;
        QCOMPARE(parseDecimal(QStringLiteral("1600,00"), &ok), 1600.0L);
        QVERIFY(ok);
        QCOMPARE(parseDecimal(QStringLiteral(" -7.63 "), &ok), -7.63L);
        QVERIFY(ok);
        QCOMPARE(parseDecimal(QStringLiteral("5"), &ok), 5.0L);
        QVERIFY(ok);
        for (const char *bad : {"", "-", ",", "1,2,3", "1 000,00", "abc", "1e5", "12a", "1.2.3"}) {
            parseDecimal(QString::fromLatin1(bad), &ok);
            QVERIFY2(!ok, bad);
        }
    }
    void parseIntegerIsStrict() {
        bool ok = false;
        QCOMPARE(parseInteger(QStringLiteral("-8388607"), &ok), Q_INT64_C(-8388607));
        QVERIFY(ok);
        QCOMPARE(parseInteger(QStringLiteral(" 250 "), &ok), Q_INT64_C(250));
        QVERIFY(ok);
        for (const char *bad : {"", "+", "1.5", "0x10", "99999999999999999999999", "1,0"}) {
            parseInteger(QString::fromLatin1(bad), &ok);
            QVERIFY2(!ok, bad);
        }
    }
    void roundingTiesToEven() {
        QCOMPARE(roundHalfEven(2.5L), 2.0L);
        QCOMPARE(roundHalfEven(3.5L), 4.0L);
        QCOMPARE(roundHalfEven(-2.5L), -2.0L);
        QCOMPARE(roundHalfEven(209.7152L), 210.0L);
    }
    void profileFileReadsLikeWindows() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("; comment\r\n[Other]\r\nKey=keep me\r\nNum = -3 \r\n\r\n[opcje]\r\n sterownik = "
                "12abc\r\n"
                "GlPodzialu=x\r\nQuoted=\"a b\"\r\n");
        f.close();
        ProfileFile ini;
        QVERIFY(ini.load(path));
        QCOMPARE(ini.intValue(QStringLiteral("Opcje"), QStringLiteral("Sterownik"), 7), 12);
        QCOMPARE(ini.intValue(QStringLiteral("Opcje"), QStringLiteral("GlPodzialu"), 7), 0);
        QCOMPARE(ini.intValue(QStringLiteral("Opcje"), QStringLiteral("Missing"), 7), 7);
        // The settings of the driver take only whole integers.
        QCOMPARE(ini.wholeIntValue(QStringLiteral("Opcje"), QStringLiteral("Sterownik"), 7), 0);
        QCOMPARE(ini.wholeIntValue(QStringLiteral("Opcje"), QStringLiteral("GlPodzialu"), 7), 0);
        QCOMPARE(ini.wholeIntValue(QStringLiteral("Opcje"), QStringLiteral("Missing"), 7), 7);
        QCOMPARE(ini.wholeIntValue(QStringLiteral("Other"), QStringLiteral("Num"), 7), -3);
        QCOMPARE(ini.value(QStringLiteral("OPCJE"), QStringLiteral("quoted"), {}),
                 QStringLiteral("a b"));
        QCOMPARE(ini.value(QStringLiteral("Nope"), QStringLiteral("Key"), QStringLiteral("d")),
                 QStringLiteral("d"));
    }
    void profileFileWritesInPlaceAndKeepsTheRest() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("; comment\r\n[Opcje]\r\nSterownik=3\r\n\r\n[Other]\r\nKey=keep me\r\n");
        f.close();
        ProfileFile ini;
        QVERIFY(ini.load(path));
        ini.setValue(QStringLiteral("opcje"), QStringLiteral("STEROWNIK"), QStringLiteral("5"));
        ini.setValue(QStringLiteral("Opcje"), QStringLiteral("GlPodzialu"), QStringLiteral("2"));
        ini.setValue(QStringLiteral("New"), QStringLiteral("A"), QStringLiteral("b"));
        QVERIFY(ini.save(path));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(),
                 QByteArray("; comment\r\n[Opcje]\r\nSTEROWNIK=5\r\nGlPodzialu=2\r\n\r\n"
                            "[Other]\r\nKey=keep me\r\n[New]\r\nA=b\r\n"));
    }
    void missingProfileFileReadsEmpty() {
        ProfileFile ini;
        QVERIFY(ini.load(QStringLiteral("/nonexistent/dir/mi.ini")));
        QCOMPARE(ini.intValue(QStringLiteral("Opcje"), QStringLiteral("Sterownik"), 0), 0);
        QVERIFY(!ini.save(QStringLiteral("/nonexistent/dir/mi.ini")));
    }
    void versionTextForm() {
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+  \\[Build: \\d+\\]$"))
                    .match(GetVersionText())
                    .hasMatch());
        QCOMPARE(versionText(FileVersion{1, 0, 1, 0}), QStringLiteral("1.0.1  [Build: 0]"));
        QCOMPARE(versionText(std::nullopt), QString()); // no version resource
    }
    void versionFromTheExecutablesResource() {
#ifndef Q_OS_WIN
        QVERIFY(!fileVersionResource(QCoreApplication::applicationFilePath()));
        QSKIP("version resources are Windows'");
#else
        // Every program of the build has one, this test too; the text is read from it.
        const std::optional<FileVersion> own =
            fileVersionResource(QCoreApplication::applicationFilePath());
        QVERIFY(own);
        QCOMPARE(versionText(own), GetVersionText());
        QTemporaryDir dir;
        QFile plain(dir.filePath(QStringLiteral("plain.exe")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("MZ not a program");
        plain.close();
        QVERIFY(!fileVersionResource(plain.fileName()));
#endif
    }
};

QTEST_GUILESS_MAIN(TestCommon)
#include "tst_common.moc"
