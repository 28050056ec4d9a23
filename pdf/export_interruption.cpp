#include "pdf/export_interruption.h"

#include <csignal>
#include <cstdio>

#include "platform/error.h"

namespace quiral {

namespace {

volatile std::sig_atomic_t interruptingSignal = 0;

extern "C" void noteInterruption(int signal) {
  interruptingSignal = signal;
}

}  // namespace

ExportInterruption::ExportInterruption() {
  struct sigaction noting {};
  noting.sa_handler = noteInterruption;
  sigemptyset(&noting.sa_mask);
  ::sigaction(SIGINT, &noting, &savedInt_);
  ::sigaction(SIGTERM, &noting, &savedTerm_);
}

ExportInterruption::~ExportInterruption() {
  ::sigaction(SIGINT, &savedInt_, nullptr);
  ::sigaction(SIGTERM, &savedTerm_, nullptr);
  const int signal = interruptingSignal;
  if (signal != 0) {
    interruptingSignal = 0;
    std::fflush(nullptr);
    std::raise(signal);  // now with the handler the program had before the export
  }
}

bool ExportInterruption::interrupted() {
  return interruptingSignal != 0;
}

void ExportInterruption::throwIfInterrupted() {
  if (interrupted()) throw QuiralError("Interrupted");
}

}  // namespace quiral
