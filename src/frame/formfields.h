#pragma once

#include <QColor>
#include <QList>
#include <QString>

class QFormLayout;
class QLayout;
class QWidget;

class QObject;
class TFormSrgBase;

namespace data {
class DataSource;
class Query;
}
namespace kit {
class Button;
class DBEdit;
class Edit;
class Label;
class PageControl;
class Panel;
}

// Building blocks shared by entry, edit and list windows.
namespace frame {

// An input field of an entry or edit window: upper-case input in bold Arial 10. A positive
// maxLength limits what the operator types; a longer text set by code is kept whole.
kit::Edit* inputField(QWidget* parent, const QString& name, int maxLength = 0);

// A form of captions beside their fields: captions right-aligned in one column, fields
// left-aligned in the next.
QFormLayout* fieldForm();
// Adds one row: a label named labelName showing caption, bound to field.
kit::Label* addFieldRow(QFormLayout* form, QWidget* parent, const QString& labelName, const QString& caption,
                        QWidget* field);

// Lays out a register's entry or edit window: its fields (`fields`, or the layout `form` and
// a gap of 6) above `button`, the save button, at the right; both at the top left of the
// window, within a margin of 12.
void placeWithSaveButton(QWidget* window, QWidget* fields, QWidget* button);
void placeWithSaveButton(QWidget* window, QLayout* form, QWidget* button);
// The save button of such a window, captioned `caption`, named Button1.
kit::Button* saveButton(QWidget* window, const QString& caption);
// Enter in each field consumes the key and moves the focus to the next field; from the last
// field it moves to `last` (the save button).
void moveOnEnterChain(const QList<kit::Edit*>& fields, QWidget* last);

// A read-only box of a list's detail panel showing one field of the current row; Tab passes
// it by.
kit::DBEdit* detailField(QWidget* parent, const QString& name, data::DataSource* source, const QString& field);

// Background of the name column and name box of the partner and employee lists.
QColor nameHighlight();
void setBackground(QWidget* widget, const QColor& color);

// A query of `window` holding a statement of several lines, named as the window's layout
// names it, on the window's connection (a window being built has none yet: it hands its
// queries the one it gets, see TFormSrgBase::setDatabase).
data::Query* statementQuery(TFormSrgBase* window, const QString& name, const QStringList& lines);

// A page control filling a window (tabs not reached by Tab).
kit::PageControl* fillingPageControl(QWidget* window, const QString& name);

// A coloured strip holding a search caption and its upper-case search field Edit1.
struct SearchStrip {
    kit::Panel* panel;
    kit::Label* label;
    kit::Edit* edit;
};
SearchStrip searchStrip(QWidget* parent, const QString& caption, const QColor& color);

} // namespace frame
