#pragma once

namespace app {

// The program: locale, argument list, the backup run, "wait..." and one
// line of input. Answers 0 when every folder's copy was confirmed on the
// drive, 1 otherwise (no removable drive included).
int run_main(int argc, char** argv);

}  // namespace app
