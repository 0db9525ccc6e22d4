#pragma once

#include "controls/COwnerButton.h"

#include <QStringList>

// A button holding a text value with a list to choose from (the file
// picker's folder button). The menu shows "Computer" (id 1) and then the
// entries of the list (ids 2, 3, ...), the current one marked. A choice
// becomes the value (the item's text) and is reported with EntryChosen, where
// index 0 is the "Computer" item and index n the n-th entry.
class CMenuBtn : public COwnerButton
{
    Q_OBJECT

public:

    explicit CMenuBtn(int controlId, QWidget* parent = nullptr);

    void SetEntries(const QStringList& entries);
    const QStringList& Entries() const { return m_entries; }

    // The value shown; the current index follows it (-1 when it is none of
    // the items).
    void SetValue(const QString& value);
    const QString& Value() const { return m_value; }
    int CurrentIndex() const { return m_index; }

    MenuDesc Menu() const;

signals:
    // 0x415 (index, control id), posted.
    void EntryChosen(int index, int controlId);

protected:
    void DrawContent(QPainter& painter) override;
    void OnClick() override;

private:
    QString ItemText(int index) const;

    QStringList m_entries;
    QString m_value;
    int m_index = -1;
};
