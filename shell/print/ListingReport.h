#pragma once

#include "ListingPage.h"

#include <QPageLayout>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace korven {

// The data set the listing runs over: only a record count and the current record.
struct StringDS {
    int RecordCount = 0;
    int RecNo = 0; // 0-based current record while the report is built
};

// The program listing: a title on the first page with the rows of a heading under it
// (variable "naglowek", rows separated by line breaks), one band per record, the page number
// at the foot of every page; A4 portrait with 10 mm margins unless the user sets the
// page up otherwise in the preview. Texts come from a value callback asked for each
// variable in square brackets.
class ListingReport {
public:
    // Sets value for a variable name; an unknown name leaves value untouched.
    using ValueCallback = std::function<void(const QString &name, QString &value)>;

    ListingReport(StringDS &dataSet, ValueCallback getValue);

    // A4 portrait, 10 mm margins.
    static QPageLayout templateLayout();

    // Runs over the records and lays their texts out on pages of layout.
    QList<ListingPage> build(const QPageLayout &layout);
    // Builds the pages anew on device in the current page set-up; returns the page count.
    int render(QPagedPaintDevice &device);
    // Shows the pages in a modal, maximised preview at 100 % from which they print or
    // are saved as PDF; the page set-up chosen there holds for the next prints.
    void preview(QWidget *parent);

private:
    QString expand(const QString &text, int page);

    StringDS &m_dataSet;
    ValueCallback m_getValue;
    QPageLayout m_pageLayout;
    QString m_lastPdfFile;
};

} // namespace korven
