#pragma once

#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace korven {

// The data set the listing runs over: only a record count and the current record.
struct StringDS {
    int RecordCount = 0;
    int RecNo = 0; // 0-based current record while the report is built
};

// The program listing: a title on the first page, one row per record, the page number
// at the foot of every page; A4 portrait with 10 mm margins. Texts come from a value
// callback asked for each variable in square brackets.
class ListingReport {
public:
    // Sets value for a variable name; an unknown name leaves value untouched.
    using ValueCallback = std::function<void(const QString &name, QString &value)>;

    ListingReport(StringDS &dataSet, ValueCallback getValue);

    // Builds the pages anew on device (its page layout is set here); returns the page count.
    int render(QPagedPaintDevice &device);
    // Prepares a printer for the listing: the system's default printer, A4, margins.
    static void setUpPrinter(QPrinter &printer);
    // Shows the pages in a modal, maximised preview at 100 % from which they print.
    void preview(QWidget *parent);

private:
    QString expand(const QString &text, int page);

    StringDS &m_dataSet;
    ValueCallback m_getValue;
};

} // namespace korven
