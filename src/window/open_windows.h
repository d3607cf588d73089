// The program's open top-level windows: when the last one is gone, the message loop ends.
#pragma once

#include <windows.h>

class OpenWindows {
public:
    void Opened() { ++count_; }
    void Closed() {
        if (--count_ == 0) PostQuitMessage(0);
    }

private:
    int count_ = 0;
};
