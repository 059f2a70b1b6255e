#pragma once

#include "store/StoreNotices.h"

#include <functional>

class QObject;

namespace vf {

class Store;

// How a window follows the database it shows: `reload` runs on the window's thread, through
// its event loop, after a commit to that database touched what is given (several commits told
// together give one call). It stops with the window.
void followStore(QObject* window, const Store& store, StoredDataSet what,
                 std::function<void()> reload);

// The same for the empire's turn data: `reload` runs only when another import of that empire
// was stored since the window was made (the import stamp differs), not for other empires'.
void followImports(QObject* window, const Store& store, int empireId, std::function<void()> reload);

} // namespace vf
