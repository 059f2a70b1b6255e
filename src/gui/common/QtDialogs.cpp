#include "QtDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

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

// A message box wraps long lines; a preformatted message gets a box of its own that shows
// every line whole, scrolling when the screen is too narrow.
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
    auto* layout = new QGridLayout(&box);
    layout->addWidget(icon, 0, 0);
    layout->addWidget(scroll, 0, 1);
    layout->addWidget(buttons, 1, 0, 1, 2);
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

std::optional<QString> QtDialogs::chooseFile(const QString& title, const QString& folder,
                                             const QString& filter)
{
    const QString file =
        QFileDialog::getOpenFileName(parentWindow(), titleOf(title), folder, filter);
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

} // namespace vf
