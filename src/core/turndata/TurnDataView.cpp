#include "TurnDataView.h"

#include "store/Store.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace vf {

TurnDataView readTurnDataView(const Store& store, int empireId)
{
    const QJsonObject kept =
        QJsonDocument::fromJson(store.setting(Setting::turnDataView(empireId)).toUtf8()).object();
    TurnDataView view;
    view.table = kept.value(QStringLiteral("table")).toString();
    view.filter = kept.value(QStringLiteral("filter")).toString();
    view.withoutOrders = kept.value(QStringLiteral("withoutOrders")).toBool();
    const QJsonObject sorts = kept.value(QStringLiteral("sorts")).toObject();
    for (auto sort = sorts.begin(); sort != sorts.end(); ++sort) {
        const QJsonObject by = sort.value().toObject();
        view.sorts.insert(sort.key(), {by.value(QStringLiteral("heading")).toString(),
                                       by.value(QStringLiteral("descending")).toBool()});
    }
    return view;
}

void keepTurnDataView(const Store& store, int empireId, const TurnDataView& view)
{
    QJsonObject sorts;
    for (auto sort = view.sorts.begin(); sort != view.sorts.end(); ++sort)
        sorts.insert(sort.key(), QJsonObject{{QStringLiteral("heading"), sort->heading},
                                             {QStringLiteral("descending"), sort->descending}});
    const QJsonObject kept{{QStringLiteral("table"), view.table},
                           {QStringLiteral("filter"), view.filter},
                           {QStringLiteral("withoutOrders"), view.withoutOrders},
                           {QStringLiteral("sorts"), sorts}};
    store.setSetting(Setting::turnDataView(empireId),
                     QString::fromUtf8(QJsonDocument(kept).toJson(QJsonDocument::Compact)));
}

} // namespace vf
