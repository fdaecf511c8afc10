#pragma once

#include "frame/module.h"

class TSPriemnicaLista;

// The goods receipt module: creates the receipt list, entry and edit windows, wires their
// menus and keys, and passes the pick requests and answers of its windows to the main
// window.
class TPriemnica : public Module {
    Q_OBJECT
public:
    explicit TPriemnica(frame::Host* host);

    static const ModuleTraits& Traits();

    void KreirajPriemnicaVnes(QObject* sender, QWidget* form, int code);
    void KreirajPriemnicaKorekcija(QObject* sender, QWidget* form, int code);
    void KreirajPriemnicaLista(QObject* sender, QWidget* form, int code);

    // List handlers ("New", "Update", "Del", Enter in the grid).
    void ProceduraKreirajPriemnicaNov(QObject* sender);
    void ProceduraKreirajPriemnicaKorekcija(QObject* sender);
    void ProceduraBrisiPriemnica(QObject* sender);
    void ProceduraDBGrid1KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift);

    // Pick requests of the entry and edit windows.
    void ProcPovikajKomintent(QObject* sender, int& key, Qt::KeyboardModifiers shift);
    void ProcPovikajArtikli(QObject* sender);
    void ProcKorekcijaPovikajKomintent(QObject* sender, int& key, Qt::KeyboardModifiers shift);
    void ProcKorekcijaPovikajArtikal(QObject* sender);

    void createEntry(QObject* sender, QWidget* form, int code) override { KreirajPriemnicaVnes(sender, form, code); }
    void createEdit(QObject* sender, QWidget* form, int code) override
    {
        KreirajPriemnicaKorekcija(sender, form, code);
    }
    void createList(QObject* sender, QWidget* form, int code) override { KreirajPriemnicaLista(sender, form, code); }

private:
    // The receipt list the command came from (an open one), or nullptr.
    TSPriemnicaLista* sourceList() const;
};
