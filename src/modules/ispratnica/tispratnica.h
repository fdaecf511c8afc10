#pragma once

#include "frame/module.h"

class TSIspratnicaLista;

// The goods dispatch module: creates the dispatch list, entry and edit windows, wires their
// menus and keys, and passes the pick requests of its windows (partner, stock list,
// receipt list) to the main window.
class TIspratnica : public Module {
    Q_OBJECT
public:
    explicit TIspratnica(frame::Host* host);

    static const ModuleTraits& Traits();

    void KreirajIspratnicaVnes(QObject* sender, QWidget* form, int code);
    void KreirajIspratnicaKorekcija(QObject* sender, QWidget* form, int code);
    void KreirajIspratnicaLista(QObject* sender, QWidget* form, int code);

    // List handlers ("Nov", "Korekcija", "Del").
    void ProceduraKreirajIspratnicaNov(QObject* sender);
    void ProceduraKreirajIspratnicaKorekcija(QObject* sender);
    void ProceduraBrisiIspratnica(QObject* sender);

    // Pick requests of the entry and edit windows.
    void ProcPovikajKomintent(QObject* sender, int& key, Qt::KeyboardModifiers shift);
    void ProcVnesPovikajLagerLista(QObject* sender);
    void ProcVnesPovikajPriemniciLista(QObject* sender);
    void ProcKorekcijaPovikajKomintent(QObject* sender, int& key, Qt::KeyboardModifiers shift);
    void ProcKorekcijaPovikajLagerLista(QObject* sender);
    void ProcKorekcijaPovikajPriemniciLista(QObject* sender);

    void createEntry(QObject* sender, QWidget* form, int code) override { KreirajIspratnicaVnes(sender, form, code); }
    void createEdit(QObject* sender, QWidget* form, int code) override
    {
        KreirajIspratnicaKorekcija(sender, form, code);
    }
    void createList(QObject* sender, QWidget* form, int code) override { KreirajIspratnicaLista(sender, form, code); }

private:
    // The dispatch list the command came from (an open one), or nullptr.
    TSIspratnicaLista* sourceList() const;
};
