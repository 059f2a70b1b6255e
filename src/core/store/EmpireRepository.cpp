#include "EmpireRepository.h"

#include "Error.h"
#include "PasswordRules.h"
#include "Store.h"

namespace vf {

namespace {

Empire empireFrom(const QSqlQuery& query)
{
    return Empire{query.value(0).toInt(), query.value(1).toString(), query.value(2).toString()};
}

const QString kSelect = QStringLiteral("SELECT EmpireID, EmpireName, Password FROM Empires ");

} // namespace

QList<Empire> EmpireRepository::all() const
{
    QSqlQuery query = m_store.run(kSelect + QStringLiteral("ORDER BY rowid"));
    QList<Empire> empires;
    while (query.next())
        empires.append(empireFrom(query));
    return empires;
}

std::optional<Empire> EmpireRepository::findFirst(const QString& where, const QVariant& value) const
{
    QSqlQuery query =
        m_store.run(kSelect + where + QStringLiteral(" ORDER BY rowid LIMIT 1"), {value});
    if (!query.next())
        return std::nullopt;
    return empireFrom(query);
}

std::optional<Empire> EmpireRepository::findByName(const QString& name) const
{
    // The name as typed first; else one that differs from it in letter case only.
    if (auto exact = findFirst(QStringLiteral("WHERE EmpireName = ?"), name))
        return exact;
    return findFirst(QStringLiteral("WHERE EmpireName = ? COLLATE ANYCASE"), name);
}

std::optional<Empire> EmpireRepository::findById(int id) const
{
    return findFirst(QStringLiteral("WHERE EmpireID = ?"), id);
}

void EmpireRepository::add(const Empire& empire) const
{
    m_store.run(
        QStringLiteral("INSERT INTO Empires (EmpireID, EmpireName, Password) VALUES (?, ?, ?)"),
        {empire.id, empire.name, empire.password});
}

void EmpireRepository::setPassword(int id, const QString& password) const
{
    if (const auto problem = passwordProblem(password))
        throw Error(*problem);
    m_store.run(QStringLiteral("UPDATE Empires SET Password = ? WHERE EmpireID = ?"),
                {password, id});
}

} // namespace vf
