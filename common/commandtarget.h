#pragma once

#include <cstdint>

// Numbered window messages of the main window, carried as direct calls.
enum : int {
    WM_TRAY_ICON = 1025,
    WM_DATA_CHANGED = 1125,
    WM_SHOW_DAY_LIST = 1225,
    WM_SHOW_WEEK_LIST = 1226,
    WM_SHOW_DAY_INFO = 1227,
    WM_EDIT_EVENT = 1228,
    WM_EDIT_SPECIAL_ADDRESS = 1229,
    WM_EDIT_CAR = 1230,
    WM_EDIT_USER = 1232,
    WM_EDIT_USER_GROUP = 1233,
    WM_EDIT_ADDRESS_CATEGORY = 1234,
    WM_EDIT_ADDRESS = 1235,
    WM_EDIT_TASK = 1236,
    WM_EDIT_CALENDAR_CATEGORY = 1255,
    // The program's own: a fuel purchase of the logbook.
    WM_EDIT_FUEL_PURCHASE = 1240,
    // The program's own: an occurrence of a series; wParam the series' id,
    // lParam its start as the number yyyyMMddhhmm (KlicVyskytu).
    WM_EDIT_OCCURRENCE = 1241,
};

// lParam codes of WM_EDIT_EVENT; any other lParam is a time key.
enum : std::intptr_t {
    LP_EDIT_RECORD = -11, // wParam: the record's id (0 = a new record)
    LP_NEW_ON_DATE = -12, // wParam: the date key of a new record
    // The program's own code, not one of the described messages: the page
    // bar's "Nová událost", a new event without a date.
    LP_NEW_WITHOUT_DATE = -13,
};

// Whatever receives window messages: the main window, or a view for its own.
class CommandTarget
{
public:
    virtual ~CommandTarget() = default;
    virtual void command(int message, std::intptr_t wParam, std::intptr_t lParam) = 0;
};
