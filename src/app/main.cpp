#include "app/application.h"
#include "kit/guard.h"
#include "app/tform1.h"


int main(int argc, char* argv[])
{
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
