#pragma once

#include <QList>
#include <QPair>

class QDialog;
class QGridLayout;
class QLayout;
namespace frame {
struct Line;
}
namespace data {
class Database;
class Query;
}
namespace kit {
class Button;
class Edit;
class Label;
}

// What the two dialogs that ask for a line's quantity share: their layout and their connection.
namespace linedialog {

// Captions beside their fields, one row each: captions right-aligned, fields left-aligned,
// each caption the buddy of its field.
QGridLayout* fieldRows(const QList<QPair<kit::Label*, kit::Edit*>>& rows);

// Lays `dialog` out: `form` above "Ok" and "Cancel" at the right, the quantity field first
// in the tab order and focused. Returns the body, for hidden fields below.
QLayout* place(QDialog* dialog, QGridLayout* form, kit::Edit* quantity, kit::Button* ok, kit::Button* cancel);

// The line a dialog ends with: `key` and the texts of its code, name and unit fields, the
// quantity as `quantity` holds it when the dialog ends, accepted by then (throws
// data::ConvertError when the dialog was ended over a text that is no number).
frame::Line lineOf(int key, const kit::Edit* code, const kit::Edit* name, const kit::Edit* unit, const kit::Edit* quantity);

// The connection the dialog's query is on; throws when it has none.
data::Database& connectionOf(const data::Query* query);

} // namespace linedialog
