#pragma once

#include <QString>

#include <exception>
#include <functional>

class QWidget;

// How an entry or edit window saves through its store and tells the operator when the save
// does not go through. Every refusal and failure leaves the window with its input.
namespace documentsave {

// Thrown by a save that has already told the operator why it stopped (a dispatch short of
// stock puts the grid on the line): nothing more is shown.
class Told : public std::exception {
public:
    const char* what() const noexcept override { return "told"; }
};

// Runs `save` and returns whether it went through. Otherwise the operator is told, in a box
// titled "Warning" owned by `window`: a refusal that names its own reason (the record changed
// elsewhere, a number series at its end, a value outside what a business can have) in its
// own words; any other failure as `failed` ("Nalogot ne e vnesen !!!") followed by why.
bool run(QWidget* window, const QString& failed, const std::function<void()>& save);

} // namespace documentsave
