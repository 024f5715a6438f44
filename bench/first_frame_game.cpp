// The game as its main() starts it, quitting after the window's first frame.
#include "first_frame.h"
#include "zemkari/app/game_application.h"
#include "zemkari/app/main_window.h"

int main(int, char* argv[]) {
    int argc = 1;
    zemkari::app::GameApplication application(argc, argv);
    zemkari::SystemClock clock;
    zemkari::app::TForm1 Form1(clock);
    zemkari::bench::FirstFrame firstFrame(Form1);
    Form1.show();
    return application.exec();
}
