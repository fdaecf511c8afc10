#pragma once

#include "frame/module.h"

// The stock list module: the stock list (also the article picker of goods dispatches) and
// two empty windows.
class TLagerLista : public Module {
    Q_OBJECT
public:
    explicit TLagerLista(frame::Host* host);
    static const ModuleTraits& Traits();

    void KreirajLagerListaVnes(QObject* sender, QWidget* form, int code);
    void KreirajLagerListaKorekcija(QObject* sender, QWidget* form, int code);
    void KreirajLagerListaLista(QObject* sender, QWidget* form, int code);
    void ProceduraDBGrid1KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift);

    void createEntry(QObject* sender, QWidget* form, int code) override { KreirajLagerListaVnes(sender, form, code); }
    void createEdit(QObject* sender, QWidget* form, int code) override
    {
        KreirajLagerListaKorekcija(sender, form, code);
    }
    void createList(QObject* sender, QWidget* form, int code) override { KreirajLagerListaLista(sender, form, code); }
};
