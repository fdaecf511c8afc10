#include "support/appfixture.h"

#include <QApplication>
#include <QDialog>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTest>

namespace testsupport {

AppFixture::AppFixture(const QString& schemaText)
{
    // Remembered layouts and aliases of a test process stay in its own folder.
    static QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    m_previousMessages =
        kit::setMessageBoxHandler([this](QWidget*, const QString& text, const QString& title, kit::Buttons) {
            m_messages.append({title, text});
            if (m_answers.empty())
                return int(kit::mrOk);
            const int answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        });
    m_previousModal = kit::setModalHandler([this](QDialog* dialog) {
        ++m_dialogsRun;
        if (m_dialogs.empty())
            return int(kit::mrCancel);
        DialogHandler h = std::move(m_dialogs.front());
        m_dialogs.pop_front();
        return h(dialog);
    });
    m_db = std::make_unique<TestDatabase>(true, QStringLiteral("Main"), schemaText);
    m_main = std::make_unique<TForm1>(&m_db->db());
    m_main->resize(1280, 800);
    m_main->show();
    QApplication::setActiveWindow(m_main.get());
    settle();
}

AppFixture::~AppFixture()
{
    m_main.reset();
    settle();
    m_db.reset();
    kit::setMessageBoxHandler(m_previousMessages);
    kit::setModalHandler(m_previousModal);
}

void AppFixture::settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

} // namespace testsupport
