#include "GuiFixture.h"

#include "Cp1250.h"
#include "ListingProgram.h"
#include "PdfText.h"
#include "ProgramLine.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include "FileDialogAnswer.h"

using namespace korven;

namespace {

// Draws the pages the preview shows into a PDF file, as its print button would.
void paintShownPages(QPrintPreviewDialog *dialog, const QString &pdf) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    emit dialog->paintRequested(&printer);
}

// Runs the print command; the preview's pages are drawn into a PDF, returned as text pages.
QStringList printToText(GuiFixture &f, bool *maximised = nullptr) {
    const QString pdf = f.path(QStringLiteral("listing.pdf"));
    QFile::remove(pdf);
    f.driver.then([&](QWidget *w) {
        auto *dialog = qobject_cast<QPrintPreviewDialog *>(w);
        QVERIFY(dialog);
        if (maximised)
            *maximised = dialog->windowState() & Qt::WindowMaximized;
        paintShownPages(dialog, pdf);
        dialog->reject();
    });
    f.form->tbtnPrintClick();
    return pdf::pages(pdf);
}

QStringList nonEmptyLines(const QString &page) { return pdf::lines(page); }

// The heading under the title of a program opened from p.dat (TRV10, depth 16).
QStringList heading() {
    return {QStringLiteral("Plik: p.dat, wydrukowano"),
            QStringLiteral("Sterownik: TRV10, głębokość podziału mikrokrokowego: 16")};
}

// The heading's first row ends in the date and time of printing, which the test cannot
// know; they are checked for their form and taken off.
QStringList withoutTime(QStringList lines) {
    static const QRegularExpression when(
        QStringLiteral(" \\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d$"));
    if (lines.size() > 1 && when.match(lines[1]).hasMatch())
        lines[1].chop(17);
    return lines;
}

QAction *previewAction(QPrintPreviewDialog *dialog, const char *text) {
    const QString caption = QCoreApplication::translate("QPrintPreviewDialog", text);
    for (QAction *action : dialog->findChildren<QAction *>())
        if (action->text() == caption)
            return action;
    return nullptr;
}

} // namespace

class TestGuiPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!pdf::toolsInstalled())
            QFAIL("pdftotext, pdffonts and pdfinfo (Debian poppler-utils) read the listing back");
    }
    void shortListing() {
        GuiFixture f;
        f.load({"Prędkość min(1600,00) pps", "Znajdź pozycję(-5)", "Koniec"});
        bool maximised = false;
        const QStringList pages = printToText(f, &maximised);
        QVERIFY(maximised);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(withoutTime(nonEmptyLines(pages[0])),
                 QStringList({"Program"}) + heading() +
                     QStringList({"001: Prędkość min(1600,00) pps", "002: Znajdź pozycję(-5)",
                                  "003: Koniec", "1"}));
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
                lines = lines.mid(3);
            rows += lines;
        }
        QCOMPARE(rows, f.form->programLines());
        QVERIFY(rows[7].endsWith(QStringLiteral("dopisanym do linii programu")));
        const QString keep = qEnvironmentVariable("KORVEN_SCREENSHOTS");
        if (!keep.isEmpty())
            QFile::copy(f.path(QStringLiteral("listing.pdf")),
                        keep + QStringLiteral("/listing.pdf"));
    }
    void landscapeIsPrintedAndSavedAsPdfExactlyAsShown() {
        GuiFixture f;
        f.load(listingProgramBodies());
        const QString shown = f.path(QStringLiteral("shown.pdf"));
        const QString saved = f.path(QStringLiteral("eksport.pdf"));
        int shownPages = 0;
        QString fileDialogTitle;
        QStringList filters;
        f.driver
            .then([&](QWidget *w) {
                auto *dialog = qobject_cast<QPrintPreviewDialog *>(w);
                QVERIFY(dialog);
                QAction *landscape = previewAction(dialog, "Landscape");
                QVERIFY(landscape && !landscape->isChecked());
                landscape->trigger();
                auto *view = dialog->findChild<QPrintPreviewWidget *>();
                QCOMPARE(view->orientation(), QPageLayout::Landscape);
                shownPages = view->pageCount();
                paintShownPages(dialog, shown);
                if (!qEnvironmentVariableIsEmpty("KORVEN_SCREENSHOTS"))
                    dialog->resize(1024, 700),
                        dialog->grab().save(qEnvironmentVariable("KORVEN_SCREENSHOTS") +
                                            QStringLiteral("/preview.png"));
                auto *save = dialog->findChild<QAction *>(QStringLiteral("tbtnZapiszPdf"));
                QVERIFY(save);
                QCOMPARE(save->text(), QStringLiteral("Zapisz jako PDF"));
                save->trigger(); // answered by the next step
                dialog->reject();
            })
            .then([&](QWidget *w) {
                fileDialogTitle = w->windowTitle();
                filters = qobject_cast<QFileDialog *>(w)->nameFilters();
                chooseFile(w, f.path(QStringLiteral("eksport"))); // the suffix is added
            });
        f.form->tbtnPrintClick();
        QCOMPARE(f.driver.pending(), 0);
        QCOMPARE(fileDialogTitle, QStringLiteral("Zapisz jako PDF"));
        QCOMPARE(filters, QStringList("*.pdf (*.pdf)"));
        QVERIFY(QFile::exists(saved));

        // Landscape A4 pages of 30 rows (29 under the title) for 151 rows, saved identical.
        QCOMPARE(pdf::pageCount(shown), shownPages);
        QCOMPARE(pdf::pageCount(saved), shownPages);
        QCOMPARE(shownPages, 6);
        QCOMPARE(pdf::pageSize(saved).toSize(), QSize(842, 595));
        QCOMPARE(pdf::pages(saved), pdf::pages(shown));
        for (const pdf::Word &w : pdf::words(saved))
            QVERIFY2(w.xMax <= 287 * pdf::kPointsPerMillimetre, qPrintable(w.text));

        // The page set-up holds for the next print.
        bool stillLandscape = false;
        f.driver.then([&](QWidget *w) {
            auto *dialog = qobject_cast<QPrintPreviewDialog *>(w);
            stillLandscape =
                previewAction(dialog, "Landscape")->isChecked() &&
                dialog->printer()->pageLayout().orientation() == QPageLayout::Landscape;
            dialog->reject();
        });
        f.form->tbtnPrintClick();
        QVERIFY(stillLandscape);
        if (!qEnvironmentVariableIsEmpty("KORVEN_SCREENSHOTS"))
            QFile::copy(saved, qEnvironmentVariable("KORVEN_SCREENSHOTS") +
                                   QStringLiteral("/eksport.pdf"));
    }
    void landscapeChosenInPageSetUpIsPrinted() {
#ifdef Q_OS_WIN
        QSKIP("Windows' page set-up is the system's own dialog (and needs a printer): no Qt "
              "widgets to answer");
#endif
        GuiFixture f;
        f.load(listingProgramBodies());
        const QString shown = f.path(QStringLiteral("shown.pdf"));
        bool landscapeShown = false;
        f.driver
            .then([&](QWidget *w) {
                auto *dialog = qobject_cast<QPrintPreviewDialog *>(w);
                QAction *pageSetUp = previewAction(dialog, "Page setup");
                QVERIFY(pageSetUp && pageSetUp->isEnabled());
                pageSetUp->trigger(); // answered by the next step
                landscapeShown = previewAction(dialog, "Landscape")->isChecked();
                paintShownPages(dialog, shown);
                dialog->reject();
            })
            .then([&](QWidget *w) {
                QVERIFY(qobject_cast<QPageSetupDialog *>(w));
                auto *landscape = w->findChild<QRadioButton *>(QStringLiteral("landscape"));
                QVERIFY(landscape);
                landscape->click();
                static_cast<QDialog *>(w)->accept();
            });
        f.form->tbtnPrintClick();
        QCOMPARE(f.driver.pending(), 0);
        QVERIFY(landscapeShown);
        QCOMPARE(pdf::pageSize(shown).toSize(), QSize(842, 595));
        QCOMPARE(pdf::pageCount(shown), 6);
        const QList<pdf::Word> words = pdf::words(shown);
        QVERIFY(!words.isEmpty());
        for (const pdf::Word &w : words) {
            QVERIFY(w.xMin >= 10 * pdf::kPointsPerMillimetre - 0.5);
            QVERIFY(w.xMax <= 287 * pdf::kPointsPerMillimetre);
            QVERIFY(w.yMax <= 200 * pdf::kPointsPerMillimetre);
        }
    }
    void printingTwiceShowsTheCurrentProgram() {
        GuiFixture f;
        f.load({"Stop", "Koniec"});
        printToText(f);
        f.load({"Hamuj", "Koniec"});
        const QStringList pages = printToText(f);
        QCOMPARE(withoutTime(nonEmptyLines(pages[0])),
                 QStringList({"Program"}) + heading() +
                     QStringList({"001: Hamuj", "002: Koniec", "1"}));
    }
    void commentsPrintWithTheirLinesUnderTheHeading() {
        GuiFixture f;
        // Not saved yet, no driver chosen.
        f.form->AddCmd(QStringLiteral("Czekaj[ms](300)  # chwytak się zamyka"));
        QStringList lines = nonEmptyLines(printToText(f).value(0));
        QCOMPARE(lines.value(1).left(33), QStringLiteral("Plik: (nie zapisano), wydrukowano"));
        QCOMPARE(lines.value(2), QStringLiteral("Sterownik: nie wybrano"));
        // pdftotext lays the two blanks before the comment out as it likes.
        QVERIFY2(lines.value(3).startsWith(QStringLiteral("001: Czekaj[ms](300)")) &&
                     lines.value(3).endsWith(QStringLiteral("# chwytak się zamyka")),
                 qPrintable(lines.value(3)));
        QCOMPARE(lines.value(4), QStringLiteral("002: Koniec"));
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
