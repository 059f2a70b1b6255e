#pragma once

#include "FakeDialogs.h"
#include "FakeNavigator.h"
#include "FixedClock.h"
#include "FixedScreenMetrics.h"
#include "TestStore.h"
#include "common/AppContext.h"
#include "common/ScreenMetrics.h"

namespace vf::test {

// What a window under test needs: a real database in a temporary folder, scripted
// dialogs, a navigator that records, a fixed date (7 December 2026) and screen.
struct AppFixture {
    TestStore t;
    FakeDialogs dialogs;
    FakeNavigator navigator;
    FixedClock clock{QDate(2026, 12, 7)};
    FixedScreenMetrics screen;
    AppContext context{t.store(), t.folder(), dialogs, clock, screen, TestStore::readerPath()};

    explicit AppFixture(int screenWidth = 1024, int screenHeight = 900)
        : screen(screenWidth, screenHeight)
    {
    }

    // The same context with other dialogs, e.g. the real message boxes.
    AppContext contextWith(Dialogs& others)
    {
        return AppContext{t.store(), t.folder(), others, clock, screen, TestStore::readerPath()};
    }
};

} // namespace vf::test
