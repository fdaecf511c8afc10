#include "kit/modal.h"

#include <QDialog>

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
    if (const ModalHandler& handler = installedHandler()) {
        const int result = handler(dialog);
        dialog->setResult(result);
        return result;
    }
    return dialog->exec();
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
