#pragma once

#include "frame/tformsrgbase.h"
#include "stores/registerstore.h"

class QFormLayout;

namespace data {
class Query;
}
namespace kit {
class Button;
class Edit;
}

// What the partner entry and edit windows share: the twelve text boxes and the discount box
// under their captions, Enter moving through them to the save button, and Query1.
class TSKomintentiFields : public TFormSrgBase {
    Q_OBJECT
public:
    kit::Edit* Edit3 = nullptr;  // naziv
    kit::Edit* Edit4 = nullptr;  // adresa
    kit::Edit* Edit1 = nullptr;  // grad
    kit::Edit* Edit5 = nullptr;  // tel
    kit::Edit* Edit6 = nullptr;  // mobil
    kit::Edit* Edit7 = nullptr;  // zirosmetka
    kit::Edit* Edit8 = nullptr;  // edb
    kit::Edit* Edit9 = nullptr;  // deponent
    kit::Edit* Edit10 = nullptr; // sifdejnost
    kit::Edit* Edit11 = nullptr; // mb
    kit::Edit* Edit12 = nullptr; // zabeleska1
    kit::Edit* Edit13 = nullptr; // zabeleska2
    kit::Edit* Edit14 = nullptr; // rabat
    kit::Button* Button1 = nullptr;
    data::Query* Query1 = nullptr;

protected:
    TSKomintentiFields(const QString& buttonCaption, QWidget* parent);
    QFormLayout* fieldLayout() const { return m_form; }
    // The partner as the boxes hold it; throws data::ConvertError on a discount that is no
    // whole number.
    stores::Partner partner() const;

private:
    QFormLayout* m_form = nullptr;
};
