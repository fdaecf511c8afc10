#pragma once

#include "frame/module.h"

// The article overview module: the overview window and two empty windows.
class TPregledArtikal : public Module {
    Q_OBJECT
public:
    explicit TPregledArtikal(frame::Host* host);
    static const ModuleTraits& Traits();

    void KreirajPregledArtikalVnes(QObject* sender, QWidget* form, int code);
    void KreirajPregledArtikalKorekcija(QObject* sender, QWidget* form, int code);
    void KreirajPregledArtikalLista(QObject* sender, QWidget* form, int code);

    void createEntry(QObject* sender, QWidget* form, int code) override
    {
        KreirajPregledArtikalVnes(sender, form, code);
    }
    void createEdit(QObject* sender, QWidget* form, int code) override
    {
        KreirajPregledArtikalKorekcija(sender, form, code);
    }
    void createList(QObject* sender, QWidget* form, int code) override
    {
        KreirajPregledArtikalLista(sender, form, code);
    }
};
