#include "ProgramFile.h"

#include "Cp1250.h"
#include "NonCommandLines.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace korven;

namespace {
QString writeFile(const QTemporaryDir &dir, const QByteArray &bytes) {
    return writeTestFile(dir, QStringLiteral("p.dat"), bytes);
}
QByteArray readFile(const QString &path) { return readTestFile(path); }
QString failingFlush(QFileDevice &) { return QStringLiteral("No space left on device"); }
} // namespace

class TestProgramFile : public QObject {
    Q_OBJECT
private slots:
    void savesTheExactBytes() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.dat"));
        QVERIFY(SaveProgramToFile(path, {QStringLiteral("001: Koniec")}, 0, 0).isEmpty());
        QCOMPARE(readFile(path), QByteArray("1.0\r\n0\r\n0\r\n001: Koniec\r\n"));
        QVERIFY(SaveProgramToFile(
                    path,
                    {QStringLiteral("001: Prędkość min(7,63) pps"), QStringLiteral("002: Koniec")},
                    7, 3)
                    .isEmpty());
        QCOMPARE(readFile(path), QByteArray("1.0\r\n7\r\n3\r\n001: Pr\xEA"
                                            "dko\x9C\xE6 min(7,63) pps\r\n002: Koniec\r\n"));
    }
    void roundTrip() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.dat"));
        const QStringList lines = {QStringLiteral("001: Ustaw wyjście(7)(0)"),
                                   QStringLiteral("002: Wyjścia(1,0,0,0,0,0,0,1)"),
                                   QStringLiteral("003: Koniec")};
        QVERIFY(SaveProgramToFile(path, lines, 8, 5).isEmpty());
        const LoadedProgram p = LoadProgramFromFile(path);
        QCOMPARE(p.status, LoadedProgram::Status::Ok);
        QCOMPARE(p.lines, lines);
        QCOMPARE(p.modelIndex, std::optional<int>(8));
        QCOMPARE(p.depthIndex, std::optional<int>(5));
    }
    void commentsAreSavedAndOpenedWithTheirLines() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.dat"));
        const QStringList lines = {QStringLiteral("001: Czekaj[ms](300)  # chwytak się zamyka"),
                                   QStringLiteral("002: Koniec  # i od nowa")};
        QVERIFY(SaveProgramToFile(path, lines, 1, 4).isEmpty());
        QCOMPARE(readFile(path), QByteArray("1.0\r\n1\r\n4\r\n001: Czekaj[ms](300)  # chwytak "
                                            "si\xEA zamyka\r\n002: Koniec  # i od nowa\r\n"));
        const LoadedProgram p = LoadProgramFromFile(path);
        QCOMPARE(p.lines, lines);
        QCOMPARE(p.firstNonCommand, -1);
    }
    void failedSaveKeepsThePreviousFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.dat"));
        QVERIFY(SaveProgramToFile(path, {QStringLiteral("001: Koniec")}, 0, 0).isEmpty());
        const QString message = SaveProgramToFile(dir.filePath(QStringLiteral("no/such/a.dat")),
                                                  {QStringLiteral("001: Stop")}, 0, 0);
        QVERIFY(message.startsWith(QStringLiteral("Nie można zapisać pliku")));
        QCOMPARE(readFile(path), QByteArray("1.0\r\n0\r\n0\r\n001: Koniec\r\n"));
    }
    void failedFlushKeepsThePreviousFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.dat"));
        QVERIFY(SaveProgramToFile(path, {QStringLiteral("001: Koniec")}, 0, 0).isEmpty());
        const QString message = SaveProgramToFile(
            path, {QStringLiteral("001: Stop"), QStringLiteral("002: Koniec")}, 1, 4, failingFlush);
        QCOMPARE(message, QStringLiteral("Nie można zapisać pliku a.dat: brak miejsca na dysku. "
                                         "Poprzednia wersja pliku została zachowana."));
        QCOMPARE(readFile(path), QByteArray("1.0\r\n0\r\n0\r\n001: Koniec\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.dat"});
        // A new file is not left behind half-written either.
        QVERIFY(!SaveProgramToFile(dir.filePath(QStringLiteral("b.dat")), {}, 0, 0, failingFlush)
                     .isEmpty());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("b.dat"))));
    }
    void charactersWithoutWindows1250AreNotSaved() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.dat"));
        QVERIFY(SaveProgramToFile(path, {QStringLiteral("001: Koniec")}, 0, 0).isEmpty());
        const QString message = SaveProgramToFile(
            path, {QStringLiteral("001: Stop"), QStringLiteral("002: Stop ☃"), "003: Koniec"}, 0,
            0);
        QVERIFY(message.contains(QStringLiteral("linia 2")));
        QCOMPARE(readFile(path), QByteArray("1.0\r\n0\r\n0\r\n001: Koniec\r\n"));
    }
    void utf8FilesReadAsUtf8() {
        QTemporaryDir dir;
        const QString text = QStringLiteral("1.0\r\n1\r\n4\r\n001: Prędkość min(7,63) pps\r\n"
                                            "002: Skocz jeśli wejście(1)(2)(1)\r\n003: Koniec\r\n");
        const QStringList lines = {"001: Prędkość min(7,63) pps",
                                   "002: Skocz jeśli wejście(1)(2)(1)", "003: Koniec"};
        for (const QByteArray &bytes :
             {text.toUtf8(), QByteArray("\xEF\xBB\xBF") + text.toUtf8(), encodeCp1250(text)}) {
            const LoadedProgram p = LoadProgramFromFile(writeFile(dir, bytes));
            QCOMPARE(p.status, LoadedProgram::Status::Ok);
            QCOMPARE(p.lines, lines);
            QCOMPARE(p.firstNonCommand, -1);
        }
        // Saving writes Windows-1250 again.
        const QString path = dir.filePath(QStringLiteral("w.dat"));
        QVERIFY(SaveProgramToFile(path, lines, 1, 4).isEmpty());
        QCOMPARE(readFile(path), encodeCp1250(text));
        // Windows-1250 bytes that are no UTF-8 stay Windows-1250.
        QCOMPARE(decodeProgramBytes("\xB9\xE6\xEA"), QStringLiteral("ąćę"));
    }
    void notRegularFilesAreRefusedAtOnce() {
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("x.dat"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const LoadedProgram p = LoadProgramFromFile(fifo); // would block for ever on a read
        QCOMPARE(p.status, LoadedProgram::Status::NotAFile);
        QVERIFY(p.message.contains(QStringLiteral("„x.dat” nie jest zwykłym plikiem")));
        QVERIFY(SaveProgramToFile(fifo, {QStringLiteral("001: Koniec")}, 0, 0)
                    .contains(QStringLiteral("nie jest zwykłym plikiem")));
        QVERIFY(!QFileInfo(fifo).isFile()); // still the pipe
        const LoadedProgram device = LoadProgramFromFile(QStringLiteral("/dev/zero"));
        QCOMPARE(device.status, LoadedProgram::Status::NotAFile);
#else
        QSKIP("named pipes are a POSIX test");
#endif
    }
    void damagedFilesAreReported() {
        LoadedProgram p = parseProgramBytes(
            "1.0\r\n1\r\n4\r\n001: Stop\r\n002: Prdko min(1,00)\r\n003: Koniec\r\n004: Stop\r\n"
            "\r\n005: Hamuj\r\n  \r\nabc\r\n");
        QCOMPARE(p.lines, QStringList({"001: Stop", "002: Prdko min(1,00)", "003: Koniec"}));
        QCOMPARE(p.droppedAfterEnd, 3);
        QCOMPARE(p.firstNonCommand, 1);
        QCOMPARE(loadNotices(p),
                 QStringList({"Pominięto 3 linie po ostatnim poleceniu „Koniec”. Zapisanie "
                              "programu w tym samym pliku usunie je z niego.",
                              "Linia 2 nie jest poleceniem: „002: Prdko min(1,00)”. Takiej linii "
                              "nie da się wykonać: „Programuj” i „Weryfikuj” odmówią, dopóki "
                              "jest w programie."}));
        p = parseProgramBytes("1.0\r\n1\r\n4\r\n001: Stop\r\n");
        QCOMPARE(loadNotices(p), QStringList{"W pliku brakowało polecenia „Koniec”; zostało "
                                             "dodane na końcu programu."});
        // Blank lines after the end are no news.
        QVERIFY(
            loadNotices(parseProgramBytes("1.0\r\n1\r\n4\r\n001: Koniec\r\n\r\n \r\n")).isEmpty());
        QVERIFY(loadNotices(parseProgramBytes("1.0\r\n1\r\n4\r\n001: Koniec\r\nx\r\n"))
                    .value(0)
                    .startsWith(QStringLiteral("Pominięto 1 linię ")));
        QByteArray many("1.0\r\n1\r\n4\r\n001: Koniec\r\n");
        for (int i = 0; i < 12; ++i)
            many += "x\r\n";
        QVERIFY(loadNotices(parseProgramBytes(many))
                    .value(0)
                    .startsWith(QStringLiteral("Pominięto 12 linii ")));
    }
    void nonCommandLines() {
        const QStringList lines = {"001: Stop", "", "003: Czekaj [ms](5)", "004: Koniec"};
        QCOMPARE(firstNonCommandLine(lines), 1);
        QCOMPARE(firstNonCommandLine(lines.mid(2)), 0);
        QCOMPARE(firstNonCommandLine({"001: Stop", "002: Koniec"}), -1);
        QCOMPARE(programRefusal(lines),
                 QStringLiteral("Program nie został wysłany: linia 2 nie jest poleceniem: „”"));
        QCOMPARE(verifyRefusal(lines.mid(2)),
                 QStringLiteral("Weryfikacja niemożliwa: linia 1 nie jest poleceniem: „003: "
                                "Czekaj [ms](5)”"));
        QVERIFY(programRefusal({"001: Koniec"}).isEmpty());
        QCOMPARE(nonCommandText({QString(100, QLatin1Char('x'))}, 0),
                 QStringLiteral("Linia 1 nie jest poleceniem: „%1…”").arg(QString(60, 'x')));
    }
    void loading_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("model"); // -1: absent
        QTest::addColumn<int>("depth");
        using S = LoadedProgram::Status;
        QTest::newRow("wrong version") << QByteArray("2.0\r\n0\r\n0\r\n001: Koniec\r\n")
                                       << int(S::WrongVersion) << QStringList() << -1 << -1;
        QTest::newRow("empty file")
            << QByteArray() << int(S::WrongVersion) << QStringList() << -1 << -1;
        QTest::newRow("1.0x passes") << QByteArray("1.0x\n1\n2\n001: Koniec") << int(S::Ok)
                                     << QStringList{"001: Koniec"} << 1 << 2;
        QTest::newRow("no final break")
            << QByteArray("1.0\r\n0\r\n0\r\n001: A\r\n004: Koniec") << int(S::Ok)
            << QStringList{"001: A", "004: Koniec"} << 0 << 0;
        QTest::newRow("CR LF CRLF mix")
            << QByteArray("1.0\r0\n1\r\n001: A\r\r\n002: Koniec\n") << int(S::Ok)
            << QStringList{"001: A", "", "002: Koniec"} << 0 << 1;
        QTest::newRow("trailing lines dropped")
            << QByteArray("1.0\r\n0\r\n0\r\n001: Koniec\r\n002: Stop\r\n\r\n\r\n") << int(S::Ok)
            << QStringList{"001: Koniec"} << 0 << 0;
        QTest::newRow("header only")
            << QByteArray("1.0\r\n3\r\n1\r\n") << int(S::Ok) << QStringList() << 3 << 1;
        QTest::newRow("no Koniec: one is added")
            << QByteArray("1.0\r\n3\r\n1\r\n001: Stop\r\n002: Hamuj\r\n\r\n") << int(S::Ok)
            << QStringList{"001: Stop", "002: Hamuj", "003: Koniec"} << 3 << 1;
        QTest::newRow("no Koniec, only blank lines")
            << QByteArray("1.0\r\n3\r\n1\r\n\r\n \r\n") << int(S::Ok) << QStringList() << 3 << 1;
        QTest::newRow("bad index lines") << QByteArray("1.0\r\nabc\r\n2.5\r\n001: Koniec\r\n")
                                         << int(S::Ok) << QStringList{"001: Koniec"} << -1 << -1;
        QTest::newRow("version only")
            << QByteArray("1.0") << int(S::Ok) << QStringList() << -1 << -1;
        QTest::newRow("unassigned bytes survive")
            << QByteArray("1.0\r\n0\r\n0\r\n001: \x81\x98(\r\n002: Koniec\r\n") << int(S::Ok)
            << QStringList{QStringLiteral("001: \u0081\u0098("), "002: Koniec"} << 0 << 0;
    }
    void loading() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, status);
        QFETCH(QStringList, lines);
        QFETCH(int, model);
        QFETCH(int, depth);
        QTemporaryDir dir;
        const LoadedProgram p = LoadProgramFromFile(writeFile(dir, bytes));
        QCOMPARE(int(p.status), status);
        if (p.status != LoadedProgram::Status::Ok) {
            QCOMPARE(p.message, QStringLiteral("Niepoprawna wersja pliku !"));
            return;
        }
        QCOMPARE(p.lines, lines);
        QCOMPARE(p.modelIndex.value_or(-1), model);
        QCOMPARE(p.depthIndex.value_or(-1), depth);
    }
    void refusesMissingAndHugeFiles() {
        QTemporaryDir dir;
        LoadedProgram p = LoadProgramFromFile(dir.filePath(QStringLiteral("missing.dat")));
        QCOMPARE(p.status, LoadedProgram::Status::ReadError);
        QVERIFY(p.message.contains(QStringLiteral("missing.dat")));
        QByteArray big("1.0\r\n0\r\n0\r\n");
        big += QByteArray(kMaxProgramFileSize, 'x');
        p = LoadProgramFromFile(writeFile(dir, big));
        QCOMPARE(p.status, LoadedProgram::Status::TooLarge);
        p = LoadProgramFromFile(dir.path()); // a directory
        QCOMPARE(p.status, LoadedProgram::Status::NotAFile);
    }
};

QTEST_GUILESS_MAIN(TestProgramFile)
#include "tst_programfile.moc"
