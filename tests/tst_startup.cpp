// The start-up units without windows: system reasons in Polish, where the settings live,
// the command line, the recent files and what the help command opens.

#include "HelpDocument.h"
#include "MissingFileReason.h"
#include "ProgramFile.h"
#include "RecentFiles.h"
#include "SettingsLocation.h"
#include "StartupArguments.h"
#include "SystemReason.h"
#include "Unprivileged.h"
#ifdef KORVEN_AVROSP
#include "StandInTool.h"
#endif

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

namespace {

void touch(const QString &path, const QByteArray &bytes = "x") {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void systemReasons_data() {
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("polish");
        QTest::newRow("missing folder") << "No such file or directory"
                                        << "nie ma takiego pliku lub folderu";
        QTest::newRow("windows path") << "The system cannot find the path specified."
                                      << "nie ma takiego folderu";
        QTest::newRow("permission") << "Permission denied"
                                    << "brak uprawnień";
        QTest::newRow("windows access") << "Access is denied."
                                        << "brak uprawnień";
        QTest::newRow("wine path") << "Path not found."
                                   << "nie ma takiego folderu";
        QTest::newRow("disk full") << "No space left on device"
                                   << "brak miejsca na dysku";
        QTest::newRow("busy") << "Device or resource busy"
                              << "urządzenie jest zajęte";
        QTest::newRow("disconnected") << "No such device"
                                      << "urządzenie zostało odłączone";
        QTest::newRow("read-only") << "Read-only file system"
                                   << "system plików tylko do odczytu";
        QTest::newRow("case and blanks") << " permission DENIED. "
                                         << "brak uprawnień";
        QTest::newRow("unknown kept") << "Stale file handle"
                                      << "Stale file handle";
        QTest::newRow("polish kept") << "Brak dostępu"
                                     << "Brak dostępu";
        QTest::newRow("empty") << ""
                               << "";
    }
    void systemReasons() {
        QFETCH(QString, reason);
        QFETCH(QString, polish);
        QCOMPARE(polishSystemReason(reason), polish);
    }

    void saveIntoMissingFolderSaysSoInPolish() {
        QTemporaryDir dir;
        const QString message = SaveProgramToFile(dir.filePath(QStringLiteral("brak/x.dat")),
                                                  {QStringLiteral("001: Koniec")}, 0, 0);
        QCOMPARE(message,
                 QStringLiteral("Nie można zapisać pliku x.dat: ") + missingFolderReason());
        const LoadedProgram loaded = LoadProgramFromFile(dir.filePath(QStringLiteral("y.dat")));
        QCOMPARE(loaded.message,
                 QStringLiteral("Nie można otworzyć pliku y.dat: ") + missingFileReason());
    }

    void settingsBesideAWritableProgram() {
        QTemporaryDir program;
        const QString dir = program.path() + QLatin1Char('/');
        QVERIFY(directoryWritable(dir));
        const SettingsLocation location = SettingsLocation::forProgramDir(dir);
        QCOMPARE(location.directory, dir);
        QVERIFY(location.besideProgram);
        // The probe leaves nothing behind.
        QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
    }

    void userFolderOnWindowsIsLocalAppData() {
#ifndef Q_OS_WIN
        QSKIP("%LOCALAPPDATA% is Windows'");
#else
        // The settings of a program in Program Files: %LOCALAPPDATA%\\KORVEN.
        const QString local = QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA"));
        QVERIFY(!local.isEmpty());
        QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                 local + QStringLiteral("/KORVEN"));
#endif
    }

