#pragma once

#include "model/CategoryRecord.h"

#include <QString>

#include <vector>

// The category table and its display order. Slots are never reused or removed
// while the program runs: deleting a category empties its name, so category
// indexes held by tasks stay valid. The order holds each live index once;
// position 0 is always category 0, the default category, which cannot be
// deleted or moved and which menus list last.
class CategoryList
{
public:
    // Number of live categories (entries of the display order).
    int Count() const;
    // Index at a display position; 0 when the position is out of range.
    int IndexAt(int position) const;
    // Display position of an index; 0 when it is not in the order.
    int PositionOf(int index) const;
    // The live category at index, or nullptr for an index outside the table
    // or a deleted slot. Valid until the list changes.
    const CategoryRecord* Get(int index) const;
    bool IsLive(int index) const { return Get(index) != nullptr; }

    // The all-categories caption, or the exact name of a live category.
    bool NameTaken(const QString& name) const;
    // Index of the live category with exactly this name; -1 when none, and
    // always for the all-categories caption.
    int FindByName(const QString& name) const;

    // Appends a category with a free, non-empty name at the end of the table
    // and of the display order; its index, or -1 when refused.
    int Add(const CategoryRecord& record);
    // Replaces all four fields of a live category. Refused (false) for a
    // deleted slot, and for an empty name or one that another category or the
    // all-categories choice already bears, since either would make the
    // category unreachable by name or break it apart when the file is read back.
    bool Modify(int index, const CategoryRecord& record);
    // Empties the name and drops the index from the order; the position it
    // had, or -1 for a deleted slot, an index outside the table or category 0.
    int Delete(int index);
    // Exchange with the neighbour above / below in the display order. Nothing
    // moves at position 0 or above position 1.
    bool MoveUp(int index);
    bool MoveDown(int index);
    void Clear();

    // Appends the three default categories (names from the language module).
    void AddDefaults();

    // For the data file: every slot, deleted ones included, and the order.
    int TableSize() const { return int(m_table.size()); }
    const CategoryRecord& Slot(int index) const { return m_table[size_t(index)]; }
    const std::vector<qint32>& Order() const { return m_order; }

private:
    // Position of index in the order, -1 when absent.
    int FindPosition(int index) const;
    bool SwapPositions(int a, int b);

    std::vector<CategoryRecord> m_table;
    std::vector<qint32> m_order;
};
