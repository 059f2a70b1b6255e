#pragma once

#include "turndata/TurnChanges.h"

#include <QWidget>

class QLineEdit;
class QListWidget;

namespace vf {

struct AppContext;

// What changed between two imports of an empire's turn data: each table's counts first, the
// details below, and a filter over the details.
class WhatChangedWindow : public QWidget {
    Q_OBJECT
public:
    WhatChangedWindow(const TurnChanges& changes, const QString& empire, QWidget* parent = nullptr);

    QLineEdit& filter() { return *m_filter; }
    QListWidget& lines() { return *m_lines; }
    // The lines shown, in order.
    QStringList shownLines() const;

private:
    void applyFilter(const QString& text);

    QLineEdit* m_filter = nullptr;
    QListWidget* m_lines = nullptr;
    int m_details = 0; // the row where the details begin
};

// Compares the empire's turn data with the turn results file the archive kept of the import
// before, and shows what changed over the window given; says so when there is nothing to
// compare with yet. A file that cannot be read or a database failure throws vf::Error.
void openWhatChanged(AppContext& context, std::optional<int> empireId, QWidget* over);
// Asks which two of the empire's kept turn results files to compare ("Earlier", "Later": the
// last two at first), then shows what changed between them.
void openCompareTurns(AppContext& context, std::optional<int> empireId, QWidget* over);

} // namespace vf
