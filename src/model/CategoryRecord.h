#pragma once

#include <QString>
#include <QtGlobal>

// Text numbers of the category names the program supplies itself.
inline constexpr int kTextDefaultCategory = 249;  // category 0, also a fresh record's name
inline constexpr int kTextPersonalCategory = 250; // default category 1
inline constexpr int kTextBusinessCategory = 251; // default category 2
inline constexpr int kTextAllCategories = 252;    // the all-categories choice; never a name

// A category that tasks are filed under. An empty Name marks a deleted slot.
class CategoryRecord
{
public:
    // A record not yet filled: named after the default category, words 0.
    CategoryRecord();
    CategoryRecord(const QString& name, quint32 icon, quint32 reserved, quint32 color);
    virtual ~CategoryRecord() = default;
    CategoryRecord(const CategoryRecord&) = default;
    CategoryRecord(CategoryRecord&&) = default;
    CategoryRecord& operator=(const CategoryRecord&) = default;
    CategoryRecord& operator=(CategoryRecord&&) = default;

    // All four fields equal, the name compared exactly.
    bool Equals(const CategoryRecord& other) const;
    bool IsLive() const { return !Name.isEmpty(); }

    QString Name;
    // Tasks with icon 0 show and filter by this one; 0 = none.
    quint32 Icon = 0;
    // Carried through copies and the data file; 0 for categories made here.
    quint32 Reserved = 0;
    // 0x00BBGGRR.
    quint32 Color = 0;
};
