#pragma once

#include <functional>

class QDialog;

// Runs a dialog modally and returns how it ended (QDialog::Accepted or
// Rejected). Everything that opens one of the program's dialogs goes through
// here, so tests fill in the real dialog and press its buttons without a
// modal loop.
class DialogRunner
{
public:
    // Answers a dialog in tests: gets the dialog, shown; drives it and
    // returns its result.
    using Script = std::function<int(QDialog& dialog)>;

    static int Run(QDialog& dialog);

    // While a script is set, Run shows the dialog and calls it instead of
    // the modal loop.
    static void SetScript(Script script);
    static void ClearScript();
    static bool HasScript();
};
