#pragma once

#include <QColor>
#include <QList>
#include <QString>

class QFormLayout;
class QLayout;
class QVBoxLayout;
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
class DBGrid;
class Splitter;
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

// One box of a list's detail panel: a read-only field of `source` beside its caption. The
// window's members `*label` and `*edit` receive the widgets made.
struct DetailBox {
    kit::Label** label;
    kit::DBEdit** edit;
    QString caption;
    data::DataSource* source;
    QString field;
    int width;
};
// Lays `boxes` out in `panel`, one row each, captions right-aligned beside their fields:
// fields named DBEdit1, DBEdit2, ..., labels Label<firstLabel>, Label<firstLabel + 1>, ...
void placeDetailBoxes(kit::Panel* panel, const QList<DetailBox>& boxes, int firstLabel);

// Lays a list window out: its list at the left (`list`) and, at the right (Panel2), the
// detail panel above `details`, split (Splitter1) at `sizes`; added to the window's `body`.
kit::Splitter* listBesideDetails(QWidget* window, QLayout* body, QWidget* list, QWidget* panel, QWidget* details,
                                 const QList<int>& sizes);
// A register list's grid, already in `body`, and its detail panel side by side (Splitter1),
// the divider between them movable.
kit::Splitter* gridBesidePanel(QWidget* window, QVBoxLayout* body, QWidget* grid, QWidget* panel);
// Two grids one above the other (Splitter2), for a list's details.
kit::Splitter* gridAboveGrid(QWidget* window, QWidget* top, QWidget* bottom);

// Background of the name column and name box of the partner and employee lists.
QColor nameHighlight();
void setBackground(QWidget* widget, const QColor& color);

// A query of `window` holding a statement of several lines, named as the window's layout
// names it, on the window's connection (a window being built has none yet: it hands its
// queries the one it gets, see TFormSrgBase::setDatabase).
data::Query* statementQuery(TFormSrgBase* window, const QString& name, const QStringList& lines);

// A data source of `query` named `name`.
data::DataSource* namedSource(data::Query* query, QObject* owner, const char* name);
// A read-only grid of a list window showing `source`, in bold, passed by Tab.
kit::DBGrid* listGrid(QWidget* owner, const char* name, data::DataSource* source);

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
