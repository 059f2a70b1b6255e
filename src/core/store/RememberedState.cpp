#include "RememberedState.h"

#include "Error.h"
#include "Store.h"

namespace vf {

int RememberedState::lastEmpire() const
{
    return read(Setting::lastEmpire()).toInt();
}

void RememberedState::setLastEmpire(int empireId) const
{
    write(Setting::lastEmpire(), QString::number(empireId));
}

QByteArray RememberedState::windowGeometry(const QString& window) const
{
    return QByteArray::fromBase64(read(Setting::windowGeometry(window)).toLatin1());
}

void RememberedState::setWindowGeometry(const QString& window, const QByteArray& geometry) const
{
    write(Setting::windowGeometry(window), QString::fromLatin1(geometry.toBase64()));
}

QString RememberedState::read(const Setting& setting) const
{
    try {
        return m_store.setting(setting);
    } catch (const Error&) {
        return QString();
    }
}

void RememberedState::write(const Setting& setting, const QString& value) const
{
    try {
        m_store.setSetting(setting, value);
    } catch (const Error&) {
        // Not remembered this time; nothing the player needs to hear about.
    }
}

} // namespace vf
