#pragma once

#include "frame/module.h"

// The financial report module: the report window (code 39) and two empty windows.
class TReportFinan : public Module {
    Q_OBJECT
public:
    explicit TReportFinan(frame::Host* host);

    static const ModuleTraits& Traits();

    void KreirajReportFinanVnes(QObject* sender, QWidget* form, int code);
    void KreirajReportFinanKorekcija(QObject* sender, QWidget* form, int code);
    void KreirajReportFinanLista(QObject* sender, QWidget* form, int code);

    void createEntry(QObject* sender, QWidget* form, int code) override { KreirajReportFinanVnes(sender, form, code); }
    void createEdit(QObject* sender, QWidget* form, int code) override
    {
        KreirajReportFinanKorekcija(sender, form, code);
    }
    void createList(QObject* sender, QWidget* form, int code) override { KreirajReportFinanLista(sender, form, code); }
};
