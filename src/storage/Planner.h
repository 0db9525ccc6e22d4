#pragma once

class CalendarStore;
class HolidayList;
class ViewState;
class Settings;
class PasswordKey;
class UserPrompts;

// The single objects of one running program: the calendar, the holidays,
// what the views show, the preferences, the document's password, and the way
// to ask the user. The desktop program and the command-line tool each make
// one; tests make their own.
struct Planner
{
    CalendarStore& store;
    HolidayList& holidays;
    ViewState& view;
    Settings& settings;
    PasswordKey& password;
    UserPrompts& prompts;
};
