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

// Shows the product or article just picked and asks for the quantity of the document
// line. Loaded once, before it is shown, in one of three ways: a product (with its price
// and tax rate), an article, or an article with what is left of its stock, above which no
// quantity is accepted. Writes nothing; the caller takes the line it hands back.
class TSNalogVnesiProizvod : public QDialog {
    Q_OBJECT
public:
    explicit TSNalogVnesiProizvod(QWidget* owner = nullptr);

    kit::Label* Label1 = nullptr;
    kit::Label* Label2 = nullptr;
    kit::Label* Label3 = nullptr;
    kit::Label* Label4 = nullptr;
    kit::Label* Label5 = nullptr; // "Products remains :", shown with a balance
    kit::Label* Label6 = nullptr; // the balance
    kit::Edit* Edit1 = nullptr;   // code
    kit::Edit* Edit2 = nullptr;   // name
    kit::Edit* Edit3 = nullptr;   // unit
    kit::Edit* Edit4 = nullptr;   // quantity, the only input
    kit::Edit* Edit5 = nullptr;   // price (products only), hidden
    kit::Edit* Edit6 = nullptr;   // tax rate (products only), hidden
    kit::Button* Button1 = nullptr;
    kit::Button* Button2 = nullptr;
    data::Query* Query1 = nullptr;

    void LoadProduct(int id);
    void LoadArticle(int id);
    // The article with its stored balance, less `takenAlready` (what the document being
    // entered already takes of it; negative when the document gives some back): the
    // balance shown and the most the quantity may be.
    void LoadArticleWithBalance(int id, double takenAlready = 0.0);

    void Edit4KeyDown(int& key, Qt::KeyboardModifiers shift);
    void Edit4Exit();
    // "Ok": closes with result 1 when the quantity passes the test.
    void Button1Click();

    // The quantity test: true when the quantity may be taken; otherwise the operator has
    // been told and the focus is back in the quantity field.
    bool QuantityAccepted();
    bool hasBalance() const { return m_hasBalance; }
    // The line the dialog was closed over with "Ok": the product or article loaded, with
    // the quantity accepted (and a product's price and tax rate).
    frame::Line line() const;

    // The refusal of a quantity above the balance, title "Warning".
    static QString NoQuantityText();
    // Whether `quantity` is more than `available` (a rounding error of summed quantities
    // does not count).
    static bool Exceeds(double quantity, double available);

private:
    void refuse(const QString& text, const QString& title);

    bool m_hasBalance = false;
    double m_balance = 0.0;
    int m_key = 0; // what was loaded
    std::optional<double> m_price;
    std::optional<double> m_taxRate;
};
