#include "print/sheet_pages.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <numeric>

namespace r57::print {

namespace {

constexpr double kMarginMm = 12.0;
constexpr double kTablePoints = 9.0;    // the table's type where the page is wide enough
constexpr double kSmallestPoints = 4.0; // and the smallest it is set in
constexpr double kTextPoints = 9.0;
constexpr double kTitlePoints = 12.0;
constexpr double kSectionPoints = 10.5;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// Latin text in a face every Linux desktop has, Chinese in the CJK face the program
// installs with it; both end up embedded in the PDF.
QFont SheetFont(double points, bool bold = false) {
    QFont font;
    font.setFamilies({"DejaVu Sans", "Noto Sans CJK SC", "Noto Sans CJK", "Sans Serif"});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Lays the pages out and, given a painter, paints them. Run once without a painter
// to count the pages, then with one.
class Pages {
public:
    // Pages outside first..last (1-based; 0 for either end: open) are laid out but not
    // painted.
    Pages(const ChannelDocument& document, QPagedPaintDevice& device, int pageCount, int first = 0,
          int last = 0)
        : doc_(document), device_(device), pageCount_(pageCount), first_(first), last_(last),
          area_(0, 0, device.width(), device.height()) {}

    int run(QPainter* painter) {
        painter_ = nullptr;
        drawing_ = painter;
        page_ = 0;
        painted_ = 0;
        startPage(Q(doc_.title));
        tablePages();
        if (!doc_.summary.empty()) {
            startPage(Q(doc_.summaryTitle));
            summaryPages();
        }
        finishPage();
        return painter ? painted_ : page_;
    }

private:
    double points(double pt) const { return pt * device_.logicalDpiY() / 72.0; }
    QFontMetricsF metrics(const QFont& font) const { return QFontMetricsF(font, &device_); }

    void text(const QRectF& rect, int flags, const QString& text, const QFont& font) {
        if (painter_) {
            painter_->setFont(font);
            painter_->drawText(rect, flags, text);
        }
    }

    void startPage(const QString& title) {
        if (page_ > 0) {
            finishPage();
        }
        ++page_;
        const bool inRange = (first_ <= 0 || page_ >= first_) && (last_ <= 0 || page_ <= last_);
        painter_ = inRange ? drawing_ : nullptr;
        if (painter_ && painted_++ > 0) {
            device_.newPage();
        }
        const QFont big = SheetFont(kTitlePoints, true);
        const QFont small = SheetFont(kTextPoints);
        const double line1 = metrics(big).height();
        const double line2 = metrics(small).height();
        QRectF first(area_.left(), area_.top(), area_.width(), line1);
        text(first, Qt::AlignLeft | Qt::AlignVCenter, title, big);
        text(first, Qt::AlignRight | Qt::AlignVCenter, Q(doc_.date), small);
        QRectF second(area_.left(), first.bottom(), area_.width(), line2);
        text(second, Qt::AlignLeft | Qt::AlignVCenter, Q(doc_.fileName), small);
        text(second, Qt::AlignRight | Qt::AlignVCenter, Q(doc_.model), small);
        const double rule = second.bottom() + points(3);
        if (painter_) {
            painter_->setPen(QPen(Qt::black, points(0.6)));
            painter_->drawLine(QPointF(area_.left(), rule), QPointF(area_.right(), rule));
        }
        y_ = rule + points(8);
        topOfBody_ = y_;
        bottom_ = area_.bottom() - metrics(small).height() - points(6);
    }

    void finishPage() {
        const QFont small = SheetFont(kTextPoints);
        const QString number = Q(doc_.pageNumbers).arg(page_).arg(std::max(pageCount_, page_));
        const double height = metrics(small).height();
        text(QRectF(area_.left(), area_.bottom() - height, area_.width(), height), Qt::AlignCenter,
             number, small);
    }

    // Widths of the table's columns in a type size: the widest of caption and cells.
    std::vector<double> columnWidths(const QFont& font, const QFont& bold) const {
        const QFontMetricsF plain = metrics(font);
        const QFontMetricsF heavy = metrics(bold);
        const double pad = plain.averageCharWidth() * 1.6;
        std::vector<double> widths;
        for (std::size_t c = 0; c < doc_.captions.size(); ++c) {
            double w = heavy.horizontalAdvance(Q(doc_.captions[c]));
            for (const auto& row : doc_.rows) {
                w = std::max(w, plain.horizontalAdvance(Q(row[c])));
            }
            widths.push_back(w + pad);
        }
        return widths;
    }

    void tablePages() {
        double size = kTablePoints;
        QFont font = SheetFont(size);
        QFont bold = SheetFont(size, true);
        std::vector<double> widths = columnWidths(font, bold);
        double total = std::accumulate(widths.begin(), widths.end(), 0.0);
        while (total > area_.width() && size > kSmallestPoints) {
            size = std::max(kSmallestPoints, size * area_.width() / total - 0.1);
            font = SheetFont(size);
            bold = SheetFont(size, true);
            widths = columnWidths(font, bold);
            total = std::accumulate(widths.begin(), widths.end(), 0.0);
        }
        // The rest of the page's width is shared out, so the table spans the page.
        const double extra = std::max(0.0, area_.width() - total) / widths.size();
        for (double& w : widths) {
            w += extra;
        }
        const double rowHeight = metrics(font).height() * 1.45;

        captionRow(widths, rowHeight, bold);
        for (std::size_t r = 0; r < doc_.rows.size(); ++r) {
            if (y_ + rowHeight > bottom_) {
                startPage(Q(doc_.title));
                captionRow(widths, rowHeight, bold);
            }
            row(widths, rowHeight, font, doc_.rows[r], r % 2 == 1);
        }
    }

    void captionRow(const std::vector<double>& widths, double height, const QFont& bold) {
        row(widths, height, bold, doc_.captions, false, true);
    }

    void row(const std::vector<double>& widths, double height, const QFont& font,
             const std::vector<std::string>& cells, bool shaded, bool caption = false) {
        if (painter_) {
            const QRectF band(area_.left(), y_, area_.width(), height);
            if (caption || shaded) {
                painter_->fillRect(band, caption ? QColor(215, 215, 215) : QColor(242, 242, 242));
            }
            painter_->setPen(QPen(QColor(150, 150, 150), points(0.3)));
            painter_->drawLine(band.bottomLeft(), band.bottomRight());
            painter_->setPen(Qt::black);
        }
        double x = area_.left();
        for (std::size_t c = 0; c < cells.size(); ++c) {
            text(QRectF(x, y_, widths[c], height), Qt::AlignCenter, Q(cells[c]), font);
            x += widths[c];
        }
        y_ += height;
    }

    // Each section: its title, then its label-value pairs in as many columns as fit,
    // running down each column first.
    void summaryPages() {
        const QFont heading = SheetFont(kSectionPoints, true);
        const QFont font = SheetFont(kTextPoints);
        const QFont label = SheetFont(kTextPoints, true);
        const QFontMetricsF plain = metrics(font);
        const QFontMetricsF heavy = metrics(label);
        const double line = plain.height() * 1.4;
        const double gap = plain.averageCharWidth() * 2;
        for (const SummarySection& section : doc_.summary) {
            double labels = 0;
            double values = 0;
            for (const SummaryRow& r : section.rows) {
                labels = std::max(labels, heavy.horizontalAdvance(Q(r.label)));
                values = std::max(values, plain.horizontalAdvance(Q(r.value)));
            }
            const double pair = labels + gap + values + gap * 2;
            const int columns =
                std::max(1, std::min<int>(4, static_cast<int>(area_.width() / pair)));
            const double columnWidth = area_.width() / columns;
            // Labels are cut only where a single column cannot hold label and value.
            const double labelWidth =
                std::min(labels, std::max(columnWidth * 0.5, columnWidth - values - gap * 3));
            const int lines = (static_cast<int>(section.rows.size()) + columns - 1) / columns;
            const double headingHeight = metrics(heading).height() * 1.5;
            // A section that fits on a page is not split.
            if (y_ + headingHeight + lines * line > bottom_ && y_ > firstLineOfPage()) {
                startPage(Q(doc_.summaryTitle));
            }
            text(QRectF(area_.left(), y_, area_.width(), headingHeight),
                 Qt::AlignLeft | Qt::AlignVCenter, Q(section.title), heading);
            y_ += headingHeight;
            for (int l = 0; l < lines; ++l) {
                if (y_ + line > bottom_) {
                    startPage(Q(doc_.summaryTitle));
                }
                for (int c = 0; c < columns; ++c) {
                    const std::size_t i = static_cast<std::size_t>(c * lines + l);
                    if (i >= section.rows.size()) {
                        break;
                    }
                    const double x = area_.left() + c * columnWidth;
                    const QString name =
                        heavy.elidedText(Q(section.rows[i].label), Qt::ElideRight, labelWidth);
                    const double valueWidth = columnWidth - labelWidth - gap * 2;
                    const QString value =
                        plain.elidedText(Q(section.rows[i].value), Qt::ElideRight, valueWidth);
                    text(QRectF(x, y_, labelWidth, line), Qt::AlignLeft | Qt::AlignVCenter, name,
                         label);
                    text(QRectF(x + labelWidth + gap, y_, valueWidth, line),
                         Qt::AlignLeft | Qt::AlignVCenter, value, font);
                }
                y_ += line;
            }
            y_ += line * 0.6;
        }
    }

    double firstLineOfPage() const { return topOfBody_; }

    const ChannelDocument& doc_;
    QPagedPaintDevice& device_;
    int pageCount_;
    int first_;
    int last_;
    QRectF area_;
    QPainter* drawing_ = nullptr; // the painter of a painting run
    QPainter* painter_ = nullptr; // the same while on a page in range, else null
    int page_ = 0;
    int painted_ = 0;
    double y_ = 0;
    double bottom_ = 0;
    double topOfBody_ = 0;
};

} // namespace

QPageLayout SheetPageLayout(QPageSize::PageSizeId size, QPageLayout::Orientation orientation) {
    return QPageLayout(QPageSize(size), orientation,
                       QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                       QPageLayout::Millimeter);
}

QPageLayout LocalPageLayout() {
    const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return SheetPageLayout(letter ? QPageSize::Letter : QPageSize::A4, QPageLayout::Portrait);
}

int PaintChannelDocument(const ChannelDocument& document, QPagedPaintDevice& device, int first,
                         int last) {
    const int pages = Pages(document, device, 0).run(nullptr);
    QPainter painter;
    if (!painter.begin(&device)) {
        return 0; // a printer that cannot be opened, a file that cannot be made
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const int painted = Pages(document, device, pages, first, last).run(&painter);
    return painter.end() ? painted : 0;
}

int ChannelPageCount(const ChannelDocument& document, QPagedPaintDevice& device) {
    return Pages(document, device, 0).run(nullptr);
}

QByteArray ChannelPdf(const ChannelDocument& document, const QPageLayout& layout) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(layout);
        writer.setCreator("R57");
        writer.setTitle(Q(document.title + " " + document.fileName));
        PaintChannelDocument(document, writer);
    }
    return bytes;
}

} // namespace r57::print
