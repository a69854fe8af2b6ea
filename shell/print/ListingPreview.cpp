#include "ListingPreview.h"

#include "ListingPainter.h"
#include "Messages.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace korven {

ListingPreview::ListingPreview(QPrinter *printer, PageBuilder pages, QString &lastPdfFile,
                               QWidget *parent)
    : QPrintPreviewDialog(printer, parent), m_pages(std::move(pages)), m_lastPdfFile(lastPdfFile) {
    setObjectName(QStringLiteral("ListingPreview"));
    // Every target gets the pages in the layout shown, whatever its own.
    connect(this, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *target) {
        const QPageLayout layout = this->printer()->pageLayout();
        paintListing(m_pages(layout), layout, *target);
    });
    auto *save = new QAction(QIcon::fromTheme(QStringLiteral("document-save-as"),
                                              style()->standardIcon(QStyle::SP_DialogSaveButton)),
                             QStringLiteral("Zapisz jako PDF"), this);
    save->setObjectName(QStringLiteral("tbtnZapiszPdf"));
    connect(save, &QAction::triggered, this, &ListingPreview::savePdf);
    if (auto *toolbar = findChild<QToolBar *>()) {
        toolbar->addSeparator();
        toolbar->addAction(save);
        if (auto *button = qobject_cast<QToolButton *>(toolbar->widgetForAction(save)))
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    if (auto *view = findChild<QPrintPreviewWidget *>()) {
        view->setZoomMode(QPrintPreviewWidget::CustomZoom);
        view->setZoomFactor(1.0);
        // 100 %, so the "fit page" button must not look pressed.
        if (auto *fitPage = findChild<QAction *>(QStringLiteral("fitPageAction")))
            fitPage->setChecked(false);
    }
}

void ListingPreview::savePdf() {
    QFileDialog dialog(this, QStringLiteral("Zapisz jako PDF"), QDir::homePath(),
                       QStringLiteral("*.pdf (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(m_lastPdfFile.isEmpty() ? QStringLiteral("program.pdf") : m_lastPdfFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    m_lastPdfFile = dialog.selectedFiles().first();
    const QPageLayout layout = printer()->pageLayout();
    const QString error = saveListingPdf(m_pages(layout), layout, m_lastPdfFile);
    if (!error.isEmpty())
        ui::showMessage(this, error);
}

} // namespace korven
