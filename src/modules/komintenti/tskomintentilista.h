#pragma once

#include "frame/tslistbase.h"

namespace kit {
class DBEdit;
class Panel;
class Splitter;
}

// The partner list: id and name in the grid, every field of the current partner in the
// detail panel beside it. Also the list in which documents pick a partner.
class TSKomintentiLista : public TSListBase {
    Q_OBJECT
public:
    explicit TSKomintentiLista(QWidget* parent = nullptr);

    kit::Splitter* Splitter1 = nullptr;
    kit::Panel* Panel1 = nullptr;    // the detail panel
    kit::DBEdit* DBEdit1 = nullptr;  // id
    kit::DBEdit* DBEdit2 = nullptr;  // naziv
    kit::DBEdit* DBEdit3 = nullptr;  // adresa
    kit::DBEdit* DBEdit14 = nullptr; // grad
    kit::DBEdit* DBEdit4 = nullptr;  // tel
    kit::DBEdit* DBEdit5 = nullptr;  // mobil
    kit::DBEdit* DBEdit6 = nullptr;  // zirosmetka
    kit::DBEdit* DBEdit7 = nullptr;  // deponent
    kit::DBEdit* DBEdit8 = nullptr;  // edb
    kit::DBEdit* DBEdit9 = nullptr;  // sifdejnost
    kit::DBEdit* DBEdit10 = nullptr; // mb
    kit::DBEdit* DBEdit11 = nullptr; // zabeleska1
    kit::DBEdit* DBEdit12 = nullptr; // zabeleska2
    kit::DBEdit* DBEdit13 = nullptr; // rabat
};
