#include "sensorsim/LineSpeed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

// termios2 reports the output rate as a number whether it was set as a B-constant or not.
int lineSpeed(int fd) {
    termios2 t{};
    if (ioctl(fd, TCGETS2, &t) != 0) {
        return 0;
    }
    return static_cast<int>(t.c_ospeed);
}
