// Makes named host operations fail on purpose, so tests can drive every
// failure path of a plug-in for real.
//
// Contract: Arm("PDDocAcquirePage", code, n) makes the n-th call from now of
// that operation raise code (n = 0: every call). Calls are counted per name
// for every operation that goes through HostEntry, armed or not, so tests can
// also read how often an operation ran. Reset() forgets everything.
#pragma once

#include <string>

#include "sdk/ASTypes.h"

namespace pdfhost {

class FaultInjector {
  public:
    static void Arm(const std::string& operation, ASErrorCode code, int nthCall = 0);
    static void Disarm(const std::string& operation);
    static void Reset();
    // Counts the call and throws HostError when it is armed to fail now.
    // `operation` must live as long as the process (an entry's constant
    // name): calls are counted by its address.
    static void OnCall(const char* operation);
    static int CallCount(const std::string& operation);
};

} // namespace pdfhost
