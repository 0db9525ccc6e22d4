#pragma once

// The numbered texts of the language module, by their role. The number is
// the text's id in the module; code asks for a text by its name
// (GetText(TextId::NoTaskSelected)), never by a bare number.
enum class TextId : int {
    // Dates and date menus
    NoDate = 104,              // also the fourth view tab
    SelectYear = 105,          // the year button's last entry
    Today = 131,
    Yesterday = 132,
    Tomorrow = 133,
    MonthJan = 134,            // short month names, January to December
    MonthDec = 145,
    WeekdaySun = 146,          // short weekday names, Sunday to Saturday
    WeekdaySat = 152,
    NextSaturday = 258,
    NextSunday = 259,
    NextMonday = 260,
    SelectDate = 261,          // the date menus' last entry
    LastWeek = 262,
    ThisWeek = 263,
    NextWeek = 264,
    LastMonth = 265,
    ThisMonth = 266,
    NextMonth = 267,
    AllDates = 268,            // the date-range menu's "no range"
    CustomRange = 269,
    StartDate = 188,
    EndDate = 189,
    Sunday = 281,              // the week starts
    Monday = 282,
    InvalidDateRange = 122,

    // Priorities, completion and task words
    High = 107,                // also the priority words of CSV files
    Normal = 108,
    Low = 109,
    HighPriority = 277,        // the task list's menus
    NormalPriority = 278,
    LowPriority = 279,
    Completed = 116,           // also the completion word of CSV files
    NotCompleted = 199,
    UntitledTask = 196,
    Status = 197,
    Priority = 198,

    // Text fields' menu
    ClearAll = 110,
    Cut = 111,
    Copy = 112,
    Paste = 113,
    SelectAll = 114,
    WordWrap = 115,

    // The task list's menus, columns and view tabs
    EditTaskMenu = 117,
    DuplicateTaskMenu = 118,
    SetAsCurrentMenu = 119,
    RescheduleTasksMenu = 120,
    EditCategoriesMenu = 121,
    DeleteTaskMenu = 280,
    ColumnTitle = 123,
    ColumnCategory = 124,
    ColumnDate = 125,
    ListStyleList = 126,
    ListStyleDetails = 127,
    TabMonth = 128,
    TabWeek = 129,
    TabList = 130,

    // Categories and holidays
    ColumnName = 163,
    ColumnColor = 164,
    CategoryNameTaken = 165,   // %1: the name
    SelectCategoryFirst = 166,
    EnterCategoryName = 167,
    CategoryGone = 168,
    DefaultCategoryStays = 169,
    DeleteCategoryInUse = 170, // %1: how many tasks use it
    DeleteCategory = 171,
    SelectCategoryToMove = 172,
    DefaultCategoryName = 249, // category 0, and a fresh record's name
    WorkCategoryName = 250,    // default category 1
    PersonalCategoryName = 251, // default category 2
    AllCategories = 252,
    EnterHolidayName = 175,
    SelectHolidayFirst = 176,

    // Dialogs
    DiscardChanges = 173,
    DailyNote = 174,
    NewTask = 177,
    EditTask = 178,
    EnterTaskTitle = 179,
    Note = 158,
    NotSavedYet = 180,
    FileNamed = 181,           // %1: the path
    PasswordsDiffer = 182,
    Password = 183,
    SearchRunning = 184,
    EnterSearchText = 185,
    SearchStopped = 186,
    SearchFinished = 187,
    OpenFile = 190,
    SaveFile = 191,
    ColumnSize = 192,
    ChooseFolder = 193,
    EnterFileName = 194,
    Error = 195,
    Computer = 106,            // the file picker's root folder

    // Preferences
    ClearCompleteQuestion = 153,
    AssociationRestored = 154,
    FontHighCompleted = 155,
    FontNormalCompleted = 156,
    FontLowCompleted = 157,
    FontDayNumbers = 159,
    FontTaskCounts = 160,
    FontControls = 161,
    UseDefaultFontsQuestion = 162,
    PageGeneral = 227,
    PageView = 228,
    PageData = 229,
    PageFont = 230,
    PageColor = 231,

    // Saving and loading the data file
    SaveOpenFailed = 200,
    SaveMarksFailed = 201,
    SaveCategoriesFailed = 202,
    SaveTasksFailed = 203,
    SaveHolidaysFailed = 204,
    SaveWriteFailed = 205,
    LoadReadFailed = 206,
    LoadWrongPassword = 207,
    LoadDecipherFailed = 208,
    LoadNotCalendar = 209,
    LoadUnknownVersion = 210,
    LoadStartMissing = 211,
    LoadMarksFailed = 212,
    LoadCategoriesFailed = 213,
    LoadTasksFailed = 214,
    LoadHolidaysFailed = 215,
    LoadEndMissing = 216,
    LoadCategoryFilterFailed = 217,
    LoadIconFilterFailed = 218,

    // The file commands
    SaveUntitledQuestion = 219,
    ReplaceFileQuestion = 220,
    SaveAs = 221,
    CalendarSaved = 222,
    CalendarSavedCaption = 288,
    CloseLosingChanges = 289,  // after a failed save, before closing
    FileMissing = 223,
    EnterPassword = 224,
    FileNotOpened = 225,
    PasswordWrongTryAgain = 226,
    NewFilePassword = 234,
    EnterCurrentPassword = 236,
    PasswordWrong = 237,
    CalendarFilesFilter = 254,
    CsvFilesFilter = 255,
    AllFilesFilter = 257,

    // Tasks and their exchange
    UpdateDueTasksQuestion = 232,
    NoTaskSelected = 233,
    DeleteTaskQuestion = 235,
    TasksImported = 238,       // %1: how many
    ImportCsv = 239,
    ExportCsv = 240,
    ExportFailed = 241,
    TasksExported = 242,       // %1: how many
    ExportDone = 243,
    ImportTaskList = 244,
    ExportTaskList = 245,
    CsvDateNoYear = 270,
    CsvDateNoMonth = 271,
    CsvDateNoDay = 272,
};

// The id as the module numbers it, for results that carry a text number.
constexpr int TextNumber(TextId id)
{
    return static_cast<int>(id);
}
