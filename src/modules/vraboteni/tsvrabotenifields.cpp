#include "modules/vraboteni/tsvrabotenifields.h"

#include "frame/formfields.h"
#include "data/query.h"
#include "kit/button.h"
#include "kit/edit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

TSVraboteniFields::TSVraboteniFields(const QString& buttonCaption, QWidget* parent) : TFormSrgBase(parent)
{
    trackInput();
    m_form = frame::fieldForm();
    auto row = [this](kit::Edit*& edit, const char* name, const QString& caption) {
        const QString n = QString::fromLatin1(name);
        edit = frame::inputField(this, n);
        frame::addFieldRow(m_form, this, QStringLiteral("Label") + n.mid(4), caption, edit);
    };
    // Top to bottom; the tab order follows.
    row(Edit3, "Edit3", QStringLiteral("Naziv"));
    row(Edit4, "Edit4", QStringLiteral("Adresa"));
    row(Edit5, "Edit5", QStringLiteral("Tel"));
    row(Edit6, "Edit6", QStringLiteral("Mobil"));
    row(Edit7, "Edit7", QStringLiteral("Zirosmetka"));
    row(Edit8, "Edit8", QStringLiteral("Banka"));
    row(Edit9, "Edit9", QStringLiteral("Edb"));
    row(Edit10, "Edit10", QStringLiteral("Dejnost"));
    row(Edit11, "Edit11", QStringLiteral("MB"));
    row(Edit12, "Edit12", QStringLiteral("Zabeleska1"));
    row(Edit13, "Edit13", QStringLiteral("Zabeleska 2"));
    const int wide = Edit3->fontMetrics().horizontalAdvance(QString(30, QLatin1Char('W'))) * 3 / 4;
    for (kit::Edit* e : boxes())
        e->setFixedWidth(wide);

    Button1 = frame::saveButton(this, buttonCaption);
    frame::placeWithSaveButton(this, m_form, Button1);

    Query1 = new data::Query(database(), this);
    Query1->setObjectName(QStringLiteral("Query1"));

    frame::moveOnEnterChain(boxes(), Button1);
}

QList<kit::Edit*> TSVraboteniFields::boxes() const
{
    return {Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11, Edit12, Edit13};
}

stores::Employee TSVraboteniFields::employee() const
{
    return {Edit3->Text(), Edit4->Text(),  Edit5->Text(),  Edit6->Text(),  Edit7->Text(), Edit8->Text(),
            Edit9->Text(), Edit10->Text(), Edit11->Text(), Edit12->Text(), Edit13->Text()};
}
