#pragma once
// An engine that records the calls it gets and answers from lists the test sets up.
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "gravlin/equations/engine.h"

namespace gravlin::testing {

class RecordingEngine : public Engine {
  public:
    std::vector<std::string> calls;
    std::vector<std::int32_t> freeCodes, mineCodes;  // ascending
    std::string stochAnswer = "Wahrscheinlichkeiten\r\n";
    bool available = true;
    // When set, solving and the probabilities fail with an exception.
    bool throws = false;

    bool ensureLoaded() override { return available; }
    std::string loadError() const override {
        return "Die Rechenbibliothek \"libgravlin.so.3\" wurde nicht gefunden.";
    }
    void QZNewSystem() override { calls.push_back("QZNewSystem"); }
    void QZInterpreter(const std::string& e) override { calls.push_back("QZInterpreter " + e); }
    void QZSolve() override {
        calls.push_back("QZSolve");
        if (throws) throw std::runtime_error("engine failed");
    }
    std::int32_t QZGetNextFree(std::int32_t previous) override { return next(freeCodes, previous); }
    std::int32_t QZGetNextMine(std::int32_t previous) override { return next(mineCodes, previous); }
    void QZtrace(const std::string& file, const std::string& text) override {
        calls.push_back("QZtrace " + file + " " + text);
    }
    std::string QZcalcStoch(const std::string& system) override {
        calls.push_back("QZcalcStoch " + system);
        if (throws) throw std::runtime_error("engine failed");
        return stochAnswer;
    }
    void QZcalcStochEnd() override { calls.push_back("QZcalcStochEnd"); }

    // How many calls begin with `prefix`.
    int count(const std::string& prefix) const {
        return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                              [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
    }

  private:
    static std::int32_t next(const std::vector<std::int32_t>& codes, std::int32_t previous) {
        for (std::int32_t c : codes)
            if (c > previous) return c;
        return -1;
    }
};

}  // namespace gravlin::testing
