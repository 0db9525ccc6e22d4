#pragma once

#include <QString>

// The font group of the settings: five faces with their heights (pixels),
// the strike-out flag for completed tasks and the bold and italic flag of
// every entry. A plain value: the preferences copy it, edit the copy,
// compare it with the settings' and reset it to Defaults().
//
// The six task-text styles (H, N, L = High, Normal, Low priority; HComp,
// NComp, LComp = the same tasks completed) share the title face and height
// and differ only in bold and italic.
struct FontSettings
{
    // The entries the font page edits, one per font or task-text style.
    enum Entry : int {
        EntryH = 0,
        EntryHComp,
        EntryN,
        EntryNComp,
        EntryL,
        EntryLComp,
        EntryNote,
        EntryDateNum,
        EntryAgendaCount,
        EntryCtrl,
    };
    static constexpr int kEntryCount = 10;

    QString FontNameTitle;
    QString FontNameNote;
    QString FontNameDateNum;
    QString FontNameAgendaCount;
    QString FontNameCtrl;

    int FontHTitle = 0;
    int FontHNote = 0;
    int FontHDateNum = 0;
    int FontHAgendaCount = 0;
    int FontHCtrl = 0;

    bool FontStrikeComp = true;

    bool FontHBold = true;
    bool FontNBold = false;
    bool FontLBold = false;
    bool FontHCompBold = true;
    bool FontNCompBold = false;
    bool FontLCompBold = false;
    bool FontNoteBold = false;
    bool FontDateNumBold = true;
    bool FontAgendaCountBold = false;
    bool FontCtrlBold = false;

    bool FontHItalic = false;
    bool FontNItalic = false;
    bool FontLItalic = false;
    bool FontHCompItalic = false;
    bool FontNCompItalic = false;
    bool FontLCompItalic = false;
    bool FontNoteItalic = false;
    bool FontDateNumItalic = false;
    bool FontAgendaCountItalic = false;
    bool FontCtrlItalic = false;

    bool operator==(const FontSettings&) const = default;

    // The fonts of a fresh start: "Tahoma" everywhere, heights 18 (large
    // screen) or 11, the control font 20 or 12. "Use Default Fonts" returns
    // here. (A default-constructed group has empty faces and zero heights.)
    static FontSettings Defaults(bool largeScreen);

    // An entry's face and height (the six task styles give the title's) and
    // its own bold and italic flags. An entry outside 0..9 is taken as EntryCtrl.
    QString& FaceOf(Entry entry);
    const QString& FaceOf(Entry entry) const;
    int& HeightOf(Entry entry);
    int HeightOf(Entry entry) const;
    bool& BoldOf(Entry entry);
    bool BoldOf(Entry entry) const;
    bool& ItalicOf(Entry entry);
    bool ItalicOf(Entry entry) const;
};
