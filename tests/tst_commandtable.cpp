// The command table as every stage reads it: names, orders, encoding lengths, opcodes.

#include "CommandTable.h"
#include "Compiler.h"
#include "EchoTransfer.h"
#include "ProgramLine.h"

#include <QSet>
#include <QTest>

using namespace korven;

namespace {

const DriveSettings kDrive{1, 4, 5, 2047, 16};

// A field value each kind accepts within its add range.
QString sampleField(const ParameterField &field) {
    switch (field.kind) {
    case FieldKind::Speed: return QStringLiteral("100,00");
    case FieldKind::SignedSpeed: return QStringLiteral("-100,00");
    case FieldKind::Acceleration: return QStringLiteral("232,83");
    case FieldKind::Text: return QStringLiteral("High");
    case FieldKind::OutputList: return QStringLiteral("1,0,0,0,0,0,0,1");
    case FieldKind::LineNumber: return QStringLiteral("1");
    case FieldKind::Integer: return QString::number(field.add.min.resolve(2));
    }
    return {};
}

} // namespace

class TestCommandTable : public QObject {
    Q_OBJECT
private slots:
    void rowsAndOrders() {
        QCOMPARE(commandTable().size(), kCommandCount);
        QSet<QString> names, buttons;
        for (int i = 0; i < kCommandCount; ++i) {
            const CommandRow &row = commandTable()[i];
            QCOMPARE(int(row.command), i);
            names.insert(row.name);
            buttons.insert(row.buttonName);
            QVERIFY(row.buttonName.startsWith(QLatin1String("bbtn")));
        }
        QCOMPARE(names.size(), kCommandCount);
        QCOMPARE(buttons.size(), kCommandCount);
        QCOMPARE(compileOrder().size(), kCommandCount);
        QCOMPARE(QSet<Command>(compileOrder().begin(), compileOrder().end()).size(), kCommandCount);
        // Commands without parameters open no dialog.
        QCOMPARE(editOrder().size(), 15);
        for (const Command c : editOrder())
            QVERIFY(commandRow(c).flow != DialogFlow::None);
        QCOMPARE(compileOrder().first(), Command::Vmin);
        QCOMPARE(compileOrder().last(), Command::End);
        QCOMPARE(editOrder().last(), Command::JumpIfCounter);
    }
    void everyRowCompilesToItsLengthAndOpcode() {
        for (const CommandRow &row : commandTable()) {
            QString body = row.name;
            for (const ParameterField &field : row.fields)
                body += QLatin1Char('(') + sampleField(field) + QLatin1Char(')');
            const QStringList lines = {formatLine(1, body),
                                       formatLine(2, QStringLiteral("Koniec"))};
            QCOMPARE(recognise(lines[0], compileOrder()), row.command);
            const CompileResult result = GenerujProgram(lines, kDrive);
            QVERIFY2(result.ok(), qPrintable(body + QLatin1String(": ") + result.error));
            const QByteArray bytes = imageLineBytes(result.image[0]);
            QCOMPARE(int(bytes.size()), row.length);
            QCOMPARE(quint8(bytes[0]), row.opcode);
            QCOMPARE(lengthOfOpcode(row.opcode), row.length);
        }
        QCOMPARE(lengthOfOpcode(0x03), 0); // unused
    }
    void recognitionSafeForAnyLetter() {
        // Letters beyond ASCII, Polish and others, before, inside and instead of names.
        QCOMPARE(occurringCommands(u"Żółw ąę 中文 \U0001F600 ÿĀ"), 0u);
        QCOMPARE(recognise(QStringLiteral("ŹŻ001: Znajdź pozycję(1)"), compileOrder()),
                 Command::FindPos);
        QCOMPARE(recognise(QStringLiteral("ąCzekaj[s](1)"), compileOrder()), Command::WaitS);
        QCOMPARE(recognise(QStringLiteral("S"), compileOrder()), Command::None);
        QCOMPARE(recognise(QString(), compileOrder()), Command::None);
        QString all;
        for (char16_t c = 1; c < 0xFFFF; c += 7)
            all += QChar(c);
        QVERIFY(occurringCommands(all) == 0u);
    }
    void lineCountBounds() {
        const ParameterField &counter = commandRow(Command::JumpIfCounter).fields[0];
        QCOMPARE(counter.add.max.resolve(10), 10);
        QCOMPARE(counter.edit.max.resolve(10), 9);
        QVERIFY(commandRow(Command::Wait).fields[0].edit.none());
    }
};

QTEST_MAIN(TestCommandTable)
#include "tst_commandtable.moc"
