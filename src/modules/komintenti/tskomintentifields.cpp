#include "modules/komintenti/tskomintentifields.h"

#include "frame/formfields.h"
#include "data/query.h"
#include "kit/button.h"
#include "kit/edit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
constexpr int kTextLimit = 30;
}

TSKomintentiFields::TSKomintentiFields(const QString& buttonCaption, QWidget* parent) : TFormSrgBase(parent)
{
    trackInput();
    m_form = app::fieldForm();
    auto row = [this](kit::Edit*& edit, const char* name, const QString& caption, int limit) {
        const QString n = QString::fromLatin1(name);
        edit = app::inputField(this, n, limit);
        app::addFieldRow(m_form, this, QStringLiteral("Label") + n.mid(4), caption, edit);
    };
    const QString note = QStringLiteral("Note");
    // Top to bottom; the tab order follows.
    row(Edit3, "Edit3", QStringLiteral("Company Name"), kTextLimit);
    row(Edit4, "Edit4", QStringLiteral("Address"), kTextLimit);
    row(Edit1, "Edit1", QStringLiteral("Zip code - City State"), kTextLimit);
    row(Edit5, "Edit5", QStringLiteral("Phone"), kTextLimit);
    row(Edit6, "Edit6", QStringLiteral("Cell"), kTextLimit);
    row(Edit7, "Edit7", QStringLiteral("Bank Account"), kTextLimit);
    row(Edit8, "Edit8", QStringLiteral("Bank"), kTextLimit);
    row(Edit9, "Edit9", note, kTextLimit);
    row(Edit10, "Edit10", note, kTextLimit);
    row(Edit11, "Edit11", note, kTextLimit);
    row(Edit12, "Edit12", note, kTextLimit);
    row(Edit13, "Edit13", note, kTextLimit);
    row(Edit14, "Edit14", QStringLiteral("Discount (%)"), 0);

    // Thirty characters fit the text boxes; the discount box is narrow.
    const int wide = Edit3->fontMetrics().horizontalAdvance(QString(kTextLimit, QLatin1Char('W'))) * 3 / 4;
    for (kit::Edit* e : {Edit3, Edit4, Edit1, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11, Edit12, Edit13})
        e->setFixedWidth(wide);
    Edit14->setFixedWidth(60);

    Button1 = new kit::Button(buttonCaption, this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setMinimumWidth(90);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    auto* column = new QVBoxLayout;
    column->addLayout(m_form);
    column->addSpacing(6);
    column->addLayout(buttons);
    column->addStretch(1);
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(12, 12, 12, 12);
    outer->addLayout(column);
    outer->addStretch(1);

    Query1 = new data::Query(this);
    Query1->setObjectName(QStringLiteral("Query1"));

    app::moveOnEnterChain({Edit3, Edit4, Edit1, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11, Edit12, Edit13, Edit14},
                          Button1);
}
