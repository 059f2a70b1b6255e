#include "WhatChangedWindow.h"

#include "Wording.h"
#include "common/AppContext.h"
#include "common/BackgroundWork.h"
#include "common/Dialogs.h"
#include "common/ScreenMetrics.h"
#include "store/EmpireRepository.h"
#include "store/Store.h"
#include "turnimport/TurnResultsArchive.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace vf {

namespace {

const QString kTitle = QStringLiteral("What Changed");

QString when(const QDateTime& time)
{
    return time.toString(QStringLiteral("MM-dd-yyyy 'at' hh:mm"));
}

} // namespace

WhatChangedWindow::WhatChangedWindow(const TurnChanges& changes, const QString& empire,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("WhatChanged"));
    setWindowTitle(kTitle + QStringLiteral(" - ") + empire);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* summary = new QLabel(
        QStringLiteral("The turn data imported %1, against the import of %2: %3.")
            .arg(when(changes.after), when(changes.before),
                 countOf(changes.total(), QStringLiteral("change"), QStringLiteral("changes"))),
        this);
    summary->setObjectName(QStringLiteral("Summary"));
    summary->setWordWrap(true);
    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("Filter"));
    m_filter->setAccessibleName(QStringLiteral("Filter"));
    m_filter->setPlaceholderText(QStringLiteral("Type to keep only the changes that hold it "
                                                "(Ctrl+F)"));
    m_filter->setClearButtonEnabled(true);
    m_lines = new QListWidget(this);
    m_lines->setObjectName(QStringLiteral("Changes"));
    m_lines->setAccessibleName(QStringLiteral("Changes"));
    m_lines->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const TableChanges& table : changes.tables)
        m_lines->addItem(table.summary());
    m_details = m_lines->count();
    for (const TableChanges& table : changes.tables) {
        for (const QString& line : table.lines)
            m_lines->addItem(table.title + QStringLiteral(" - ") + line);
    }
    connect(m_filter, &QLineEdit::textChanged, this, &WhatChangedWindow::applyFilter);
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this,
            [this] { m_filter->setFocus(Qt::ShortcutFocusReason); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (m_filter->text().isEmpty())
            close();
        else
            m_filter->clear();
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(m_filter);
    layout->addWidget(m_lines, 1);
    layout->addWidget(buttons);
    resize(720, 480);
}

QStringList WhatChangedWindow::shownLines() const
{
    QStringList shown;
    for (int row = 0; row < m_lines->count(); ++row) {
        if (!m_lines->item(row)->isHidden())
            shown << m_lines->item(row)->text();
    }
    return shown;
}

void WhatChangedWindow::applyFilter(const QString& text)
{
    // The counts stay; the details are filtered.
    for (int row = m_details; row < m_lines->count(); ++row) {
        QListWidgetItem* item = m_lines->item(row);
        item->setHidden(!item->text().contains(text, Qt::CaseInsensitive));
    }
}

namespace {

// The empire's kept files when there are two at least; otherwise says so and gives nothing.
std::optional<QList<TurnResultsArchive::Kept>> keptTurns(AppContext& context,
                                                         std::optional<int> empireId)
{
    if (!empireId) {
        context.dialogs.warn(kTitle, QStringLiteral("You need to select an Empire before "
                                                    "looking at what changed"));
        return std::nullopt;
    }
    const QList<TurnResultsArchive::Kept> kept =
        TurnResultsArchive(context.dataFolder.folder()).kept(QString::number(*empireId));
    if (kept.size() >= 2)
        return kept;
    context.dialogs.inform(kTitle,
                           QStringLiteral("The turn data of Empire # %1 has not been imported "
                                          "twice yet: there is nothing to compare it with.")
                               .arg(*empireId),
                           DialogIcon::Information);
    return std::nullopt;
}

void showChanges(AppContext& context, int empireId, const TurnChanges& changes, QWidget* over)
{
    const auto empire = EmpireRepository(context.store).findById(empireId);
    const QString name = QStringLiteral("Empire # %1").arg(empireId) +
                         (empire ? QLatin1Char(' ') + empire->name : QString());
    auto* window = new WhatChangedWindow(changes, name, over);
    window->resize(fittedToScreen(window->size(), context.screen));
    window->show();
    window->activateWindow();
}

QComboBox* turnChooser(QWidget* parent, const QString& name,
                       const QList<TurnResultsArchive::Kept>& kept, qsizetype chosen)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(name);
    for (const TurnResultsArchive::Kept& turn : kept)
        box->addItem(QStringLiteral("Imported ") + when(turn.when));
    box->setCurrentIndex(int(chosen));
    return box;
}

} // namespace

void openWhatChanged(AppContext& context, std::optional<int> empireId, QWidget* over)
{
    // The archive's latest file is the turn data stored now; the one before it, the turn before.
    const auto kept = keptTurns(context, empireId);
    if (!kept)
        return;
    const TurnResultsArchive::Kept& earlier = kept->at(kept->size() - 2);
    const QString database = context.store.path();
    const TurnChanges changes =
        waitFor(over, readingFile(earlier.path), [&](const Progress& progress) {
            const Store store(database); // the reading thread's own connection
            return changesSince(store, *empireId, context.readerPath, earlier.path, earlier.when,
                                progress);
        });
    showChanges(context, *empireId, changes, over);
}

void openCompareTurns(AppContext& context, std::optional<int> empireId, QWidget* over)
{
    const auto kept = keptTurns(context, empireId);
    if (!kept)
        return;
    QDialog choice(over);
    choice.setObjectName(QStringLiteral("CompareTurns"));
    choice.setWindowTitle(QStringLiteral("Compare Turns"));
    auto* earlier = turnChooser(&choice, QStringLiteral("Earlier"), *kept, kept->size() - 2);
    auto* later = turnChooser(&choice, QStringLiteral("Later"), *kept, kept->size() - 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &choice);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Compare"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &choice, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &choice, &QDialog::reject);
    auto* form = new QFormLayout(&choice);
    form->addRow(QStringLiteral("&Earlier turn:"), earlier);
    form->addRow(QStringLiteral("&Later turn:"), later);
    form->addRow(buttons);
    if (choice.exec() != QDialog::Accepted)
        return;
    const TurnResultsArchive::Kept& from = kept->at(earlier->currentIndex());
    const TurnResultsArchive::Kept& to = kept->at(later->currentIndex());
    const TurnChanges changes =
        waitFor(over, readingFile(from.path), [&](const Progress& progress) {
            return changesBetween(*empireId, context.readerPath, from, to, progress);
        });
    showChanges(context, *empireId, changes, over);
}

} // namespace vf
