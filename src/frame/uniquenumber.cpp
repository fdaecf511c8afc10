#include "frame/uniquenumber.h"

#include "data/convert.h"
#include "data/errors.h"
#include "data/query.h"
#include "frame/tformsrgbase.h"
#include "kit/edit.h"
#include "kit/events.h"
#include "kit/guard.h"
#include "kit/messagebox.h"

#include <QApplication>

namespace app {

UniqueNumber::UniqueNumber(TFormSrgBase* window, kit::Edit* field, QWidget* next, const QString& loaded,
                           data::Query* query, QString exists, QString duplicate, OnExit onExit)
    : m_window(window), m_field(field), m_next(next), m_loaded(loaded), m_query(query), m_exists(std::move(exists)),
      m_duplicate(std::move(duplicate)), m_onExit(onExit)
{
}

bool UniqueNumber::exists(const QString& text)
{
    const int number = data::toInteger(text);
    m_query->Close();
    m_query->SQL.Clear();
    m_query->SQL.Add(m_exists);
    m_query->ParamByName(QStringLiteral("a")).AsInteger(number);
    m_query->Open();
    const bool found = !m_query->IsEmpty();
    m_query->Close();
    return found;
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
