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

namespace {

using Face = QString FontSettings::*;
using Height = int FontSettings::*;
using Flag = bool FontSettings::*;

// The five fonts, in entry order from the title font (shared by the six task
// styles) on.
constexpr Face kFaces[] = {&FontSettings::FontNameTitle, &FontSettings::FontNameNote, &FontSettings::FontNameDateNum,
                           &FontSettings::FontNameAgendaCount, &FontSettings::FontNameCtrl};
constexpr Height kHeights[] = {&FontSettings::FontHTitle, &FontSettings::FontHNote, &FontSettings::FontHDateNum,
                               &FontSettings::FontHAgendaCount, &FontSettings::FontHCtrl};

constexpr Flag kBold[FontSettings::kEntryCount] = {
    &FontSettings::FontHBold,    &FontSettings::FontHCompBold,   &FontSettings::FontNBold,
    &FontSettings::FontNCompBold, &FontSettings::FontLBold,      &FontSettings::FontLCompBold,
    &FontSettings::FontNoteBold, &FontSettings::FontDateNumBold, &FontSettings::FontAgendaCountBold,
    &FontSettings::FontCtrlBold};
constexpr Flag kItalic[FontSettings::kEntryCount] = {
    &FontSettings::FontHItalic,    &FontSettings::FontHCompItalic,   &FontSettings::FontNItalic,
    &FontSettings::FontNCompItalic, &FontSettings::FontLItalic,      &FontSettings::FontLCompItalic,
    &FontSettings::FontNoteItalic, &FontSettings::FontDateNumItalic, &FontSettings::FontAgendaCountItalic,
    &FontSettings::FontCtrlItalic};

int EntryIndex(FontSettings::Entry entry)
{
    return (entry >= 0 && entry < FontSettings::kEntryCount) ? int(entry) : int(FontSettings::EntryCtrl);
}

int FontIndex(FontSettings::Entry entry)
{
    const int index = EntryIndex(entry);
    return index <= FontSettings::EntryLComp ? 0 : index - FontSettings::EntryLComp;
}

} // namespace

QString& FontSettings::FaceOf(Entry entry) { return this->*kFaces[FontIndex(entry)]; }
const QString& FontSettings::FaceOf(Entry entry) const { return this->*kFaces[FontIndex(entry)]; }
int& FontSettings::HeightOf(Entry entry) { return this->*kHeights[FontIndex(entry)]; }
int FontSettings::HeightOf(Entry entry) const { return this->*kHeights[FontIndex(entry)]; }
bool& FontSettings::BoldOf(Entry entry) { return this->*kBold[EntryIndex(entry)]; }
bool FontSettings::BoldOf(Entry entry) const { return this->*kBold[EntryIndex(entry)]; }
bool& FontSettings::ItalicOf(Entry entry) { return this->*kItalic[EntryIndex(entry)]; }
bool FontSettings::ItalicOf(Entry entry) const { return this->*kItalic[EntryIndex(entry)]; }
