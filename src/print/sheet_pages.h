// The channel sheet laid out on paper: a header on every page (title, file name, model
// and date), the channel table over as many pages as it needs with its caption row on
// each, then the settings summary from a new page, and "Page n of m" at the foot. The
// same painting serves a PDF file, the printer and the print preview; fonts are sized
// in points, so any page size, orientation and resolution comes out alike, and a table
// wider than the page is set in a smaller type until it fits.
#pragma once

#include "print/channel_document.h"

#include <QByteArray>
#include <QPageLayout>

class QPagedPaintDevice;

namespace r57::print {

// A4 or Letter, portrait or landscape, with the sheet's margins.
QPageLayout SheetPageLayout(QPageSize::PageSizeId size, QPageLayout::Orientation orientation);
// The paper of the user's locale (Letter where it is usual, A4 elsewhere), portrait.
QPageLayout LocalPageLayout();

// Paints the pages first..last (1-based; 0: from the first, to the last) onto `device`,
// from its current page on; returns how many were painted, 0 when the device could not
// be painted on.
int PaintChannelDocument(const ChannelDocument& document, QPagedPaintDevice& device, int first = 0,
                         int last = 0);

// How many pages the document takes on `device` as it is set up (paper, orientation).
int ChannelPageCount(const ChannelDocument& document, QPagedPaintDevice& device);

// The document as the bytes of a PDF file, fonts embedded. The callers write them with
// the core's whole-file writer, so a PDF on disk is never half-written.
QByteArray ChannelPdf(const ChannelDocument& document, const QPageLayout& layout);

} // namespace r57::print
