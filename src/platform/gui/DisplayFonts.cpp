#include "platform/gui/DisplayFonts.h"

#include <algorithm>

DisplayFonts::DisplayFonts()
{
    Build(FontSettings::Defaults(true));
}

DisplayFonts::DisplayFonts(const FontSettings& settings)
{
    Build(settings);
}

QFont DisplayFonts::Make(const QString& face, int pixelHeight, bool bold, bool italic, bool strikeOut)
{
    QFont font(face);
    font.setPixelSize(std::max(1, pixelHeight));
    font.setBold(bold);
    font.setItalic(italic);
    font.setStrikeOut(strikeOut);
    // A missing face (the default "Tahoma" on most desktops) falls back to
    // the desktop's sans serif rather than to whatever fontconfig picks first.
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void DisplayFonts::Build(const FontSettings& s)
{
    using E = FontSettings::Entry;
    const E entries[6] = {E::EntryH, E::EntryHComp, E::EntryN, E::EntryNComp, E::EntryL, E::EntryLComp};
    for (int i = 0; i < 6; ++i) {
        const bool completed = (i % 2) == 1;
        m_task[i] = Make(s.FaceOf(entries[i]), s.HeightOf(entries[i]), s.BoldOf(entries[i]),
                         s.ItalicOf(entries[i]), completed && s.FontStrikeComp);
    }
    m_title = Make(s.FontNameTitle, s.FontHTitle, false, false);
    m_note = Make(s.FontNameNote, s.FontHNote, s.FontNoteBold, s.FontNoteItalic);
    m_dateNum = Make(s.FontNameDateNum, s.FontHDateNum, s.FontDateNumBold, s.FontDateNumItalic);
    m_agendaCount = Make(s.FontNameAgendaCount, s.FontHAgendaCount, s.FontAgendaCountBold, s.FontAgendaCountItalic);
    m_ctrl = Make(s.FontNameCtrl, s.FontHCtrl, s.FontCtrlBold, s.FontCtrlItalic);
    m_ctrlBold = Make(s.FontNameCtrl, s.FontHCtrl, true, s.FontCtrlItalic);
}

const QFont& DisplayFonts::Task(int priority, bool completed) const
{
    const int row = priority > 0 ? 0 : (priority == 0 ? 1 : 2);
    return m_task[row * 2 + (completed ? 1 : 0)];
}
