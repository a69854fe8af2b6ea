#include "Simulation.h"

#include "Simulator.h"

namespace korven::sim {

SimulationResult simulate(const DecodedProgram &program, const SimulationOptions &options) {
    SimulationResult result;
    Simulator first(program, options, &result.trace);
    if (first.run(-1, true) == Simulator::Status::Ended) {
        first.fillResult(result);
        return result;
    }
    // The state repeats every lambda samples. Two runs lambda samples apart meet first
    // at the start of the cycle; the leading one stands at the first repetition.
    const qint64 lambda = first.loopSamples();
    SimulationTrace trace;
    Simulator behind(program, options, nullptr);
    Simulator ahead(program, options, &trace);
    bool met = behind.run(0, false) == Simulator::Status::Sampled &&
               ahead.run(lambda, false) == Simulator::Status::Sampled;
    for (qint64 mu = 0; met && !behind.state().sameAs(ahead.state());) {
        ++mu;
        met = behind.run(mu, false) == Simulator::Status::Sampled &&
              ahead.run(mu + lambda, false) == Simulator::Status::Sampled;
    }
    if (!met) { // cannot happen for a deterministic run; report what the first run saw
        first.fillResult(result);
        result.end = EndReason::Loop;
        return result;
    }
    ahead.fillResult(result);
    result.end = EndReason::Loop;
    result.periodS = ahead.time() - behind.time();
    result.periodSteps = ahead.steps() - behind.steps();
    result.trace = std::move(trace);
    return result;
}

} // namespace korven::sim

#include "Compiler.h"

namespace korven::sim {

SimulationResult simulateProgram(const QStringList &lines, const DriveSettings &drive,
                                 const SimulationOptions &options) {
    const CompileResult compiled = GenerujProgram(lines, drive);
    if (!compiled.ok()) {
        SimulationResult result;
        result.end = EndReason::Error;
        result.error = compiled.error;
        result.errorLine = compiled.errorLine + 1;
        return result;
    }
    return simulate(DecodedProgram::fromImage(compiled.image, drive.PulsDiv), options);
}

} // namespace korven::sim
