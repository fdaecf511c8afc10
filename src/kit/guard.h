#pragma once

#include <exception>

namespace kit {

// Shows an error that the program's code threw in the standard error box (title "Error",
// OK): the text of the program's own errors, the description of any other.
void showError(const std::exception& e);
void showUnknownError();

// Runs the program's code for one of the operator's actions and shows an error it throws
// here, at the edge between Qt and the program. An exception must never unwind through
// Qt's event delivery or signal emission: those frames do not clean up after one (the
// event being delivered and the guards Qt keeps on the stack are leaked, its state may be
// left half-changed). True when the code ran to its end.
template <typename F>
bool guarded(F&& code)
{
    try {
        code();
        return true;
    } catch (const std::exception& e) {
        showError(e);
    } catch (...) {
        showUnknownError();
    }
    return false;
}

} // namespace kit
