#pragma once

#include <QTextBrowser>

namespace vf {

struct AppContext;
class ScreenMetrics;

// The user's guide (the README installed with the program, pictures and all), read in a
// window of its own.
class UserGuideWindow : public QTextBrowser {
    Q_OBJECT
public:
    UserGuideWindow(const QString& guide, const ScreenMetrics& screen, QWidget* parent = nullptr);
};

// Help, User's Guide: opens the guide, or says where it was looked for.
void openUserGuide(AppContext& context, QWidget* over);

// Help, About: the version, the licence and the data folder, which a button opens.
void showAbout(AppContext& context);

} // namespace vf
