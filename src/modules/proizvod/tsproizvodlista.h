#pragma once

#include "frame/tslistbase.h"

namespace data {
class DataSource;
class Query;
}
namespace kit {
class DBGrid;
class Splitter;
}

// The product list: every product whose name begins with the search text and, under it,
// the composition of the current product. Also the list in which work orders pick products.
class TSProizvodLista : public TSListBase {
    Q_OBJECT
public:
    explicit TSProizvodLista(QWidget* parent = nullptr);

    kit::Splitter* Splitter1 = nullptr;
    kit::DBGrid* DBGrid2 = nullptr;
    data::Query* Query2 = nullptr; // composition of the current product
    data::DataSource* DataSource2 = nullptr;
};
