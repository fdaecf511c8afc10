#include "kit/messagebox.h"

#include "kit/operatoraction.h"

#include <QMessageBox>

namespace kit {

namespace {

MessageBoxHandler& installedHandler()
{
    static MessageBoxHandler handler;
    return handler;
}

int showMessageBox(QWidget* parent, const QString& text, const QString& title, Buttons buttons)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    if (title.compare(QLatin1String("Error"), Qt::CaseInsensitive) == 0)
        icon = QMessageBox::Critical;
    else if (title.compare(QLatin1String("Warning"), Qt::CaseInsensitive) == 0)
        icon = QMessageBox::Warning;
    else if (buttons != Buttons::Ok)
        icon = QMessageBox::Question;

    QMessageBox::StandardButtons standard;
    switch (buttons) {
    case Buttons::Ok: standard = QMessageBox::Ok; break;
    case Buttons::OkCancel: standard = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Buttons::YesNo: standard = QMessageBox::Yes | QMessageBox::No; break;
    case Buttons::YesNoCancel: standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    }
    noteBoxShown();
    QMessageBox box(icon, title, text, standard, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(buttons == Buttons::Ok || buttons == Buttons::OkCancel ? QMessageBox::Ok
                                                                               : QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Ok: return mrOk;
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    case QMessageBox::Cancel: return mrCancel;
    default: return buttons == Buttons::Ok ? mrOk : mrCancel;
    }
}

} // namespace

int messageBox(QWidget* parent, const QString& text, const QString& title, Buttons buttons)
{
    if (const MessageBoxHandler& handler = installedHandler())
        return handler(parent, text, title, buttons);
    return showMessageBox(parent, text, title, buttons);
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(installedHandler(), std::move(handler));
}

} // namespace kit
