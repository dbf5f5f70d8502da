#include "Kestro3.h"

int main(int argc, char** argv) { return quelmar::runKestro3(argc, argv); }
