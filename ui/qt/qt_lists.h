#pragma once

#include "ui/controls/controls.h"
#include "ui/qt/qt_control.h"
#include "ui/qt/widgets/table.h"

class QComboBox;
class QLineEdit;
class QListWidget;

namespace controls::qt {

class QtDropDownList final : public DropDownList, public OverWidget {
public:
    explicit QtDropDownList(QComboBox* combo);
    std::string text() const override;
    void addItem(std::string_view text, int index) override;
    void clear() override;
    void setText(std::string_view text) override;
    void setEnabled(bool on) override;
    void onClick(Handler handler) override { m_onClick = std::move(handler); }

private:
    QComboBox* m_combo;
    Handler m_onClick;
};

class QtSimpleCombo final : public SimpleCombo, public OverWidget {
public:
    QtSimpleCombo(QLineEdit* edit, QListWidget* list);
    void addItem(std::string_view text, int index) override;
    void setText(std::string_view text) override;
    void showRow(int index) override;
    int selectedIndex() const override;
    void onClick(Handler handler) override { m_onClick = std::move(handler); }
    void onDoubleClick(Handler handler) override { m_onDoubleClick = std::move(handler); }

private:
    QLineEdit* m_edit;
    QListWidget* m_list;
    bool m_programmatic = false;
    Handler m_onClick;
    Handler m_onDoubleClick;
};

// A user's click or arrow key selects a row and raises the select where the row is another; a
// double-click raises the double-click.
class QtTableList final : public TableList, public OverWidget {
public:
    explicit QtTableList(Table* table);
    void addItem(std::string_view cells, int index) override;
    void clear() override;
    void setRowLook(int index, sheet::Look look) override;
    void showRow(int index) override;
    int selectedIndex() const override;
    void setStale(bool on) override { m_table->setStale(on); }
    void onDoubleClick(Handler handler) override { m_onDoubleClick = std::move(handler); }
    void onSelect(Handler handler) override { m_onSelect = std::move(handler); }

private:
    Table* m_table;
    bool m_programmatic = false;
    // The row last selected, by the user or the program.
    int m_selected = -1;
    Handler m_onDoubleClick;
    Handler m_onSelect;
};

} // namespace controls::qt
