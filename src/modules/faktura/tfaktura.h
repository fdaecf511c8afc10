#pragma once

#include "frame/module.h"

// The invoice module: an entry window without behaviour, an empty edit window and a
// read-only browser of work orders. No command of the main window opens them.
class TFaktura : public Module {
    Q_OBJECT
public:
    explicit TFaktura(frame::Host* host);

    static const ModuleTraits& Traits();

    void KreirajFakturaVnes(QObject* sender, QWidget* form, int code);
    void KreirajFakturaKorekcija(QObject* sender, QWidget* form, int code);
    void KreirajFakturaLista(QObject* sender, QWidget* form, int code);
    void ProceduraKreirajFakturaNov(QObject* sender);
    void ProceduraKreirajFakturaKorekcija(QObject* sender);

    void createEntry(QObject* sender, QWidget* form, int code) override { KreirajFakturaVnes(sender, form, code); }
    void createEdit(QObject* sender, QWidget* form, int code) override { KreirajFakturaKorekcija(sender, form, code); }
    void createList(QObject* sender, QWidget* form, int code) override { KreirajFakturaLista(sender, form, code); }
};
