// The Debian package, built from this build tree with CPack: its contents, its
// dependencies, and the programs started from a scratch root it was unpacked into.

#include "HelpDocument.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int code = -1;
    QString out;
    QString err;
};

Run run(const QString &program, const QStringList &arguments, int timeoutMs = 30000) {
    QProcess process;
    process.start(program, arguments);
    Run r;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        r.err = QStringLiteral("time-out or failed start: ") + process.errorString();
        return r;
    }
    r.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

} // namespace

class TestPackage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        // Bounded: a package of stripped binaries takes some seconds.
        const Run r =
            run(QStringLiteral("cpack"),
                {QStringLiteral("--config"), QStringLiteral(KORVEN_BUILD_DIR "/CPackConfig.cmake"),
                 QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), m_dir.path()},
                240000);
        QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
        const QStringList debs = QDir(m_dir.path()).entryList({QStringLiteral("*.deb")});
        QCOMPARE(debs.size(), 1);
        m_deb = QDir(m_dir.path()).filePath(debs.first());
        m_root = QDir(m_dir.path()).filePath(QStringLiteral("root"));
        const Run x = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), m_deb, m_root});
        QVERIFY2(x.code == 0, qPrintable(x.err));
    }

    void contents() {
        const Run r = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), m_deb});
        QCOMPARE(r.code, 0);
        const QStringList expected = {
            "./usr/bin/korven -> ../lib/korven/korven",
            "./usr/bin/korven-cli -> ../lib/korven/korven-cli",
            "./usr/bin/korven-emu -> ../lib/korven/korven-emu",
            "./usr/bin/korven-avrosp -> ../lib/korven/avrosp",
            "./usr/lib/korven/korven",
            "./usr/lib/korven/korven-cli",
            "./usr/lib/korven/korven-emu",
            "./usr/lib/korven/avrosp",
            "./usr/share/applications/pl.korven.Korven.desktop",
            "./usr/share/metainfo/pl.korven.Korven.metainfo.xml",
            "./usr/share/mime/packages/korven.xml",
            "./usr/share/korven/doc/index.html",
            "./usr/share/korven/doc/img/okno.png",
            "./usr/share/man/man1/korven.1.gz",
            "./usr/share/man/man1/korven-cli.1.gz",
            "./usr/share/man/man1/korven-emu.1.gz",
        };
        for (const QString &entry : expected)
            QVERIFY2(r.out.contains(QLatin1Char(' ') + entry + QLatin1Char('\n')),
                     qPrintable(entry));
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QString icon =
                QStringLiteral("./usr/share/icons/hicolor/%1x%1/apps/korven.png").arg(size);
            QVERIFY2(r.out.contains(icon), qPrintable(icon));
        }
        // Nothing of the build or the tests.
        QVERIFY(!r.out.contains(QLatin1String("tst_")));
        QVERIFY(!r.out.contains(QLatin1String("screenshots")));
    }

    void dependencies() {
        const Run depends = run(QStringLiteral("dpkg-deb"),
                                {QStringLiteral("-f"), m_deb, QStringLiteral("Depends")});
        QCOMPARE(depends.code, 0);
        for (const char *package : {"qt6-translations-l10n", "libqt6widgets6", "libqt6serialport6",
                                    "libqt6printsupport6"})
            QVERIFY2(depends.out.contains(QLatin1String(package)), package);
        const Run recommends = run(QStringLiteral("dpkg-deb"),
                                   {QStringLiteral("-f"), m_deb, QStringLiteral("Recommends")});
        QVERIFY(recommends.out.contains(QLatin1String("avrdude")));
    }

    void programsStartFromTheUnpackedRoot() {
        const QString bin = QDir(m_root).filePath(QStringLiteral("usr/bin/"));
        const Run cli = run(bin + QStringLiteral("korven-cli"), {QStringLiteral("--help")});
        QCOMPARE(cli.code, 0);
        QVERIFY(cli.out.startsWith(QStringLiteral("Użycie: korven-cli")));
        const Run emu = run(bin + QStringLiteral("korven-emu"), {QStringLiteral("--help")});
        QCOMPARE(emu.code, 0);
        QVERIFY(emu.out.contains(QLatin1String("--silent")));
        const Run window = run(bin + QStringLiteral("korven"), {QStringLiteral("--version")});
        QCOMPARE(window.code, 0);
        QVERIFY(window.out.startsWith(QLatin1String("korven 1.")));
        QVERIFY(QFileInfo(bin + QStringLiteral("korven-avrosp")).isExecutable());

        // The window comes up (splash, then the main window waiting on its port message)
        // and is still running a few seconds later; then it is ended.
        QProcess gui;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           m_dir.filePath(QStringLiteral("config")));
        gui.setProcessEnvironment(environment);
        gui.start(bin + QStringLiteral("korven"), QStringList());
        QVERIFY(gui.waitForStarted(10000));
        QVERIFY2(!gui.waitForFinished(4000), gui.readAllStandardError().constData());
        gui.kill();
        gui.waitForFinished(5000);
    }

    void windowFindsItsFilesInTheInstalledLayout() {
        // The program folder holds avrosp (the firmware update runs it from there), and
        // the help command reaches the installed manual from it.
        const QString programDir = QDir(m_root).filePath(QStringLiteral("usr/lib/korven/"));
        QVERIFY(QFileInfo(programDir + QStringLiteral("avrosp")).isExecutable());
        QVERIFY(QFileInfo(programDir + QStringLiteral("korven-emu")).isExecutable());
        QCOMPARE(korven::helpDocument(programDir),
                 QDir(m_root).filePath(QStringLiteral("usr/share/korven/doc/index.html")));
    }

    void metadataIsValid() {
        const QString share = QDir(m_root).filePath(QStringLiteral("usr/share/"));
        const QList<QStringList> validators = {
            {QStringLiteral("desktop-file-validate"),
             share + QStringLiteral("applications/pl.korven.Korven.desktop")},
            {QStringLiteral("appstreamcli"), QStringLiteral("validate"), QStringLiteral("--no-net"),
             share + QStringLiteral("metainfo/pl.korven.Korven.metainfo.xml")},
        };
        for (QStringList command : validators) {
            const QString tool = command.takeFirst();
            if (QStandardPaths::findExecutable(tool).isEmpty()) {
                qWarning("%s is not installed; not checked", qPrintable(tool));
                continue;
            }
            const Run r = run(tool, command);
            QVERIFY2(r.code == 0, qPrintable(tool + QLatin1Char(' ') + r.out + r.err));
        }
    }

private:
    QTemporaryDir m_dir;
    QString m_deb;
    QString m_root;
};

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
