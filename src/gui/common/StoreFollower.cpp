#include "StoreFollower.h"

#include "Error.h"
#include "store/Store.h"
#include "store/TurnImports.h"

#include <QPointer>
#include <QTimer>

namespace vf {

namespace {

// Gathers the notices told while the event loop is busy into one reload.
class Follower : public QObject {
public:
    Follower(QObject* window, std::function<void()> reload)
        : QObject(window)
        , m_reload(std::move(reload))
    {
    }

    void told()
    {
        if (m_pending)
            return;
        m_pending = true;
        QTimer::singleShot(0, this, [this] {
            m_pending = false;
            m_reload();
        });
    }

private:
    std::function<void()> m_reload;
    bool m_pending = false;
};

} // namespace

void followStore(QObject* window, const Store& store, StoredDataSet what,
                 std::function<void()> reload)
{
    auto* follower = new Follower(window, std::move(reload));
    QObject::connect(
        &StoreNotices::instance(), &StoreNotices::committed, follower,
        [follower, path = store.path(), what](const QString& database, StoredDataSet touched) {
            if (database == path && (touched & what))
                follower->told();
        });
}

void followImports(QObject* window, const Store& store, int empireId, std::function<void()> reload)
{
    followStore(window, store, StoredData::TurnData,
                [&store, empireId, shown = lastImportOf(store, empireId),
                 reload = std::move(reload)]() mutable {
                    // A database that cannot be read now: the window's reload tells it.
                    ImportStamp now;
                    try {
                        now = lastImportOf(store, empireId);
                    } catch (const Error&) {
                        reload();
                        return;
                    }
                    if (now.when == shown.when && now.file == shown.file)
                        return;
                    shown = now;
                    reload();
                });
}

} // namespace vf
