#pragma once

#include "AppFixture.h"
#include "store/OrderRepository.h"

#include <QDir>
#include <QStringList>

namespace vf::test {

// A real database and data folder for writing orders files, and what lies in its folder of
// orders files.
struct OrdersFileFixture : AppFixture {
    OrderRepository orders{t.store()};

    QString ordersFile(const QString& name) const
    {
        return QDir(t.folder().ordersFolder()).filePath(name);
    }
    QStringList filesWritten() const
    {
        return QDir(t.folder().ordersFolder()).entryList(QDir::Files | QDir::Hidden);
    }
};

} // namespace vf::test
