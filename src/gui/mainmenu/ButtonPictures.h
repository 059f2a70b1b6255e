#pragma once

#include <QIcon>

namespace vf {

enum class ButtonPicture {
    EnterOrders,
    EditOrders,
    UpdateData,
    SaveOrders,
    ClearOrders,
    NewEmpire
};

// The small pictures of the main menu's buttons, drawn by the program.
QIcon buttonPicture(ButtonPicture picture, QSize size);

} // namespace vf
