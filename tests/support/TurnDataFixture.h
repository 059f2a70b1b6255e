#pragma once

#include "AppFixture.h"
#include "turndata/TurnDataWindow.h"

#include <memory>

namespace vf::test {

// The Turn Data window of empire 123, its turn data imported from 123.mdb, shown.
struct TurnDataOf123 : AppFixture {
    std::unique_ptr<TurnDataWindow> window;

    TurnDataOf123()
    {
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        t.importFixture(QStringLiteral("123.mdb"), 123);
        window = std::make_unique<TurnDataWindow>(context, navigator, 123);
        window->show();
    }
};

} // namespace vf::test
