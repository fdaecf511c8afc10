#include "app/module.h"

#include "app/tform1.h"
#include "app/tformsrgbase.h"

#include <QMdiSubWindow>

Module::Module(const ModuleSpec& spec, TForm1* mainForm) : m_spec(spec), m_main(mainForm)
{
    setObjectName(QString::fromLatin1(spec.name));
}

Module::~Module()
{
    // The module's windows go with it, without their close handlers.
    for (const QPointer<TFormSrgBase>& w : std::as_const(m_windows)) {
        if (!w)
            continue;
        if (QMdiSubWindow* sub = w->subWindow())
            delete sub;
        else
            delete w.data();
    }
}

void Module::SProccessingMessage(QObject* sender, QWidget* form, int code)
{
    if (code == m_spec.entryCode)
        createEntry(sender, form, code);
    else if (code == m_spec.editCode)
        createEdit(sender, form, code);
    else if (code == m_spec.listCode)
        createList(sender, form, code);
    else if (m_spec.passedCodes.contains(code))
        PovikajProcedura(sender, form, code);
}

void Module::PovikajProcedura(QObject*, QWidget*, int code)
{
    if (m_main)
        m_main->HandleCommand(code);
}

void Module::createEntry(QObject*, QWidget*, int) {}
void Module::createEdit(QObject*, QWidget*, int) {}
void Module::createList(QObject*, QWidget*, int) {}

TFormSrgBase* Module::commandList() const
{
    if (m_commandList)
        return m_commandList;
    return ListForm;
}

void Module::adopt(TFormSrgBase* window)
{
    m_windows.removeAll(nullptr);
    m_windows.append(window);
}

QWidget* Module::activeChild() const
{
    return m_main ? m_main->ActiveMDIChild() : nullptr;
}
