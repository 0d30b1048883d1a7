#include "platform/Report.h"

#include "platform/Ui.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPdfWriter>
#include <QFile>
#include <QPrinter>

namespace Reports {

Item& Band::text(const QRectF& rectMm, const QString& t, const QFont& font, Qt::Alignment align, bool frame) {
    Item it;
    it.rect = rectMm;
    it.text = t;
    it.font = font;
    it.align = align;
    it.frame = frame;
    items.push_back(it);
    return items.back();
}

QFont Report::font(double pointSize, bool bold, const QString& family) {
    QFont f;
    static const QStringList cjk = {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Serif CJK SC")};
    const QStringList families = QFontDatabase::families();
    if (!family.isEmpty() && families.contains(family)) f.setFamily(family);
    else
        for (const QString& c : cjk)
            if (families.contains(c)) { f.setFamily(c); break; }
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

double Report::bodyWidth() const {
    QSizeF s = pageSize.size(QPageSize::Millimeter);
    if (orientation == QPageLayout::Landscape) s.transpose();
    return s.width() - margins.left() - margins.right();
}

std::vector<Report::PagePlan> Report::paginate() const {
    QSizeF s = pageSize.size(QPageSize::Millimeter);
    if (orientation == QPageLayout::Landscape) s.transpose();
    const double usable = s.height() - margins.top() - margins.bottom() - pageFooter.height;
    const int n = static_cast<int>(details.size());
    std::vector<PagePlan> pages;
    int next = 0;
    while (true) {
        PagePlan plan;
        plan.firstDetail = next;
        plan.title = pages.empty();
        double y = pageHeader.height + (plan.title ? reportTitle.height : 0) + columnHeader.height;
        // Rows while they fit; a row taller than a whole page gets a page of its own.
        while (next < n && (y + details[next].height <= usable + 1e-6 || plan.detailCount == 0)) {
            y += details[next].height;
            ++next;
            ++plan.detailCount;
        }
        if (next >= n && (y + summary.height <= usable + 1e-6 || plan.detailCount == 0)) {
            plan.summary = true;
            pages.push_back(plan);
            break;
        }
        pages.push_back(plan);
    }
    return pages;
}

int Report::pageCount() const { return static_cast<int>(paginate().size()); }

void Report::paintBand(QPainter& p, const Band& band, double topMm, double unitsPerMm, int page, int pages) const {
    for (const Item& it : band.items) {
        const QRectF r((margins.left() + it.rect.left()) * unitsPerMm, (topMm + it.rect.top()) * unitsPerMm,
                       it.rect.width() * unitsPerMm, it.rect.height() * unitsPerMm);
        if (it.frame) {
            p.setPen(QPen(Qt::black, 0.2 * unitsPerMm));
            p.drawRect(r);
        }
        QString text = it.text;
        text.replace(QStringLiteral("[Page#]"), QString::number(page));
        text.replace(QStringLiteral("[TotalPages#]"), QString::number(pages));
        p.setFont(it.font);
        p.setPen(Qt::black);
        const QRectF inner = r.adjusted(0.6 * unitsPerMm, 0, -0.6 * unitsPerMm, 0);
        int flags = static_cast<int>(it.align);
        if (it.wrap) flags |= Qt::TextWordWrap;
        p.drawText(inner, flags, text);
    }
}

void Report::render(QPagedPaintDevice* device) const {
    QPageLayout layout(pageSize, orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    device->setPageLayout(layout);
    QPainter p(device);
    const double unitsPerMm = device->logicalDpiX() / 25.4;
    // Fonts are in points; the painter's device resolution already scales them.
    const std::vector<PagePlan> pages = paginate();
    const int total = static_cast<int>(pages.size());
    QSizeF s = pageSize.size(QPageSize::Millimeter);
    if (orientation == QPageLayout::Landscape) s.transpose();
    for (int i = 0; i < total; ++i) {
        if (i > 0) device->newPage();
        const PagePlan& plan = pages[i];
        double y = margins.top();
        paintBand(p, pageHeader, y, unitsPerMm, i + 1, total);
        y += pageHeader.height;
        if (plan.title) {
            paintBand(p, reportTitle, y, unitsPerMm, i + 1, total);
            y += reportTitle.height;
        }
        paintBand(p, columnHeader, y, unitsPerMm, i + 1, total);
        y += columnHeader.height;
        for (int d = plan.firstDetail; d < plan.firstDetail + plan.detailCount; ++d) {
            paintBand(p, details[d], y, unitsPerMm, i + 1, total);
            y += details[d].height;
        }
        if (plan.summary) paintBand(p, summary, y, unitsPerMm, i + 1, total);
        paintBand(p, pageFooter, s.height() - margins.bottom() - pageFooter.height, unitsPerMm, i + 1, total);
    }
    p.end();
}

bool Report::writePdf(const QString& file) const {
    QPdfWriter writer(file);
    writer.setTitle(title);
    writer.setResolution(300);
    render(&writer);
    return QFile::exists(file);
}

void Report::preview() const {
    Ui::get().printPreview(title, [this](QPrinter* printer) { render(printer); });
}

} // namespace Reports
