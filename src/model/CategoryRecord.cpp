#include "model/CategoryRecord.h"

#include "model/LanguageModule.h"

CategoryRecord::CategoryRecord()
    : Name(GetText(TextId::DefaultCategoryName))
{
}

CategoryRecord::CategoryRecord(const QString& name, quint32 icon, quint32 reserved, quint32 color)
    : Name(name)
    , Icon(icon)
    , Reserved(reserved)
    , Color(color)
{
}

bool CategoryRecord::Equals(const CategoryRecord& other) const
{
    return Name == other.Name && Icon == other.Icon && Reserved == other.Reserved
        && Color == other.Color;
}
