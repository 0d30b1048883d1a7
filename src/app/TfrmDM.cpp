#include "app/TfrmDM.h"

#include "app/Session.h"
#include "platform/Money.h"

#include <QComboBox>
#include <QDate>
#include <QRegularExpression>
#include <QSqlQuery>

namespace {
TfrmDM* current = nullptr;

enum Lists { LDepartment, LPerson, LStorage, LPersonAll, LAType, LSUser, LSPlace, LUAPack };

// Quantities arrive as text; the engine would refuse a malformed one, and so do we.
double quantity(const QString& text) {
    double v = 0;
    if (!Money::parse(text, &v)) throw DbError(QStringLiteral("数量格式不正确：%1").arg(text));
    return v;
}

qlonglong id(const QString& text) {
    bool ok = false;
    qlonglong v = text.trimmed().toLongLong(&ok);
    if (!ok) throw DbError(QStringLiteral("编号格式不正确：%1").arg(text));
    return v;
}
} // namespace

TfrmDM::TfrmDM(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("frmDM"));
    for (auto& l : lists_) l = std::make_unique<QSqlQueryModel>();
    current = this;
}

TfrmDM::~TfrmDM() {
    for (auto& l : lists_) l->clear();
    if (current == this) current = nullptr;
}

void TfrmDM::open(const QString& file) { db_.openExisting(file); }

void TfrmDM::myESQL(const QString& sql, const QVariantList& params) { db_.exec(sql, params); }

int TfrmDM::myRetCount(const QString& sql, const QVariantList& params) { return db_.count(sql, params); }

QString TfrmDM::myRetKCCount(const QString& storageId, const QString& articleId) {
    // UWare holds at most one row per pair (unique index).
    const QVariant v = db_.scalar(QStringLiteral("select WCount from UWare Where sid=? and aid=?"), {id(storageId), id(articleId)});
    return v.isValid() ? Money::text(v.toDouble()) : QStringLiteral("0");
}

void TfrmDM::SaveWare(const QString& articleId, const QString& signedQuantity, const QString& storageId) {
    if (articleId.isEmpty() || signedQuantity.isEmpty() || storageId.isEmpty()) return;
    QString qtyText = signedQuantity;
    // "-" + "-2" from a caller negating a negative quantity reads as +2.
    if (qtyText.startsWith(QStringLiteral("--"))) qtyText = qtyText.mid(2);
    const double q = quantity(qtyText);
    const qlonglong aid = id(articleId), sid = id(storageId);
    db_.exec(QStringLiteral("INSERT INTO UWare(AID, WCount, SID) VALUES(?, ?, ?) "
                            "ON CONFLICT(AID, SID) DO UPDATE SET WCount = round(WCount + excluded.WCount, 4)"),
             {aid, q, sid});
}

void TfrmDM::mySaveUWList(const QString& eventType, const QString& docNum, const QString& storageId,
                          const QString& articleId, const QString& quantityIn, const QString& quantityOut) {
    const QString stock = myRetKCCount(storageId, articleId);
    db_.exec(QStringLiteral("INSERT INTO UWList(theType, theNum, SID, AID, theIn, theOut, theDate, UName, KCCount) "
                            "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {eventType, docNum, id(storageId), id(articleId), quantity(quantityIn), quantity(quantityOut),
              session().LoginDate, session().UserName, quantity(stock)});
}

QString TfrmDM::NewNum(const QString& table) {
    // A table name cannot be bound; only plain identifiers of existing tables pass.
    static const QRegularExpression ident(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!ident.match(table).hasMatch() || !db_.hasTable(table))
        throw DbError(QStringLiteral("no such table: %1").arg(table));
    const int n = db_.scalar(QStringLiteral("select count(*) from %1 Where theDate=?").arg(table), {session().LoginDate}).toInt();
    QString seq = QString::number(n + 1);
    if (seq.size() < 4) seq = seq.rightJustified(4, QLatin1Char('0'));
    const QDate d = QDate::fromString(session().LoginDate, QStringLiteral("yyyy-MM-dd"));
    return d.toString(QStringLiteral("yyMMdd")) + seq;
}

QString TfrmDM::myRetAF(const QString& articleId) {
    QSqlQuery q = db_.query(QStringLiteral("SELECT AID, FType, FSize FROM UAFiles WHERE (AID = ?)"), {id(articleId)});
    int n = 0;
    QString name;
    while (q.next()) {
        if (++n == 1) name = q.value(0).toString() + QLatin1Char('.') + q.value(1).toString();
    }
    return n == 1 ? name : QString();
}

