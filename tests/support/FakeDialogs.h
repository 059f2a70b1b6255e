#pragma once

#include "common/Dialogs.h"

#include <QList>
#include <QQueue>

namespace vf::test {

// Scripted dialogs: answers are queued before the action, every request is recorded. A
// dialog asked for with no answer queued fails the running test.
class FakeDialogs final : public Dialogs {
public:
    struct Record {
        DialogRequest request;
        bool input = false; // an input box or a file chooser (title; prompt or folder in text)
    };

    void answer(DialogAnswer answer) { m_answers.enqueue(answer); }
    void answerOk(int times = 1);
    void type(const QString& text) { m_texts.enqueue(text); }
    void cancelInput() { m_texts.emplaceBack(); } // nothing: Cancel
    // The file the player will choose; nothing: Cancel.
    void choose(std::optional<QString> file) { m_files.enqueue(std::move(file)); }

    DialogAnswer ask(const DialogRequest& request) override;
    std::optional<QString> askText(const QString& title, const QString& prompt) override;
    std::optional<QString> chooseFile(const QString& title, const QString& folder,
                                      const QString& filter) override;
    // Answered from the same files as chooseFile.
    std::optional<QString> chooseSaveFile(const QString& title, const QString& suggested,
                                          const QString& filter) override
    {
        return chooseFile(title, suggested, filter);
    }

    const QList<Record>& records() const { return m_records; }
    QStringList texts() const;
    QStringList titles() const;
    Record last() const { return m_records.isEmpty() ? Record{} : m_records.last(); }
    // The request made i-th, or an empty one when fewer were made (a check on it then fails).
    Record at(qsizetype i) const { return i < m_records.size() ? m_records.at(i) : Record{}; }
    void clear() { m_records.clear(); }
    bool allAnswersUsed() const
    {
        return m_answers.isEmpty() && m_texts.isEmpty() && m_files.isEmpty();
    }

private:
    QQueue<DialogAnswer> m_answers;
    QQueue<std::optional<QString>> m_texts;
    QQueue<std::optional<QString>> m_files;
    QList<Record> m_records;
};

} // namespace vf::test
