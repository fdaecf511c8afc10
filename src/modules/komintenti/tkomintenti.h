#pragma once

#include "frame/module.h"

// Module component of the company partners: the partner list (also the pick list for
// partners), the entry window and the edit window.
class TKomintenti : public Module {
    Q_OBJECT
public:
    explicit TKomintenti(frame::Host* host);

    static const ModuleTraits& Traits();

    void KreirajKomintentiVnes(QObject* sender, QWidget* form, int code);
    void KreirajKomintentiKorekcija(QObject* sender, QWidget* form, int code);
    void KreirajKomintentiLista(QObject* sender, QWidget* form, int code);
    void ProceduraKreirajKomintentiNov(QObject* sender);
    void ProceduraKreirajKomintentiKorekcija(QObject* sender);
    // Enter in the list's grid: answers the pick the list was opened for; nothing else.
    void ProcVratiKomintent(QObject* sender, int& key, Qt::KeyboardModifiers shift);

    void createEntry(QObject* sender, QWidget* form, int code) override { KreirajKomintentiVnes(sender, form, code); }
    void createEdit(QObject* sender, QWidget* form, int code) override
    {
        KreirajKomintentiKorekcija(sender, form, code);
    }
    void createList(QObject* sender, QWidget* form, int code) override { KreirajKomintentiLista(sender, form, code); }
};
