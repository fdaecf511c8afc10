#pragma once

#include "frame/module.h"

// Module component of the articles: the article list (also the pick list for articles), the
// entry window and the edit window.
class TArtikli : public Module {
    Q_OBJECT
public:
    explicit TArtikli(frame::Host* host);

    static const ModuleTraits& Traits();

    void KreirajArtikliVnes(QObject* sender, QWidget* form, int code);
    void KreirajArtikliKorekcija(QObject* sender, QWidget* form, int code);
    void KreirajArtikliLista(QObject* sender, QWidget* form, int code);
    void ProceduraKreirajArtikliNov(QObject* sender);
    void ProceduraKreirajArtikliKorekcija(QObject* sender);
    // Enter in the list's grid: answers the pick the list was opened for; nothing else.
    void ProceduraDBGrid1KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift);

    void createEntry(QObject* sender, QWidget* form, int code) override { KreirajArtikliVnes(sender, form, code); }
    void createEdit(QObject* sender, QWidget* form, int code) override { KreirajArtikliKorekcija(sender, form, code); }
    void createList(QObject* sender, QWidget* form, int code) override { KreirajArtikliLista(sender, form, code); }
};
