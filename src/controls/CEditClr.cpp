#include "controls/CEditClr.h"

#include "controls/ControlName.h"
#include "model/LanguageModule.h"
#include "platform/gui/LongPress.h"
#include "platform/gui/MenuRunner.h"
#include "storage/Settings.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

QString OnOneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QChar::ParagraphSeparator, QLatin1Char(' '));
    text.replace(QChar::LineSeparator, QLatin1Char(' '));
    return text;
}

bool IsEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

MenuItemDesc Enabled(MenuItemDesc item, bool enabled)
{
    item.enabled = enabled;
    return item;
}
} // namespace

CEditClr::CEditClr(int controlId, Settings& settings, Kind kind, QWidget* parent)
    : QPlainTextEdit(parent), m_controlId(controlId), m_settings(settings), m_kind(kind)
{
    setObjectName(ControlName(u"CEditClr", controlId));
    QPalette colors = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colors.setColor(group, QPalette::Base, Qt::white);
        colors.setColor(group, QPalette::Window, Qt::white);
        colors.setColor(group, QPalette::Text, group == QPalette::Disabled ? QColor(0xA0, 0xA0, 0xA0) : QColor(Qt::black));
    }
    setPalette(colors);
    setAutoFillBackground(true);

    switch (kind) {
    case Kind::SingleLine:
        setLineWrapMode(NoWrap);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setTabChangesFocus(true);
        break;
    case Kind::MultiLine:
        setLineWrapMode(WidgetWidth);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setTabChangesFocus(true);
        break;
    case Kind::MultiLineEnter:
        setLineWrapMode(settings.WordWrap() ? WidgetWidth : NoWrap);
        setTabChangesFocus(true);
        break;
    }
    ApplyTabSize();

    new LongPress(viewport(), [this](const QPoint& pos) { ShowMenu(viewport()->mapTo(this, pos)); });
}

void CEditClr::SetText(const QString& text)
{
    setPlainText(m_kind == Kind::SingleLine ? OnOneLine(text) : text);
}

int CEditClr::LineCount() const
{
    int lines = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        lines += block.layout() ? std::max(1, block.layout()->lineCount()) : 1;
    return std::max(1, lines);
}

bool CEditClr::WordWrap() const
{
    return lineWrapMode() != NoWrap;
}

void CEditClr::SetWordWrap(bool on)
{
    setLineWrapMode(on ? WidgetWidth : NoWrap);
}

void CEditClr::ApplyTabSize()
{
    const int characters = std::max(0, m_settings.TabSize());
    const qreal charWidth = fontMetrics().averageCharWidth();
    // A tab size of 0 still moves at least one space.
    setTabStopDistance(std::max<qreal>(fontMetrics().horizontalAdvance(QLatin1Char(' ')), characters * charWidth));
}

MenuDesc CEditClr::Menu() const
{
    const bool editable = !isReadOnly();
    const bool selection = textCursor().hasSelection();
    const bool empty = document()->isEmpty();
    MenuDesc items{
        Enabled(MenuItemDesc::Item(GetText(TextId::ClearAll), ClearAllCommand), editable && !empty),
        MenuItemDesc::Separator(),
        Enabled(MenuItemDesc::Item(GetText(TextId::Cut), CutCommand), editable && selection),
        Enabled(MenuItemDesc::Item(GetText(TextId::Copy), CopyCommand), selection),
        Enabled(MenuItemDesc::Item(GetText(TextId::Paste), PasteCommand), editable && canPaste()),
        MenuItemDesc::Separator(),
        Enabled(MenuItemDesc::Item(GetText(TextId::SelectAll), SelectAllCommand), !empty),
    };
    if (OffersWordWrap()) {
        items.append(MenuItemDesc::Separator());
        items.append(MenuItemDesc::CheckItem(GetText(TextId::WordWrap), WordWrapCommand, WordWrap()));
    }
    return items;
}

