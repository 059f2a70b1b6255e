#pragma once

#include <QString>
#include <stdexcept>

namespace vf {

// The one exception type of the core library: a failure with a message a player can read.
// Windows catch it at the edge of each user action and show the message.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace vf
