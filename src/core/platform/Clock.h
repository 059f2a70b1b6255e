#pragma once

#include <QDate>

namespace vf {

// Today's date, injected so that tests can fix it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

class SystemClock final : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
};

} // namespace vf
