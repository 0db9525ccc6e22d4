#include "storage/FontSettings.h"

FontSettings FontSettings::Defaults(bool largeScreen)
{
    FontSettings fonts;
    const QString tahoma = QStringLiteral("Tahoma");
    fonts.FontNameTitle = tahoma;
    fonts.FontNameNote = tahoma;
    fonts.FontNameDateNum = tahoma;
    fonts.FontNameAgendaCount = tahoma;
    fonts.FontNameCtrl = tahoma;
    const int text = largeScreen ? 18 : 11;
    fonts.FontHTitle = text;
    fonts.FontHNote = text;
    fonts.FontHDateNum = text;
    fonts.FontHAgendaCount = text;
    fonts.FontHCtrl = largeScreen ? 20 : 12;
    // The flags keep their member initialisers: strike-out on, bold for High
    // tasks (plain and completed) and day numbers, nothing italic.
    return fonts;
}

// The six task styles draw with the title face and height.
template <class Self>
auto& FontSettings::Face(Self& self, Entry entry)
{
    switch (entry) {
    case EntryNote:
        return self.FontNameNote;
    case EntryDateNum:
        return self.FontNameDateNum;
    case EntryAgendaCount:
        return self.FontNameAgendaCount;
    case EntryH:
    case EntryHComp:
    case EntryN:
    case EntryNComp:
    case EntryL:
    case EntryLComp:
        return self.FontNameTitle;
    case EntryCtrl:
    default:
        return self.FontNameCtrl;
    }
}

template <class Self>
auto& FontSettings::Height(Self& self, Entry entry)
{
    switch (entry) {
    case EntryNote:
        return self.FontHNote;
    case EntryDateNum:
        return self.FontHDateNum;
    case EntryAgendaCount:
        return self.FontHAgendaCount;
    case EntryH:
    case EntryHComp:
    case EntryN:
    case EntryNComp:
    case EntryL:
    case EntryLComp:
        return self.FontHTitle;
    case EntryCtrl:
    default:
        return self.FontHCtrl;
    }
}

template <class Self>
auto& FontSettings::Bold(Self& self, Entry entry)
{
    switch (entry) {
    case EntryH:
        return self.FontHBold;
    case EntryHComp:
        return self.FontHCompBold;
    case EntryN:
        return self.FontNBold;
    case EntryNComp:
        return self.FontNCompBold;
    case EntryL:
        return self.FontLBold;
    case EntryLComp:
        return self.FontLCompBold;
    case EntryNote:
        return self.FontNoteBold;
    case EntryDateNum:
        return self.FontDateNumBold;
    case EntryAgendaCount:
        return self.FontAgendaCountBold;
    case EntryCtrl:
    default:
        return self.FontCtrlBold;
    }
}

template <class Self>
auto& FontSettings::Italic(Self& self, Entry entry)
{
    switch (entry) {
    case EntryH:
        return self.FontHItalic;
    case EntryHComp:
        return self.FontHCompItalic;
    case EntryN:
        return self.FontNItalic;
    case EntryNComp:
        return self.FontNCompItalic;
    case EntryL:
        return self.FontLItalic;
    case EntryLComp:
        return self.FontLCompItalic;
    case EntryNote:
        return self.FontNoteItalic;
    case EntryDateNum:
        return self.FontDateNumItalic;
    case EntryAgendaCount:
        return self.FontAgendaCountItalic;
    case EntryCtrl:
    default:
        return self.FontCtrlItalic;
    }
}

QString& FontSettings::FaceOf(Entry entry) { return Face(*this, entry); }
const QString& FontSettings::FaceOf(Entry entry) const { return Face(*this, entry); }
int& FontSettings::HeightOf(Entry entry) { return Height(*this, entry); }
int FontSettings::HeightOf(Entry entry) const { return Height(*this, entry); }
bool& FontSettings::BoldOf(Entry entry) { return Bold(*this, entry); }
bool FontSettings::BoldOf(Entry entry) const { return Bold(*this, entry); }
bool& FontSettings::ItalicOf(Entry entry) { return Italic(*this, entry); }
bool FontSettings::ItalicOf(Entry entry) const { return Italic(*this, entry); }
