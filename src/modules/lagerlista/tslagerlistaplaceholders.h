#pragma once

#include "frame/tformsrgbase.h"

// The stock list's entry window: nothing beyond Close (Esc).
class TSLagerListaVnes : public TFormSrgBase {
    Q_OBJECT
public:
    explicit TSLagerListaVnes(QWidget* parent = nullptr) : TFormSrgBase(parent)
    {
        setObjectName(QStringLiteral("SLagerListaVnes"));
    }
};

// The stock list's edit window: nothing beyond Close (Esc).
class TSLagerListaKorekcija : public TFormSrgBase {
    Q_OBJECT
public:
    explicit TSLagerListaKorekcija(QWidget* parent = nullptr) : TFormSrgBase(parent)
    {
        setObjectName(QStringLiteral("SLagerListaKorekcija"));
    }
};
