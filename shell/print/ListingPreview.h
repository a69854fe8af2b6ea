#pragma once

#include "ListingPage.h"

#include <QPrintPreviewDialog>

#include <functional>

class QPageLayout;

namespace korven {

// The listing's print preview: the pages are laid out anew for the page set-up the user
// chooses, and "Zapisz jako PDF" writes exactly the pages shown into a PDF file.
class ListingPreview : public QPrintPreviewDialog {
public:
    using PageBuilder = std::function<QList<ListingPage>(const QPageLayout &layout)>;

    // lastPdfFile is offered in the file dialog and keeps the file chosen.
    ListingPreview(QPrinter *printer, PageBuilder pages, QString &lastPdfFile, QWidget *parent);

private:
    void savePdf();

    PageBuilder m_pages;
    QString &m_lastPdfFile;
};

} // namespace korven
