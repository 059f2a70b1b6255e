#pragma once

#include <QString>

namespace vf {

// What the program keeps with the data besides empires, orders and turn data, each by a key
// of its own. The names they are stored under come from here alone, and stay as they are:
// a database written by an earlier version is read the same way.
enum class SettingKey {
    LastEmpire,          // the empire chosen last
    WindowGeometry,      // where the player put a window
    OldDatabaseDeclined, // the offer to bring the old program's database over was declined
    ImportedAt,          // when an empire's turn data was imported
    ImportedFrom,        // the name of the file that import read
    FurtherFields,       // the further fields an import kept for a table of an empire
    MapPlaces,           // the places of an empire's warp map, with the import laid out for
    MapView,             // where the player last looked at an empire's warp map
    TurnDataView,        // the table, filter and sorts the player last had in Turn Data
    UnreadTables,        // the tables of an empire's last turn results file not read
    OrdersCleared,       // when an empire's orders kept aside were cleared
};

// One setting: its key and what it belongs to (an empire, a window, a table).
class Setting {
public:
    static Setting lastEmpire() { return Setting(SettingKey::LastEmpire); }
    static Setting windowGeometry(const QString& window)
    {
        return Setting(SettingKey::WindowGeometry, 0, window);
    }
    static Setting oldDatabaseDeclined() { return Setting(SettingKey::OldDatabaseDeclined); }
    static Setting importedAt(int empireId) { return Setting(SettingKey::ImportedAt, empireId); }
    static Setting importedFrom(int empireId)
    {
        return Setting(SettingKey::ImportedFrom, empireId);
    }
    static Setting furtherFields(int empireId, const QString& table)
    {
        return Setting(SettingKey::FurtherFields, empireId, table);
    }
    static Setting mapPlaces(int empireId) { return Setting(SettingKey::MapPlaces, empireId); }
    static Setting mapView(int empireId) { return Setting(SettingKey::MapView, empireId); }
    static Setting unreadTables(int empireId)
    {
        return Setting(SettingKey::UnreadTables, empireId);
    }
    static Setting ordersCleared(int empireId)
    {
        return Setting(SettingKey::OrdersCleared, empireId);
    }
    static Setting turnDataView(int empireId)
    {
        return Setting(SettingKey::TurnDataView, empireId);
    }

    SettingKey key() const { return m_key; }
    // The name the setting is stored under.
    QString storedName() const;

private:
    explicit Setting(SettingKey key, int empireId = 0, QString of = QString())
        : m_key(key)
        , m_empireId(empireId)
        , m_of(std::move(of))
    {
    }

    SettingKey m_key;
    int m_empireId;
    QString m_of;
};

inline QString Setting::storedName() const
{
    switch (m_key) {
    case SettingKey::LastEmpire:
        return QStringLiteral("last empire");
    case SettingKey::WindowGeometry:
        return QStringLiteral("window %1").arg(m_of);
    case SettingKey::OldDatabaseDeclined:
        return QStringLiteral("old database offer declined");
    case SettingKey::ImportedAt:
        return QStringLiteral("turn data imported %1").arg(m_empireId);
    case SettingKey::ImportedFrom:
        return QStringLiteral("turn data imported %1 from").arg(m_empireId);
    case SettingKey::FurtherFields:
        return QStringLiteral("turn data fields %1 %2").arg(m_empireId).arg(m_of);
    case SettingKey::MapPlaces:
        return QStringLiteral("warp map places %1").arg(m_empireId);
    case SettingKey::MapView:
        return QStringLiteral("warp map view %1").arg(m_empireId);
    case SettingKey::UnreadTables:
        return QStringLiteral("turn data unread tables %1").arg(m_empireId);
    case SettingKey::TurnDataView:
        return QStringLiteral("turn data view %1").arg(m_empireId);
    case SettingKey::OrdersCleared:
        return QStringLiteral("orders cleared %1").arg(m_empireId);
    }
    return QString();
}

} // namespace vf
