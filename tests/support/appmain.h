#pragma once

#include "app/application.h"

#include <QTest>

// The main of a test executable that drives windows: it runs under the program's own
// application object, so an exception escaping an event handler reaches the standard error
// box (title "Error") as it does for the operator, and AppFixture records that message.
#define DUREDIR_APP_TEST_MAIN(TestObject)                                                                              \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        app::Application application(argc, argv);                                                                      \
        application.setAttribute(Qt::AA_Use96Dpi, true);                                                               \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
