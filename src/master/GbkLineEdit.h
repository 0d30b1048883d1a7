#pragma once
// Entry fields limited in GBK bytes, the way every text of the system is
// counted: a Chinese character takes two bytes, a Latin letter one. A field
// never takes a text whose GBK form is longer than its limit; a keystroke,
// paste or drop that would go beyond it is refused as a whole, so no
// character is ever cut in half. A field may also be limited to a set of
// characters (digits, or digits and the point for prices); navigation,
// deleting and Enter are never affected.
//
// A text put in by the program (a stored value loaded into the field) is
// shown as it is even when it is longer than the limit; the user can then
// shorten it but not lengthen it.

#include <QLineEdit>
#include <QPointer>
#include <QValidator>

class GbkLimitValidator : public QValidator {
    Q_OBJECT
public:
    // byteLimit <= 0: no length limit; allowed empty: every character.
    GbkLimitValidator(int byteLimit, const QString& allowed, QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;

    int byteLimit() const { return limit_; }
    QString allowed() const { return allowed_; }
    void setByteLimit(int bytes) { limit_ = bytes; }
    void setAllowed(const QString& chars) { allowed_ = chars; }

    // The text the field holds now; an edit is measured against it.
    void setBaseline(const QString& text);

    // Installs a validator on edit (replacing any other) and keeps its
    // baseline in step with the field. Returns the validator, owned by edit.
    static GbkLimitValidator* attach(QLineEdit* edit, int byteLimit, const QString& allowed = QString());

private:
    int disallowedCount(const QString& text) const;

    int limit_;
    QString allowed_;
    int baselineBytes_ = 0;
    int baselineDisallowed_ = 0;
};

class GbkLineEdit : public QLineEdit {
    Q_OBJECT
public:
    // Characters for the common kinds of field.
    static inline const QString Digits = QStringLiteral("0123456789");
    static inline const QString Decimal = QStringLiteral("0123456789.");

    explicit GbkLineEdit(int byteLimit = 0, const QString& allowed = QString(), QWidget* parent = nullptr);

    int byteLimit() const { return validator_->byteLimit(); }
    void setByteLimit(int bytes);
    void setAllowedCharacters(const QString& chars);

private:
    GbkLimitValidator* validator_;
};

// Enter in a line edit, combo box or check box of window moves the focus to
// the next control in the tab order, as users of entry forms expect; Enter on
// a focused button still presses it.
void enterMovesFocus(QWidget* window);
