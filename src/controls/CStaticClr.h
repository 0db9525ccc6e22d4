#pragma once

#include <QLineEdit>

// Read-only text on a white background in a colour of its own (dialog
// banners, the range dialog's captions and values). The text can be selected
// and copied but not changed.
class CStaticClr : public QLineEdit
{
    Q_OBJECT

public:
    static constexpr quint32 kDefaultBk = 0xFFFFFF; // 0x00BBGGRR

    explicit CStaticClr(int controlId, QWidget* parent = nullptr);

    int ControlId() const { return m_controlId; }

    void SetText(const QString& text);
    QString Text() const { return text(); }
    void SetTextColor(quint32 color);
    quint32 TextColor() const { return m_textColor; }
    void SetBkColor(quint32 color);
    quint32 BkColor() const { return m_bkColor; }

private:
    void ApplyColors();

    int m_controlId;
    quint32 m_textColor = 0;
    quint32 m_bkColor = kDefaultBk;
};
