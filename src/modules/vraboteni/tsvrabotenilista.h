#pragma once

#include "frame/tslistbase.h"

namespace kit {
class DBEdit;
class Panel;
class Splitter;
}

// The employee list: id and name in the grid, every field of the current employee in the
// detail panel beside it. The work order windows pick their employee here.
class TSVraboteniLista : public TSListBase {
    Q_OBJECT
public:
    explicit TSVraboteniLista(QWidget* parent = nullptr);

    kit::Splitter* Splitter1 = nullptr;
    kit::Panel* Panel1 = nullptr;
    kit::DBEdit* DBEdit1 = nullptr;  // id
    kit::DBEdit* DBEdit2 = nullptr;  // naziv
    kit::DBEdit* DBEdit3 = nullptr;  // adresa
    kit::DBEdit* DBEdit4 = nullptr;  // tel
    kit::DBEdit* DBEdit5 = nullptr;  // mobil
    kit::DBEdit* DBEdit6 = nullptr;  // zirosmetka
    kit::DBEdit* DBEdit7 = nullptr;  // deponent, under "Banka"
    kit::DBEdit* DBEdit8 = nullptr;  // edb, under "Edb"
    kit::DBEdit* DBEdit9 = nullptr;  // sifdejnost
    kit::DBEdit* DBEdit10 = nullptr; // mb
    kit::DBEdit* DBEdit11 = nullptr; // zabeleska1
    kit::DBEdit* DBEdit12 = nullptr; // zabeleska2
};
