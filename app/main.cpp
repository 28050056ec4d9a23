#include "app/program_start.h"

int main(int argc, char** argv) {
  return quiral::runProgram(argc, argv);
}
