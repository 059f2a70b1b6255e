#include "QtDialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QUrl>

namespace vf {

namespace {

QMessageBox::Icon iconOf(DialogIcon icon)
{
    switch (icon) {
    case DialogIcon::Information:
        return QMessageBox::Information;
    case DialogIcon::Warning:
        return QMessageBox::Warning;
    case DialogIcon::Question:
        return QMessageBox::Question;
    case DialogIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The buttons of a message box with the answer each gives, in the box's order.
QList<std::pair<QAbstractButton*, DialogAnswer>> addButtons(QMessageBox& box, DialogButtons buttons)
{
    const auto standard = [&box](QMessageBox::StandardButton button, DialogAnswer answer) {
        return std::pair<QAbstractButton*, DialogAnswer>(box.addButton(button), answer);
    };
    switch (buttons) {
    case DialogButtons::OkCancel:
        return {standard(QMessageBox::Ok, DialogAnswer::Ok),
                standard(QMessageBox::Cancel, DialogAnswer::Cancel)};
    case DialogButtons::YesNo:
        return {standard(QMessageBox::Yes, DialogAnswer::Yes),
                standard(QMessageBox::No, DialogAnswer::No)};
    case DialogButtons::ReviewOrSaveAnyway:
        return {{box.addButton(QStringLiteral("Review Orders"), QMessageBox::AcceptRole),
                 DialogAnswer::ReviewOrders},
                {box.addButton(QStringLiteral("Save Anyway"), QMessageBox::DestructiveRole),
                 DialogAnswer::SaveAnyway}};
    case DialogButtons::FirstImportDoneCheck:
        return {standard(QMessageBox::Ok, DialogAnswer::Ok),
                {box.addButton(QStringLiteral("&Check Orders"), QMessageBox::ActionRole),
                 DialogAnswer::CheckOrders}};
    case DialogButtons::ImportDone:
    case DialogButtons::ImportDoneCheck: {
        QList<std::pair<QAbstractButton*, DialogAnswer>> all{
            standard(QMessageBox::Ok, DialogAnswer::Ok),
            {box.addButton(QStringLiteral("&What Changed"), QMessageBox::ActionRole),
             DialogAnswer::WhatChanged}};
        if (buttons == DialogButtons::ImportDoneCheck)
            all.append({box.addButton(QStringLiteral("&Check Orders"), QMessageBox::ActionRole),
                        DialogAnswer::CheckOrders});
        return all;
    }
    case DialogButtons::Ok:
        break;
    }
    return {standard(QMessageBox::Ok, DialogAnswer::Ok)};
}

QString titleOf(const QString& title)
{
    return title.isEmpty() ? kApplicationTitle : title;
}

// Shows the folder in the system's file manager; says so when there is none to show it.
void openFolder(const QString& folder, QWidget* parent)
{
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        return;
    QMessageBox::warning(parent, kApplicationTitle,
                         QStringLiteral("The folder %1 could not be shown: this system has no "
                                        "program to show folders with. Open it yourself.")
                             .arg(QDir::toNativeSeparators(folder)));
}

// The values to copy, each in a box of its own where it can be selected whole.
void addCopyableValues(QGridLayout* layout, int row, const DialogRequest& request)
{
    auto* values = new QFormLayout;
    for (const auto& [label, value] : request.copyable) {
        auto* field = new QLineEdit(value);
        field->setObjectName(label);
        field->setReadOnly(true);
        field->setCursorPosition(0);
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(value) / 2);
        values->addRow(label + QLatin1Char(':'), field);
    }
    layout->addLayout(values, row, 1);
}

// A message box wraps long lines; a preformatted message gets a box of its own that shows
// every line whole, scrolling when the screen has less room, and its values to copy apart.
void showPreformatted(const DialogRequest& request, const QString& text, QWidget* parent)
{
    QDialog box(parent);
    box.setObjectName(QStringLiteral("PreformattedMessage"));
    box.setWindowTitle(titleOf(request.title));
    auto* icon = new QLabel(&box);
    const QStyle::StandardPixmap pixmap = request.icon == DialogIcon::Warning
                                              ? QStyle::SP_MessageBoxWarning
                                              : QStyle::SP_MessageBoxInformation;
    icon->setPixmap(box.style()->standardIcon(pixmap).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto* message = new QLabel(text);
    message->setObjectName(QStringLiteral("MessageText"));
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(false);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* scroll = new QScrollArea(&box);
    scroll->setWidget(message);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    const QRect screen = box.screen()->availableGeometry();
    scroll->setMinimumSize(qMin(message->sizeHint().width() + 24, screen.width() * 9 / 10),
                           qMin(message->sizeHint().height() + 24, screen.height() * 2 / 3));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    if (!request.folderToOpen.isEmpty()) {
        QPushButton* open =
            buttons->addButton(QStringLiteral("Open Folder"), QDialogButtonBox::ActionRole);
        open->setObjectName(QStringLiteral("OpenFolder"));
        QObject::connect(open, &QPushButton::clicked, &box,
                         [folder = request.folderToOpen, &box] { openFolder(folder, &box); });
    }
    auto* layout = new QGridLayout(&box);
    layout->addWidget(icon, 0, 0);
    layout->addWidget(scroll, 0, 1);
    addCopyableValues(layout, 1, request);
    layout->addWidget(buttons, 2, 0, 1, 2);
    box.setMaximumSize(screen.size());
    buttons->button(QDialogButtonBox::Ok)->setFocus();
    box.exec();
}

} // namespace

QWidget* QtDialogs::parentWindow() const
{
    return m_parent ? m_parent : QApplication::activeWindow();
}

DialogAnswer QtDialogs::ask(const DialogRequest& request)
{
    // Messages carry CR LF line breaks; the box wants plain line feeds.
    QString text = request.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (request.preformatted) {
        showPreformatted(request, text, parentWindow());
        return DialogAnswer::Ok;
    }
    QMessageBox box(iconOf(request.icon), titleOf(request.title), text, QMessageBox::NoButton,
                    parentWindow());
    const auto buttons = addButtons(box, request.buttons);
    QAbstractButton* open = nullptr;
    if (!request.folderToOpen.isEmpty()) {
        open = box.addButton(QStringLiteral("Open Folder"), QMessageBox::ActionRole);
        open->setObjectName(QStringLiteral("OpenFolder"));
    }
    for (const auto& [button, answer] : buttons) {
        if (request.defaultAnswer == answer)
            box.setDefaultButton(qobject_cast<QPushButton*>(button));
        // Escape gives the answer that changes nothing.
        if (answer == DialogAnswer::Cancel || answer == DialogAnswer::No ||
            answer == DialogAnswer::ReviewOrders)
            box.setEscapeButton(button);
    }
    box.exec();
    if (open && box.clickedButton() == open)
        openFolder(request.folderToOpen, parentWindow());
    for (const auto& [button, answer] : buttons) {
        if (box.clickedButton() == button)
            return answer;
    }
    return buttons.size() > 1 ? DialogAnswer::Cancel : DialogAnswer::Ok;
}

std::optional<QString> QtDialogs::askText(const QString& title, const QString& prompt)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parentWindow(), titleOf(title), prompt,
                                               QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtDialogs::chooseFile(const QString& title, const QString& folder,
                                             const QString& filter)
{
    const QString file =
        QFileDialog::getOpenFileName(parentWindow(), titleOf(title), folder, filter);
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

std::optional<QString> QtDialogs::chooseSaveFile(const QString& title, const QString& suggested,
                                                 const QString& filter)
{
    const QString file =
        QFileDialog::getSaveFileName(parentWindow(), titleOf(title), suggested, filter);
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

} // namespace vf
