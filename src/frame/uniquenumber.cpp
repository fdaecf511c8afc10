#include "frame/uniquenumber.h"

#include "data/convert.h"
#include "data/errors.h"
#include "frame/tformsrgbase.h"
#include "kit/edit.h"
#include "kit/events.h"
#include "kit/guard.h"
#include "kit/messagebox.h"

#include <QApplication>

namespace app {

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
        if (!exists(m_field->Text()))
            return true;
    } catch (const data::Error& e) {
        m_field->SetFocus();
        kit::showError(e);
        return false;
    }
    m_field->SetFocus();
    kit::messageBox(m_window, m_duplicate, QStringLiteral("Warning"));
    return false;
}

void UniqueNumber::checkAndMoveOn()
{
    m_checking = true;
    if (accepted())
        m_next->setFocus(Qt::OtherFocusReason);
    m_checking = false;
}

void UniqueNumber::keyDown(int& key)
{
    if (!kit::isEnter(key))
        return;
    key = 0;
    checkAndMoveOn();
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
    checkAndMoveOn();
}

} // namespace app
