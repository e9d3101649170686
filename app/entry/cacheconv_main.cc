// The process's entry: the program's start, then its orderly exit with the quit request's code.
#include "app/program.h"

int main() { return corvalin::runProgram(); }
