#include "WhatChangedWindow.h"

#include "Wording.h"
#include "common/AppContext.h"
#include "common/BackgroundWork.h"
#include "common/Dialogs.h"
#include "common/ProgramKeys.h"
#include "common/ScreenMetrics.h"
#include "common/StoreFollower.h"
#include "model/ImportStamp.h"
#include "store/EmpireRepository.h"
#include "store/Store.h"
#include "turnimport/TurnResultsArchive.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace vf {

namespace {

const QString kTitle = QStringLiteral("What Changed");

QString summaryOf(const TurnChanges& changes)
{
    return QStringLiteral("The turn data imported %1, against the import of %2: %3.")
        .arg(shownTime(changes.after), shownTime(changes.before),
             countOf(changes.total(), QStringLiteral("change"), QStringLiteral("changes")));
}

} // namespace

WhatChangedWindow::WhatChangedWindow(const TurnChanges& changes, const QString& empire,
                                     Navigator& navigator, int empireId, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("WhatChanged"));
    setWindowTitle(kTitle + QStringLiteral(" - ") + empire);
    setAttribute(Qt::WA_DeleteOnClose);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("Summary"));
    m_summary->setWordWrap(true);
    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("Filter"));
    m_filter->setAccessibleName(QStringLiteral("Filter"));
    m_filter->setPlaceholderText(QStringLiteral("Type to keep only the changes that hold it "
                                                "(Ctrl+F)"));
    m_filter->setClearButtonEnabled(true);
    m_noMatch = new QLabel(this);
    m_noMatch->setObjectName(QStringLiteral("NoMatch"));
    m_noMatch->hide();
    m_lines = new QListWidget(this);
    m_lines->setObjectName(QStringLiteral("Changes"));
    m_lines->setAccessibleName(QStringLiteral("Changes"));
    m_lines->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lines->setContextMenuPolicy(Qt::CustomContextMenu);
    m_lines->installEventFilter(this);
    connect(m_lines, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { offerCopy(m_lines->viewport()->mapToGlobal(at)); });
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
    addProgramKeys(this, navigator, empireId);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_filter);
    layout->addWidget(m_noMatch);
    layout->addWidget(m_lines, 1);
    layout->addWidget(buttons);
    resize(720, 480);
    showChanges(changes);
}

void WhatChangedWindow::showChanges(const TurnChanges& changes)
{
    m_summary->setText(summaryOf(changes));
    m_lines->clear();
    for (const TableChanges& table : changes.tables)
        m_lines->addItem(table.summary());
    for (const TableChanges& table : changes.tables) {
        for (const QString& line : table.lines)
            m_lines->addItem(table.title + QStringLiteral(" - ") + line);
    }
    applyFilter(m_filter->text());
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

QString WhatChangedWindow::selectedText() const
{
    QStringList chosen;
    for (int row = 0; row < m_lines->count(); ++row) {
        const QListWidgetItem* item = m_lines->item(row);
        if (!item->isHidden() && item->isSelected())
            chosen << item->text();
    }
    return chosen.isEmpty() ? QString() : chosen.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void WhatChangedWindow::applyFilter(const QString& text)
{
    // Every line, the tables' counts too, stays only when it holds the text.
    bool any = false;
    for (int row = 0; row < m_lines->count(); ++row) {
        QListWidgetItem* item = m_lines->item(row);
        const bool holds = item->text().contains(text, Qt::CaseInsensitive);
        item->setHidden(!holds);
        any = any || holds;
    }
    m_noMatch->setText(QStringLiteral("No change holds \"%1\".").arg(text));
    m_noMatch->setVisible(!any && !text.isEmpty());
}

void WhatChangedWindow::offerCopy(QPoint at)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("CopyMenu"));
    QAction* copy = menu.addAction(QStringLiteral("&Copy"));
    copy->setObjectName(QStringLiteral("Copy"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(!selectedText().isEmpty());
    connect(copy, &QAction::triggered, this,
            [this] { QApplication::clipboard()->setText(selectedText()); });
    QAction* all = menu.addAction(QStringLiteral("Copy &All"));
    all->setObjectName(QStringLiteral("CopyAll"));
    connect(all, &QAction::triggered, this, [this] {
        QApplication::clipboard()->setText(shownLines().join(QLatin1Char('\n')) +
                                           QLatin1Char('\n'));
    });
    menu.exec(at);
}

bool WhatChangedWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lines && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(selectedText());
        return true;
    }
    return QWidget::eventFilter(watched, event);
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

WhatChangedWindow* showChanges(AppContext& context, Navigator& navigator, int empireId,
                               const TurnChanges& changes, QWidget* over)
{
    const auto empire = EmpireRepository(context.store).findById(empireId);
    const QString name = QStringLiteral("Empire # %1").arg(empireId) +
                         (empire ? QLatin1Char(' ') + empire->name : QString());
    auto* window = new WhatChangedWindow(changes, name, navigator, empireId, over);
    window->resize(fittedToScreen(window->size(), context.screen));
    window->show();
    window->activateWindow();
    return window;
}

// What changed from the import before to the turn data stored now, read on the calling
// thread over a connection of its own; nothing when the archive holds one turn only.
std::optional<TurnChanges> changesSinceLast(const AppContext& context, int empireId,
                                            const Progress& progress)
{
    const QList<TurnResultsArchive::Kept> kept =
        TurnResultsArchive(context.dataFolder.folder()).kept(QString::number(empireId));
    if (kept.size() < 2)
        return std::nullopt;
    // The archive's latest file is the turn data stored now; the one before it, the turn before.
    const TurnResultsArchive::Kept& earlier = kept.at(kept.size() - 2);
    const Store store(context.store.path());
    return changesSince(store, empireId, context.readerPath, earlier.path, earlier.when, progress);
}

// Another import of the empire: the window compares anew, off its thread, and says so
// meanwhile.
void followNewImports(AppContext& context, int empireId, WhatChangedWindow* window)
{
    followImports(window, context.store, empireId, [&context, empireId, window] {
        window->summary().setText(
            QStringLiteral("The turn data was imported again: comparing anew \u2026"));
        runInBackground<std::optional<TurnChanges>>(
            window,
            [&context, empireId](const Progress& progress) {
                return changesSinceLast(context, empireId, progress);
            },
            [window](const std::optional<TurnChanges>& changes) {
                if (changes)
                    window->showChanges(*changes);
            },
            [window](const QString& failure) {
                window->summary().setText(
                    QStringLiteral("The turn data was imported again, and could not be "
                                   "compared with the turn before: %1")
                        .arg(failure));
            });
    });
}

} // namespace

