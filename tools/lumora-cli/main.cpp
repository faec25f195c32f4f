// lumora-cli: the printer engine of lumora without a window.
#include "CliProgram.h"

int main(int argc, char** argv) {
  CliProgram program;
  return program.Run(argc, argv);
}
