// The start-up floor: Qt Widgets and an empty window, nothing of the program.
#include "Probe.h"

int main(int, char* argv[]) {
    NameOnlyApplication application(argv[0]);
    runBareWindow([] {});
}
