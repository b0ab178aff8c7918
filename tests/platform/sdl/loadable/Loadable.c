/* A library the desktop backend's tests load and close at run time, to see
   whether closing it unmaps it. Nothing else in the test program uses it. */
int quellor_loadable_marker = 1;
