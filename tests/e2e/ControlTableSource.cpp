// The control table compiled into the end-to-end tests as well, so the live
// window is checked against the same data as the resource script.
#include "app/ControlTable.cpp"
