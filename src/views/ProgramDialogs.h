#pragma once

class CMainView;

// Hands the program's dialogs to the windows that run them: the main view's
// commands and messages, and the shared pickers behind the buttons (the date,
// year and date-range buttons, the category button's editor). Until a
// dialog is handed over, what needs it stays disabled.
void InstallProgramDialogs(CMainView& view);
