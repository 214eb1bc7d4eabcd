#pragma once

#include "ui/controls/memory_control.h"
#include "ui/controls/table_order.h"

#include <vector>

namespace controls::memory {

// The items of a list, as every kind of list keeps them: an item added at an index moves the
// selection down with the items below it.
class MemoryItems : public Control {
public:
    using Control::Control;
    const std::vector<std::string>& items() const { return m_items; }

protected:
    void insert(std::string_view text, int index);
    void removeAll();
    // A negative index, made unsigned, is past every item.
    bool holds(int index) const { return static_cast<std::size_t>(index) < m_items.size(); }
    const std::string& item(int index) const { return m_items[static_cast<std::size_t>(index)]; }

    std::vector<std::string> m_items;
    int m_selected = -1;
};

class MemoryDropDownList final : public MemoryItems, public DropDownList {
public:
    using MemoryItems::MemoryItems;

    std::string text() const override { return m_selected < 0 ? std::string() : item(m_selected); }
    void addItem(std::string_view text, int index) override { insert(text, index); }
    void clear() override { removeAll(); }
    void setText(std::string_view text) override;
    void setEnabled(bool on) override { recordEnable(on); }
    void onClick(Handler handler) override { m_onClick = std::move(handler); }

    // The user picks the item at `index`, also when it is already shown.
    void userPick(int index);

private:
    Handler m_onClick;
};

class MemoryTableList final : public MemoryItems, public TableList {
public:
    using MemoryItems::MemoryItems;

    void addItem(std::string_view cells, int index) override { insert(cells, index); }
    void clear() override {
        removeAll();
        m_stale = false;
    }
    void setRowLook(int index, sheet::Look look) override;
    void showRow(int index) override;
    int selectedIndex() const override { return m_selected; }
    void setStale(bool on) override;
    void onDoubleClick(Handler handler) override { m_onDoubleClick = std::move(handler); }
    void onSelect(Handler handler) override { m_onSelect = std::move(handler); }

    bool stale() const { return m_stale; }
    void userPick(int index);
    void userDoubleClick(int index);
    // The user clicks the heading of `column`, which sorts the rows shown and raises nothing.
    void userSort(int column);
    // The indexes the rows were added under, in the order shown.
    std::vector<std::size_t> shownOrder() const;

private:
    TableOrder m_order;
    Handler m_onDoubleClick;
    Handler m_onSelect;
    bool m_stale = false;
};

class MemorySimpleCombo final : public MemoryItems, public SimpleCombo {
public:
    using MemoryItems::MemoryItems;

    void addItem(std::string_view text, int index) override { insert(text, index); }
    void setText(std::string_view text) override;
    void showRow(int index) override;
    int selectedIndex() const override { return m_selected; }
    void onClick(Handler handler) override { m_onClick = std::move(handler); }
    void onDoubleClick(Handler handler) override { m_onDoubleClick = std::move(handler); }

    void userPick(int index);
    void userDoubleClick(int index);

private:
    bool selectRow(int index);

    Handler m_onClick;
    Handler m_onDoubleClick;
};

// The name a table row's look is logged by.
std::string_view lookName(sheet::Look look);

} // namespace controls::memory
