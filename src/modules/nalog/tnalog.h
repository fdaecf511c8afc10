#pragma once

#include "frame/module.h"

class TSNalogLista;

// The work order module: the work order list, the entry and edit windows, and the partner,
// employee and product picks of the two.
class TNalog : public Module {
    Q_OBJECT
public:
    explicit TNalog(frame::Host* host);

    static const ModuleTraits& Traits();

    void KreirajNalogVnes(QObject* sender, QWidget* form, int code);
    void KreirajNalogKorekcija(QObject* sender, QWidget* form, int code);
    void KreirajNalogLista(QObject* sender, QWidget* form, int code);
    void KreirajNalogGraphic(QObject* sender, QWidget* form, int code);

    void ProceduraKreirajNalogNov(QObject* sender);
    void ProceduraKreirajNalogKorekcija(QObject* sender);
    void MSNalogListaClose(QObject* sender);

    // Pick requests of the entry window (every key in the partner and employee fields).
    void ProcPovikajKomintent(QObject* sender, int& key, Qt::KeyboardModifiers shift);
    void ProcPovikajVraboten(QObject* sender, int& key, Qt::KeyboardModifiers shift);
    void MSNalogVnesVnesiProizvod(QObject* sender);
    // The same for the edit window.
    void ProcKoregirajPovikajKomintent(QObject* sender, int& key, Qt::KeyboardModifiers shift);
    void ProcKoregirajPovikajVraboten(QObject* sender, int& key, Qt::KeyboardModifiers shift);
    void MSNalogKorekcijaVnesiProizvod(QObject* sender);

    void createEntry(QObject* sender, QWidget* form, int code) override { KreirajNalogVnes(sender, form, code); }
    void createEdit(QObject* sender, QWidget* form, int code) override { KreirajNalogKorekcija(sender, form, code); }
    void createList(QObject* sender, QWidget* form, int code) override { KreirajNalogLista(sender, form, code); }

    QPointer<TFormSrgBase> GraphicForm; // the Gantt chart window

private:
    // The work order list the command came from (an open one), or nullptr.
    TSNalogLista* sourceList() const;
};
