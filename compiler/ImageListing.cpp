#include "ImageListing.h"

#include "Encoders.h"
#include "ProgramEditor.h"
#include "ProgramLine.h"

namespace korven {
namespace {

// The longest command: thirteen bytes of "XX ".
constexpr int kBytesWidth = 13 * 3 - 1;

} // namespace

QStringList imageListing(const QStringList &lines, const QStringList &image) {
    const ImageAddresses addresses(image);
    QStringList rows;
    rows.reserve(lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        rows.append(QStringLiteral("%1  %2  %3  %4")
                        .arg(formatLine(i + 1, QString()).chopped(2))
                        .arg(addresses.at(i), 4)
                        .arg(image.value(i), -kBytesWidth)
                        .arg(ProgramEditor::lineBody(lines[i])));
    }
    return rows;
}

} // namespace korven
