#pragma once

#include <QString>
#include <QtGlobal>

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
