#pragma once

#include "Dialogs.h"

class QWidget;

namespace vf {

// Dialogs shown as Qt message boxes and input dialogs over a parent window.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr)
        : m_parent(parent)
    {
    }
    void setParent(QWidget* parent) { m_parent = parent; }

    DialogAnswer ask(const DialogRequest& request) override;
    std::optional<QString> askText(const QString& title, const QString& prompt) override;
    std::optional<QString> chooseFile(const QString& title, const QString& folder,
                                      const QString& filter) override;
    std::optional<QString> chooseSaveFile(const QString& title, const QString& suggested,
                                          const QString& filter) override;

private:
    QWidget* parentWindow() const;
    QWidget* m_parent;
};

} // namespace vf
