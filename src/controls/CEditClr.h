#pragma once

#include "model/MenuItemDesc.h"

#include <QPlainTextEdit>

class Settings;

// The program's text field: black text on white, tab stops every TabSize
// characters, and a tap-and-hold menu with Clear All, Cut, Copy, Paste and
// Select All (and Word Wrap for multi-line fields that take Enter, saved as
// the WordWrap setting). Ctrl+R clears all, Ctrl+A selects all, Ctrl+X, C and
// V cut, copy and paste, Ctrl+W switches word wrap.
//
// Three kinds: a single-line field (Enter and line breaks stay out of it, the
// text sits in the middle of the field's height), a multi-line field that
// wraps but leaves Enter to the dialog (the task title), and a multi-line
// field that takes Enter (notes).
class CEditClr : public QPlainTextEdit
{
    Q_OBJECT

public:
    enum class Kind { SingleLine, MultiLine, MultiLineEnter };

    enum Command : int {
        ClearAllCommand = 32814,
        CutCommand = 57635,
        CopyCommand = 57634,
        PasteCommand = 57637,
        SelectAllCommand = 32818,
        WordWrapCommand = 32830,
    };

    CEditClr(int controlId, Settings& settings, Kind kind, QWidget* parent = nullptr);

    int ControlId() const { return m_controlId; }
    Kind EditKind() const { return m_kind; }

    QString Text() const { return toPlainText(); }
    void SetText(const QString& text);

    // Lines as shown, wrapped lines counted one by one (at least 1).
    int LineCount() const;

    bool WordWrap() const;
    void SetWordWrap(bool on);
    // Tab stops from TabSize, in average character widths of the field's font.
    void ApplyTabSize();

    // The tap-and-hold menu as it would open now.
    MenuDesc Menu() const;
    // Carries out a command of the menu or of the keys above.
    void RunCommand(int command);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

    void ShowMenu(const QPoint& pos);
    bool OffersWordWrap() const { return m_kind == Kind::MultiLineEnter; }

private:
    int CommandOfKey(const QKeyEvent* event) const;
    void CentreSingleLine();

    int m_controlId;
    Settings& m_settings;
    Kind m_kind;
};
