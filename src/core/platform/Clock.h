#pragma once

#include <QDate>
#include <QDateTime>

namespace vf {

// Today's date and the time, injected so that tests can fix them.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace vf
