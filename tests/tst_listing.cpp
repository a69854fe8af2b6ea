#include "ListingLayout.h"
#include "ListingPainter.h"
#include "ListingProgram.h"
#include "ListingRows.h"
#include "PdfText.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

namespace {

QPageLayout a4(QPageLayout::Orientation orientation = QPageLayout::Portrait,
               const QMarginsF &margins = QMarginsF(10, 10, 10, 10)) {
    return QPageLayout(QPageSize(QPageSize::A4), orientation, margins, QPageLayout::Millimeter);
}

// The listing of lines as the report lays it out: title, rows, page numbers.
QList<ListingPage> layOut(const QStringList &lines, const QPageLayout &page) {
    ListingLayout layout(page);
    layout.addTitle(QStringLiteral("Program"));
    for (const QString &line : lines)
        layout.addRecord(line);
    return layout.finish([](int n) { return QString::number(n); });
}

// One millimetre per character: widths easy to reason about.
double oneMillimetreEach(const QString &text) { return double(text.size()); }

// The rows of the record that begins with prefix on the pages read back: its first row
// and the continuation rows up to the next numbered line, joined by blanks.
QString recordText(const QStringList &pages, const QString &prefix) {
    static const QRegularExpression numbered(QStringLiteral("^\\d{3}: "));
    QStringList rows;
    static const QRegularExpression pageNumber(QStringLiteral("^\\d+$"));
    for (const QString &page : pages)
        for (const QString &line : pdf::lines(page)) {
            if (line == QLatin1String("Program") || pageNumber.match(line).hasMatch())
                continue;
            if (rows.isEmpty() ? line.startsWith(prefix) : !numbered.match(line).hasMatch())
                rows.append(line);
            else if (!rows.isEmpty())
                return rows.join(QLatin1Char(' '));
        }
    return rows.join(QLatin1Char(' '));
}

} // namespace

