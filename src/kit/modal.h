#pragma once

#include <functional>

class QDialog;

namespace kit {

// Runs a dialog modally and returns its modal result (mrOk ...). Every modal dialog of the
// program goes through here: by default dialog->exec(); tests install a handler that
// fills the dialog, presses its buttons and returns the result, so no test waits in a
// modal loop. The dialog's result() is set to the returned value either way. A dialog
// larger than its screen's available geometry is made to fit first.
int runModal(QDialog* dialog);

// Runs a dialog in a message loop of its own without blocking the other windows (a print
// preview: the main window and its child windows stay usable meanwhile); returns when the
// dialog is closed, with its result. Tests' handler answers it as it answers runModal.
int runModeless(QDialog* dialog);

using ModalHandler = std::function<int(QDialog* dialog)>;
// Installs a handler (empty: back to exec()); returns the one installed before.
ModalHandler setModalHandler(ModalHandler handler);

// Installs a modal handler for its lifetime and counts the dialogs it ran.
class ScopedModalHandler {
public:
    explicit ScopedModalHandler(ModalHandler handler);
    ~ScopedModalHandler();
    ScopedModalHandler(const ScopedModalHandler&) = delete;
    ScopedModalHandler& operator=(const ScopedModalHandler&) = delete;

    int count() const { return m_count; }

private:
    ModalHandler m_previous;
    int m_count = 0;
};

} // namespace kit
