#include "FakeDialogs.h"

#include <QTest>

namespace vf::test {

void FakeDialogs::answerOk(int times)
{
    for (int i = 0; i < times; ++i)
        answer(DialogAnswer::Ok);
}

DialogAnswer FakeDialogs::ask(const DialogRequest& request)
{
    m_records.append({request, false});
    if (m_answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected message \"%1\"").arg(request.text)),
                     __FILE__, __LINE__);
        return request.buttons == DialogButtons::YesNo ? DialogAnswer::No : DialogAnswer::Cancel;
    }
    return m_answers.dequeue();
}

std::optional<QString> FakeDialogs::askText(const QString& title, const QString& prompt)
{
    m_records.append({{DialogIcon::None, title, prompt, DialogButtons::OkCancel}, true});
    if (m_texts.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected input box \"%1\"").arg(prompt)),
                     __FILE__, __LINE__);
        return std::nullopt;
    }
    return m_texts.dequeue();
}

std::optional<QString> FakeDialogs::chooseFile(const QString& title, const QString& folder,
                                               const QString& filter)
{
    m_records.append(
        {{DialogIcon::None, title, folder + QLatin1Char(' ') + filter, DialogButtons::OkCancel},
         true});
    if (m_files.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected file chooser \"%1\"").arg(title)),
                     __FILE__, __LINE__);
        return std::nullopt;
    }
    return m_files.dequeue();
}

QStringList FakeDialogs::texts() const
{
    QStringList list;
    for (const Record& r : m_records)
        list << r.request.text;
    return list;
}

QStringList FakeDialogs::titles() const
{
    QStringList list;
    for (const Record& r : m_records)
        list << r.request.title;
    return list;
}

} // namespace vf::test
