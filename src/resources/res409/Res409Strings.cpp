// The language module for language 1033 (English): the program's numbered
// texts. A data-only shared module: the program reads the table below by
// symbol name and never calls into it.
//
// Rules for every text of this table
// - Encoding: UTF-8. The program reads a text whole with GetText, or cut to
//   127 UTF-16 units with LoadText, so every text stays within 127
//   characters.
// - Placeholders: where the program fills in a value, the text holds "%1"
//   (and "%2", ... for further values), filled with QString::arg. A number
//   is filled in as a decimal. Only these texts take a value:
//       165  the category name that is already taken
//       170  the number of tasks in the category about to be deleted
//       181  the path of the calendar file
//       238  the number of imported tasks
//       242  the number of exported tasks
//   Every other text is shown as it stands and holds no "%".
// - Texts for menus and tabs carry no "&": the program adds no keyboard
//   mnemonics to menus it builds at run time, and a stray "&" would vanish.
// - Menu entries that open a dialog end with "...".

#include "OrbelinText.h"

extern "C" {

// Sorted by id; the loader refuses an unsorted table.
ORBELIN_TEXT_TABLE_EXPORT extern const OrbelinText orbelin_texts[];
ORBELIN_TEXT_TABLE_EXPORT extern const int orbelin_text_count;

const OrbelinText orbelin_texts[] = {
    // The undated tasks: the fourth view tab, and the "no date" entry of the
    // date menus.
    {104, "No Date"},
    // Last entry of the year button's menu: opens the year picker.
    {105, "Select Year..."},
    // First entry of the folder button's menu in the file picker: the root
    // folder of the file system.
    {106, "Computer"},

    // Priority words: the priority button's menu and the priority column of
    // CSV files. The import matches them as parts of the field (Low first,
    // then Normal, then High), so none of them may contain another.
    {107, "High"},
    {108, "Normal"},
    {109, "Low"},

    // Tap-and-hold menu of the text fields.
    {110, "Clear All"},
    {111, "Cut"},
    {112, "Copy"},
    {113, "Paste"},
    {114, "Select All"},
    {115, "Word Wrap"},

    // The completed word: the completion column of CSV files (the import
    // takes a task as completed only when the field is exactly this text)
    // and the completion entry of a task's menu in the task list.
    {116, "Completed"},

    // Task menu of the task list.
    {117, "Edit Task..."},
    {118, "Duplicate Task"},
    {119, "Set as Current"},
    // Menu of a group row in the task list.
    {120, "Reschedule Tasks..."},
    // Last entry of every category menu: opens the category editor.
    {121, "Edit Categories..."},

    // A date range whose end lies before its start (list view range, search,
    // date range picker).
    {122, "The date range is not valid: the end date is before the start date."},

    // Column captions of the task list, the search results, the holiday list,
    // the file list and the CSV header; 123 is also the title field's prompt.
    {123, "Title"},
    {124, "Category"},
    {125, "Date"},

    // View styles in the tap-and-hold menu of the file list.
    {126, "List"},
    {127, "Details"},

    // View tabs (the fourth is 104).
    {128, "Month"},
    {129, "Week"},
    {130, "List"},

    // Days relative to today: date menus, date buttons and date groups.
    {131, "Today"},
    {132, "Yesterday"},
    {133, "Tomorrow"},

    // Month names, January to December: the month button, the month picker
    // of the holiday editor and the first day of a month in the calendar.
    // Short, so that they fit the narrow buttons and day cells.
    {134, "Jan"},
    {135, "Feb"},
    {136, "Mar"},
    {137, "Apr"},
    {138, "May"},
    {139, "Jun"},
    {140, "Jul"},
    {141, "Aug"},
    {142, "Sep"},
    {143, "Oct"},
    {144, "Nov"},
    {145, "Dec"},

    // Short weekday names, Sunday to Saturday: the calendar header and the
    // weekday appended to dates.
    {146, "Sun"},
    {147, "Mon"},
    {148, "Tue"},
    {149, "Wed"},
    {150, "Thu"},
    {151, "Fri"},
    {152, "Sat"},

    // Data preferences: "Clear Complete" asks first; "Restore File
    // Association" reports success.
    {153, "Delete all completed tasks now? This cannot be undone."},
    {154, "The file association for calendar files was restored."},

    // Entries of the font preferences' item list (with 277, 278, 279): the
    // completed task styles and the four other fonts. 158 is also the note
    // field's prompt and the note column of CSV files.
    {155, "High Priority (Completed)"},
    {156, "Normal Priority (Completed)"},
    {157, "Low Priority (Completed)"},
    {158, "Note"},
    {159, "Day Numbers"},
    {160, "Task Counts"},
    {161, "Controls"},
    // "Use Default Fonts" asks first.
    {162, "Return all fonts to their default settings?"},

    // Category editor: column captions (163 also names the name column of
    // the holiday list and the file list, and is the name field's prompt),
    // refusals and questions.
    {163, "Name"},
    {164, "Color"},
    {165, "The name \"%1\" is already in use or reserved. Please choose another name."},
    {166, "Please select a category first."},
    {167, "Please enter a name for the category."},
    {168, "This category no longer exists."},
    {169, "The default category cannot be deleted."},
    {170, "%1 task(s) use this category. Delete it anyway? Those tasks move to the default category."},
    {171, "Delete this category?"},
    {172, "Please select a category to move. The default category always stays first."},
    // Cancel in the task and category editors after changes.
    {173, "Discard the changes you made?"},

    // Banner of the daily note dialog (followed by the date).
    {174, "Daily Note"},

    // Holiday editor refusals.
    {175, "Please enter a name for the holiday."},
    {176, "Please select a holiday first."},

    // Task editor: banners and the empty title refusal.
    {177, "New Task"},
    {178, "Edit Task"},
    {179, "Please enter a title for the task."},

    // Password dialogs: the information line (a calendar without a file, or
    // the file's path), the mismatch of the two new entries, and the caption
    // of password messages.
    {180, "This calendar has not been saved to a file yet."},
    {181, "File: %1"},
    {182, "The two passwords are not the same. Please type the new password twice."},
    {183, "Password"},

    // Search dialog.
    {184, "A search is still running. Stop it before closing."},
    {185, "Please enter the text to search for."},
    {186, "The search was stopped."},
    {187, "The search is finished."},

    // Tabs of the date range picker.
    {188, "Start Date"},
    {189, "End Date"},

    // File picker: banners (choosing an existing file, or naming a file to
    // write), the size column, refusals, and the caption of error messages.
    {190, "Open File"},
    {191, "Save File"},
    {192, "Size"},
    {193, "Please choose a folder."},
    {194, "Please enter a file name."},
    {195, "Error"},

    // Title of an imported task that comes without one.
    {196, "Untitled Task"},
    // CSV header captions of the completion and priority columns.
    {197, "Status"},
    {198, "Priority"},
    // The not-completed word of the completion column of CSV files.
    {199, "Not Completed"},

    // Saving the calendar file failed; each names the step.
    {200, "Saving failed: the file could not be opened for writing."},
    {201, "Saving failed while writing the day marks and daily notes."},
    {202, "Saving failed while writing the categories."},
    {203, "Saving failed while writing the tasks."},
    {204, "Saving failed while writing the holidays."},
    {205, "Saving failed while writing the calendar to the disk."},
    // Loading the calendar file failed; each names the step.
    {206, "Loading failed: the file could not be read, or it is cut short or damaged."},
    {207, "Loading failed: the password is wrong, or the file could not be deciphered."},
    {208, "Loading failed: the file could not be deciphered."},
    {209, "Loading failed: this is not a calendar file."},
    {210, "Loading failed: the file was written in a format version this program does not read."},
    {211, "Loading failed: the start of the calendar data is missing."},
    {212, "Loading failed while reading the day marks and daily notes."},
    {213, "Loading failed while reading the categories."},
    {214, "Loading failed while reading the tasks."},
    {215, "Loading failed while reading the holidays."},
    {216, "Loading failed: the end of the calendar data is missing."},
    {217, "Loading failed while reading the category filter."},
    {218, "Loading failed while reading the icon filter."},

    // File commands: leaving an unsaved new calendar, replacing a file, Save
    // As, a missing file, the password prompts when opening, and a cancelled
    // open.
    {219, "This calendar has changes that were never saved. Save it to a file?"},
    {220, "A file with this name already exists. Do you want to replace it?"},
    {221, "Save As"},
    {222, "The calendar was saved."},
    {223, "The file does not exist."},
    {224, "This calendar is protected by a password. Please enter the password:"},
    {225, "The file was not opened."},
    {226, "The password is wrong, or the file is damaged. Please enter the password again:"},

    // Tabs of the preferences.
    {227, "General"},
    {228, "View"},
    {229, "Data"},
    {230, "Font"},
    {231, "Color"},

    // Task and password commands.
    {232, "Move all overdue tasks that are not completed to today?"},
    {233, "No task is selected."},
    {234, "Enter a password for the new calendar, or leave it empty for no password:"},
    {235, "Delete the selected task?"},
    {236, "Please enter the current password:"},
    {237, "The password is wrong."},

    // Import and export: counts, outcomes and their captions (CSV files and
    // the shared task list).
    {238, "Tasks imported: %1"},
    {239, "Import CSV"},
    {240, "Export to CSV"},
    {241, "The tasks could not be exported to the file."},
    {242, "Tasks exported: %1"},
    {243, "The tasks were exported to the file."},
    {244, "Import from Task List"},
    {245, "Export to Task List"},

    // The three categories of a new calendar; 249 is also the name of a
    // category that no longer exists.
    {249, "General"},
    {250, "Work"},
    {251, "Personal"},
    // The choice of all categories; no category may take this name.
    {252, "All Categories"},

    // File types of the file picker.
    {254, "Calendar Files (*.vrx)"},
    {255, "CSV Files (*.csv)"},
    {257, "All Files (*)"},

    // Date menu: the coming weekend days and Monday (never today), and the
    // date picker.
    {258, "Next Saturday"},
    {259, "Next Sunday"},
    {260, "Next Monday"},
    {261, "Select Date..."},

    // Date range menu, after Yesterday, Today and Tomorrow.
    {262, "Last Week"},
    {263, "This Week"},
    {264, "Next Week"},
    {265, "Last Month"},
    {266, "This Month"},
    {267, "Next Month"},
    {268, "All Dates"},
    {269, "Custom Range..."},

    // CSV import: the short date format of the system lacks a year, a month
    // or a day, so no date can be read.
    {270, "The system's short date format has no year, so the dates cannot be read. Nothing was imported."},
    {271, "The system's short date format has no month, so the dates cannot be read. Nothing was imported."},
    {272, "The system's short date format has no day, so the dates cannot be read. Nothing was imported."},

    // Priorities in the task menu and the font preferences' item list.
    {277, "High Priority"},
    {278, "Normal Priority"},
    {279, "Low Priority"},
    // Task menu: delete (asks first).
    {280, "Delete Task..."},

    // First day of the week in the general preferences.
    {281, "Sunday"},
    {282, "Monday"},

    // Caption of the message that a Save As succeeded.
    {288, "Calendar Saved"},

    // Asked after a save failed as the program was being closed.
    {289, "The calendar could not be saved. Close anyway and lose the changes?"},
};

const int orbelin_text_count = sizeof(orbelin_texts) / sizeof(orbelin_texts[0]);

} // extern "C"
