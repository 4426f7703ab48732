#pragma once
// Date texts of the program, read from a clock that tests can fix.

#include <QDateTime>
#include <QString>

#include <functional>

namespace tvr
{

using ClockFunction = std::function<QDateTime()>;
// Replaces the clock (the computer's local time by default); an empty function restores it.
void SetClock(ClockFunction clock);
QDateTime Now();

// yyyy.mm.dd. — dates order files; catalogue versions have the same form and compare as strings.
QString TodayText();
// yyyy.mm.dd. hh:nn — the recording time of every row.
QString NowText();

} // namespace tvr
