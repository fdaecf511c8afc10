#pragma once

#include "frame/module.h"

// Module component of the employees: the employee list (the pick list of the work order
// windows), the entry window and the edit window.
class TVraboteni : public Module {
    Q_OBJECT
public:
    explicit TVraboteni(frame::Host* host);

    static const ModuleTraits& Traits();

    void KreirajVraboteniVnes(QObject* sender, QWidget* form, int code);
    void KreirajVraboteniKorekcija(QObject* sender, QWidget* form, int code);
    void KreirajVraboteniLista(QObject* sender, QWidget* form, int code);
    void ProceduraKreirajVraboteniNov(QObject* sender);
    void ProceduraKreirajVraboteniKorekcija(QObject* sender);
    // Enter in the list's grid: answers the pick the list was opened for; nothing else.
    void ProcVratiKomintent(QObject* sender, int& key, Qt::KeyboardModifiers shift);

    void createEntry(QObject* sender, QWidget* form, int code) override { KreirajVraboteniVnes(sender, form, code); }
    void createEdit(QObject* sender, QWidget* form, int code) override
    {
        KreirajVraboteniKorekcija(sender, form, code);
    }
    void createList(QObject* sender, QWidget* form, int code) override { KreirajVraboteniLista(sender, form, code); }
};
