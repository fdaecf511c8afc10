#pragma once

#include "frame/module.h"

// The warehouse module: three windows that carry no data.
class TMagacin : public Module {
    Q_OBJECT
public:
    explicit TMagacin(frame::Host* host);
    static const ModuleTraits& Traits();

    void KreirajMagacinVnes(QObject* sender, QWidget* form, int code);
    void KreirajMagacinKorekcija(QObject* sender, QWidget* form, int code);
    void KreirajMagacinLista(QObject* sender, QWidget* form, int code);
    void ProceduraKreirajMagacinNov(QObject* sender);
    void ProceduraKreirajMagacinKorekcija(QObject* sender);

    void createEntry(QObject* sender, QWidget* form, int code) override { KreirajMagacinVnes(sender, form, code); }
    void createEdit(QObject* sender, QWidget* form, int code) override { KreirajMagacinKorekcija(sender, form, code); }
    void createList(QObject* sender, QWidget* form, int code) override { KreirajMagacinLista(sender, form, code); }
};
