#pragma once

#include "frame/module.h"

// The product module: the product list (also the pick list of the work orders), the entry
// and edit windows and the article picks of their composition.
class TProizvod : public Module {
    Q_OBJECT
public:
    explicit TProizvod(frame::Host* host);

    static const ModuleTraits& Traits();

    void KreirajProizvodVnes(QObject* sender, QWidget* form, int code);
    void KreirajProizvodKorekcija(QObject* sender, QWidget* form, int code);
    void KreirajProizvodLista(QObject* sender, QWidget* form, int code);

    void ProceduraKreirajProizvodNov(QObject* sender);
    void ProceduraKreirajProizvodKorekcija(QObject* sender);
    // "Add" of the entry and of the edit window: the article list for a pick.
    void BitBtn1Click(QObject* sender);
    void BitBtn1_2_Click(QObject* sender);
    // Enter in the list grid: answers the pick the list was opened for.
    void ProcProizvodListaDBGridKeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift);

    void createEntry(QObject* sender, QWidget* form, int code) override { KreirajProizvodVnes(sender, form, code); }
    void createEdit(QObject* sender, QWidget* form, int code) override { KreirajProizvodKorekcija(sender, form, code); }
    void createList(QObject* sender, QWidget* form, int code) override { KreirajProizvodLista(sender, form, code); }
};
