#include "kit/modal.h"

#include "kit/look.h"

#include <QDialog>
#include <QEventLoop>
#include <QPointer>

#include <utility>

namespace kit {

namespace {

ModalHandler& installedHandler()
{
    static ModalHandler handler;
    return handler;
}

} // namespace

int runModal(QDialog* dialog)
{
    fitToScreen(dialog);
    if (const ModalHandler& handler = installedHandler()) {
        const int result = handler(dialog);
        dialog->setResult(result);
        return result;
    }
    return dialog->exec();
}

int runModeless(QDialog* dialog)
{
    if (installedHandler())
        return runModal(dialog);
    fitToScreen(dialog);
    QPointer<QDialog> guard(dialog);
    QEventLoop loop;
    QObject::connect(dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    QObject::connect(dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
    dialog->setWindowModality(Qt::NonModal);
    dialog->show();
    loop.exec(QEventLoop::DialogExec);
    return guard ? guard->result() : QDialog::Rejected;
}

ModalHandler setModalHandler(ModalHandler handler)
{
    return std::exchange(installedHandler(), std::move(handler));
}

ScopedModalHandler::ScopedModalHandler(ModalHandler handler)
{
    m_previous = setModalHandler([this, handler = std::move(handler)](QDialog* dialog) {
        ++m_count;
        return handler ? handler(dialog) : dialog->result();
    });
}

ScopedModalHandler::~ScopedModalHandler()
{
    setModalHandler(std::move(m_previous));
}

} // namespace kit