void CEditClr::RunCommand(int command)
{
    switch (command) {
    case ClearAllCommand:
        if (!isReadOnly()) {
            // Through the cursor, so that Undo brings the text back.
            QTextCursor cursor = textCursor();
            cursor.select(QTextCursor::Document);
            cursor.removeSelectedText();
            setTextCursor(cursor);
        }
        break;
    case CutCommand:
        cut();
        break;
    case CopyCommand:
        copy();
        break;
    case PasteCommand:
        paste();
        break;
    case SelectAllCommand:
        selectAll();
        break;
    case WordWrapCommand:
        if (OffersWordWrap()) {
            SetWordWrap(!WordWrap());
            m_settings.SetWordWrap(WordWrap());
        }
        break;
    default:
        break;
    }
}

void CEditClr::ShowMenu(const QPoint& pos)
{
    setFocus(Qt::OtherFocusReason);
    const int chosen = MenuRunner::Run(Menu(), mapToGlobal(pos), this);
    if (chosen != 0)
        RunCommand(chosen);
}

int CEditClr::CommandOfKey(const QKeyEvent* event) const
{
    if (event->modifiers() != Qt::ControlModifier)
        return 0;
    switch (event->key()) {
    case Qt::Key_R:
        return ClearAllCommand;
    case Qt::Key_A:
        return SelectAllCommand;
    case Qt::Key_X:
        return CutCommand;
    case Qt::Key_C:
        return CopyCommand;
    case Qt::Key_V:
        return PasteCommand;
    case Qt::Key_W:
        return OffersWordWrap() ? WordWrapCommand : 0;
    default:
        return 0;
    }
}

bool CEditClr::event(QEvent* event)
{
    // The field's own keys win over the window's shortcuts.
    if (event->type() == QEvent::ShortcutOverride && CommandOfKey(static_cast<QKeyEvent*>(event)) != 0) {
        event->accept();
        return true;
    }
    return QPlainTextEdit::event(event);
}

void CEditClr::keyPressEvent(QKeyEvent* event)
{
    if (const int command = CommandOfKey(event)) {
        RunCommand(command);
        event->accept();
        return;
    }
    // Enter belongs to the dialog, except in a field that takes it; Ctrl+Enter
    // always does.
    if (IsEnterKey(event->key()) &&
        (m_kind != Kind::MultiLineEnter || (event->modifiers() & Qt::ControlModifier))) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CEditClr::contextMenuEvent(QContextMenuEvent* event)
{
    ShowMenu(event->pos());
    event->accept();
}

void CEditClr::insertFromMimeData(const QMimeData* source)
{
    if (m_kind == Kind::SingleLine && source && source->hasText()) {
        insertPlainText(OnOneLine(source->text()));
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

void CEditClr::CentreSingleLine()
{
    if (m_kind != Kind::SingleLine)
        return;
    const int inner = height() - 2 * frameWidth();
    const int line = fontMetrics().height() + 2 * int(document()->documentMargin());
    const int top = std::max(0, (inner - line) / 2);
    setViewportMargins(0, top, 0, std::max(0, inner - line - top));
}

void CEditClr::resizeEvent(QResizeEvent* event)
{
    CentreSingleLine();
    QPlainTextEdit::resizeEvent(event);
}

void CEditClr::changeEvent(QEvent* event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        ApplyTabSize();
        CentreSingleLine();
    }
}

QSize CEditClr::sizeHint() const
{
    if (m_kind != Kind::SingleLine)
        return QPlainTextEdit::sizeHint();
    const int line = fontMetrics().height() + 2 * int(document()->documentMargin());
    return {QPlainTextEdit::sizeHint().width(), line + 2 * frameWidth()};
}

QSize CEditClr::minimumSizeHint() const
{
    if (m_kind != Kind::SingleLine)
        return QPlainTextEdit::minimumSizeHint();
    return {fontMetrics().averageCharWidth() * 4, sizeHint().height()};
}
