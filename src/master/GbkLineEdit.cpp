#include "master/GbkLineEdit.h"

#include "platform/Gbk.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QSignalBlocker>

GbkLimitValidator::GbkLimitValidator(int byteLimit, const QString& allowed, QObject* parent)
    : QValidator(parent), limit_(byteLimit), allowed_(allowed) {}

int GbkLimitValidator::disallowedCount(const QString& text) const {
    if (allowed_.isEmpty()) return 0;
    int n = 0;
    for (QChar c : text)
        if (!allowed_.contains(c)) ++n;
    return n;
}

void GbkLimitValidator::setBaseline(const QString& text) {
    baselineBytes_ = Gbk::byteLength(text);
    baselineDisallowed_ = disallowedCount(text);
}

QValidator::State GbkLimitValidator::validate(QString& input, int& /*pos*/) const {
    if (disallowedCount(input) > baselineDisallowed_) return Invalid;
    if (limit_ > 0) {
        const int bytes = Gbk::byteLength(input);
        if (bytes > limit_ && bytes > baselineBytes_) return Invalid;
    }
    return Acceptable;
}

GbkLimitValidator* GbkLimitValidator::attach(QLineEdit* edit, int byteLimit, const QString& allowed) {
    auto* v = new GbkLimitValidator(byteLimit, allowed, edit);
    v->setBaseline(edit->text());
    edit->setValidator(v);
    QObject::connect(edit, &QLineEdit::textChanged, v, [edit, v](const QString& text) {
        const int oldBytes = v->baselineBytes_;
        const int oldDisallowed = v->baselineDisallowed_;
        v->setBaseline(text);
        // A text set by the program is shown even when the validator would
        // refuse it, but the line edit then stops undoing refused edits.
        // Setting the same text again, now measured against itself, puts the
        // field back into its normal state.
        const bool overLimit = v->limit_ > 0 && v->baselineBytes_ > v->limit_ && v->baselineBytes_ > oldBytes;
        if (overLimit || v->baselineDisallowed_ > oldDisallowed) {
            const QSignalBlocker block(edit);
            const int cursor = edit->cursorPosition();
            edit->setText(QString());
            edit->setText(text);
            edit->setCursorPosition(cursor);
        }
    });
    return v;
}

GbkLineEdit::GbkLineEdit(int byteLimit, const QString& allowed, QWidget* parent) : QLineEdit(parent) {
    validator_ = GbkLimitValidator::attach(this, byteLimit, allowed);
}

void GbkLineEdit::setByteLimit(int bytes) { validator_->setByteLimit(bytes); }

void GbkLineEdit::setAllowedCharacters(const QString& chars) {
    validator_->setAllowed(chars);
    validator_->setBaseline(text());
}

namespace {
class EnterToNext : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        if (key->modifiers() & ~(Qt::KeypadModifier)) return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w) return false;
        // A drop-down list that is open takes Enter as the choice.
        if (auto* box = qobject_cast<QComboBox*>(w); box && box->view() && box->view()->isVisible()) return false;
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(w, &tab);
        return true;
    }
};
} // namespace

void enterMovesFocus(QWidget* window) {
    auto* filter = new EnterToNext(window);
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QCheckBox*>(w)) {
            // The line edit inside an editable combo box is reached through its box.
            if (qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget())) continue;
            w->installEventFilter(filter);
        }
    }
}
