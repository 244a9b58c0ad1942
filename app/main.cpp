#include "app/entry.h"

int main(int argc, char** argv) { return app::run_main(argc, argv); }
