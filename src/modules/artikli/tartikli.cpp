#include "modules/artikli/tartikli.h"

const ModuleSpec& TArtikli::Spec()
{
    static const ModuleSpec spec{
        "TArtikli", 1, 2, 3,
        {32770, 32772, 32782, 32784, 32786, 32794, 32798},
        QStringLiteral("Products-create new "),
        QStringLiteral("Products-update "),
        QStringLiteral("Products-List "),
        QStringLiteral("Select product"),
    };
    return spec;
}

TArtikli::TArtikli(TForm1* mainForm) : Module(Spec(), mainForm) {}
