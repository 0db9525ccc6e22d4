#pragma once

#include <QComboBox>

// The installed font families, one entry per family, for the font page.
class CCmbFont : public QComboBox
{
    Q_OBJECT

public:
    explicit CCmbFont(int controlId, QWidget* parent = nullptr);

    int ControlId() const { return m_controlId; }

    // Empties the list and fills it with the installed families.
    void Fill();
    // Selects the entry named exactly face, else the first entry; false when
    // there was no exact match.
    bool SelectFace(const QString& face);
    QString Face() const { return currentText(); }

private:
    int m_controlId;
};
