#include "dialogs/linedialog.h"

#include "data/convert.h"
#include "data/database.h"
#include "data/query.h"
#include "frame/linemodel.h"
#include "kit/button.h"
#include "kit/edit.h"
#include "kit/label.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace linedialog {

QGridLayout* fieldRows(const QList<QPair<kit::Label*, kit::Edit*>>& rows)
{
    auto* form = new QGridLayout;
    form->setHorizontalSpacing(10);
    form->setVerticalSpacing(8);
    for (int r = 0; r < rows.size(); ++r) {
        form->addWidget(rows[r].first, r, 0, Qt::AlignRight | Qt::AlignVCenter);
        form->addWidget(rows[r].second, r, 1, Qt::AlignLeft | Qt::AlignVCenter);
        rows[r].first->setBuddy(rows[r].second);
    }
    form->setColumnStretch(1, 1);
    return form;
}

QLayout* place(QDialog* dialog, QGridLayout* form, kit::Edit* quantity, kit::Button* ok, kit::Button* cancel)
{
    for (kit::Button* b : {ok, cancel})
        b->setMinimumWidth(90);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* body = new QVBoxLayout(dialog);
    body->setContentsMargins(14, 14, 14, 12);
    body->addLayout(form);
    body->addSpacing(8);
    body->addLayout(buttons);

    // Tab order: the quantity first, then the buttons.
    QWidget::setTabOrder(quantity, ok);
    QWidget::setTabOrder(ok, cancel);
    quantity->setFocus(Qt::OtherFocusReason);
    return body;
}

frame::Line lineOf(int key, const kit::Edit* code, const kit::Edit* name, const kit::Edit* unit, const kit::Edit* quantity)
{
    frame::Line l;
    l.key = key;
    l.code = code->Text();
    l.name = name->Text();
    l.unit = unit->Text();
    l.quantity = data::toFloat(quantity->Text());
    l.quantityText = quantity->Text();
    return l;
}

data::Database& connectionOf(const data::Query* query)
{
    data::Database* db = query->database();
    if (!db)
        throw data::DatabaseError(QStringLiteral("The database connection is closed."));
    return *db;
}

} // namespace linedialog
