#include "StartUp.h"

int main(int argc, char** argv) {
    return quelmar::runWorkbench(argc, argv);
}
