#pragma once

#include <QString>

namespace vf {

struct Empire {
    int id = 0;
    QString name;
    QString password;
};

} // namespace vf
