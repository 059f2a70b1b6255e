#include "RememberedState.h"

#include "Error.h"
#include "Store.h"

namespace vf {

namespace {

const QString kLastEmpire = QStringLiteral("last empire");

QString geometrySetting(const QString& window)
{
    return QStringLiteral("window %1").arg(window);
}

} // namespace

int RememberedState::lastEmpire() const
{
    return read(kLastEmpire).toInt();
}

void RememberedState::setLastEmpire(int empireId) const
{
    write(kLastEmpire, QString::number(empireId));
}

QByteArray RememberedState::windowGeometry(const QString& window) const
{
    return QByteArray::fromBase64(read(geometrySetting(window)).toLatin1());
}

void RememberedState::setWindowGeometry(const QString& window, const QByteArray& geometry) const
{
    write(geometrySetting(window), QString::fromLatin1(geometry.toBase64()));
}

QString RememberedState::read(const QString& name) const
{
    try {
        return m_store.setting(name);
    } catch (const Error&) {
        return QString();
    }
}

void RememberedState::write(const QString& name, const QString& value) const
{
    try {
        m_store.setSetting(name, value);
    } catch (const Error&) {
        // Not remembered this time; nothing the player needs to hear about.
    }
}

} // namespace vf
