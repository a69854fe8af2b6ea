#pragma once

#include "ListingFont.h"
#include "ListingPage.h"

#include <QPageLayout>

#include <functional>

namespace korven {

// Lays the listing out on pages: a title band on the first page, the bands of the
// records, a footer band at the foot of every page. A record too long for its row
// continues on the following rows, indented under its text after the line number, and
// moves to the next page whole when its rows do not fit on this one.
class ListingLayout {
public:
    explicit ListingLayout(const QPageLayout &page);

    void addTitle(const QString &text);
    // Rows under the title, one for each line of text, and a blank row after them.
    void addHeading(const QString &text);
    void addRecord(const QString &text);
    // Ends the last page and puts footerText(page number) at the foot of every page.
    QList<ListingPage> finish(const std::function<QString(int page)> &footerText);

private:
    void startPage();
    bool rowsFit(qsizetype rows) const;

    double m_width;  // of the printable area
    double m_height; // of the printable area
    ListingFont m_regular{false};
    ListingFont m_bold{true};
    QList<ListingPage> m_pages;
    double m_y = 0;
    int m_rowsOnPage = 0;
};

} // namespace korven
