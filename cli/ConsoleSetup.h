#pragma once

#include <string>
#include <vector>

// Makes the command line and the standard streams behave alike on every
// platform. POSIX needs nothing. On Windows the arguments are taken as
// Unicode from the system, not in the ANSI code page the C runtime gives,
// and the streams pass bytes unchanged (no CR added before LF); a console
// shows them as UTF-8 while the program runs.
std::vector<std::string> utf8Arguments(int argc, char** argv);
void setUpStandardStreams();
