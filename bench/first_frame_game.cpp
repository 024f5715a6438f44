// The game as its main() starts it, quitting after the window's first frame.
#include "first_frame.h"
#include "zemkari/app/game_application.h"
#include "zemkari/app/main_window.h"

int main(int, char* argv[]) {
    zemkari::bench::Phases phases;
    int argc = 1;
    zemkari::app::GameApplication application(argc, argv);
    phases.Mark("application");
    zemkari::SystemClock clock;
    zemkari::app::GameWindow window(clock);
    phases.Mark("window");
    zemkari::bench::FirstFrame firstFrame(window, phases);
    window.show();
    phases.Mark("shown");
    return application.exec();
}
