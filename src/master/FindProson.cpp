#include "master/FindProson.h"

#include "app/DataGrid.h"
#include "master/FinderHost.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {
struct Target {
    const char* target;
    const char* departmentLabel;
};
// The person fields of the entry windows; three of them also carry the
// person's department.
const Target kTargets[] = {
    {"frmIN_CG.Edit7.Text", ""},  {"frmIN_CG.Edit8.Text", ""},        {"frmOut_TH.Edit7.Text", ""},
    {"frmOut_TH.Edit8.Text", ""}, {"frmIN_GH.Edit2.Text", ""},        {"frmIN_GH.Edit3.Text", ""},
    {"frmOut_BS.Edit2.Text", ""}, {"frmOut_BS.Edit3.Text", ""},       {"frmOut_JC.Edit2.Text", "Label4"},
    {"frmOut_JC.Edit3.Text", ""}, {"frmOut_JC.Edit4.Text", ""},       {"frmOut_LY.Edit2.Text", "Label3"},
    {"frmOut_LY.Edit3.Text", ""}, {"frmDB_In.Edit1.Text", ""},        {"frmSQ_In.Edit2.Text", "Label3"},
    {"frmSQ_In.Edit3.Text", ""},  {"frmIn_BY.Edit2.Text", ""},        {"frmIn_BY.Edit3.Text", ""},
};
} // namespace

TfrmFindProson::TfrmFindProson(FinderHost& host)
    : FinderDialog(host, QStringLiteral("frmFindProson"), QStringLiteral("查找 人员"), QSize(480, 400)) {
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->hide();
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->hide();
}

int TfrmFindProson::ask(FinderHost& host, const QString& target, const QString& text) {
    TfrmFindProson f(host);
    f.setTarget(target);
    f.setSearchText(text);
    return f.exec();
}

void TfrmFindProson::setTarget(const QString& target) { Label1->setText(target); }
void TfrmFindProson::setSearchText(const QString& text) { Label2->setText(text); }

int TfrmFindProson::myRef() {
    const QString p = QStringLiteral("%") + Label2->text() + QStringLiteral("%");
    DBGrid1->setQuery(QStringLiteral("select theNum as 工号,DName as 部门名称,"
                                     "PName as 人员姓名,theJob as 职务 "
                                     " from SPerson"
                                     " Where PName Like ? OR thePY LIke ? OR theNum LIKE ? "
                                     " order by DName,PName"),
                      {p, p, p});
    DBGrid1->setFieldWidths({80, 100, 150, 100});
    return DBGrid1->rowCount();
}

void TfrmFindProson::FormShow() { myRef(); }

QString TfrmFindProson::editOf(const QString& target) {
    const QStringList parts = target.split(QLatin1Char('.'));
    if (parts.size() != 3 || parts[0].isEmpty() || parts[1].isEmpty() ||
        parts[2].compare(QLatin1String("Text"), Qt::CaseInsensitive) != 0)
        return QString();
    return parts[1];
}

QString TfrmFindProson::departmentLabelOf(const QString& target) {
    for (const Target& t : kTargets)
        if (target.compare(QLatin1String(t.target), Qt::CaseInsensitive) == 0) return QLatin1String(t.departmentLabel);
    return QString();
}

QStringList TfrmFindProson::knownTargets() {
    QStringList out;
    for (const Target& t : kTargets) out << QLatin1String(t.target);
    return out;
}

void TfrmFindProson::writeChoice(int row) {
    const QString target = Label1->text();
    const QString edit = editOf(target);
    if (edit.isEmpty()) return;
    host().setControlText(edit, DBGrid1->text(row, QStringLiteral("人员姓名")));
    const QString label = departmentLabelOf(target);
    if (!label.isEmpty()) host().setControlText(label, DBGrid1->text(row, QStringLiteral("部门名称")));
}
