#pragma once

#include "turndata/TurnChanges.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;

namespace vf {

struct AppContext;
class Navigator;

// What changed between two imports of an empire's turn data: each table's counts first, the
// details below, a filter over them all, and copying the lines chosen (or all).
class WhatChangedWindow : public QWidget {
    Q_OBJECT
public:
    WhatChangedWindow(const TurnChanges& changes, const QString& empire, Navigator& navigator,
                      int empireId, QWidget* parent = nullptr);

    QLineEdit& filter() { return *m_filter; }
    QListWidget& lines() { return *m_lines; }
    QLabel& summary() { return *m_summary; }
    // The lines shown, in order.
    QStringList shownLines() const;
    // The lines chosen and shown, in order, one a line.
    QString selectedText() const;

    // Shows these changes instead (the turn data was imported again).
    void showChanges(const TurnChanges& changes);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyFilter(const QString& text);
    void offerCopy(QPoint at);

    QLabel* m_summary = nullptr;
    QLineEdit* m_filter = nullptr;
    QLabel* m_noMatch = nullptr;
    QListWidget* m_lines = nullptr;
};

// Compares the empire's turn data with the turn results file the archive kept of the import
// before, and shows what changed over the window given; says so when there is nothing to
// compare with yet. The window follows the store: another import compares anew. A file that
// cannot be read or a database failure throws vf::Error.
void openWhatChanged(AppContext& context, Navigator& navigator, std::optional<int> empireId,
                     QWidget* over);
// Asks which two of the empire's kept turn results files to compare ("Earlier", "Later": the
// last two at first), then shows what changed between them, the earlier import first
// whichever way they were picked; the same turn twice is refused.
void openCompareTurns(AppContext& context, Navigator& navigator, std::optional<int> empireId,
                      QWidget* over);

} // namespace vf
