#include "modules/documents/documentsave.h"

#include "data/errors.h"
#include "frame/savefailure.h"
#include "kit/messagebox.h"
#include "stores/bounds.h"

namespace documentsave {

bool run(QWidget* window, const QString& failed, const std::function<void()>& save)
{
    const auto warn = [window](const QString& text) { kit::messageBox(window, text, QStringLiteral("Warning")); };
    try {
        save();
        return true;
    } catch (const Told&) {
    } catch (const data::StaleRecord& e) {
        warn(e.text());
    } catch (const data::RangeError& e) {
        warn(e.text());
    } catch (const stores::InvalidValue& e) {
        warn(e.text());
    } catch (const std::exception& e) {
        warn(frame::saveFailureText(failed, e));
    }
    return false;
}

} // namespace documentsave
