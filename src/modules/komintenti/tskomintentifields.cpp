#include "modules/komintenti/tskomintentifields.h"

#include "frame/formfields.h"
#include "data/convert.h"
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
    m_form = frame::fieldForm();
    auto row = [this](kit::Edit*& edit, const char* name, const QString& caption, int limit) {
        const QString n = QString::fromLatin1(name);
        edit = frame::inputField(this, n, limit);
        frame::addFieldRow(m_form, this, QStringLiteral("Label") + n.mid(4), caption, edit);
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

    Button1 = frame::saveButton(this, buttonCaption);
    frame::placeWithSaveButton(this, m_form, Button1);

    Query1 = new data::Query(database(), this);
    Query1->setObjectName(QStringLiteral("Query1"));

    frame::moveOnEnterChain({Edit3, Edit4, Edit1, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11, Edit12, Edit13, Edit14},
                            Button1);
}

stores::Partner TSKomintentiFields::partner() const
{
    return {Edit3->Text(),
            Edit4->Text(),
            Edit1->Text(),
            Edit5->Text(),
            Edit6->Text(),
            Edit7->Text(),
            Edit8->Text(),
            Edit9->Text(),
            Edit10->Text(),
            Edit11->Text(),
            Edit12->Text(),
            Edit13->Text(),
            data::toInteger(Edit14->Text())};
}
