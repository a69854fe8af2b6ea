// The documentation keeps up with the programs: every command and option the tools'
// --help names is in their manual page, and the user manual's links and pictures exist.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

QString source(const QString &path) {
    return QDir(QStringLiteral(KORVEN_SOURCE_DIR)).filePath(path);
}

QString readText(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString helpOf(const QString &program) {
    QProcess process;
    process.start(program, {QStringLiteral("--help")});
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(5000);
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// "--port", "--wrong-echo-at", ... as the help names them.
QSet<QString> longOptions(const QString &text) {
    QSet<QString> options;
    static const QRegularExpression option(QStringLiteral("--[a-z][a-z0-9-]*"));
    for (const QRegularExpressionMatch &m : option.globalMatch(text))
        options.insert(m.captured());
    return options;
}

// Commands listed at the start of a help line: "  compile PLIK.dat ...".
QSet<QString> commands(const QString &text) {
    QSet<QString> names;
    static const QRegularExpression line(QStringLiteral("^  ([a-z]+) "),
                                         QRegularExpression::MultilineOption);
    for (const QRegularExpressionMatch &m : line.globalMatch(text))
        names.insert(m.captured(1));
    return names;
}

QString manPage(const QString &name) {
    // Dashes are written "\-" in troff.
    return readText(source(QStringLiteral("doc/man/%1.1").arg(name)))
        .replace(QStringLiteral("\\-"), QStringLiteral("-"));
}

} // namespace

class TestDocs : public QObject {
    Q_OBJECT
private slots:
    void manPagesCoverTheHelp_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("page");
        QTest::newRow("korven-cli") << QStringLiteral(KORVEN_CLI) << QStringLiteral("korven-cli");
        QTest::newRow("korven") << QStringLiteral(KORVEN_WINDOW) << QStringLiteral("korven");
#ifdef KORVEN_EMU
        QTest::newRow("korven-emu") << QStringLiteral(KORVEN_EMU) << QStringLiteral("korven-emu");
#endif
    }
    void manPagesCoverTheHelp() {
        QFETCH(QString, program);
        QFETCH(QString, page);
        const QString help = helpOf(program);
        QVERIFY2(!help.isEmpty(), qPrintable(program));
        const QString man = manPage(page);
        QVERIFY(man.startsWith(QStringLiteral(".TH ")));
        const QSet<QString> options = longOptions(help);
        QVERIFY(options.contains(QStringLiteral("--help")));
        for (const QString &option : options)
            QVERIFY2(man.contains(option), qPrintable(page + QLatin1Char(' ') + option));
        for (const QString &command : commands(help))
            QVERIFY2(man.contains(command), qPrintable(page + QLatin1Char(' ') + command));
    }

    void manualLinksAndPicturesExist() {
        const QString manualDir = source(QStringLiteral("doc/manual"));
        const QString html = readText(manualDir + QStringLiteral("/index.html"));
        QVERIFY(html.contains(QStringLiteral("<html lang=\"pl\"")));
        static const QRegularExpression reference(
            QStringLiteral("(?:src|href)=\"([^\"#:]+)(?:#[^\"]*)?\""));
        QSet<QString> used;
        for (const QRegularExpressionMatch &m : reference.globalMatch(html)) {
            used.insert(m.captured(1));
            QVERIFY2(QFile::exists(manualDir + QLatin1Char('/') + m.captured(1)),
                     qPrintable(m.captured(1)));
        }
        // In-page links lead to a section.
        static const QRegularExpression anchor(QStringLiteral("href=\"#([^\"]+)\""));
        for (const QRegularExpressionMatch &m : anchor.globalMatch(html))
            QVERIFY2(html.contains(QStringLiteral("id=\"%1\"").arg(m.captured(1))),
                     qPrintable(m.captured(1)));
        // Every picture the screenshot helper takes is shown.
        for (const QString &picture :
             QDir(manualDir + QStringLiteral("/img")).entryList(QDir::Files))
            QVERIFY2(used.contains(QStringLiteral("img/") + picture), qPrintable(picture));
    }
};

QTEST_GUILESS_MAIN(TestDocs)
#include "tst_docs.moc"
