#include "SaveOrdersDialogue.h"

#include "Error.h"
#include "common/AppContext.h"
#include "common/Dialogs.h"
#include "ordersfile/OrdersArchive.h"
#include "ordersfile/OrdersFile.h"
#include "platform/Clock.h"
#include "store/EmpireOrderCheck.h"
#include "store/EmpireRepository.h"
#include "store/OrderRepository.h"
#include "store/TurnImports.h"

#include <QStringList>

namespace vf {

namespace {

const QString kReportTitle = QStringLiteral("Imperial Bureaucrat Report");
const QString kLineBreak = QStringLiteral("\r\n");

QString finalMessage(const QString& folder, const QString& fileName)
{
    const QString pointer = QString(133, QLatin1Char(' ')) + QLatin1Char('|') + kLineBreak;
    return QStringLiteral("Your orders were saved in the following folder on your hard drive:") +
           QString(8, QLatin1Char(' ')) + folder + QString(6, QLatin1Char(' ')) + kLineBreak +
           kLineBreak + QStringLiteral("They were saved into a file named") +
           QString(56, QLatin1Char(' ')) + fileName + QString(6, QLatin1Char(' ')) + kLineBreak +
           kLineBreak + pointer + pointer +
           QStringLiteral("This is the file you need to upload to Quillmoor ") +
           QString(38, QLatin1Char('-'));
}

// When some of the checked orders will fail, asks whether to review them. True: go on saving.
bool goOnAfterTheCheck(AppContext& context, const OrderCheckReport& report)
{
    if (!report.hasErrors())
        return true;
    QStringList failing;
    for (const OrderFinding& finding : report.findings) {
        if (finding.severity == OrderFinding::Severity::Error)
            failing << QStringLiteral("Priority %1, %2: %3")
                           .arg(finding.priority)
                           .arg(finding.code, finding.problem);
    }
    constexpr int kShown = 5;
    QString list = failing.mid(0, kShown).join(kLineBreak);
    if (failing.size() > kShown)
        list += kLineBreak + QStringLiteral("... and %1 more.").arg(failing.size() - kShown);
    const DialogRequest question{
        DialogIcon::Warning,
        QStringLiteral("Imperial Advisor Warning"),
        QStringLiteral("%1 of your %2 orders will fail to execute:")
                .arg(report.failingOrders())
                .arg(report.orders) +
            kLineBreak + kLineBreak + list + kLineBreak + kLineBreak +
            QStringLiteral("Review Orders shows every finding; Save Anyway writes the orders file "
                           "as the orders stand."),
        DialogButtons::ReviewOrSaveAnyway,
        false,
        DialogAnswer::ReviewOrders};
    return context.dialogs.ask(question) == DialogAnswer::SaveAnyway;
}

// Keeps a copy of the orders written, for Earlier Orders; why it could not be kept, else
// nothing. The orders file is written whatever becomes of the copy.
std::optional<QString> keepCopy(AppContext& context, int empireId, const QList<Order>& saved)
{
    try {
        const SavedOrdersHeader header{empireId, context.clock.now(),
                                       lastImportOf(context.store, empireId), int(saved.size())};
        OrdersArchive(context.dataFolder.folder()).keep(header, saved);
    } catch (const Error& error) {
        return error.message();
    }
    return std::nullopt;
}

} // namespace

void runSaveOrdersDialogue(AppContext& context, std::optional<int> empireId,
                           const std::function<void(const OrderCheckReport&)>& reviewOrders)
{
    if (!empireId || *empireId < 1) {
        context.dialogs.warn(kReportTitle,
                             QStringLiteral("You need to select an Empire before Saving Orders"));
        return;
    }
    const QString number = QString::number(*empireId);
    const OrderRepository orders(context.store);
    const int count = orders.count(*empireId);
    if (count == 0) {
        context.dialogs.warn(
            kReportTitle, QStringLiteral("No orders have been entered yet for Empire # ") + number);
        return;
    }
    const OrderCheckReport report = checkEmpireOrders(context.store, *empireId);
    if (!goOnAfterTheCheck(context, report)) {
        if (reviewOrders)
            reviewOrders(report);
        return;
    }
    const DialogRequest confirm{DialogIcon::Information, QStringLiteral("Imperial Bureaucrat Note"),
                                QString::number(count) +
                                    QStringLiteral(" orders have been entered for Empire # ") +
                                    number + kLineBreak + kLineBreak + QStringLiteral("Continue?"),
                                DialogButtons::OkCancel};
    if (context.dialogs.ask(confirm) != DialogAnswer::Ok)
        return;
    const auto empire = EmpireRepository(context.store).findById(*empireId);
    if (!empire) {
        context.dialogs.warn(kReportTitle, QStringLiteral("The currently selected Empire has not "
                                                          "been set up for Turn Entry"));
        return;
    }
    orders.blankFill(*empireId);
    const QString fileName = ordersfile::fileName(context.clock.today(), number);
    const QList<Order> saved = orders.ordersOf(*empireId);
    ordersfile::write(context.dataFolder.ordersFolder(), fileName,
                      ordersfile::contents(number, empire->password, saved));
    const std::optional<QString> copyFailure = keepCopy(context, *empireId, saved);
    DialogRequest done{DialogIcon::Information, kReportTitle,
                       finalMessage(context.dataFolder.displayOrdersFolder(), fileName),
                       DialogButtons::Ok};
    done.preformatted = true; // the pointer stands under the file name
    done.folderToOpen = context.dataFolder.ordersFolder();
    done.copyable = {{QStringLiteral("Folder"), context.dataFolder.displayOrdersFolder()},
                     {QStringLiteral("File"), fileName}};
    context.dialogs.ask(done);
    if (copyFailure)
        context.dialogs.warn(QStringLiteral("Imperial Advisor Warning"),
                             QStringLiteral("Your orders file was saved as told, but no copy of "
                                            "these orders could be kept for Earlier Orders.") +
                                 kLineBreak + kLineBreak + *copyFailure);
}

} // namespace vf