class TestListing : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!pdf::toolsInstalled())
            QFAIL("pdftotext, pdffonts and pdfinfo (Debian poppler-utils) read the listing back");
        QVERIFY(m_dir.isValid());
        QCOMPARE(listingProgramLines().size(), 150);
        QCOMPARE(listingProgramLines()[60].size(), 231);
    }

    void rowsBreakAfterBlanksAndLoseNothing() {
        const QString text = QStringLiteral("061: Skocz jeśli wejście z opisem  ręcznie");
        const QStringList rows = splitIntoRows(text, 20, 15, oneMillimetreEach);
        QCOMPARE(rows, QStringList({"061: Skocz jeśli ", "wejście z ", "opisem  ręcznie"}));
        QCOMPARE(rows.join(QString()), text);
        QCOMPARE(splitIntoRows(text, 100, 100, oneMillimetreEach), QStringList(text));
        QCOMPARE(splitIntoRows(QString(), 10, 10, oneMillimetreEach), QStringList(QString()));
    }
    void aWordTooWideIsCutBetweenCharacters() {
        const QString word = QStringLiteral("Przysp.max(250000,00)");
        const QStringList rows =
            splitIntoRows(QStringLiteral("1: ") + word, 8, 8, oneMillimetreEach);
        // It fills the row it starts in, as it is cut anyway.
        QCOMPARE(rows, QStringList({"1: Przys", "p.max(25", "0000,00)"}));
        // No room at all: one character a row, a letter with its accent kept whole.
        const QString accented = QStringLiteral("ze\u0301z");
        QCOMPARE(splitIntoRows(accented, 0, -5, oneMillimetreEach),
                 QStringList({"z", "e\u0301", "z"}));
    }

    void longLineContinuesIndentedUnderItsText() {
        const QStringList lines = listingProgramLines();
        const ListingFont font(false);
        const QList<ListingPage> pages = layOut(lines, a4());
        QList<ListingText> rows;
        for (const ListingPage &page : pages)
            for (const ListingText &t : page)
                if (!t.bold && !(t.alignment & Qt::AlignRight)) // not the title, not the footer
                    rows.append(t);
        QStringList texts;
        for (const ListingText &t : rows)
            texts.append(t.text);
        const qsizetype first = texts.indexOf(lines[60].left(texts[60].size()));
        QCOMPARE(first, 60);
        QString joined;
        qsizetype i = first;
        for (; joined.size() < lines[60].size(); ++i) {
            joined += texts[i];
            QVERIFY(rows[i].box.x() + font.width(texts[i].trimmed()) <= 190);
            QCOMPARE(rows[i].box.x(), i == first ? 17.55 : 17.55 + font.width("061: "));
        }
        QCOMPARE(joined, lines[60]);
        QVERIFY(i - first >= 2);
        QCOMPARE(texts[i], lines[61]);
    }
    void aRecordMovesToTheNextPageWhole() {
        // 44 rows fit under the title of the first page; line 44 is two rows long.
        QStringList lines;
        for (int i = 1; i <= 43; ++i)
            lines.append(QStringLiteral("%1: Stop").arg(i, 3, 10, QLatin1Char('0')));
        lines.append(QStringLiteral("044: ") + QString(60, QLatin1Char('m')));
        lines.append(QStringLiteral("045: Koniec"));
        const QList<ListingPage> pages = layOut(lines, a4());
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[0].size(), 1 + 43 + 1); // title, rows, page number
        QVERIFY(pages[1][0].text.startsWith(QLatin1String("044: mmm")));
        QCOMPARE(pages[1][0].box.y(), 0.0);
        QVERIFY(pages[1][1].text.startsWith(QLatin1String("mmm")));
        QCOMPARE(pages[1][2].text, QStringLiteral("045: Koniec"));
        for (const ListingPage &page : pages)
            for (const ListingText &t : page)
                QVERIFY(t.box.bottom() <= 277);
    }
    void anImpossiblePageSetUpStillPrintsEverything() {
        // Margins that leave 10 mm by 17 mm: one row a page, one letter a row at worst.
        const QString line = listingProgramLines()[60];
        const QList<ListingPage> pages =
            layOut({line}, a4(QPageLayout::Portrait, QMarginsF(100, 140, 100, 140)));
        QString joined;
        for (const ListingPage &page : pages)
            for (qsizetype i = page.first().text == QLatin1String("Program") ? 1 : 0;
                 i + 1 < page.size(); ++i)
                joined += page[i].text;
        QCOMPARE(joined, line);
    }

    void pdfKeepsEveryLineOnThePaper_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<double>("paperWidth"); // millimetres
        QTest::newRow("portrait") << int(QPageLayout::Portrait) << 210.0;
        QTest::newRow("landscape") << int(QPageLayout::Landscape) << 297.0;
    }
    void pdfKeepsEveryLineOnThePaper() {
        QFETCH(int, orientation);
        QFETCH(double, paperWidth);
        const QStringList lines = listingProgramLines();
        const QPageLayout page = a4(QPageLayout::Orientation(orientation));
        const QString path = m_dir.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
        const QList<ListingPage> laidOut = layOut(lines, page);
        QCOMPARE(saveListingPdf(laidOut, page, path), QString());

        QCOMPARE(pdf::pageCount(path), int(laidOut.size()));
        QCOMPARE(qRound(pdf::pageSize(path).width() / pdf::kPointsPerMillimetre), paperWidth);
        // Every program line in order, the long one complete across its rows.
        const QStringList pages = pdf::pages(path);
        for (const QString &line : lines)
            QCOMPARE(recordText(pages, line.left(5)), line);
        // Nothing beyond the right margin, 10 mm from the paper's right edge.
        const QList<pdf::Word> words = pdf::words(path);
        QVERIFY(words.size() > 300);
        double right = 0;
        for (const pdf::Word &w : words) {
            right = qMax(right, w.xMax);
            QVERIFY2(w.xMax <= (paperWidth - 10) * pdf::kPointsPerMillimetre, qPrintable(w.text));
            QVERIFY(w.xMin >= 10 * pdf::kPointsPerMillimetre);
        }
        QVERIFY(right > (paperWidth - 30) * pdf::kPointsPerMillimetre); // the long line's rows
        // The continuation rows start under the text after "061:".
        QList<double> starts;
        for (qsizetype i = 0; i + 1 < words.size(); ++i)
            if (words[i].text == QLatin1String("061:"))
                starts.append(words[i + 1].xMin);
        QCOMPARE(starts.size(), 1);
        bool inLongLine = false;
        int continuation = 0;
        for (qsizetype i = 1; i < words.size(); ++i) {
            const bool rowStart = words[i].yMin > words[i - 1].yMin + 1;
            if (!rowStart)
                continue;
            if (words[i].text == QLatin1String("062:"))
                break;
            if (inLongLine) {
                QVERIFY(qAbs(words[i].xMin - starts[0]) < 0.5);
                ++continuation;
            }
            inLongLine = inLongLine || words[i].text == QLatin1String("061:");
        }
        QCOMPARE(continuation, orientation == QPageLayout::Portrait ? 2 : 1);
        if (!qEnvironmentVariableIsEmpty("KORVEN_SCREENSHOTS"))
            QFile::copy(path, qEnvironmentVariable("KORVEN_SCREENSHOTS") + QLatin1Char('/') +
                                  QFileInfo(path).fileName());
    }
    void pdfUsesArialOrItsMetricTwin() {
        const QString path = m_dir.filePath(QStringLiteral("portrait.pdf"));
        const QStringList fonts = pdf::fonts(path);
        QCOMPARE(fonts.size(), 2); // regular and the title's bold
        for (const QString &font : fonts)
            QVERIFY2(font.startsWith(QLatin1String("Arial")) ||
                         font.startsWith(QLatin1String("LiberationSans")),
                     qPrintable(font));
    }
    void aPdfThatCannotBeWrittenIsReported() {
        const QString path = m_dir.filePath(QStringLiteral("brak/program.pdf"));
        const QString error = saveListingPdf(layOut({"001: Koniec"}, a4()), a4(), path);
        QVERIFY2(error.startsWith(QStringLiteral("Nie można zapisać pliku program.pdf: ")),
                 qPrintable(error));
        QVERIFY(!QFile::exists(path));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestListing)
#include "tst_listing.moc"
