#include "master/TfrmRegister.h"

#include "app/DataGrid.h"
#include "app/TfrmDM.h"
#include "master/GbkLineEdit.h"
#include "platform/Guard.h"
#include "platform/Money.h"
#include "platform/Ui.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleValidator>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TfrmRegister::TfrmRegister(const RegisterSpec& spec, QWidget* parent)
    : QWidget(parent), spec_(spec), logic_(spec_, DM()) {
    setObjectName(spec_.className.mid(1));
    setWindowTitle(spec_.caption);
    resize(960, 640);

    auto* layout = new QVBoxLayout(this);
    buildGrid();
    layout->addWidget(Panel3, 1);
    buildEditors();
    layout->addWidget(GroupBox1);
    buildButtons();

    // The lookup lists are filled when the window is created.
    for (const RegisterEditor& e : spec_.editors)
        if (e.kind == EditorKind::Lookup && e.fill) e.fill(comboBox(e.name));

    Ref();
    setState(State::Browse);
    if (spec_.setup) spec_.setup(*this);
    // The buttons' Alt+letter keys are looked at before the main menu's.
    qApp->installEventFilter(this);
}

TfrmRegister::~TfrmRegister() = default;

void TfrmRegister::buildGrid() {
    Panel3 = new QFrame(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    auto* l = new QVBoxLayout(Panel3);
    l->setContentsMargins(0, 0, 0, 0);
    DBGrid1 = new DataGrid(Panel3);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
    DBGrid1->setSortable(spec_.sortableTitles);
    for (const QString& f : spec_.hidden) DBGrid1->setFieldHidden(f);
    for (const auto& w : spec_.widths) DBGrid1->setFieldWidth(w.first, w.second);
    l->addWidget(DBGrid1);
    connect(DBGrid1, &DataGrid::currentRowChanged, this, [this] {
        if (state_ == State::Browse) showRow();
    });
}

void TfrmRegister::buildEditors() {
    GroupBox1 = new QGroupBox(spec_.group, this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    editorLayout_ = new QGridLayout(GroupBox1);
    editorLayout_->setHorizontalSpacing(8);
    const int perRow = spec_.editors.size() > 3 ? 2 : 1;
    int i = 0;
    for (const RegisterEditor& e : spec_.editors) {
        const int row = i / perRow, col = (i % perRow) * 2;
        auto* label = new QLabel(e.label.isEmpty() ? e.field + QStringLiteral("：") : e.label, GroupBox1);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QWidget* w = nullptr;
        if (e.kind == EditorKind::Lookup) {
            auto* box = new QComboBox(GroupBox1);
            box->setEditable(false);
            box->setMinimumWidth(220);
            box->setToolTip(QStringLiteral("按 Delete 键清除所选%1").arg(e.field));
            // A choice from the list replaces a kept value that is no longer listed.
            connect(box, &QComboBox::activated, this, [this, box] { keepLookupValue(box, QString()); });
            w = box;
        } else {
            auto* edit = new QLineEdit(GroupBox1);
            if (e.maxLength > 0) edit->setMaxLength(e.maxLength);
            if (e.kind == EditorKind::Number)
                edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*\\.?[0-9]*")), edit));
            if (e.gbkBytes > 0)
                GbkLimitValidator::attach(edit, e.gbkBytes, e.kind == EditorKind::Number ? GbkLineEdit::Decimal : QString());
            edit->setMinimumWidth(220);
            w = edit;
        }
        w->setObjectName(e.name);
        label->setBuddy(w);
        editors_ << w;
        editorLayout_->addWidget(label, row, col);
        editorLayout_->addWidget(w, row, col + 1);
        ++i;
    }
    editorLayout_->setColumnStretch(1, 1);
    if (perRow > 1) editorLayout_->setColumnStretch(3, 1);
    noteRow_ = (i + perRow - 1) / perRow;
    for (int k = 1; k < editors_.size(); ++k) setTabOrder(editors_[k - 1], editors_[k]);
}

QLabel* TfrmRegister::addNote(const QString& objectName, const QString& text) {
    auto* note = new QLabel(text, GroupBox1);
    note->setObjectName(objectName);
    editorLayout_->addWidget(note, noteRow_++, 1, 1, editorLayout_->columnCount() - 1);
    return note;
}

void TfrmRegister::buildButtons() {
    auto* bar = new QHBoxLayout;
    static_cast<QVBoxLayout*>(layout())->addLayout(bar);

    DBNavigator1 = new QWidget(this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    auto* nl = new QHBoxLayout(DBNavigator1);
    nl->setContentsMargins(0, 0, 0, 0);
    nl->setSpacing(0);
    const QStyle::StandardPixmap icons[4] = {QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward,
                                             QStyle::SP_MediaSeekForward, QStyle::SP_MediaSkipForward};
    const char* hints[4] = {"第一条", "上一条", "下一条", "最后一条"};
    const char* names[4] = {"nbFirst", "nbPrior", "nbNext", "nbLast"};
    for (int k = 0; k < 4; ++k) {
        auto* b = new QToolButton(DBNavigator1);
        b->setObjectName(QString::fromLatin1(names[k]));
        b->setIcon(style()->standardIcon(icons[k]));
        b->setToolTip(QString::fromUtf8(hints[k]));
        b->setAutoRaise(false);
        b->setFixedSize(32, 28);
        b->setFocusPolicy(Qt::NoFocus);
        nl->addWidget(b);
        navButtons_[k] = b;
    }
    connectGuarded(navButtons_[0], &QToolButton::clicked, this, [this] { setCurrentRowIndex(0); });
    connectGuarded(navButtons_[1], &QToolButton::clicked, this,
                   [this] { setCurrentRowIndex(qMax(0, currentRowIndex() - 1)); });
    connectGuarded(navButtons_[2], &QToolButton::clicked, this,
                   [this] { setCurrentRowIndex(qMin(rowCount() - 1, currentRowIndex() + 1)); });
    connectGuarded(navButtons_[3], &QToolButton::clicked, this, [this] { setCurrentRowIndex(rowCount() - 1); });
    bar->addWidget(DBNavigator1);
    bar->addStretch(1);

    auto button = [this, bar](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(true);  // Enter on a focused button presses it
        b->setMinimumWidth(96);
        if (bar) bar->addWidget(b);
        return b;
    };
    ButNew = button("ButNew", "新增（&N）");
    ButMed = button("ButMed", "修改（&E）");
    saveStack_ = new QStackedWidget(this);
    saveStack_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    ButSave = new QPushButton(QStringLiteral("保存（&S）"), saveStack_);
    ButSave->setObjectName(QStringLiteral("ButSave"));
    ButSaveEdit = new QPushButton(QStringLiteral("保存（&S）"), saveStack_);
    ButSaveEdit->setObjectName(QStringLiteral("ButSaveEdit"));
    for (QPushButton* b : {ButSave, ButSaveEdit}) {
        b->setAutoDefault(true);
        b->setMinimumWidth(96);
        saveStack_->addWidget(b);
    }
    saveStack_->setFixedSize(ButSave->sizeHint().expandedTo(QSize(96, 0)));
    bar->addWidget(saveStack_);
    ButCan = button("ButCan", "取消（&C）");
    ButDel = button("ButDel", "删除（&D）");
    ButExi = button("ButExi", "退出（&X）");

    connectGuarded(ButNew, &QPushButton::clicked, this, [this] { ButNewClick(); });
    connectGuarded(ButMed, &QPushButton::clicked, this, [this] { ButMedClick(); });
    connectGuarded(ButSave, &QPushButton::clicked, this, [this] { ButSaveClick(); });
    connectGuarded(ButSaveEdit, &QPushButton::clicked, this, [this] { ButSaveEditClick(); });
    connectGuarded(ButCan, &QPushButton::clicked, this, [this] { ButCanClick(); });
    connectGuarded(ButDel, &QPushButton::clicked, this, [this] { ButDelClick(); });
    connectGuarded(ButExi, &QPushButton::clicked, this, [this] { ButExiClick(); });

    if (!editors_.isEmpty()) setTabOrder(editors_.last(), ButSave);
    setTabOrder(ButSave, ButSaveEdit);
    setTabOrder(ButSaveEdit, ButCan);
}

void TfrmRegister::setState(State s) {
    state_ = s;
    const bool browse = s == State::Browse;
    GroupBox1->setEnabled(!browse);
    ButNew->setEnabled(browse);
    ButMed->setEnabled(browse);
    ButDel->setEnabled(browse);
    ButCan->setEnabled(!browse);
    Panel3->setEnabled(browse);
    DBNavigator1->setEnabled(browse);
    saveStack_->setCurrentWidget(s == State::Editing ? ButSaveEdit : ButSave);
    ButSave->setEnabled(s == State::Inserting);
    ButSaveEdit->setEnabled(s == State::Editing);
}

// ---- rows ---------------------------------------------------------------

int TfrmRegister::rowCount() const { return DBGrid1->rowCount(); }

int TfrmRegister::currentRowIndex() const { return DBGrid1->currentRow(); }

void TfrmRegister::setCurrentRowIndex(int row) {
    if (row >= 0 && row < rowCount()) DBGrid1->setCurrentRow(row);
    showRow();
}

QVariant TfrmRegister::value(int row, const QString& field) const { return DBGrid1->value(row, field); }

RegisterRow TfrmRegister::currentRow() const {
    RegisterRow row;
    const int r = currentRowIndex();
    if (r < 0) return row;
    for (int c = 0; c < DBGrid1->columnCount(); ++c) row.insert(DBGrid1->fieldName(c), DBGrid1->value(r, c));
    return row;
}

void TfrmRegister::Ref() {
    // A new result: the sort is cleared and the first row is current.
    DBGrid1->setQuery(logic_.loadSql());
    showRow();
}

void TfrmRegister::refKeeping(qlonglong id) {
    // The same statement again, keeping the sort; then the row itself.
    DBGrid1->reload();
    if (!DBGrid1->locate(spec_.idField, id) && rowCount() > 0) DBGrid1->setCurrentRow(0);
    showRow();
}

// ---- editors ------------------------------------------------------------

QWidget* TfrmRegister::editor(const QString& name) const {
    for (QWidget* w : editors_)
        if (w->objectName() == name) return w;
    return nullptr;
}

QLineEdit* TfrmRegister::lineEdit(const QString& name) const { return qobject_cast<QLineEdit*>(editor(name)); }
QComboBox* TfrmRegister::comboBox(const QString& name) const { return qobject_cast<QComboBox*>(editor(name)); }

RegisterValues TfrmRegister::editorValues() const {
    RegisterValues v;
    for (const RegisterEditor& e : spec_.editors) {
        if (e.kind == EditorKind::Lookup) {
            QComboBox* box = comboBox(e.name);
            v.insert(e.column, box->currentIndex() >= 0 ? lookupKey(box) : box->property("keptKey").toString());
        } else {
            v.insert(e.column, lineEdit(e.name)->text());
        }
    }
    return v;
}

void TfrmRegister::keepLookupValue(QComboBox* box, const QString& value) {
    // A stored value that is no longer in the list (its type or place was
    // renamed or deleted) is shown greyed and kept on save, not lost.
    box->setProperty("keptKey", value);
    // Clearing the placeholder of a box without a choice makes Qt choose the
    // first row; the box keeps having none.
    const int index = box->currentIndex();
    box->setPlaceholderText(value);
    if (box->currentIndex() != index) box->setCurrentIndex(index);
}

void TfrmRegister::showRow() {
    const int r = currentRowIndex();
    if (r < 0) {
        clearEditors();
        return;
    }
    for (const RegisterEditor& e : spec_.editors) {
        const QVariant v = value(r, e.field);
        if (e.kind == EditorKind::Lookup) {
            QComboBox* box = comboBox(e.name);
            keepLookupValue(box, setLookupKey(box, v.toString()) ? QString() : v.toString());
        }
        else if (e.kind == EditorKind::Number) lineEdit(e.name)->setText(v.isNull() ? QString() : Money::text(v.toDouble()));
        else lineEdit(e.name)->setText(v.toString());
    }
}

void TfrmRegister::clearEditors() {
    for (const RegisterEditor& e : spec_.editors) {
        if (e.kind == EditorKind::Lookup) {
            comboBox(e.name)->setCurrentIndex(-1);
            keepLookupValue(comboBox(e.name), QString());
        } else {
            lineEdit(e.name)->clear();
        }
    }
}

void TfrmRegister::focusEditor(const QString& name) {
    if (QWidget* w = editor(name)) {
        w->setFocus(Qt::OtherFocusReason);
        if (auto* le = qobject_cast<QLineEdit*>(w)) le->selectAll();
    }
}

QWidget* TfrmRegister::nextInOrder(QWidget* from) const {
    const int i = editors_.indexOf(from);
    for (int k = i + 1; k < editors_.size(); ++k)
        if (editors_[k]->isEnabled()) return editors_[k];
    return saveStack_->currentWidget();
}

QPushButton* TfrmRegister::mnemonicButton(const QKeyEvent* ke) const {
    if (ke->modifiers() != Qt::AltModifier) return nullptr;
    const QKeySequence pressed(QKeyCombination(Qt::AltModifier, Qt::Key(ke->key())));
    for (QPushButton* b : {ButNew, ButMed, ButSave, ButSaveEdit, ButCan, ButDel, ButExi})
        if (b->isVisible() && b->isEnabled() && QKeySequence::mnemonic(b->text()) == pressed) return b;
    return nullptr;
}

bool TfrmRegister::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        // Alt+letter with the focus in this window: the window's button, not
        // a menu title of the main window with the same letter.
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && (w == this || isAncestorOf(w))) {
            auto* ke = static_cast<QKeyEvent*>(event);
            if (QPushButton* b = mnemonicButton(ke)) {
                if (event->type() == QEvent::ShortcutOverride) {
                    event->accept();
                } else {
                    b->setFocus(Qt::ShortcutFocusReason);
                    b->click();
                }
                return true;
            }
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(event);
        auto* w = qobject_cast<QWidget*>(watched);
        if ((ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) && w && editors_.contains(w) &&
            ke->modifiers() == Qt::NoModifier) {
            // Enter moves on like Tab; after the last editor it reaches 保存.
            if (QWidget* next = nextInOrder(w)) next->setFocus(Qt::TabFocusReason);
            return true;
        }
        if ((ke->key() == Qt::Key_Delete || ke->key() == Qt::Key_Backspace) && state_ != State::Browse) {
            // Delete in a drop-down chooses nothing again (an optional type or place).
            if (auto* box = qobject_cast<QComboBox*>(w); box && editors_.contains(box)) {
                box->setCurrentIndex(-1);
                keepLookupValue(box, QString());
                return true;
            }
        }
        if (ke->key() == Qt::Key_Escape && w && editors_.contains(w) && state_ != State::Browse) {
            // Escape drops the entry, as 取消 does.
            guarded([this] { ButCanClick(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- handlers -----------------------------------------------------------

void TfrmRegister::ButNewClick() {
    if (state_ != State::Browse) return;
    clearEditors();
    setState(State::Inserting);
    focusEditor(spec_.keyEditor);
    if (spec_.afterNew) spec_.afterNew(*this);
}

void TfrmRegister::ButMedClick() {
    if (state_ != State::Browse) return;
    QString key;
    if (QLineEdit* le = lineEdit(spec_.keyEditor)) key = le->text();
    else if (QComboBox* box = comboBox(spec_.keyEditor)) key = box->currentText();
    if (!logic_.mayStartEdit(hasCurrent(), key)) return;
    setState(State::Editing);
    focusEditor(spec_.keyEditor);
}

void TfrmRegister::afterSave(const RegisterResult& r, bool edit) {
    if (!r.ok) {
        if (!r.message.isEmpty()) showMessage(r.message);
        focusEditor(r.focus);
        return;
    }
    if (!edit || spec_.firstRowAfterEdit) Ref();
    else refKeeping(r.id);
    setState(State::Browse);
}

void TfrmRegister::ButSaveClick() {
    if (state_ != State::Inserting) return;
    afterSave(logic_.saveNew(editorValues()), false);
}

void TfrmRegister::ButSaveEditClick() {
    if (state_ != State::Editing) return;
    const qlonglong id = currentRow().value(spec_.idField).toLongLong();
    afterSave(logic_.saveEdit(id, editorValues()), true);
}

void TfrmRegister::ButCanClick() {
    if (state_ == State::Browse) return;
    setState(State::Browse);
    showRow();
}

void TfrmRegister::ButDelClick() {
    if (state_ != State::Browse) return;
    const RegisterResult r = logic_.remove(currentRow(), [] { return confirmDelete(); });
    if (!r.message.isEmpty()) showMessage(r.message);
    if (!r.ok) return;
    // The grid follows: the next row (the last when the last went), sort kept.
    DBGrid1->reload();
    showRow();
}

void TfrmRegister::ButExiClick() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
    else close();
}

QMenu* TfrmRegister::popupMenu() {
    if (!PopupMenu1) {
        PopupMenu1 = new QMenu(this);
        PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
        DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(DBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
            const QModelIndex i = DBGrid1->indexAt(pos);
            if (i.isValid()) setCurrentRowIndex(i.row());
            PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(pos));
        });
    }
    return PopupMenu1;
}

void TfrmRegister::showEvent(QShowEvent* e) {
    closing_ = false;
    QWidget::showEvent(e);
}

void TfrmRegister::closeEvent(QCloseEvent* e) {
    // A window inside the main window's area is closed through its frame,
    // which closes the window in turn: the note is shown once per close.
    if (!closing_ && !spec_.closeMessage.isEmpty()) showMessage(spec_.closeMessage);
    closing_ = true;
    e->accept();
}
