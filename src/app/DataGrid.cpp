#include "app/DataGrid.h"

#include "app/TfrmDM.h"
#include "platform/Db.h"
#include "platform/Money.h"

#include <QApplication>
#include <QBrush>
#include <QFont>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPalette>
#include <QSortFilterProxyModel>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QToolTip>

namespace {
bool isNumber(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

QString cellText(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return QString();
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) return Money::text(v.toDouble());
    if (isNumber(v)) return QString::number(v.toLongLong());
    return v.toString();
}

// Number of rows a width guess looks at, so that a long result shows at once.
constexpr int kContentRowsForWidth = 200;
constexpr int kMaxGuessedWidth = 300;
} // namespace

// The shown rows: sorted, coloured and formatted on top of the query model.
class DataGridModel : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    int sortedColumn = -1;
    Qt::SortOrder order = Qt::AscendingOrder;
    bool rowColors = true;

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        switch (role) {
        case Qt::DisplayRole:
            return cellText(QSortFilterProxyModel::data(index, Qt::EditRole));
        case Qt::TextAlignmentRole:
            if (isNumber(QSortFilterProxyModel::data(index, Qt::EditRole)))
                return int(Qt::AlignRight | Qt::AlignVCenter);
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            if (!rowColors) return {};
            return QBrush(index.row() % 2 == 0 ? DataGrid::oddRowColor() : DataGrid::evenRowColor());
        case Qt::ForegroundRole:
            if (!rowColors) return {};
            // Dark text on the light row colours, whatever the window theme.
            return QBrush(index.row() % 2 == 0 ? QColor(Qt::black) : QToolTip::palette().color(QPalette::ToolTipText));
        default:
            return QSortFilterProxyModel::data(index, role);
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && section == sortedColumn && sortedColumn >= 0) {
            if (role == Qt::FontRole) {
                QFont f = QApplication::font("QHeaderView");
                f.setBold(true);
                return f;
            }
            if (role == Qt::ForegroundRole)
                return QBrush(order == Qt::AscendingOrder ? DataGrid::ascendingTitleColor() : DataGrid::descendingTitleColor());
        }
        return QSortFilterProxyModel::headerData(section, orientation, role);
    }

    // The titles' fonts and colours follow the sort.
    void refreshTitles() { emit headerDataChanged(Qt::Horizontal, 0, qMax(0, columnCount() - 1)); }
};

DataGrid::DataGrid(QWidget* parent) : QTableView(parent) {
    source_ = new QSqlQueryModel(this);
    proxy_ = new DataGridModel(this);
    proxy_->setSourceModel(source_);
    proxy_->setSortRole(Qt::EditRole);
    proxy_->setSortCaseSensitivity(Qt::CaseInsensitive);
    proxy_->setSortLocaleAware(true);
    proxy_->setDynamicSortFilter(false);
    setModel(proxy_);

    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(qMax(20, fontMetrics().height() + 6));
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSortIndicatorShown(false);
    horizontalHeader()->setStretchLastSection(false);

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &DataGrid::titleClicked);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) emit chosen(index.row());
    });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) { emit currentRowChanged(current.isValid() ? current.row() : -1); });
}

DataGrid::~DataGrid() = default;

void DataGrid::setQuery(const QString& sql, const QVariantList& params) { setQuery(DM().db(), sql, params); }

void DataGrid::setQuery(Db& db, const QString& sql, const QVariantList& params) { run(db, sql, params, false); }

void DataGrid::reload() {
    if (!db_ || sql_.isEmpty()) return;
    run(*db_, sql_, params_, true);
}

void DataGrid::clearResult() {
    clearSort();
    source_->clear();
    sql_.clear();
    params_.clear();
    db_ = nullptr;
}

