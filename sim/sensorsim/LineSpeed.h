#pragma once

// The rate a terminal's line is set to, in bits per second (custom rates included); 0 when it
// cannot be read. Kept apart because the kernel's termios2 clashes with <termios.h>.
int lineSpeed(int fd);
