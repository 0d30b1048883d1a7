#pragma once
// The report seam: a small banded report model (page header, title, column
// heads, detail rows, summary, page footer) laid out in millimetres and
// rendered with QPainter into a printer (the print preview) or a PDF file.
//
// Bands are stacked from the top margin: on every page the page header and
// the column heads, on the first page the title after the page header; then
// detail rows until a page is full; the summary once after the last detail
// row (moved to a new page when it does not fit); the page footer at the
// bottom of every page. A text may contain [Page#] and [TotalPages#].

#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>

#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace Reports {

struct Item {
    QRectF rect;                 // millimetres, relative to the band's top-left corner
    QString text;
    QFont font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool frame = false;          // a thin border around the cell
    bool wrap = false;           // wrap words inside the rectangle
};

struct Band {
    double height = 0;           // millimetres
    std::vector<Item> items;
    // Adds a text cell and returns it for further settings.
    Item& text(const QRectF& rectMm, const QString& text, const QFont& font,
               Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, bool frame = false);
};

class Report {
public:
    QString title;               // the document's name (preview caption, PDF title)
    QPageSize pageSize = QPageSize(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins = QMarginsF(10, 10, 10, 10);  // millimetres

    Band pageHeader;
    Band reportTitle;
    Band columnHeader;
    std::vector<Band> details;
    Band summary;
    Band pageFooter;

    // The printable width in millimetres.
    double bodyWidth() const;
    // Number of pages the report takes.
    int pageCount() const;
    // Paints every page on the device (a QPrinter or a QPdfWriter).
    void render(QPagedPaintDevice* device) const;
    // Writes a PDF file; false when it cannot be written.
    bool writePdf(const QString& file) const;
    // Shows the print preview through the Ui seam.
    void preview() const;

    // A font at a point size ("宋体"-like CJK fallback when the family is missing).
    static QFont font(double pointSize, bool bold = false, const QString& family = QString());

private:
    struct PagePlan {
        int firstDetail = 0;
        int detailCount = 0;
        bool title = false;
        bool summary = false;
    };
    std::vector<PagePlan> paginate() const;
    void paintBand(QPainter& p, const Band& band, double topMm, double unitsPerMm, int page, int pages) const;
};

} // namespace Reports