void TfrmDM::fillLookup(int kind, QComboBox* box, const QString& sql, const QVariantList& params, int shownColumn) {
    QSqlQueryModel* model = lists_[kind].get();
    // A new list makes a box choose its first row; every box already bound to
    // the list gets its own choice back instead.
    QList<QPointer<QComboBox>>& bound = boxes_[kind];
    bound.removeIf([model](const QPointer<QComboBox>& b) { return !b || b->model() != model; });
    QList<QPair<QPointer<QComboBox>, QString>> chosen;
    for (const QPointer<QComboBox>& b : bound) chosen.append({b, lookupKey(b)});
    model->setQuery(db_.modelQuery(sql, params));
    while (model->canFetchMore()) model->fetchMore();
    for (const auto& c : chosen) {
        if (!c.first) continue;
        if (c.second.isEmpty()) c.first->setCurrentIndex(-1);
        else setLookupKey(c.first, c.second);
    }
    if (box) {
        box->setModel(model);
        box->setModelColumn(shownColumn);
        box->setProperty("lookupKeyColumn", 0);
        if (!bound.contains(box)) bound.append(box);
    }
}

void TfrmDM::DBComDepartment(QComboBox* box) {
    fillLookup(LDepartment, box, QStringLiteral("select DName from SDepartment"), {}, 0);
}
void TfrmDM::DBComPerson(QComboBox* box, const QString& department) {
    fillLookup(LPerson, box, QStringLiteral("select PName from SPerson where DName=?"), {department}, 0);
}
void TfrmDM::DBComPersonAll(QComboBox* box) {
    fillLookup(LPersonAll, box, QStringLiteral("select PName from SPerson"), {}, 0);
}
void TfrmDM::DBComAType(QComboBox* box) { fillLookup(LAType, box, QStringLiteral("select theName from UAType"), {}, 0); }
void TfrmDM::DBComStorage(QComboBox* box) {
    QVariantList params;
    QString sql = QStringLiteral("select ID, SName from SStorage");
    const QStringList& names = session().UserStorageNames;
    if (!names.isEmpty()) {
        QStringList marks;
        for (const QString& n : names) { marks << QStringLiteral("?"); params << n; }
        sql += QStringLiteral(" where SName IN (%1) ").arg(marks.join(QLatin1Char(',')));
    }
    fillLookup(LStorage, box, sql, params, 1);
}
void TfrmDM::DBComSUser(QComboBox* box) { fillLookup(LSUser, box, QStringLiteral("select UName from SUser"), {}, 0); }
void TfrmDM::DBComSPlace(QComboBox* box) { fillLookup(LSPlace, box, QStringLiteral("select PName from SPlace"), {}, 0); }
void TfrmDM::DBComUAPack(QComboBox* box) { fillLookup(LUAPack, box, QStringLiteral("select theName from UAPack"), {}, 0); }

QString TfrmDM::storageClause(const QString& column, QVariantList& params) {
    const QStringList& names = session().UserStorageNames;
    if (names.isEmpty()) return QString();
    QStringList marks;
    for (const QString& n : names) { marks << QStringLiteral("?"); params << n; }
    return QStringLiteral(" AND (%1 IN (%2)) ").arg(column, marks.join(QLatin1Char(',')));
}

TfrmDM& DM() {
    Q_ASSERT(current);
    return *current;
}
bool hasDM() { return current != nullptr; }

QString lookupKey(const QComboBox* box) {
    if (!box || box->currentIndex() < 0 || !box->model()) return QString();
    int keyCol = box->property("lookupKeyColumn").isValid() ? box->property("lookupKeyColumn").toInt() : box->modelColumn();
    return box->model()->index(box->currentIndex(), keyCol).data().toString();
}

bool setLookupKey(QComboBox* box, const QString& value) {
    if (!box || !box->model()) return false;
    int keyCol = box->property("lookupKeyColumn").isValid() ? box->property("lookupKeyColumn").toInt() : box->modelColumn();
    for (int r = 0; r < box->model()->rowCount(); ++r) {
        if (box->model()->index(r, keyCol).data().toString() == value) {
            box->setCurrentIndex(r);
            return true;
        }
    }
    box->setCurrentIndex(-1);
    return false;
}
