#include "frame/uniquenumber.h"

#include "data/convert.h"
#include "data/errors.h"
#include "frame/tformsrgbase.h"
#include "kit/edit.h"
#include "kit/events.h"
#include "kit/guard.h"
#include "kit/messagebox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QScopeGuard>

namespace frame {

UniqueNumber::UniqueNumber(TFormSrgBase* window, kit::Edit* field, QWidget* next, const QString& loaded, Exists exists,
                           QString duplicate, OnExit onExit)
    : m_window(window), m_field(field), m_next(next), m_loaded(loaded), m_exists(std::move(exists)),
      m_duplicate(std::move(duplicate)), m_onExit(onExit)
{
}

bool UniqueNumber::exists(const QString& text)
{
    return m_exists(data::toInteger(text));
}

bool UniqueNumber::accepted()
{
    if (m_field->Text() == m_loaded)
        return true;
    try {
        if (exists(m_field->Text())) {
            m_field->SetFocus();
            kit::messageBox(m_window, m_duplicate, QStringLiteral("Warning"));
            return false;
        }
        return farNumberConfirmed();
    } catch (const data::Error& e) {
        m_field->SetFocus();
        kit::showError(e);
        return false;
    }
}

bool UniqueNumber::farNumberConfirmed()
{
    const QString text = m_field->Text();
    if (!m_highest || text == m_confirmed)
        return true;
    const qint64 number = data::toInteger(text);
    const qint64 highest = m_highest();
    if (number <= highest + kFarAbove)
        return true;
    const QString question =
        QCoreApplication::translate("frame::UniqueNumber",
                                    "The number %1 is far above the highest one in use, %2: every new record would "
                                    "then be numbered after %1, on every workstation.\n\nKeep %1?")
            .arg(number)
            .arg(highest);
    // "No" is the answer Enter gives: a typo must not use up the series.
    if (kit::messageBox(m_window, question, QCoreApplication::translate("frame::UniqueNumber", "Confirm"),
                        kit::Buttons::YesNo, kit::mrNo)
        == kit::mrYes) {
        m_confirmed = text;
        return true;
    }
    m_field->SetFocus();
    m_field->selectAll();
    return false;
}

void UniqueNumber::check(QWidget* next)
{
    m_checking = true;
    const auto done = qScopeGuard([this] { m_checking = false; });
    if (accepted() && next)
        next->setFocus(Qt::OtherFocusReason);
}

void UniqueNumber::keyDown(int& key)
{
    if (!kit::isEnter(key))
        return;
    key = 0;
    check(m_next);
}

void UniqueNumber::exit()
{
    if (m_checking)
        return;
    if (m_onExit == OnExit::AnyWay && m_window->isClosing())
        return;
    if (m_onExit == OnExit::WithinTheWindow) {
        QWidget* next = QApplication::focusWidget();
        if (!next || !m_window->isAncestorOf(next))
            return;
    }
    // The focus is already where the operator sent it: pulling it back to the next field
    // would undo a click into another field or a switch to another window.
    check(nullptr);
}

} // namespace frame
