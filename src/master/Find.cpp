#include "master/Find.h"

#include "app/DataGrid.h"
#include "master/FinderHost.h"

#include <stdexcept>

TfrmFind::TfrmFind(FinderHost& host, const QString& mode)
    : FinderDialog(host, QStringLiteral("frmFind"), QStringLiteral("供应商 查找"), QSize(720, 400)),
      mode_(mode.toUpper()) {
    if (mode_ != QLatin1String("CG") && mode_ != QLatin1String("TH"))
        throw std::invalid_argument("TfrmFind: unknown mode " + mode.toStdString());
    DBGrid1->setFieldHidden(QStringLiteral("FindID"));
}

int TfrmFind::ask(FinderHost& host, const QString& mode) {
    TfrmFind f(host, mode);
    f.search(host.controlText(QStringLiteral("Edit1")));
    return f.exec();
}

int TfrmFind::search(const QString& text) {
    const QString p = QStringLiteral("%") + text + QStringLiteral("%");
    DBGrid1->setQuery(QStringLiteral("select ID as FindID,"
                                     "MName as 商家名称,MPhone as 电话号码,MProson as 联系人,"
                                     "MAddress as 地址,Remark as 备注"
                                     " from UMerchant"
                                     " Where thePY Like ? OR MName Like ?"),
                      {p, p});
    const struct { const char* field; int width; } widths[] = {
        {"商家名称", 200}, {"电话号码", 100}, {"联系人", 100}, {"地址", 150}, {"备注", 100}};
    for (const auto& w : widths) DBGrid1->setFieldWidth(QString::fromUtf8(w.field), w.width);
    return DBGrid1->rowCount();
}

void TfrmFind::writeChoice(int row) {
    FinderHost& h = host();
    // The name first: the opener empties the other fields when its name
    // field becomes empty, so they are written after it.
    h.setControlText(QStringLiteral("Edit1"), DBGrid1->text(row, QStringLiteral("商家名称")));
    h.setControlText(QStringLiteral("Edit2"), DBGrid1->text(row, QStringLiteral("电话号码")));
    h.setControlText(QStringLiteral("Edit3"), DBGrid1->text(row, QStringLiteral("联系人")));
    h.setControlText(QStringLiteral("Edit4"), DBGrid1->text(row, QStringLiteral("地址")));
    h.setControlText(QStringLiteral("Edit5"), DBGrid1->text(row, QStringLiteral("备注")));
    h.setControlText(QStringLiteral("LabJSSID"), DBGrid1->text(row, QStringLiteral("FindID")));
    h.focusLines();
}
