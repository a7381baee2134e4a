// The test service program, compiled once more with its entry point renamed
// so that listener_stand_in.cpp can hand it the arguments it reads.
#define main TestServiceMain
#include "win/tools/test_service.cpp"