void openWhatChanged(AppContext& context, Navigator& navigator, std::optional<int> empireId,
                     QWidget* over)
{
    const auto kept = keptTurns(context, empireId);
    if (!kept)
        return;
    const auto changes =
        waitFor(over, readingFile(kept->at(kept->size() - 2).path), [&](const Progress& progress) {
            return changesSinceLast(context, *empireId, progress);
        });
    if (changes)
        followNewImports(context, *empireId,
                         showChanges(context, navigator, *empireId, *changes, over));
}

namespace {

QComboBox* turnChooser(QWidget* parent, const QString& name,
                       const QList<TurnResultsArchive::Kept>& kept, qsizetype chosen)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(name);
    // Two imports within one minute are told apart by their seconds.
    QStringList minutes;
    for (const TurnResultsArchive::Kept& turn : kept)
        minutes << shownTime(turn.when);
    for (qsizetype i = 0; i < kept.size(); ++i)
        box->addItem(QStringLiteral("Imported ") +
                     (minutes.count(minutes[i]) > 1
                          ? kept[i].when.toString(QStringLiteral("MM-dd-yyyy 'at' hh:mm:ss"))
                          : minutes[i]));
    box->setCurrentIndex(int(chosen));
    return box;
}

// The two turns chosen, the earlier import first; nothing when the player cancels.
std::optional<std::pair<int, int>>
chooseTwoTurns(AppContext& context, const QList<TurnResultsArchive::Kept>& kept, QWidget* over)
{
    QDialog choice(over);
    choice.setObjectName(QStringLiteral("CompareTurns"));
    choice.setWindowTitle(QStringLiteral("Compare Turns"));
    auto* earlier = turnChooser(&choice, QStringLiteral("Earlier"), kept, kept.size() - 2);
    auto* later = turnChooser(&choice, QStringLiteral("Later"), kept, kept.size() - 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &choice);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Compare"));
    // The same turn twice has nothing to tell: the dialogue stays open and says so.
    QObject::connect(buttons, &QDialogButtonBox::accepted, &choice, [&] {
        if (earlier->currentIndex() != later->currentIndex())
            return choice.accept();
        context.dialogs.warn(QStringLiteral("Compare Turns"),
                             QStringLiteral("Both boxes name the turn %1: choose two different "
                                            "turns to compare.")
                                 .arg(earlier->currentText().toLower()));
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &choice, &QDialog::reject);
    auto* form = new QFormLayout(&choice);
    form->addRow(QStringLiteral("&Earlier turn:"), earlier);
    form->addRow(QStringLiteral("&Later turn:"), later);
    form->addRow(buttons);
    if (choice.exec() != QDialog::Accepted)
        return std::nullopt;
    const int first = earlier->currentIndex();
    const int second = later->currentIndex();
    // Told by their import time, whichever box holds which.
    if (kept.at(first).when <= kept.at(second).when)
        return std::pair{first, second};
    return std::pair{second, first};
}

} // namespace

void openCompareTurns(AppContext& context, Navigator& navigator, std::optional<int> empireId,
                      QWidget* over)
{
    const auto kept = keptTurns(context, empireId);
    if (!kept)
        return;
    const auto chosen = chooseTwoTurns(context, *kept, over);
    if (!chosen)
        return;
    const TurnResultsArchive::Kept& from = kept->at(chosen->first);
    const TurnResultsArchive::Kept& to = kept->at(chosen->second);
    const TurnChanges changes =
        waitFor(over, readingFile(from.path), [&](const Progress& progress) {
            return changesBetween(*empireId, context.readerPath, from, to, progress);
        });
    showChanges(context, navigator, *empireId, changes, over);
}

} // namespace vf
