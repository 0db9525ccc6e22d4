#pragma once

#include "platform/gui/ViewContext.h"

#include <QDialog>
#include <QSize>

class CStaticClr;
class QDialogButtonBox;
class QPushButton;

// The frame every dialog of the program shares: a banner across the top in
// the bold control font (22 or 44 pixels high), the button row at the bottom
// with "OK" and "Cancel" or "OK" alone, Control+Enter pressing OK from any
// field, and a layout recomputed on every size change from the dialog's
// fixed small and large coordinates. Message boxes go through the planner's
// prompts, so tests answer them.
class CDlgBase : public QDialog
{
    Q_OBJECT

public:
    enum class Buttons { OkCancel, OkOnly };
    static constexpr int kBannerId = 1188;

    CDlgBase(ViewContext& context, Buttons buttons, QWidget* parent = nullptr);
    ~CDlgBase() override;

    ViewContext& Context() const { return m_context; }
    CStaticClr* Banner() const { return m_banner; }
    void SetBanner(const QString& text);
    QPushButton* OkButton() const;
    QPushButton* CancelButton() const; // nullptr for OK alone

    // The banner's height in a layout class.
    static int BannerHeight(bool large) { return large ? 44 : 22; }
    // The room above the button row, where the layout places the controls.
    QSize LayoutSize() const;

    // Runs OK's checks and closes when they pass; Cancel's likewise. Tests
    // and the keys call them as the buttons do.
    void PressOk();
    void PressCancel();

    // The dialog's first size: the layout's size plus the button row.
    QSize sizeHint() const override;

    void reject() override; // Escape and the window's close button: Cancel

protected:
    // Places the controls in a client area of size (without the button row;
    // the banner is already at its place). Called on every size change.
    virtual void LayoutControls(const QSize& size, bool large) = 0;
    // The layout's natural size in a layout class, for the first size.
    virtual QSize LayoutSizeHint(bool large) const;
    // OK: by default closes with OK. A dialog whose checks fail stays open.
    virtual void OnOk();
    // Cancel: by default closes with Cancel; a dialog may ask first.
    virtual void OnCancel();
    // Lays out again now (a control changed its size).
    void Relayout();
    // Raises the input panel when the settings ask for it (dialogs with text
    // entry call it as they start).
    void RaiseInputPanel();

    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    ViewContext& m_context;
    CStaticClr* m_banner;
    QDialogButtonBox* m_buttonBox;
};