void DataGrid::run(Db& db, const QString& sql, const QVariantList& params, bool keepState) {
    const int keptRow = currentRow();
    const int keptColumn = currentIndex().isValid() ? currentIndex().column() : -1;
    const int keptSortColumn = proxy_->sortedColumn;
    const Qt::SortOrder keptOrder = proxy_->order;
    QString keptSortField = keptSortColumn >= 0 ? fieldName(keptSortColumn) : QString();
    QHash<QString, int> keptWidths;
    if (keepState) {
        for (int c = 0; c < columnCount(); ++c)
            if (!isColumnHidden(c)) keptWidths.insert(fieldName(c).toLower(), columnWidth(c));
    }

    // Unsort first, so the new result is not sorted by a stale column.
    proxy_->sortedColumn = -1;
    proxy_->sort(-1);
    QSqlQuery q;
    try {
        q = db.modelQuery(sql, params);
    } catch (...) {
        source_->clear();
        sql_.clear();
        params_.clear();
        db_ = nullptr;
        proxy_->refreshTitles();
        throw;
    }
    db_ = &db;
    sql_ = sql;
    params_ = params;
    source_->setQuery(std::move(q));
    while (source_->canFetchMore()) source_->fetchMore();
    applyLayout(keptWidths);

    if (keepState && !keptSortField.isEmpty() && fieldIndex(keptSortField) >= 0) {
        sortBy(keptSortField, keptOrder);
    } else {
        proxy_->refreshTitles();
        if (keptSortColumn >= 0) emit sortChanged(QString());
    }

    if (rowCount() == 0) return;
    int row = keepState && keptRow >= 0 ? qMin(keptRow, rowCount() - 1) : 0;
    int column = keepState && keptColumn >= 0 && keptColumn < columnCount() && !isColumnHidden(keptColumn) ? keptColumn : -1;
    if (column < 0) {
        for (int c = 0; c < columnCount(); ++c)
            if (!isColumnHidden(c)) { column = c; break; }
    }
    if (column < 0) column = 0;
    setCurrentIndex(proxy_->index(row, column));
}

void DataGrid::applyLayout(const QHash<QString, int>& keptWidths) {
    const int n = columnCount();
    for (int c = 0; c < n; ++c) {
        const QString key = fieldName(c).toLower();
        setColumnHidden(c, hidden_.contains(key));
        if (hidden_.contains(key)) continue;
        if (widths_.contains(key)) {
            setColumnWidth(c, widths_.value(key));
        } else if (keptWidths.contains(key)) {
            setColumnWidth(c, keptWidths.value(key));
        } else {
            // A guess from the title and the first rows.
            QFont bold = horizontalHeader()->font();
            bold.setBold(true);  // a sorted title is bold
            int w = QFontMetrics(bold).horizontalAdvance(fieldName(c)) + 16;
            const int rows = qMin(rowCount(), kContentRowsForWidth);
            const QFontMetrics fm(font());
            for (int r = 0; r < rows; ++r) w = qMax(w, fm.horizontalAdvance(text(r, c)) + 12);
            setColumnWidth(c, qMin(w, kMaxGuessedWidth));
        }
    }
}

int DataGrid::rowCount() const { return proxy_->rowCount(); }
int DataGrid::columnCount() const { return source_->columnCount(); }

QString DataGrid::fieldName(int column) const {
    if (column < 0 || column >= columnCount()) return QString();
    return source_->record().fieldName(column);
}

int DataGrid::fieldIndex(const QString& field) const {
    const int n = columnCount();
    for (int c = 0; c < n; ++c)
        if (fieldName(c).compare(field, Qt::CaseInsensitive) == 0) return c;
    return -1;
}

QModelIndex DataGrid::sourceIndex(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return {};
    return proxy_->mapToSource(proxy_->index(row, column));
}

QVariant DataGrid::value(int row, int column) const {
    const QModelIndex i = sourceIndex(row, column);
    return i.isValid() ? source_->data(i, Qt::EditRole) : QVariant();
}

