// Whether the program runs with administrator rights.
#pragma once

// True when the process's token is elevated (run as administrator, or UAC is off for an administrator).
bool IsElevatedProcess();
