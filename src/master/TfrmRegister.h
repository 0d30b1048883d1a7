#pragma once
// The register window: a read-only grid over the register's table, an editor
// group bound to the current row, a four-button record navigator and the
// buttons "新增（&N）" to "退出（&X）", with three states:
//
//   browse     editors disabled; 新增/修改/删除 enabled; grid and navigator move
//   inserting  editors enabled and blank; 保存 (ButSave) and 取消 enabled
//   editing    editors enabled with the row; 保存 (ButSaveEdit) and 取消 enabled
//
// ButSave and ButSaveEdit lie in the same place; only one is shown at a time.
// Enter in an editor moves to the next one (from the last to 保存); Escape
// drops the entry like 取消. The buttons' Alt+letter keys work while the
// focus is in the window, ahead of the main menu's titles (保存 Alt+S, 统计 Alt+S).
// Everything a member differs in comes from its RegisterSpec; saving,
// checking and deleting are RegisterLogic's.

#include "master/RegisterLogic.h"
#include "master/RegisterSpec.h"

#include <QWidget>

class DataGrid;
class QComboBox;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStackedWidget;
class QToolButton;

class TfrmRegister : public QWidget {
    Q_OBJECT
public:
    enum class State { Browse, Inserting, Editing };

    explicit TfrmRegister(const RegisterSpec& spec, QWidget* parent = nullptr);
    ~TfrmRegister() override;

    const RegisterSpec& spec() const { return spec_; }
    RegisterLogic& logic() { return logic_; }
    State state() const { return state_; }

    // Reloads the load query; the first row becomes current.
    void Ref();
    // Reloads and makes the row with this ID current (the first row when it is gone).
    void refKeeping(qlonglong id);

    // The handlers of the buttons.
    void ButNewClick();
    void ButMedClick();
    void ButSaveClick();
    void ButSaveEditClick();
    void ButCanClick();
    void ButDelClick();
    void ButExiClick();

    // The grid and its rows (rows in the shown order).
    DataGrid* grid() const { return DBGrid1; }
    int rowCount() const;
    int currentRowIndex() const;  // -1 when there is no current row
    void setCurrentRowIndex(int row);
    bool hasCurrent() const { return currentRowIndex() >= 0; }
    // The current row by field name of the load query (empty when none).
    RegisterRow currentRow() const;
    // A cell of the row as shown, by field name.
    QVariant value(int row, const QString& field) const;

    // The editors.
    QWidget* editor(const QString& name) const;
    QLineEdit* lineEdit(const QString& name) const;
    QComboBox* comboBox(const QString& name) const;
    // What the editors hold, by column.
    RegisterValues editorValues() const;

    // For member hooks: the grid's popup menu (created and attached on first
    // use) and a fixed note below the editors.
    QMenu* popupMenu();
    QLabel* addNote(const QString& objectName, const QString& text);

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGrid();
    void buildEditors();
    void buildButtons();
    void setState(State s);
    void showRow();          // editors from the current row
    void clearEditors();
    // The value a drop-down keeps while nothing in its list is chosen.
    void keepLookupValue(QComboBox* box, const QString& value);
    void focusEditor(const QString& name);
    void afterSave(const RegisterResult& r, bool edit);
    QWidget* nextInOrder(QWidget* from) const;
    // The shown, enabled button whose Alt+letter this key is (nullptr when none).
    QPushButton* mnemonicButton(const QKeyEvent* ke) const;

    RegisterSpec spec_;
    RegisterLogic logic_;
    State state_ = State::Browse;

    QFrame* Panel3 = nullptr;
    DataGrid* DBGrid1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGridLayout* editorLayout_ = nullptr;
    int noteRow_ = 0;
    QWidget* DBNavigator1 = nullptr;
    QToolButton* navButtons_[4] = {};
    QPushButton* ButNew = nullptr;
    QPushButton* ButMed = nullptr;
    QStackedWidget* saveStack_ = nullptr;
    QPushButton* ButSave = nullptr;
    QPushButton* ButSaveEdit = nullptr;
    QPushButton* ButCan = nullptr;
    QPushButton* ButDel = nullptr;
    QPushButton* ButExi = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QList<QWidget*> editors_;  // in spec order
    bool closing_ = false;
};
