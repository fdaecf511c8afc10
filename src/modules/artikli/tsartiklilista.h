#pragma once

#include "frame/tslistbase.h"

// The article list: code, name and unit of every article whose name begins with the search
// text. Also the list in which receipts, dispatches and products pick an article.
class TSArtikliLista : public TSListBase {
    Q_OBJECT
public:
    explicit TSArtikliLista(QWidget* parent = nullptr);
};
