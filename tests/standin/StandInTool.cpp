// A stand-in for the external tools the program runs (avrosp, avrdude): it does what the
// script beside it says, so that the tests of the tool runner, the firmware update and
// avrosp need no shell and run on Windows alike. The script is the file named like the
// program with ".script" in place of its extension ("avrosp.exe" reads "avrosp.script"),
// one command a line:
//   out TEXT            writes TEXT to stdout, with \n \r \0 \\ and \xHH as in C
//   arguments           writes "arg=ARGUMENT\n" for each argument
//   arguments-to FILE   writes the arguments joined by blanks, and a line end, into FILE
//                       (a name beside the script)
//   fill N C            writes the character C N times
//   sleep MS            waits MS milliseconds
//   exit CODE           ends with that exit code (the end of the script ends with 0)

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace {

QByteArray unescaped(const QByteArray &text) {
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            bytes += text[i];
            continue;
        }
        const char code = text[++i];
        if (code == 'n')
            bytes += '\n';
        else if (code == 'r')
            bytes += '\r';
        else if (code == '0')
            bytes += '\0';
        else if (code == 'x' && i + 2 < text.size()) {
            bytes += char(text.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else
            bytes += code;
    }
    return bytes;
}

void write(const QByteArray &bytes) {
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY); // the bytes exactly as the script says
#endif
    const QFileInfo self(QCoreApplication::applicationFilePath());
    const QDir dir = self.absoluteDir();
    QFile script(dir.filePath(self.completeBaseName() + QStringLiteral(".script")));
    if (!script.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "stand-in: no script %s\n", qPrintable(script.fileName()));
        return 99;
    }
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    for (QByteArray line : script.readAll().split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const qsizetype blank = line.indexOf(' ');
        const QByteArray command = blank < 0 ? line : line.left(blank);
        const QByteArray rest = blank < 0 ? QByteArray() : line.mid(blank + 1);
        if (command == "out") {
            write(unescaped(rest));
        } else if (command == "arguments") {
            for (const QString &argument : arguments)
                write("arg=" + argument.toLocal8Bit() + '\n');
        } else if (command == "arguments-to") {
            QFile file(dir.filePath(QString::fromLocal8Bit(rest.trimmed())));
            if (file.open(QIODevice::WriteOnly))
                file.write(arguments.join(QLatin1Char(' ')).toLocal8Bit() + '\n');
        } else if (command == "fill") {
            const QList<QByteArray> fields = rest.split(' ');
            const QByteArray character = fields.value(1, "x");
            write(
                QByteArray(fields.value(0).toLongLong(), character.isEmpty() ? 'x' : character[0]));
        } else if (command == "sleep") {
            QThread::msleep(rest.trimmed().toULong());
        } else if (command == "exit") {
            return rest.trimmed().toInt();
        }
    }
    return 0;
}
