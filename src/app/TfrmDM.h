#pragma once
// The data module: the one database connection of the run and the small
// services through which every window counts rows, executes statements, books
// stock movements, appends to the ledger, draws document numbers and fills
// drop-down lists.
//
// Booking one movement is always SaveWare followed by mySaveUWList: the stock
// changes first, so the ledger row's KCCount is the stock after the movement.
// Quantities out of stock are passed with a leading "-" to SaveWare; the
// ledger gets the positive quantity in theIn or theOut.

#include "platform/Db.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSqlQueryModel>
#include <QString>
#include <QVariantList>

#include <memory>

class QComboBox;

class TfrmDM : public QObject {
    Q_OBJECT
public:
    explicit TfrmDM(QObject* parent = nullptr);
    ~TfrmDM() override;

    Db& db() { return db_; }
    // Opens the program's database file (never creates it).
    void open(const QString& file);

    // Executes one statement.
    void myESQL(const QString& sql, const QVariantList& params = {});
    // The number of rows a select yields.
    int myRetCount(const QString& sql, const QVariantList& params = {});
    // WCount of (storage, article) as text, "0" when there is no single stock row.
    QString myRetKCCount(const QString& storageId, const QString& articleId);
    // Changes the stock of one article in one storage by a signed quantity
    // ("5" in, "-2.5" out). Any empty argument: nothing happens.
    void SaveWare(const QString& articleId, const QString& signedQuantity, const QString& storageId);
    // Appends one ledger row with the stock as it is now.
    void mySaveUWList(const QString& eventType, const QString& docNum, const QString& storageId,
                      const QString& articleId, const QString& quantityIn, const QString& quantityOut);
    // The next number of a row of table entered on the login date: yymmdd + 4-digit sequence.
    QString NewNum(const QString& table);
    // The attached file name of an article ("17.pdf"), empty when it has none.
    QString myRetAF(const QString& articleId);

    // Lookup lists: one shared list per kind. Every box filled by the same
    // service shows the same list; refilling it changes them all. A box that
    // already showed the list keeps the key it had chosen (nothing chosen when
    // the key is no longer listed), so a dialog that fills its own box never
    // changes what the window below it has chosen.
    void DBComDepartment(QComboBox* box);
    void DBComPerson(QComboBox* box, const QString& department);
    void DBComPersonAll(QComboBox* box);
    void DBComAType(QComboBox* box);
    void DBComStorage(QComboBox* box);
    void DBComSUser(QComboBox* box);
    void DBComSPlace(QComboBox* box);
    void DBComUAPack(QComboBox* box);

    // " AND (column IN (?,?)) " with the user's storages appended to params;
    // empty when the user may see every storage.
    static QString storageClause(const QString& column, QVariantList& params);

private:
    void fillLookup(int kind, QComboBox* box, const QString& sql, const QVariantList& params, int shownColumn);

    Db db_;
    std::unique_ptr<QSqlQueryModel> lists_[8];
    QList<QPointer<QComboBox>> boxes_[8];  // the boxes bound to each list
};

// The data module of the run.
TfrmDM& DM();
bool hasDM();

// The key a lookup box yields (the storage ID for storage boxes, the name
// otherwise); empty when nothing is chosen.
QString lookupKey(const QComboBox* box);
// Selects the row whose key is value; false (and no selection) when there is none.
bool setLookupKey(QComboBox* box, const QString& value);
