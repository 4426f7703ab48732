#include "common/CN_CommonDateFunctions.h"

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{
ClockFunction &clock()
{
    static ClockFunction c;
    return c;
}
} // namespace

void SetClock(ClockFunction c)
{
    clock() = std::move(c);
}

QDateTime Now()
{
    return clock() ? clock()() : QDateTime::currentDateTime();
}

QString TodayText()
{
    return Now().toString(u"yyyy.MM.dd."_s);
}

QString NowText()
{
    return Now().toString(u"yyyy.MM.dd. HH:mm"_s);
}

} // namespace tvr
