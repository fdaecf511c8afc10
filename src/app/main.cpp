#include "app/application.h"
#include "app/commandline.h"
#include "app/tform1.h"
#include "kit/guard.h"

#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    {
        // Answered before Qt starts: they need no display.
        QTextStream out(stdout);
        if (const std::optional<int> code = app::answerCommandLine(argc, argv, out))
            return *code;
    }
    app::Application application(argc, argv);
    std::unique_ptr<TForm1> form;
    try {
        form = std::make_unique<TForm1>();
    } catch (const std::exception& e) {
        // Without its connection the program cannot work: show why and end.
        kit::showError(e);
        return 1;
    }
    form->showAtStart();
    return application.exec();
}
