#pragma once
// Win rates of whole games played with the engine's suggestion against the rule it
// replaced, on the same layouts.

namespace gravlin::bench {

void registerWinRates();

}  // namespace gravlin::bench
