#include "app/helpviewer.h"

#include "app/resources.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace app {

namespace {
QPointer<HelpViewer> g_viewer;
QString g_helpFile = QStringLiteral("REDIDOZIZED.HLP");
QString g_currentPage;

struct WindowPage {
    const char* className;
    const char* page;
};

// The page of every child window that has one: a list, and the entry and edit windows
// opened from it, share the page of their task.
constexpr WindowPage kWindowPages[] = {
    {"TSArtikliLista", "article-list.html"},
    {"TSProizvodLista", "product-list.html"},
    {"TSKomintentiLista", "partner-list.html"},
    {"TSKomintentiVnes", "partner-list.html"},
    {"TSKomintentiKorekcija", "partner-list.html"},
    {"TSVraboteniLista", "employee-list.html"},
    {"TSVraboteniVnes", "employee-list.html"},
    {"TSVraboteniKorekcija", "employee-list.html"},
    {"TSNalogLista", "work-order-list.html"},
    {"TSNalogVnes", "work-order-list.html"},
    {"TSNalogKorekcija", "work-order-list.html"},
    {"TSNalogGraphic", "gantt-chart.html"},
    {"TSReportFinanLista", "financial-report.html"},
    {"TSPregledArtikalLista", "article-overview.html"},
    {"TSPregledKomintentLista", "partner-overview.html"},
    {"TSFakturaLista", "work-order-list.html"},
    {"TSFakturaVnes", "work-order-list.html"},
    {"TSFakturaKorekcija", "work-order-list.html"},
    {"TSPriemnicaLista", "receive-goods.html"},
    {"TSPriemnicaVnes", "receive-goods.html"},
    {"TSPriemnicaKorekcija", "receive-goods.html"},
    {"TSIspratnicaLista", "dispatch-goods.html"},
    {"TSIspratnicaVnes", "dispatch-goods.html"},
    {"TSIspratnicaKorekcija", "dispatch-goods.html"},
    {"TSLagerListaLista", "see-stock.html"},
};
} // namespace

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent)
{
    initResources();
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Duredir Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    m_browser = new QTextBrowser(this);
    m_browser->setSearchPaths({QStringLiteral(":/help")});
    m_browser->setOpenLinks(true);
    layout->addWidget(m_browser);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* index = buttons->addButton(QStringLiteral("Contents"), QDialogButtonBox::ActionRole);
    QPushButton* back = buttons->addButton(QStringLiteral("Back"), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);
    connect(index, &QPushButton::clicked, this, [this]() { m_browser->setSource(QUrl(pageFor(0))); });
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
    // Wide enough for the pictures of the pages at their own size (up to 900 pixels), never
    // larger than the screen.
    QSize size(960, 700);
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 0.95);
    resize(size);
}

QString HelpViewer::pageFor(int context)
{
    switch (context) {
    case 1:
        return QStringLiteral("qrc:/help/main-window.html");
    case 2:
        return QStringLiteral("qrc:/help/article-entry.html");
    case 3:
        return QStringLiteral("qrc:/help/article-edit.html");
    case 4:
        return QStringLiteral("qrc:/help/product-list.html");
    case 5:
        return QStringLiteral("qrc:/help/product-entry.html");
    case 6:
        return QStringLiteral("qrc:/help/product-edit.html");
    default:
        return QStringLiteral("qrc:/help/index.html");
    }
}

QString HelpViewer::helpFile()
{
    return g_helpFile;
}

QString HelpViewer::pageForWindow(const QWidget* window)
{
    if (!window)
        return {};
    const char* name = window->metaObject()->className();
    for (const WindowPage& entry : kWindowPages)
        if (qstrcmp(entry.className, name) == 0)
            return QString::fromLatin1(entry.page);
    return {};
}

QString HelpViewer::currentPage()
{
    return g_currentPage;
}

HelpViewer* HelpViewer::showContext(int context, QWidget* parent)
{
    return showPage(QUrl(pageFor(context)).fileName(), parent);
}

HelpViewer* HelpViewer::showPage(const QString& page, QWidget* parent)
{
    // Every request names the help file in lower-case extension.
    g_helpFile = QStringLiteral("REDIDOZIZED.hlp");
    g_currentPage = page;
    if (!g_viewer)
        g_viewer = new HelpViewer(parent);
    g_viewer->m_browser->setSource(QUrl(QStringLiteral("qrc:/help/") + page));
    g_viewer->show();
    g_viewer->raise();
    g_viewer->activateWindow();
    return g_viewer;
}

} // namespace app
