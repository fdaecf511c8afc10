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

HelpViewer* HelpViewer::showContext(int context, QWidget* parent)
{
    // Every request names the help file in lower-case extension.
    g_helpFile = QStringLiteral("REDIDOZIZED.hlp");
    if (!g_viewer)
        g_viewer = new HelpViewer(parent);
    g_viewer->m_browser->setSource(QUrl(pageFor(context)));
    g_viewer->show();
    g_viewer->raise();
    g_viewer->activateWindow();
    return g_viewer;
}

} // namespace app
