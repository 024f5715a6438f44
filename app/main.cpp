#include "zemkari/app/game_application.h"
#include "zemkari/app/main_window.h"

int main(int, char* argv[]) {
    // The game reads no command line: Qt sees the program name alone.
    int argc = 1;
    zemkari::app::GameApplication application(argc, argv);
    zemkari::SystemClock clock;
    zemkari::app::GameWindow window(clock);
    window.show();
    return application.exec();
}
