#pragma once

#include "frame/tformsrgbase.h"
#include "frame/tslistbase.h"

// The warehouse list: no controls, only its popup menu.
class TSMagacinLista : public TSListBase {
    Q_OBJECT
public:
    explicit TSMagacinLista(QWidget* parent = nullptr) : TSListBase(Captions::Macedonian, parent)
    {
        setObjectName(QStringLiteral("SMagacinLista"));
    }
};

// The warehouse entry window: nothing beyond Close (Esc).
class TSMagacinVnes : public TFormSrgBase {
    Q_OBJECT
public:
    explicit TSMagacinVnes(QWidget* parent = nullptr) : TFormSrgBase(parent)
    {
        setObjectName(QStringLiteral("SMagacinVnes"));
    }
};

// The warehouse edit window: nothing beyond Close (Esc).
class TSMagacinKorekcija : public TFormSrgBase {
    Q_OBJECT
public:
    explicit TSMagacinKorekcija(QWidget* parent = nullptr) : TFormSrgBase(parent)
    {
        setObjectName(QStringLiteral("SMagacinKorekcija"));
    }
};
