#pragma once

#include "frame/tformsrgbase.h"
#include "stores/registerstore.h"

#include <QList>

class QFormLayout;

namespace data {
class Query;
}
namespace kit {
class Button;
class Edit;
}

// What the employee entry and edit windows share: the eleven boxes under their captions,
// Enter moving through them to the save button, and Query1.
class TSVraboteniFields : public TFormSrgBase {
    Q_OBJECT
public:
    kit::Edit* Edit3 = nullptr;  // naziv
    kit::Edit* Edit4 = nullptr;  // adresa
    kit::Edit* Edit5 = nullptr;  // tel
    kit::Edit* Edit6 = nullptr;  // mobil
    kit::Edit* Edit7 = nullptr;  // zirosmetka
    kit::Edit* Edit8 = nullptr;  // edb, under "Banka"
    kit::Edit* Edit9 = nullptr;  // deponent, under "Edb"
    kit::Edit* Edit10 = nullptr; // sifdejnost
    kit::Edit* Edit11 = nullptr; // mb
    kit::Edit* Edit12 = nullptr; // zabeleska1
    kit::Edit* Edit13 = nullptr; // zabeleska2
    kit::Button* Button1 = nullptr;
    data::Query* Query1 = nullptr;

protected:
    TSVraboteniFields(const QString& buttonCaption, QWidget* parent);
    QFormLayout* fieldLayout() const { return m_form; }
    // The boxes top to bottom: naziv, adresa, tel, mobil, zirosmetka, edb, deponent,
    // sifdejnost, mb, zabeleska1, zabeleska2.
    QList<kit::Edit*> boxes() const;
    // The employee as the boxes hold it.
    stores::Employee employee() const;

private:
    QFormLayout* m_form = nullptr;
};
