#include "data/database.h"
#include "data/errors.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Duredir"));
    data::Database database(QStringLiteral("Main"));
    try {
        database.openAlias(QStringLiteral("varnok_public"));
    } catch (const data::Error& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Error"), e.text());
        return 1;
    }
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Tervalo"));
    w.showMaximized();
    return app.exec();
}
