#pragma once

#include "platform/Clock.h"

namespace vf::test {

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDate date)
        : m_date(date)
    {
    }
    QDate today() const override { return m_date; }
    // Noon of the fixed day.
    QDateTime now() const override { return QDateTime(m_date, QTime(12, 0, 0)); }
    void setToday(QDate date) { m_date = date; }

private:
    QDate m_date;
};

} // namespace vf::test
