#pragma once

#include "ListingPage.h"

#include <QPageLayout>

class QPagedPaintDevice;

namespace korven {

// Draws laid-out pages onto a paged device (a printer, the preview, a PDF) in the page
// layout they were laid out for. False when the device cannot be painted on.
bool paintListing(const QList<ListingPage> &pages, const QPageLayout &layout,
                  QPagedPaintDevice &device);

// Writes the pages into a PDF file, replacing it only once the whole file is written.
// Returns the message for the user, empty on success.
QString saveListingPdf(const QList<ListingPage> &pages, const QPageLayout &layout,
                       const QString &path);

} // namespace korven
