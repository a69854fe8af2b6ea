#include "GuiFixture.h"

#include "Cp1250.h"
#include "ProgramLine.h"

#include <QFile>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace korven;

namespace {

// Runs the print command; the preview's pages are drawn into a PDF, returned as text pages.
QStringList printToText(GuiFixture &f, bool *maximised = nullptr) {
    const QString pdf = f.path(QStringLiteral("listing.pdf"));
    QFile::remove(pdf);
    f.driver.then([&](QWidget *w) {
        auto *dialog = qobject_cast<QPrintPreviewDialog *>(w);
        QVERIFY(dialog);
        if (maximised)
            *maximised = dialog->windowState() & Qt::WindowMaximized;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        emit dialog->paintRequested(&printer);
        dialog->reject();
    });
    f.form->tbtnPrintClick();
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    pdftotext.waitForFinished(30000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput())
        .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
}

QStringList nonEmptyLines(const QString &page) {
    QStringList lines;
    for (const QString &line : page.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            lines.append(line.trimmed());
    return lines;
}

} // namespace

class TestGuiPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QFAIL("pdftotext (Debian poppler-utils) is needed to read the printed listing");
    }
    void shortListing() {
        GuiFixture f;
        f.load({"Prędkość min(1600,00) pps", "Znajdź pozycję(-5)", "Koniec"});
        bool maximised = false;
        const QStringList pages = printToText(f, &maximised);
        QVERIFY(maximised);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(nonEmptyLines(pages[0]),
                 QStringList({"Program", "001: Prędkość min(1600,00) pps",
                              "002: Znajdź pozycję(-5)", "003: Koniec", "1"}));
        QCOMPARE(f.form->PrintLines, f.form->programLines());
    }
    void longListingSpillsOver() {
        GuiFixture f;
        QStringList bodies;
        for (int i = 0; i < 120; ++i)
            bodies.append(
                i == 7 ? QStringLiteral("Skocz jeśli wejście(12)(3)(1) z bardzo długim opisem "
                                        "ręcznie dopisanym do linii programu")
                       : QStringLiteral("Czekaj[ms](%1)").arg(i));
        bodies.append(QStringLiteral("Koniec"));
        f.load(bodies);
        const QStringList pages = printToText(f);
        QVERIFY(pages.size() >= 3);
        QStringList rows;
        for (int p = 0; p < pages.size(); ++p) {
            QStringList lines = nonEmptyLines(pages[p]);
            QCOMPARE(lines.takeLast(), QString::number(p + 1)); // the page number at the foot
            QCOMPARE(lines.first() == QLatin1String("Program"), p == 0);
            if (p == 0)
                lines.removeFirst();
            rows += lines;
        }
        QCOMPARE(rows, f.form->programLines());
        QVERIFY(rows[7].endsWith(QStringLiteral("dopisanym do linii programu")));
        const QString keep = qEnvironmentVariable("KORVEN_SCREENSHOTS");
        if (!keep.isEmpty())
            QFile::copy(f.path(QStringLiteral("listing.pdf")),
                        keep + QStringLiteral("/listing.pdf"));
    }
    void printingTwiceShowsTheCurrentProgram() {
        GuiFixture f;
        f.load({"Stop", "Koniec"});
        printToText(f);
        f.load({"Hamuj", "Koniec"});
        const QStringList pages = printToText(f);
        QCOMPARE(nonEmptyLines(pages[0]),
                 QStringList({"Program", "001: Hamuj", "002: Koniec", "1"}));
    }
    void emptyListing() {
        GuiFixture f;
        f.child<QAction>("miNowy")->setEnabled(true);
        StringDS ds;
        ListingReport report(ds, [](const QString &, QString &) {});
        QPdfWriter writer(f.path(QStringLiteral("empty.pdf")));
        QCOMPARE(report.render(writer), 1);
    }
};

QTEST_MAIN(TestGuiPrint)
#include "tst_gui_print.moc"
