#pragma once

namespace app {

// The program: locale, argument list, the backup run, "wait..." and one
// line of input. Answers 0 in every case.
int run_main(int argc, char** argv);

}  // namespace app
