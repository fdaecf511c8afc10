#include "frame/module.h"

#include "frame/host.h"
#include "frame/tformsrgbase.h"

#include <QMdiSubWindow>
#include <QScopeGuard>

Module::Module(const ModuleTraits& traits, frame::Host* host) : m_traits(traits), m_host(host)
{
    setObjectName(QString::fromLatin1(traits.name));
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
    if (code == m_traits.entryCode)
        build([&] { createEntry(sender, form, code); });
    else if (code == m_traits.editCode)
        build([&] { createEdit(sender, form, code); });
    else if (code == m_traits.listCode)
        createList(sender, form, code);
    else if (m_traits.passedCodes.contains(code))
        PovikajProcedura(sender, form, code);
}

void Module::PovikajProcedura(QObject*, QWidget*, int code)
{
    if (m_host)
        m_host->HandleCommand(code);
}

void Module::build(const std::function<void()>& create)
{
    // An edit window is placed (InitChild) before or after its record is loaded, as each
    // window's operation does it; only once the operation is done does it show its record.
    QList<QPointer<TFormSrgBase>> built;
    QList<QPointer<TFormSrgBase>>* outer = std::exchange(m_built, &built);
    const auto done = qScopeGuard([&] {
        m_built = outer;
        for (const QPointer<TFormSrgBase>& w : std::as_const(built))
            if (w)
                w->noteInputAsOpened();
    });
    create();
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
    if (m_built)
        m_built->append(window);
}

QWidget* Module::activeChild() const
{
    return m_host ? m_host->ActiveMDIChild() : nullptr;
}
