#pragma once

#include <QHash>
#include <QString>

namespace vf {

class Store;

// How the player left an empire's Turn Data: the table shown, the filter, whether Without
// Orders was checked, and each table's sort (by the heading of its column: an import that keeps
// other further fields moves them).
struct TurnDataView {
    struct Sort {
        QString heading;
        bool descending = false;
        bool operator==(const Sort&) const = default;
    };
    QString table; // its title
    QString filter;
    bool withoutOrders = false;
    QHash<QString, Sort> sorts; // by table title

    bool operator==(const TurnDataView&) const = default;
};

// The view kept for the empire (an empty one when none was, or it cannot be read).
TurnDataView readTurnDataView(const Store& store, int empireId);
void keepTurnDataView(const Store& store, int empireId, const TurnDataView& view);

} // namespace vf
