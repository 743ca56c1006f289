#pragma once

#include "Responder.h"

#include <memory>

struct RadioState;
struct SimOptions;

// The radio's service mode: "TUNINGT" (single-item adjust), "TUNINGR" and
// "TUNINGW" (calibration table read and write) over the state's calibration
// memory and measurement values.
std::unique_ptr<Responder> createServiceResponder(RadioState &state, const SimOptions &options);