QVariant DataGrid::value(int row, const QString& field) const { return value(row, fieldIndex(field)); }
QString DataGrid::text(int row, int column) const { return cellText(value(row, column)); }
QString DataGrid::text(int row, const QString& field) const { return cellText(value(row, field)); }

int DataGrid::currentRow() const {
    const QModelIndex i = currentIndex();
    return i.isValid() && i.row() < rowCount() ? i.row() : -1;
}

void DataGrid::setCurrentRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    int column = currentIndex().isValid() ? currentIndex().column() : -1;
    if (column < 0 || isColumnHidden(column)) {
        column = 0;
        for (int c = 0; c < columnCount(); ++c)
            if (!isColumnHidden(c)) { column = c; break; }
    }
    const QModelIndex i = proxy_->index(row, column);
    setCurrentIndex(i);
    scrollTo(i);
}

bool DataGrid::locate(const QString& field, const QVariant& v) {
    const int c = fieldIndex(field);
    if (c < 0) return false;
    for (int r = 0; r < rowCount(); ++r) {
        const QVariant cell = value(r, c);
        const bool same = isNumber(cell) && isNumber(v) ? cell.toDouble() == v.toDouble()
                                                        : cell.toString().compare(v.toString(), Qt::CaseInsensitive) == 0;
        if (same) {
            setCurrentRow(r);
            return true;
        }
    }
    return false;
}

void DataGrid::setFieldWidth(const QString& field, int width) {
    widths_.insert(field.toLower(), width);
    const int c = fieldIndex(field);
    if (c >= 0) setColumnWidth(c, width);
}

void DataGrid::setFieldWidths(const QList<int>& widths) {
    for (int c = 0; c < widths.size() && c < columnCount(); ++c) setFieldWidth(fieldName(c), widths[c]);
}

void DataGrid::setFieldHidden(const QString& field, bool hidden) {
    if (hidden) hidden_.insert(field.toLower());
    else hidden_.remove(field.toLower());
    const int c = fieldIndex(field);
    if (c >= 0) setColumnHidden(c, hidden);
}

bool DataGrid::isFieldHidden(const QString& field) const { return hidden_.contains(field.toLower()); }

void DataGrid::titleClicked(int column) {
    if (!sortable_ || column < 0 || column >= columnCount()) return;
    toggleSort(fieldName(column));
}

void DataGrid::toggleSort(const QString& field) {
    const int c = fieldIndex(field);
    if (c < 0) return;
    const bool ascendingNow = proxy_->sortedColumn == c && proxy_->order == Qt::AscendingOrder;
    sortBy(field, ascendingNow ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void DataGrid::sortBy(const QString& field, Qt::SortOrder order) {
    const int c = fieldIndex(field);
    if (c < 0) return;
    proxy_->sortedColumn = c;
    proxy_->order = order;
    proxy_->sort(c, order);
    proxy_->refreshTitles();
    if (currentRow() >= 0) scrollTo(currentIndex());
    emit sortChanged(sortText());
}

void DataGrid::clearSort() {
    const bool was = proxy_->sortedColumn >= 0;
    proxy_->sortedColumn = -1;
    proxy_->sort(-1);
    proxy_->refreshTitles();
    if (was) emit sortChanged(QString());
}

QString DataGrid::sortText() const {
    if (proxy_->sortedColumn < 0) return QString();
    return fieldName(proxy_->sortedColumn) +
           (proxy_->order == Qt::AscendingOrder ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
}

void DataGrid::setRowColors(bool on) {
    proxy_->rowColors = on;
    viewport()->update();
}

bool DataGrid::rowColors() const { return proxy_->rowColors; }

QColor DataGrid::oddRowColor() { return QColor(191, 255, 223); }
QColor DataGrid::evenRowColor() { return QToolTip::palette().color(QPalette::ToolTipBase); }

void DataGrid::keyboardSearch(const QString&) {}

void DataGrid::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        event->accept();
        const int row = currentRow();
        if (row >= 0) emit chosen(row);
        return;
    }
    QTableView::keyPressEvent(event);
}
