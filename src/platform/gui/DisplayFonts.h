#pragma once

#include "storage/FontSettings.h"

#include <QFont>

// The fonts the program draws with, built from the font settings: six task
// fonts (High, Normal, Low, each with a completed variant that may strike
// out), the note, date-number, count and control fonts, a bold control font
// for banners, and the tree's own row font. Heights are pixel sizes.
class DisplayFonts
{
public:
    DisplayFonts();
    explicit DisplayFonts(const FontSettings& settings);

    void Build(const FontSettings& settings);

    // The task font for a priority (its sign) and completion.
    const QFont& Task(int priority, bool completed) const;
    const QFont& Title() const { return m_title; }
    const QFont& Note() const { return m_note; }
    const QFont& DateNum() const { return m_dateNum; }
    const QFont& AgendaCount() const { return m_agendaCount; }
    const QFont& Ctrl() const { return m_ctrl; }
    const QFont& CtrlBold() const { return m_ctrlBold; }

    // A font from one face, pixel height and style.
    static QFont Make(const QString& face, int pixelHeight, bool bold, bool italic, bool strikeOut = false);

private:
    QFont m_task[6]; // H, HComp, N, NComp, L, LComp
    QFont m_title;
    QFont m_note;
    QFont m_dateNum;
    QFont m_agendaCount;
    QFont m_ctrl;
    QFont m_ctrlBold;
};
