#pragma once

#include <QWidget>

// A plain window showing one text in its own colours (background white
// unless set), left-aligned and vertically centred unless told otherwise.
class CWndClr : public QWidget
{
    Q_OBJECT

public:
    static constexpr quint32 kDefaultBk = 0xFFFFFF; // 0x00BBGGRR

    explicit CWndClr(int controlId, QWidget* parent = nullptr);

    int ControlId() const { return m_controlId; }

    void SetText(const QString& text);
    const QString& Text() const { return m_text; }
    void SetTextColor(quint32 color);
    quint32 TextColor() const { return m_textColor; }
    void SetBkColor(quint32 color);
    quint32 BkColor() const { return m_bkColor; }
    void SetAlignment(Qt::Alignment alignment);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_controlId;
    QString m_text;
    quint32 m_textColor = 0;
    quint32 m_bkColor = kDefaultBk;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
};
