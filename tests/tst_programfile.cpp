#include "ProgramFile.h"

#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

namespace {
QString writeFile(const QTemporaryDir &dir, const QByteArray &bytes) {
    return writeTestFile(dir, QStringLiteral("p.dat"), bytes);
}
QByteArray readFile(const QString &path) { return readTestFile(path); }
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
    void failedSaveKeepsThePreviousFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.dat"));
        QVERIFY(SaveProgramToFile(path, {QStringLiteral("001: Koniec")}, 0, 0).isEmpty());
        const QString message = SaveProgramToFile(dir.filePath(QStringLiteral("no/such/a.dat")),
                                                  {QStringLiteral("001: Stop")}, 0, 0);
        QVERIFY(message.startsWith(QStringLiteral("Nie można zapisać pliku")));
        QCOMPARE(readFile(path), QByteArray("1.0\r\n0\r\n0\r\n001: Koniec\r\n"));
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
        QTest::newRow("no Koniec") << QByteArray("1.0\r\n3\r\n1\r\n001: Stop\r\n") << int(S::Ok)
                                   << QStringList() << 3 << 1;
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
        QCOMPARE(p.status, LoadedProgram::Status::ReadError);
    }
};

QTEST_GUILESS_MAIN(TestProgramFile)
#include "tst_programfile.moc"