    void settingsInTheUserFolderWhenTheProgramFolderIsReadOnly() {
        QTemporaryDir program, home;
        const QString dir = program.path() + QLatin1Char('/');
        touch(dir + QStringLiteral("rs232.ini"), "[ComPort1]\r\nPort=/dev/ttyUSB7\r\n");
        QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner |
                                                  QFile::ReadOther | QFile::ExeOther);
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(program.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        if (directoryWritable(dir))
            QSKIP("this account writes into read-only folders");
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
        const SettingsLocation location = SettingsLocation::forProgramDir(dir);
        QVERIFY(!location.besideProgram);
        QCOMPARE(location.directory, home.filePath(QStringLiteral("KORVEN/")));
        QVERIFY(directoryWritable(location.directory));
        // The administrator's port default beside the program is the user's start.
        QFile copied(location.directory + QStringLiteral("rs232.ini"));
        QVERIFY(copied.open(QIODevice::ReadOnly));
        QVERIFY(copied.readAll().contains("/dev/ttyUSB7"));
        QVERIFY(!QFileInfo::exists(location.directory + QStringLiteral("mi.ini")));
        // A later start keeps the user's own file.
        touch(location.directory + QStringLiteral("rs232.ini"), "[ComPort1]\r\nPort=COM9\r\n");
        SettingsLocation::forProgramDir(dir);
        copied.close();
        QVERIFY(copied.open(QIODevice::ReadOnly));
        QVERIFY(copied.readAll().contains("COM9"));
    }

#ifdef KORVEN_AVROSP
    void avrospReadsThePortWhereTheWindowKeepsIt() {
        // An installed avrosp: its folder read-only, the window's rs232.ini in the user's
        // folder. A stand-in avrdude beside it shows the command line avrosp built.
        QTemporaryDir program, home;
        const QString tool = program.filePath(QFileInfo(QStringLiteral(KORVEN_AVROSP)).fileName());
        if (!QFile::copy(QStringLiteral(KORVEN_AVROSP), tool))
            QSKIP("the build tree cannot be read by this (unprivileged) account");
        standInTool(program.path(), QStringLiteral("avrdude"), "arguments\n");
        QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner |
                                                  QFile::ReadOther | QFile::ExeOther);
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(program.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        if (directoryWritable(program.path()))
            QSKIP("this account writes into read-only folders");
        // A port that is there while avrosp watches it (a file stands in for the device).
        const QString port = home.filePath(QStringLiteral("ttyKORVEN"));
        touch(port);
        touch(home.filePath(QStringLiteral("KORVEN/rs232.ini")),
              "[ComPort1]\r\nPort=" + port.toLocal8Bit() + "\r\n");
        // avrosp checks the image before it starts the programmer, so it must be a real one.
        const QString image = home.filePath(QStringLiteral("f.hex"));
        touch(image, ":0100000000FF\r\n:00000001FF\r\n");
        QProcess avrosp;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        avrosp.setProcessEnvironment(environment);
        avrosp.start(tool,
                     {QStringLiteral("-dATmega16"), QStringLiteral("-pf"), QStringLiteral("-vf"),
                      QStringLiteral("-if") + image, QStringLiteral("-e")});
        QVERIFY(avrosp.waitForFinished(10000));
        const QByteArray output = avrosp.readAllStandardOutput().replace('\r', "");
        QVERIFY2(output.contains("arg=-P\narg=" + port.toLocal8Bit() + '\n'), output.constData());
    }
#endif

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("testMode");
        QTest::addColumn<QString>("file");
        const QString cwd = QDir::currentPath() + QLatin1Char('/');
        const QString absolute = QDir::rootPath() + QStringLiteral("x/a.dat"); // C:/ on Windows
        QTest::newRow("none") << QStringList{"korven"} << false << QString();
        QTest::newRow("test") << QStringList{"korven", "test"} << true << QString();
        QTest::newRow("file") << QStringList{"korven", "a.dat"} << false << cwd + "a.dat";
        QTest::newRow("test file") << QStringList{"korven", "test", absolute} << true << absolute;
        QTest::newRow("Test is a name") << QStringList{"korven", "Test"} << false << cwd + "Test";
        QTest::newRow("test second")
            << QStringList{"korven", absolute, "test"} << false << absolute;
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, testMode);
        QFETCH(QString, file);
        const StartupArguments parsed = StartupArguments::parse(arguments);
        QCOMPARE(parsed.testMode, testMode);
        QCOMPARE(parsed.programFile, file);
        QVERIFY(!parsed.help);
        QVERIFY(StartupArguments::parse({"korven", "--help"}).help);
        QVERIFY(StartupArguments::parse({"korven", "--version"}).version);
    }

    void recentFilesKeepTheLastEight() {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("korven.ini"));
        const QString prog = QDir::rootPath() + QStringLiteral("prog/"); // C:/ on Windows
        RecentFiles recent(ini);
        recent.load();
        QVERIFY(recent.files().isEmpty());
        for (int i = 1; i <= 10; ++i)
            recent.add(prog + QStringLiteral("p%1.dat").arg(i));
        QCOMPARE(recent.files().size(), 8);
        QCOMPARE(recent.files().first(), prog + QStringLiteral("p10.dat"));
        QCOMPARE(recent.files().last(), prog + QStringLiteral("p3.dat"));
        // The same file again moves up, once.
        recent.add(prog + QStringLiteral("./p5.dat"));
        QCOMPARE(recent.files().first(), prog + QStringLiteral("p5.dat"));
        QCOMPARE(recent.files().count(prog + QStringLiteral("p5.dat")), 1);
        QCOMPARE(recent.files().size(), 8);
        recent.add(prog + QStringLiteral("łódź ż.dat"));
        recent.remove(prog + QStringLiteral("p10.dat"));
        QVERIFY(recent.save());

        RecentFiles again(ini);
        again.load();
        QCOMPARE(again.files(), recent.files());
        QCOMPARE(again.files().first(), prog + QStringLiteral("łódź ż.dat"));
    }

    void helpOpensTheChmElseTheManual() {
        QTemporaryDir root;
        // An installed layout: <prefix>/lib/korven and <prefix>/share/korven/doc.
        const QString program = root.filePath(QStringLiteral("usr/lib/korven/"));
        QDir().mkpath(program);
        QCOMPARE(helpDocument(program), QString());
        const QString installed = root.filePath(QStringLiteral("usr/share/korven/doc/index.html"));
        touch(installed);
        QCOMPARE(helpDocument(program), installed);
        // A portable copy's manual beside the program comes before it, the chm first.
        touch(program + QStringLiteral("doc/index.html"));
        QCOMPARE(helpDocument(program), program + QStringLiteral("doc/index.html"));
        touch(program + QStringLiteral("korven.chm"));
        QCOMPARE(helpDocument(program), program + QStringLiteral("korven.chm"));
        // A build tree: build/shell and build/doc.
        const QString shell = root.filePath(QStringLiteral("build/shell/"));
        QDir().mkpath(shell);
        touch(root.filePath(QStringLiteral("build/doc/index.html")));
        QCOMPARE(helpDocument(shell), root.filePath(QStringLiteral("build/doc/index.html")));
    }
};

int main(int argc, char *argv[]) {
    dropRootPrivileges();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("KORVEN"));
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
