#pragma once

#include <QString>

#include <Qt>

#include <functional>

class QWidget;
class TFormSrgBase;

namespace kit {
class Edit;
}

namespace frame {

// The number field of an edit window whose record must keep a number no other record has
// (receipts, dispatches, work orders, articles' and products' codes). Enter in the field, or
// leaving it, checks a number that differs from the one loaded: one another record carries
// is refused with the window's message ("Warning") and the focus returns to the field; a
// text that is no whole number is shown as the error it raises, the same way. An accepted
// number moves the focus on after Enter; after leaving the field the focus stays where the
// operator sent it (another field, another window).
class UniqueNumber {
public:
    // Which ways of leaving the field check it.
    enum class OnExit {
        AnyWay,          // for another control or another window, unless the window closes
        WithinTheWindow, // only for another control of the window
    };
    // Whether a stored record carries a number: the store's own check.
    using Exists = std::function<bool(int number)>;
    UniqueNumber(TFormSrgBase* window, kit::Edit* field, QWidget* next, const QString& loaded, Exists exists,
                 QString duplicate, OnExit onExit);

    // The highest number in use, for the question before a number far above it; a field
    // without one asks nothing.
    using Highest = std::function<qint64()>;
    void setHighest(Highest highest) { m_highest = std::move(highest); }
    // How far above the highest number in use a typed number is taken without a question:
    // one typo past it would make every workstation number on from there.
    static constexpr qint64 kFarAbove = 100000;

    // Whether a record carries the number in `text` (throws when it is not a whole number).
    bool exists(const QString& text);
    // The check; true when the focus may move on.
    bool accepted();

    void keyDown(int& key);
    void exit();

private:
    // Asks before a number more than kFarAbove above the highest in use; true when it may stay.
    bool farNumberConfirmed();
    // The check; `next`, when given, takes the focus after an accepted number.
    void check(QWidget* next);

    TFormSrgBase* m_window;
    kit::Edit* m_field;
    QWidget* m_next;
    const QString& m_loaded;
    Exists m_exists;
    QString m_duplicate;
    OnExit m_onExit;
    Highest m_highest;
    QString m_confirmed; // a far number the operator said Yes to
    bool m_checking = false;
};

} // namespace frame
