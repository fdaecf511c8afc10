#include "modules/priemnica/tpriemnica.h"

const ModuleSpec& TPriemnica::Spec()
{
    static const ModuleSpec spec{
        "TPriemnica", 19, 20, 21,
        {32770, 32777, 32781, 32795, 32797, 32808, 32810},
        QStringLiteral("Goods receipt-create new "),
        QStringLiteral("Goods receipt-update "),
        QStringLiteral("Goods receipt-List "),
        QString(),
    };
    return spec;
}

TPriemnica::TPriemnica(TForm1* mainForm) : Module(Spec(), mainForm) {}
