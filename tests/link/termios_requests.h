#pragma once

#include <termios.h>

#include <vector>

// Every line format this process has asked a terminal for since the last forget, in order,
// whichever descriptor it was for. A pty forces 8 data bits and no parity whatever it is asked,
// so the requests are the only place where a port's choice of those two can be seen.
std::vector<termios> termios_requests();
void forget_termios_requests();
