#include "model/CategoryList.h"

#include "model/LanguageModule.h"

#include <algorithm>
#include <utility>

int CategoryList::Count() const
{
    return int(m_order.size());
}

int CategoryList::IndexAt(int position) const
{
    if (position < 0 || position >= Count())
        return 0;
    return m_order[size_t(position)];
}

int CategoryList::FindPosition(int index) const
{
    const auto it = std::find(m_order.begin(), m_order.end(), index);
    return it == m_order.end() ? -1 : int(it - m_order.begin());
}

int CategoryList::PositionOf(int index) const
{
    return std::max(FindPosition(index), 0);
}

const CategoryRecord* CategoryList::Get(int index) const
{
    if (index < 0 || index >= TableSize())
        return nullptr;
    const CategoryRecord& record = m_table[size_t(index)];
    return record.IsLive() ? &record : nullptr;
}

bool CategoryList::NameTaken(const QString& name) const
{
    return name == GetText(TextId::AllCategories) || FindByName(name) >= 0;
}

int CategoryList::FindByName(const QString& name) const
{
    if (name.isEmpty() || name == GetText(TextId::AllCategories))
        return -1;
    for (int index = 0; index < TableSize(); ++index) {
        if (m_table[size_t(index)].Name == name)
            return index;
    }
    return -1;
}

int CategoryList::Add(const CategoryRecord& record)
{
    if (record.Name.isEmpty() || NameTaken(record.Name))
        return -1;
    const int index = TableSize();
    m_table.push_back(record);
    m_order.push_back(index);
    return index;
}

bool CategoryList::Modify(int index, const CategoryRecord& record)
{
    if (!IsLive(index) || record.Name.isEmpty())
        return false;
    if (record.Name == GetText(TextId::AllCategories))
        return false;
    const int owner = FindByName(record.Name);
    if (owner >= 0 && owner != index)
        return false;
    m_table[size_t(index)] = record;
    return true;
}

int CategoryList::Delete(int index)
{
    if (index == 0 || !IsLive(index))
        return -1;
    m_table[size_t(index)].Name.clear();
    const int position = FindPosition(index);
    if (position >= 0)
        m_order.erase(m_order.begin() + position);
    return position;
}

bool CategoryList::SwapPositions(int a, int b)
{
    std::swap(m_order[size_t(a)], m_order[size_t(b)]);
    return true;
}

bool CategoryList::MoveUp(int index)
{
    const int position = FindPosition(index);
    if (position <= 1)
        return false;
    return SwapPositions(position, position - 1);
}

bool CategoryList::MoveDown(int index)
{
    const int position = FindPosition(index);
    if (position <= 0 || position >= Count() - 1)
        return false;
    return SwapPositions(position, position + 1);
}

void CategoryList::Clear()
{
    m_table.clear();
    m_order.clear();
}

void CategoryList::AddDefaults()
{
    Add(CategoryRecord(GetText(TextId::DefaultCategoryName), 0, 0, 0x000000));
    Add(CategoryRecord(GetText(TextId::WorkCategoryName), 1, 0, 0x8080FF));
    Add(CategoryRecord(GetText(TextId::PersonalCategoryName), 2, 0, 0xFF8080));
}
