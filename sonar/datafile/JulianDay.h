#pragma once

// Day of the year (1 January = 1) for the XTF ping header, with the Gregorian leap-year rule.
// A date whose result falls outside 1..366 gives 1.
int julianDay(int year, int month, int day);

bool isLeapYear(int year);
