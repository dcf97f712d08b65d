#include "app/Globals.h"

int main(int argc, char** argv) { return pw::Main(argc, argv); }
