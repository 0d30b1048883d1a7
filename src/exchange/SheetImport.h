#pragma once
// Importing master data from a worksheet: articles (optionally with an
// opening stock), persons and suppliers. Rows that are already in the
// database (by article code, staff number, supplier name) are left as they
// are; missing types, places and departments are created on the way.
//
// Every row is checked before anything is written: a price or quantity that
// is no number, or a value longer than its column even after the cut to its
// byte length, throws SheetError naming the sheet row, and the database stays
// as it was. The writes of one import run in one transaction.

#include "platform/SheetReader.h"

#include <QString>
#include <QStringList>

class TfrmDM;

namespace SheetImport {

// The headers each import reads (their order in the sheet does not matter).
const QStringList& articleHeaders();
const QStringList& personHeaders();
const QStringList& supplierHeaders();

// Throws SheetError naming every header the table lacks.
void requireHeaders(const SheetTable& table, const QStringList& headers);

struct ArticleOptions {
    bool saveStock = false;  // book 库存数量 into the storage as "物品导入"
    QString storageId;       // SStorage.ID, required when saveStock
};

// Each returns the number of records inserted.
int importArticles(TfrmDM& dm, const SheetTable& table, const ArticleOptions& options);
int importPersons(TfrmDM& dm, const SheetTable& table);
int importSuppliers(TfrmDM& dm, const SheetTable& table);

} // namespace SheetImport
