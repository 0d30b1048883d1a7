#include "master/ArticleEntry.h"

#include "master/FinderHost.h"
#include "master/GbkLineEdit.h"
#include "platform/Guard.h"
#include "platform/Money.h"

#include <QPushButton>
#include <QTableWidget>

using namespace ArticleEdit;

TfrmA_In::TfrmA_In(FinderHost* host, const QString& callerCode, const QString& searchedText, QWidget* parent)
    : ArticleDialogBase(parent ? parent : (host ? host->finderWindow() : nullptr), QString(), callerCode), host_(host) {
    setObjectName(QStringLiteral("frmA_In"));
    setWindowTitle(QStringLiteral("物品录入"));
    GroupBox1->Edit1->setText(searchedText);
    setTabOrder(GroupBox1->lastControl(), BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    enterMovesFocus(this);
}

void TfrmA_In::FormShow() {
    if (GroupBox1->Edit1->text().isEmpty()) GroupBox1->Edit1->setText(proposeCode());
    // The searched text is usually a name typed in the code cell; the user
    // goes on with the name.
    GroupBox1->Edit2->setFocus();
}

void TfrmA_In::BitBtn1Click() {
    const Fields f = GroupBox1->fields();
    qlonglong id = 0;
    const Outcome o = ArticleEdit::create(f, &id);
    if (!o.ok()) {
        refuse(o, GroupBox1->editorOf(o.field));
        return;
    }
    newId_ = id;
    writeLine(f);
    emit saved(callerCode_);
    accept();
}

void TfrmA_In::writeLine(const Fields& f) {
    if (!host_) return;
    const int line = host_->currentLine();
    if (line < 1 || line >= host_->lineCount()) return;
    double price = 0;
    Money::parse(f.price, &price);  // checked by create()
    const QString p = Money::text(price);
    const QString cells[] = {f.code, f.name, f.standard, f.unit, p, QStringLiteral("1"), p, f.remark,
                             QString::number(newId_)};
    for (int c = 0; c < 9; ++c) host_->setLineCell(line, c + 1, cells[c]);
    const int next = line + 1 < host_->lineCount() ? line + 1 : line;
    if (QTableWidget* grid = host_->lineGrid()) grid->setCurrentCell(next, 1);
    else host_->setCurrentLine(next);
    host_->focusLines();
}
