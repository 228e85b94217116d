#include "windows_api_standin/standin_control.h"

#include <utility>

#include "windows_api_standin/standin_state.h"

StandinState& Standin() {
  // Deliberately never destroyed: see the declaration.
  static StandinState* const state = new StandinState;
  return *state;
}

void ResetStandin() {
  StandinState& state = Standin();
  state.parts.clear();
  state.calls.clear();
  state.themeOpens = true;
  state.themesOpened = 0;
  state.themesClosed = 0;
  state.failNextNothrowArrayAllocation = false;
}

void SetStandinPart(std::int32_t partId, StandinPart part) { Standin().parts[partId] = std::move(part); }

const StandinPart& GetStandinPart(std::int32_t partId) { return Standin().parts.at(partId); }

void SetStandinThemeOpens(bool opens) { Standin().themeOpens = opens; }

void FailNextNothrowArrayAllocation() { Standin().failNextNothrowArrayAllocation = true; }

const std::vector<std::string>& StandinCalls() { return Standin().calls; }
