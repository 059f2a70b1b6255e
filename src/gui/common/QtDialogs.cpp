#include "QtDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

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

QMessageBox::StandardButtons buttonsOf(DialogButtons buttons)
{
    switch (buttons) {
    case DialogButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case DialogButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case DialogButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

DialogAnswer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Ok:
        return DialogAnswer::Ok;
    case QMessageBox::Yes:
        return DialogAnswer::Yes;
    case QMessageBox::No:
        return DialogAnswer::No;
    default:
        return DialogAnswer::Cancel;
    }
}

QString titleOf(const QString& title)
{
    return title.isEmpty() ? kApplicationTitle : title;
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
    QMessageBox box(iconOf(request.icon), titleOf(request.title), text, buttonsOf(request.buttons),
                    parentWindow());
    return answerOf(box.exec());
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

} // namespace vf
