#pragma once

#include "frame/linemodel.h"

#include <QDialog>

namespace data {
class Query;
}
namespace kit {
class Button;
class Edit;
class Label;
}

// Shows the article just picked for a product's composition and asks how much of it one
// unit of the product takes. Loaded before it is shown; writes nothing; the product window
// takes the composition line it hands back.
class TSProizvodVnesiArtikal : public QDialog {
    Q_OBJECT
public:
    explicit TSProizvodVnesiArtikal(QWidget* owner = nullptr);

    kit::Label* Label1 = nullptr; // "Artikal Id"
    kit::Label* Label2 = nullptr; // "Artikal"
    kit::Label* Label3 = nullptr; // "Edm"
    kit::Label* Label4 = nullptr; // "Kol"
    kit::Edit* Edit1 = nullptr;   // the article's code
    kit::Edit* Edit2 = nullptr;   // name
    kit::Edit* Edit3 = nullptr;   // unit
    kit::Edit* Edit4 = nullptr;   // quantity per product unit, the only input
    kit::Button* Button1 = nullptr;
    kit::Button* Button2 = nullptr;
    data::Query* Query1 = nullptr;

    void LoadArticle(int id);
    void Edit4KeyDown(int& key, Qt::KeyboardModifiers shift);

    // "Ok" closes the dialog only over a quantity above zero and within the bound of a
    // line: a negative one would make a work order create stock from nothing.
    void done(int result) override;
    // The line the dialog was closed over with "Ok": the article with the quantity accepted.
    frame::Line line() const;

private:
    int m_key = 0;
};
