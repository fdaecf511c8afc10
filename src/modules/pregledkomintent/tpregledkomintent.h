#pragma once

#include "frame/module.h"

// The partner overview module: the overview window and two empty windows.
class TPregledKomintent : public Module {
    Q_OBJECT
public:
    explicit TPregledKomintent(frame::Host* host);
    static const ModuleTraits& Traits();

    void KreirajPregledKomintentVnes(QObject* sender, QWidget* form, int code);
    void KreirajPregledKomintentKorekcija(QObject* sender, QWidget* form, int code);
    void KreirajPregledKomintentLista(QObject* sender, QWidget* form, int code);

    void createEntry(QObject* sender, QWidget* form, int code) override
    {
        KreirajPregledKomintentVnes(sender, form, code);
    }
    void createEdit(QObject* sender, QWidget* form, int code) override
    {
        KreirajPregledKomintentKorekcija(sender, form, code);
    }
    void createList(QObject* sender, QWidget* form, int code) override
    {
        KreirajPregledKomintentLista(sender, form, code);
    }
};
