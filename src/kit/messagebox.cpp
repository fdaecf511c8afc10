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

QMessageBox::StandardButton standardButton(int result)
{
    switch (result) {
    case mrOk:
        return QMessageBox::Ok;
    case mrCancel:
        return QMessageBox::Cancel;
    case mrYes:
        return QMessageBox::Yes;
    case mrNo:
        return QMessageBox::No;
    default:
        return QMessageBox::NoButton;
    }
}

int showMessageBox(QWidget* parent, const QString& text, const QString& title, Buttons buttons, int defaultButton)
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
    case Buttons::Ok:
        standard = QMessageBox::Ok;
        break;
    case Buttons::OkCancel:
        standard = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case Buttons::YesNo:
        standard = QMessageBox::Yes | QMessageBox::No;
        break;
    case Buttons::YesNoCancel:
        standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    noteBoxShown();
    QMessageBox box(icon, title, text, standard, parent);
    box.setTextFormat(Qt::PlainText);
    QMessageBox::StandardButton initial = standardButton(defaultButton);
    if (!standard.testFlag(initial))
        initial = buttons == Buttons::Ok || buttons == Buttons::OkCancel ? QMessageBox::Ok : QMessageBox::Yes;
    box.setDefaultButton(initial);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return mrOk;
    case QMessageBox::Yes:
        return mrYes;
    case QMessageBox::No:
        return mrNo;
    case QMessageBox::Cancel:
        return mrCancel;
    default:
        return buttons == Buttons::Ok ? mrOk : mrCancel;
    }
}

} // namespace

int messageBox(QWidget* parent, const QString& text, const QString& title, Buttons buttons, int defaultButton)
{
    if (const MessageBoxHandler& handler = installedHandler())
        return handler(parent, text, title, buttons);
    return showMessageBox(parent, text, title, buttons, defaultButton);
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(installedHandler(), std::move(handler));
}

} // namespace kit
