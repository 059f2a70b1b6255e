#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace vf {

enum class DialogIcon { None, Information, Warning, Question };
// After an import: OK, What Changed (when an import before it is kept to compare with), and
// Check Orders when stored orders now fail.
enum class DialogButtons {
    Ok,
    OkCancel,
    YesNo,
    ReviewOrSaveAnyway,
    ImportDone,
    ImportDoneCheck,
    FirstImportDoneCheck,
};
enum class DialogAnswer { Ok, Cancel, Yes, No, ReviewOrders, SaveAnyway, WhatChanged, CheckOrders };

struct DialogRequest {
    DialogIcon icon = DialogIcon::None;
    QString title; // empty: the application title
    QString text;
    DialogButtons buttons = DialogButtons::Ok;
    // Laid out with blanks (a pointer under a word): shown as written, never wrapped.
    bool preformatted = false;
    // The button Enter presses; nothing: the first.
    std::optional<DialogAnswer> defaultAnswer = std::nullopt;
    // A folder the message names: an "Open Folder" button shows it in the file manager.
    QString folderToOpen = QString();
    // Values the player may want to copy (a folder, a file name), shown apart, by label.
    QList<std::pair<QString, QString>> copyable = {};
};

// Every message box and input box of the program goes through this interface, so that
// windows can be driven by tests with scripted answers.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual DialogAnswer ask(const DialogRequest& request) = 0;
    // The typed text, or nothing when the player cancels.
    virtual std::optional<QString> askText(const QString& title, const QString& prompt) = 0;
    // A file chosen to open, starting in folder and offering the filter (e.g. "*.mdb"), or
    // nothing when the player cancels.
    virtual std::optional<QString> chooseFile(const QString& title, const QString& folder,
                                              const QString& filter) = 0;
    // A file to save to, starting at the suggested one, or nothing when the player cancels.
    virtual std::optional<QString> chooseSaveFile(const QString& title, const QString& suggested,
                                                  const QString& filter) = 0;

    void inform(const QString& title, const QString& text, DialogIcon icon)
    {
        ask({icon, title, text, DialogButtons::Ok});
    }
    void warn(const QString& title, const QString& text)
    {
        inform(title, text, DialogIcon::Warning);
    }
};

inline const QString kApplicationTitle = QStringLiteral("VF Turn Entry");

} // namespace vf
